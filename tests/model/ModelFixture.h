// Base fixture of the model tests: the archiver fixture's sandbox and factory, plus
// options whose data folders lie in the sandbox ("\DATA\ANIMS\", "\DATA\Textures\"),
// the toolchain's renderer and a resource manager without worker thread.
#pragma once

#include <cstdint>
#include <string>

#include "ArchiverFixture.h"
#include "JobGlobals.h"
#include "ModelServices.h"
#include "zCModelResourceManager.h"
#include "zCOption.h"
#include "zCRnd_D3D.h"

class ModelFixture : public ArchiverFixture {
protected:
    void SetUp() override
    {
        ArchiverFixture::SetUp();
        savedOptions = g_options;
        savedRenderer = g_renderer;
        savedManager = g_resourceManager;
        savedSourceDir = g_jobSourceDir;
        savedMode = g_jobMode;
        savedPlatform = g_platform;
        g_options = &options;
        g_renderer = &renderer;
        manager = new zCModelResourceManager();
        manager->SetThreadingEnabled(0);
        g_resourceManager = manager;
        host.Clear();  // the manager's list of classes
        g_jobSourceDir = "\\DATA\\ANIMS\\";
        g_jobMode = 4;
        g_platform = 0;
    }
    void TearDown() override
    {
        // Cached textures go before the renderer that made them.
        delete manager;
        g_resourceManager = savedManager;
        g_renderer = savedRenderer;
        g_options = savedOptions;
        g_jobSourceDir = savedSourceDir;
        g_jobMode = savedMode;
        g_platform = savedPlatform;
        ArchiverFixture::TearDown();
    }

    // A ".TEX" header (the pixel data is never read) in the compiled-textures folder.
    void WriteTex(const std::string& name, int format, int width, int height, int mips, int refWidth,
                  int refHeight, std::uint32_t averageColor = 0xFF102030u, std::uint32_t secondWord = 0)
    {
        box.Write("DATA/Textures/_compiled/" + name,
                  U32(0x58455400u) + U32(secondWord) + U32(format) + U32(width) + U32(height) + U32(mips) +
                      U32(refWidth) + U32(refHeight) + U32(averageColor));
    }

    zCOption options;
    zCRnd_D3D renderer;
    zCModelResourceManager* manager = nullptr;

private:
    zCOption* savedOptions = nullptr;
    zCRenderer* savedRenderer = nullptr;
    zCResourceManager* savedManager = nullptr;
    zSTRING savedSourceDir;
    int savedMode = 0;
    int savedPlatform = 0;
};
