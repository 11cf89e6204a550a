// Engine start-up and shut-down.
#include "EngineStartup.h"

#include <vector>

#include "ModelServices.h"
#include "zCBlockPool.h"
#include "zCClassDef.h"
#include "zCFPUControl.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zCParser.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

// Its destruction runs the shut-down: whoever ends the engine ends it through this.
struct zTEngineSentinel {
    zTEngineSentinel() = default;
    zTEngineSentinel(const zTEngineSentinel&) = delete;
    zTEngineSentinel& operator=(const zTEngineSentinel&) = delete;
    // A destructor must not throw: a fatal message on the way ends the shut-down only.
    ~zTEngineSentinel()
    {
        zRunJobGuarded([] {
            ShutdownEngine();
            return 0;
        });
    }
};

zTEngineSentinel* g_engineSentinel = nullptr;

// The functions whose calls are dialogue lines of the output-unit library.
const std::vector<zSTRING> g_outputUnitFunctions = {zSTRING("AI_Output")};

const int kParserPreallocation = 1000;

} // namespace

void EngineStartup()
{
    if (g_engineSentinel)
        return;
    SetFilterFromSettings();
    g_engineSentinel = new zTEngineSentinel();
    // The application's thread must survive a fatal message of the start-up.
    zRunJobGuarded([] {
        InitEngine(0);
        return 0;
    });
}

void EngineShutdown()
{
    if (!g_engineSentinel)
        return;
    zTEngineSentinel* sentinel = g_engineSentinel;
    g_engineSentinel = nullptr;
    delete sentinel;
}

bool IsEngineStarted()
{
    return g_engineSentinel != nullptr;
}

void InitEngine(int)
{
    g_parser = new zCParser(kParserPreallocation);

    if (zCClassDef::SortRegistry() == 0)
        g_objectFactory = static_cast<zCObjectFactory*>(zCObjectFactory::classDef.CreateNewInstance());

    InitOptions();
    InitFileSystem();

    zCModelServices* models = zGetModelServices();
    g_resourceManager = models->CreateResourceManager();
    if (g_resourceManager)
        g_resourceManager->SetThreadingEnabled(g_options->Parm("ZNORESTHREAD") ? 0 : 1);

    zCBlockPool::SetPoolsDisabled(g_options->Parm("ZNOMEMPOOL"));
    g_renderer = models->CreateRenderer();

    g_fpuControl.ApplyDefaultControlWord();
    g_fpuControl.SaveControlWord();

    g_parser->SetOutputUnitFunctions(g_outputUnitFunctions);
}

void ShutdownEngine()
{
    if (g_renderer) {
        delete g_renderer;
        g_renderer = nullptr;
    }
    if (g_resourceManager) {
        g_resourceManager->EndThread();
        delete g_resourceManager;
        g_resourceManager = nullptr;
    }
    DeinitOptions();
    if (g_objectFactory) {
        g_objectFactory->Release();
        g_objectFactory = nullptr;
    }
    DeinitFileSystem();
    delete g_parser;
    g_parser = nullptr;
}
