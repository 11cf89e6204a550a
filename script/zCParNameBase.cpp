// The name base: how the script sources spelled each identifier, for the decompiler.
#include "zCParNameBase.h"

#include "JobGlobals.h"
#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCOption.h"
#include "zERROR.h"
#include "zFILE_VDFS.h"

namespace {

// The system directory, or an empty text with warning 33106 when there are no options.
bool SystemFolder(zSTRING& folder, const zSTRING& file)
{
    if (!g_options) {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_NAME_BASE_FILE_NOT_FOUND, file));
        return false;
    }
    folder = g_options->GetDirString(DIR_SYSTEM);
    return true;
}

} // namespace

zCParNameBase::~zCParNameBase()
{
    Clear();
}

zSTRING zCParNameBase::GetFileName()
{
    return g_platform == zPLATFORM_FIRST_GAME ? zSTRING("NamesVarnok1.dsc") : zSTRING("NamesVarnok2.dsc");
}

int zCParNameBase::Insert(const zSTRING& name)
{
    const auto inserted = byUpperName.emplace(UpperCopy(name), names.GetNum());
    if (!inserted.second)
        return 0;
    try {
        names.InsertEnd(new zSTRING(name));
    } catch (...) {
        byUpperName.erase(inserted.first);
        throw;
    }
    return 1;
}

int zCParNameBase::Search(const zSTRING& name) const
{
    const auto found = byUpperName.find(UpperCopy(name));
    return found == byUpperName.end() ? -1 : found->second;
}

const zSTRING* zCParNameBase::GetAt(int number) const
{
    if (number < 0 || number >= names.GetNum())
        return nullptr;
    return names[number];
}

int zCParNameBase::RestoreCase(zSTRING& name) const
{
    const int number = Search(name);
    if (number < 0)
        return -1;
    name = *names[number];
    return 0;
}

void zCParNameBase::Load()
{
    zSTRING folder;
    if (SystemFolder(folder, GetFileName()))
        Load(folder);
}

void zCParNameBase::Load(const zSTRING& folder)
{
    g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_NAME_BASE_LOADING));
    zFILE_VDFS file(JoinFolder(folder, GetFileName()));
    if (!file.Exists()) {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_NAME_BASE_FILE_NOT_FOUND, file.GetFullPath()));
        return;
    }
    if (file.Open(false) != 0)
        return;
    zSTRING line;
    while (file.ReadLine(line) == 0)
        Insert(line);
    if (g_errorReporter.GetFilterLevel() >= 5)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_NAME_BASE_LOADED, names.GetNum()));
    file.Close();
}

void zCParNameBase::Save() const
{
    zSTRING folder;
    if (SystemFolder(folder, GetFileName()))
        Save(folder);
}

void zCParNameBase::Save(const zSTRING& folder) const
{
    zFILE_VDFS file(JoinFolder(folder, GetFileName()));
    if (file.Create() != 0)
        return;
    const bool verbose = g_errorReporter.GetFilterLevel() >= 5;
    if (verbose)
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_NAME_BASE_SAVING));
    for (int i = 0; i < names.GetNum(); ++i) {
        file.Write(*names[i]);
        file.Write("\n");
    }
    file.Close();
    if (verbose)
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_NAME_BASE_SAVED));
}

void zCParNameBase::Clear()
{
    for (int i = 0; i < names.GetNum(); ++i)
        delete names[i];
    names.DeleteList();
    byUpperName.clear();
}
