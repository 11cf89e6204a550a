// The solution configuration record, its folder rules and its two exchanged sections.
#include "CSolutionConfig.h"

#include "CArchive.h"
#include "CXTPPropExchange.h"

CSolutionConfig g_solutionConfig;

CSolutionConfig::CSolutionConfig()
{
    LevelMessage = 0;
    Language = 0;
}

int CSolutionConfig::FindProject(const CString& name) const
{
    for (int i = 0; i < Projects.GetSize(); ++i) {
        if (Projects[i] == name)
            return i;
    }
    return -1;
}

namespace {

// The engine keeps its strings in the standard form; the exchange speaks the framework's.
void ExchangeString(CXTPPropExchange* px, const char* key, std::string& value)
{
    CString text(value.c_str());
    PX_String(px, key, text);
    if (px->IsLoading())
        value = static_cast<const char*>(text);
}

void ExchangeInt(CXTPPropExchange* px, const char* key, int& value, int defaultValue)
{
    long wide = value;
    PX_LongDefault(px, key, wide, defaultValue);
    if (px->IsLoading())
        value = static_cast<int>(wide);
}

}  // namespace

void CSolutionConfig::ExchangeSolutionSettings(CXTPPropExchange* px)
{
    // The list serialises itself through an archive the exchange lends: count, then names.
    if (CArchive* archive = px->GetArchive("Projects")) {
        try {
            Projects.Serialize(*archive);
        } catch (...) {
            px->ReleaseArchive("Projects", archive);
            throw;
        }
        px->ReleaseArchive("Projects", archive);
    } else if (px->IsLoading()) {
        Projects.RemoveAll();
    }
    CString solution = SolutionName;
    PX_String(px, "SolutionName", solution);
    if (px->IsLoading())
        SolutionName = solution;
    ExchangeString(px, "ProjectName", ProjectName);
    ExchangeInt(px, "Platform", Platform, 1);
    ExchangeInt(px, "LevelMessage", LevelMessage, 8);
    PX_Bool(px, "InsertSpace", InsertSpace, FALSE);
    PX_Bool(px, "WarningReturnValue", WarningReturnValue, FALSE);
    PX_Bool(px, "WarningUpperCase", WarningUpperCase, FALSE);
    PX_Bool(px, "CorrectUpperCase", CorrectUpperCase, FALSE);
}

void CSolutionConfig::ExchangeProjectSettings(CXTPPropExchange* px)
{
    ExchangeString(px, "ProjectName", ProjectName);
    PX_Bool(px, "Decompilate", Decompilate, FALSE);
    ExchangeInt(px, "TypeProject", TypeProject, 0);
}

void GetSolutionFolder(CString& folder)
{
    folder = g_solutionConfig.ProjectsRoot + "Sol" + g_solutionConfig.SolutionName + "\\";
}

void GetProjectFolder(CString& folder)
{
    GetSolutionFolder(folder);
    folder += "Prj" + g_solutionConfig.GetProjectName() + "\\";
}
