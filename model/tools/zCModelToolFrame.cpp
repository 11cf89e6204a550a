// The frame of the model tool entries.
#include "zCModelToolFrame.h"

#include "IdeServices.h"
#include "ModelServices.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCModelPrototype.h"
#include "zERROR.h"

namespace {

const int kToolFilterLevel = 8;
const int kFullProgress = 100000;
// The insert kind of model files.
const int kInsertModels = 2;

} // namespace

zCModelToolFrame::zCModelToolFrame() : savedFilterLevel(g_errorReporter.GetFilterLevel())
{
    g_errorReporter.SetFilterLevel(kToolFilterLevel);
    ClearRecordedSourceStamps();
    prototype = new zCModelPrototype();
    SetMeshFormatVersion();
}

zCModelToolFrame::~zCModelToolFrame()
{
    if (ended)
        return;
    prototype->Release();
    g_errorReporter.SetFilterLevel(savedFilterLevel);
}

void zCModelToolFrame::End(int flags)
{
    if (ended)
        return;
    ended = true;
    prototype->Release();
    prototype = nullptr;
    zCIdeServices* ide = zGetIdeServices();
    if ((flags & zTOOL_END_PROGRESS) && ide)
        ide->SetProgressPos(kFullProgress);
    if (flags & zTOOL_END_EMPTY_STAMPS)
        ClearRecordedSourceStamps();
    g_errorReporter.SetFilterLevel(savedFilterLevel);
    if ((flags & zTOOL_END_CACHE_OUT) && g_resourceManager)
        g_resourceManager->CacheOutAll(nullptr);
    if ((flags & zTOOL_END_INSERT) && ide && ide->GetSettings().InsertInGame)
        ide->InsertFilesInGame(kInsertModels);
}
