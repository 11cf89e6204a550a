// Engine start-up and shut-down: the global objects come and go in their order, and
// the model toolchain's objects come from its services.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineStartup.h"
#include "ModelServices.h"
#include "ReporterCapture.h"
#include "zCBlockPool.h"
#include "zCObjectFactory.h"
#include "zCOption.h"
#include "zCParser.h"
#include "zFileSystem.h"

namespace {

std::vector<std::string> g_events;

const char* Set(const void* pointer)
{
    return pointer ? "set" : "null";
}

class RecordingManager : public zCResourceManager {
public:
    ~RecordingManager() override
    {
        g_events.push_back(std::string("manager deleted: parser ") + Set(g_parser));
    }
    void SetThreadingEnabled(int enabled) override
    {
        g_events.push_back("threading " + std::to_string(enabled));
        zCResourceManager::SetThreadingEnabled(enabled);
    }
    void EndThread() override
    {
        g_events.push_back(std::string("manager stopped: renderer ") + Set(g_renderer) + ", options " +
                           Set(g_options));
        zCResourceManager::EndThread();
    }
};

class RecordingRenderer : public zCRenderer {
public:
    ~RecordingRenderer() override { g_events.push_back(std::string("renderer deleted: manager ") + Set(g_resourceManager)); }
};

class RecordingServices : public zCModelServices {
public:
    zCResourceManager* CreateResourceManager() override
    {
        g_events.push_back(std::string("manager made: parser ") + Set(g_parser) + ", factory " + Set(g_objectFactory) +
                           ", options " + Set(g_options) + ", files " + (IsFileSystemInitialised() ? "set" : "null"));
        return new RecordingManager();
    }
    zCRenderer* CreateRenderer() override
    {
        g_events.push_back(std::string("renderer made: manager ") + Set(g_resourceManager));
        return new RecordingRenderer();
    }
};

class EngineStartupTest : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        g_events.clear();
    }
    void TearDown() override
    {
        EngineShutdown();
        zSetModelServices(nullptr);
        zCBlockPool::SetPoolsDisabled(false);
        ReporterCapture::TearDown();
    }
};

TEST_F(EngineStartupTest, StartsAndStopsInOrderAndASecondShutdownDoesNothing)
{
    RecordingServices services;
    zSetModelServices(&services);
    host.GetSettings().LevelMessage = 5;
    const int factories = zCObjectFactory::classDef.GetNumLivingObjects();

    EngineStartup();
    ASSERT_TRUE(IsEngineStarted());
    EXPECT_EQ(g_errorReporter.GetFilterLevel(), 5);
    ASSERT_NE(g_parser, nullptr);
    EXPECT_EQ(g_parser->GetSymbolTable().GetNumInList(), 1);  // reset: the help instance
    EXPECT_TRUE(g_parser->IsOutputUnitFunction("AI_Output"));
    ASSERT_NE(g_objectFactory, nullptr);
    EXPECT_EQ(zCObjectFactory::classDef.GetNumLivingObjects(), factories + 1);
    EXPECT_NE(g_options, nullptr);
    EXPECT_TRUE(IsFileSystemInitialised());
    EXPECT_NE(g_renderer, nullptr);
    ASSERT_NE(g_resourceManager, nullptr);

    EngineShutdown();
    EXPECT_FALSE(IsEngineStarted());
    EXPECT_EQ(g_parser, nullptr);
    EXPECT_EQ(g_objectFactory, nullptr);
    EXPECT_EQ(zCObjectFactory::classDef.GetNumLivingObjects(), factories);
    EXPECT_EQ(g_options, nullptr);
    EXPECT_FALSE(IsFileSystemInitialised());
    EXPECT_EQ(g_renderer, nullptr);
    EXPECT_EQ(g_resourceManager, nullptr);

    EXPECT_EQ(g_events, (std::vector<std::string>{
                            "manager made: parser set, factory set, options set, files set",
                            "threading 1",
                            "renderer made: manager set",
                            "renderer deleted: manager set",
                            "manager stopped: renderer null, options set",
                            "manager deleted: parser set",
                        }));

    g_events.clear();
    EngineShutdown();
    EXPECT_TRUE(g_events.empty());
    EXPECT_FALSE(HasLine("still open"));
}

TEST_F(EngineStartupTest, WithoutTheSwitchesThreadingIsOnAndPoolsAreUsed)
{
    zCBlockPool::SetPoolsDisabled(true);
    EngineStartup();
    ASSERT_NE(g_resourceManager, nullptr);
    EXPECT_EQ(g_resourceManager->GetThreadingEnabled(), 1);
    EXPECT_FALSE(zCBlockPool::ArePoolsDisabled());
}

TEST_F(EngineStartupTest, ASecondStartupKeepsTheObjectsOfTheFirst)
{
    EngineStartup();
    zCParser* const parser = g_parser;
    zCObjectFactory* const factory = g_objectFactory;
    EngineStartup();
    EXPECT_EQ(g_parser, parser);
    EXPECT_EQ(g_objectFactory, factory);
}

// Until the model toolchain installs its services, every entry says so and the job goes on.
TEST_F(EngineStartupTest, ModelEntriesWithoutTheToolchainReportThatTheyAreMissing)
{
    zSTRING file = "C:\\GAME\\ANIMS\\HUMANS.MDS";
    EXPECT_NO_THROW(ConvertModelScript(file));
    EXPECT_NO_THROW(ForEachFileInDir(DIR_COMPILED_ANIMS, "*.MDL", &DecompileMdl));
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           "Error: ConvertModelScript: the model tools are not available in this build.",
                           "Error: ForEachFileInDir: the model tools are not available in this build.",
                       }));
    EXPECT_EQ(host.GetErrorCount(), 2);
}

} // namespace
