// What every fuzz target shares: a headless host for the message reporter, the
// error box turned into an exception, and a scratch folder that is the file
// layer's root; each input runs as a build job does and starts from a clean state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "ErrorBox.h"
#include "IdeServices.h"
#include "ResString.h"
#include "zCClassDef.h"
#include "zCObjectFactory.h"
#include "zERROR.h"
#include "zFileSystem.h"

class FuzzSession {
public:
    // The one session of the process, made by the first input.
    static FuzzSession& Get()
    {
        static FuzzSession session;
        return session;
    }

    // Runs one input's work: a fatal message or an error box ends it the way it
    // ends a build job. The host's lines and the scratch folder are emptied first,
    // and the file layer points at the folder again.
    void Run(const std::function<void()>& work)
    {
        host.Clear();
        zSetIdeServices(&host);
        host.GetSettings().BuildJobThread = 1;
        g_errorReporter.SetFilterLevel(8);
        g_errorReporter.SetFatalHandler(&zERROR::DefaultFatalHandler);
        ClearFolder();
        g_rootDirectory = folder.string().c_str();
        g_currentDirectory = "\\";
        zRunJobGuarded([&work] {
            work();
            return 0;
        });
    }

    // Writes bytes into the scratch folder ("name" lies at "\name" for the engine).
    void Write(const std::string& name, const std::uint8_t* data, std::size_t size) const
    {
        std::ofstream out(folder / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    void Write(const std::string& name, const std::string& text) const
    {
        Write(name, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }

    std::string Root() const { return folder.string(); }

    // The class registry sorted and an object factory, which archives create objects
    // through; made once, as the engine's start-up makes them.
    static void UseObjectFactory()
    {
        static const bool made = [] {
            zCClassDef::SortRegistry();
            if (!g_objectFactory)
                g_objectFactory = static_cast<zCObjectFactory*>(zCObjectFactory::classDef.CreateNewInstance());
            return true;
        }();
        (void)made;
    }

    zCHeadlessIde host;

private:
    struct ErrorBoxShown : std::runtime_error {
        using std::runtime_error::runtime_error;
    };
    [[noreturn]] static void Throw(const std::string& text) { throw ErrorBoxShown(text); }

    FuzzSession()
    {
        // Digits only: the file layer looks names up regardless of letter case.
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; folder.empty(); ++attempt) {
            if (attempt == 100)
                throw std::runtime_error("no scratch folder");
            const std::filesystem::path candidate =
                base / ("tavrelin-fuzz-" + std::to_string(getpid()) + "-" + std::to_string(attempt));
            if (std::filesystem::create_directory(candidate))
                folder = candidate;
        }
        zSetErrorBoxHandler(&Throw);
        SetInterfaceLanguage(zLANG_ENGLISH);
    }
    ~FuzzSession()
    {
        zSetIdeServices(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    void ClearFolder() const
    {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
            std::filesystem::remove_all(entry.path(), ignored);
    }

    std::filesystem::path folder;
};
