// A benchmark's scratch folder under the system's temporary folder: the engine's file
// layer is rooted in it and an object factory made; both are undone and the folder
// removed when the sandbox goes.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "zCClassDef.h"
#include "zCObjectFactory.h"
#include "zFileSystem.h"

class zCBenchSandbox {
public:
    explicit zCBenchSandbox(const std::string& name)
    {
        std::random_device random;
        m_folder = std::filesystem::temp_directory_path() /
                   ("tavrelin-" + name + "-bench-" + std::to_string(random() % 100000000u));
        std::filesystem::create_directories(m_folder);
        zCClassDef::SortRegistry();
        m_factory = static_cast<zCObjectFactory*>(zCObjectFactory::CreateClassInstance());
        g_objectFactory = m_factory;
        g_rootDirectory = m_folder.string();
        g_currentDirectory = "\\";
    }
    ~zCBenchSandbox()
    {
        g_objectFactory = nullptr;
        m_factory->Release();
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    zCBenchSandbox(const zCBenchSandbox&) = delete;
    zCBenchSandbox& operator=(const zCBenchSandbox&) = delete;

    const std::filesystem::path& Folder() const { return m_folder; }

private:
    std::filesystem::path m_folder;
    zCObjectFactory* m_factory = nullptr;
};
