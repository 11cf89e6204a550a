// Fuzz target of the options: what they take from outside is the command line and
// the start-up directory. The input's first line is the start-up directory, the
// rest the command line; switches, entries and every folder are then looked up.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSession.h"
#include "JobGlobals.h"
#include "zCOption.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSession& session = FuzzSession::Get();
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = input.find('\n');
    const std::string start = input.substr(0, lineEnd);
    const std::string commandLine = lineEnd == std::string::npos ? std::string() : input.substr(lineEnd + 1);
    const zSTRING savedSource = g_jobSourceDir;
    const zSTRING savedDest = g_jobDestDir;
    session.Run([&] {
        zCOption::SetStartDirectory(start.c_str());
        // The model folders are composed from the job's source folder.
        g_jobSourceDir = commandLine.c_str();
        g_jobDestDir = start.c_str();
        zCOption options;
        options.Init(commandLine.c_str(), 0);
        options.Init(start.c_str(), 1);
        for (const char* name : {"ZREPARSE", "DEVMODE", "", "-"})
            options.Parm(name);
        options.ReadInt(commandLine.c_str(), start.c_str(), -7);
        options.ReadString(start.c_str(), commandLine.c_str(), "value");
        options.ReadInt(commandLine.c_str(), start.c_str(), 3);
        for (int index = -1; index <= zOPT_NUM_DIRS; ++index) {
            options.GetDirString(index);
            zCOption::GetDirKey(index);
        }
    });
    zCOption::SetStartDirectory("");
    g_jobSourceDir = savedSource;
    g_jobDestDir = savedDest;
    return 0;
}
