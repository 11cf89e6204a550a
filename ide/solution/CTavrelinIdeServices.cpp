// The IDE's host services, forwarding to the record, the source list, the output pane and the frame.
#include "CTavrelinIdeServices.h"

#include "CInsertManager.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"

zTBuildSettings& CTavrelinIdeServices::GetSettings()
{
    return g_solutionConfig;
}

zSTRING CTavrelinIdeServices::GetProjectFolder()
{
    CString folder;
    ::GetProjectFolder(folder);
    return zSTRING(static_cast<const char*>(folder));
}

CBuildOutputTarget* CTavrelinIdeServices::Output()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pOutput;
}

CBuildFrameTarget* CTavrelinIdeServices::Frame()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pFrame;
}

void CTavrelinIdeServices::SetOutputTarget(CBuildOutputTarget* target)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pOutput = target;
}

void CTavrelinIdeServices::SetFrameTarget(CBuildFrameTarget* target)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pFrame = target;
}

void CTavrelinIdeServices::AddBuildMessage(int kind, const char* file, const zSTRING& text, int line, bool fatal)
{
    if (g_solutionConfig.BuildOutput)
        return;
    if (CBuildOutputTarget* output = Output())
        output->AddBuildMessage(kind, file, text, line, fatal);
}

void CTavrelinIdeServices::ReportBuildSummary(int broken)
{
    if (g_solutionConfig.BuildOutput)
        return;
    if (CBuildOutputTarget* output = Output())
        output->ReportBuildSummary(broken);
}

void CTavrelinIdeServices::ReplaceFileInLastMessages(const zSTRING& oldName, const zSTRING& newName)
{
    if (CBuildOutputTarget* output = Output())
        output->ReplaceFileInLastMessages(oldName, newName);
}

CTavrelinIdeServices::CTavrelinIdeServices()
{
    // The insert manager asks for a missing game folder on the thread that made it: this one.
    GetInsertManager();
}

void CTavrelinIdeServices::InsertFilesInGame(int kind)
{
    CInsertManager& manager = GetInsertManager();
    for (const zSTRING& name : m_insertFiles)
        manager.m_arrFiles.Add(CString(name.c_str()));
    m_insertFiles.clear();
    manager.InsertFilesInGame(kind);
}

int CTavrelinIdeServices::GetSourceListEntryCount()
{
    return GetSrcManager()->GetCount();
}

void CTavrelinIdeServices::SetProgressStep(int step)
{
    if (CBuildFrameTarget* frame = Frame())
        frame->SetProgressStep(step);
}

void CTavrelinIdeServices::StepProgress()
{
    if (CBuildFrameTarget* frame = Frame())
        frame->StepProgress();
}

void CTavrelinIdeServices::SetProgressPos(int pos)
{
    if (CBuildFrameTarget* frame = Frame())
        frame->SetProgressPos(pos);
}

void CTavrelinIdeServices::UpdateAfterDecompile()
{
    if (CBuildFrameTarget* frame = Frame())
        frame->UpdateAfterDecompile();
}

CTavrelinIdeServices& GetTavrelinIdeServices()
{
    static CTavrelinIdeServices services;
    return services;
}
