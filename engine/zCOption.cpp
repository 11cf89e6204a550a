// The engine's options.
#include "zCOption.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "JobGlobals.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"
#include "zFILE_FILE.h"

zCOption* g_options = nullptr;

namespace {

// The start-up line is chatty: shown only at the highest filter levels.
const int kInitMessageFilter = 10;

const zSTRING s_dirKeys[zOPT_NUM_DIRS] = {
    "DIR_SYSTEM",          "DIR_DECOMPILED",       "DIR_SAVEGAMES",         "DIR_DATA",
    "DIR_ANIMS",           "DIR_OUTPUTUNITS",      "DIR_MESHES",            "DIR_SCRIPTS",
    "DIR_SOUND",           "DIR_VIDEO",            "DIR_MUSIC",             "DIR_TEX",
    "DIR_TEX_DESKTOP",     "DIR_WORLD",            "DIR_PRESETS",           "DIR_TOOLS_DATA",
    "DIR_COMPILED_ANIMS",  "DIR_COMPILED_MESHES",  "DIR_COMPILED_SCRIPTS",  "DIR_COMPILED_TEXTURES",
    "DIR_CONVERTED_MDL",   "SUBDIR_INTERN",        "",                      "DIR_ROOT",
    "DIR_EXECUTABLE",
};

zSTRING& StartDirectory()
{
    static zSTRING directory;
    return directory;
}

zSTRING TrimBlanks(const zSTRING& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return zSTRING();
    const std::size_t last = text.find_last_not_of(" \t");
    return zSTRING(text.substr(first, last - first + 1));
}

zSTRING SectionName(const zSTRING& name)
{
    zSTRING trimmed = TrimBlanks(name);
    const std::size_t first = trimmed.find_first_not_of('[');
    const std::size_t last = trimmed.find_last_not_of(']');
    if (first == std::string::npos || last == std::string::npos || last < first)
        trimmed = zSTRING();
    else
        trimmed = zSTRING(trimmed.substr(first, last - first + 1));
    trimmed.Upper();
    return trimmed;
}

} // namespace

zCOption::zCOption()
{
    for (zFILE_FILE*& file : dirFiles)
        file = new zFILE_FILE();
}

zCOption::~zCOption()
{
    for (zFILE_FILE*& file : dirFiles) {
        delete file;
        file = nullptr;
    }
}

void zCOption::Init(const zSTRING& parameters, int addStored)
{
    if (addStored) {
        zSTRING line = parameters + " " + commandLine;
        line.Upper();
        commandLine = line;
    } else {
        commandLine = parameters;
    }

    if (g_errorReporter.GetFilterLevel() >= kInitMessageFilter)
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_INITIALIZE_CONFIGURATIONS));

    // A directory given with its separator must not end up with two.
    zSTRING start = GetStartDirectory();
    while (!start.empty() && (start.back() == '\\' || start.back() == '/'))
        start.pop_back();

    dirStrings[DIR_SYSTEM] = start + "\\System\\";
    dirFiles[DIR_SYSTEM]->SetPath(dirStrings[DIR_SYSTEM]);
    dirStrings[DIR_ANIMS] = start + "\\ANIMS\\";
    dirFiles[DIR_ANIMS]->SetPath(dirStrings[DIR_ANIMS]);
}

zCOption::zTSection& zCOption::GetSection(const zSTRING& name)
{
    const zSTRING wanted = SectionName(name);
    for (int i = 0; i < sections.GetNum(); ++i) {
        if (sections[i].name == wanted)
            return sections[i];
    }
    zTSection section;
    section.name = wanted;
    sections.InsertEnd(section);
    return sections[sections.GetNum() - 1];
}

zSTRING zCOption::ReadString(const zSTRING& sectionName, const zSTRING& key, const zSTRING& defaultValue)
{
    zTSection& section = GetSection(sectionName);
    const zSTRING name = TrimBlanks(key);
    for (int i = 0; i < section.entries.GetNum(); ++i) {
        if (section.entries[i].name == name)
            return section.entries[i].value;
    }
    zTEntry entry;
    entry.name = name;
    entry.value = TrimBlanks(defaultValue);
    section.entries.InsertEnd(entry);
    return entry.value;
}

int zCOption::ReadInt(const zSTRING& section, const zSTRING& key, int defaultValue)
{
    const zSTRING text = ReadString(section, key, zSTRING(static_cast<unsigned long>(
                                                               static_cast<std::uint32_t>(defaultValue))));
    // Through 32 bits, so that the unsigned form of a negative default reads back as
    // itself: a plain conversion to long would clamp it where long has 32 bits.
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

bool zCOption::Parm(const zSTRING& name) const
{
    const zSTRING pattern = "-" + UpperCopy(name);
    return UpperCopy(commandLine).find(pattern) != std::string::npos;
}

zSTRING zCOption::GetDirString(int index) const
{
    switch (index) {
    case DIR_SYSTEM:
    case DIR_ANIMS:
        return dirStrings[index];
    case DIR_CONVERTED_MDL:
        return g_jobDestDir;
    case DIR_COMPILED_ANIMS: {
        const zSTRING upper = UpperCopy(g_jobSourceDir);
        const zSTRING compiled = "_COMPILED\\";
        std::size_t pos = upper.rfind(compiled);
        if (pos != std::string::npos)
            return zSTRING(g_jobSourceDir.substr(0, pos + compiled.size()));
        const zSTRING anims = "ANIMS\\";
        pos = upper.rfind(anims);
        if (pos != std::string::npos)
            return zSTRING(g_jobSourceDir.substr(0, pos + anims.size())) + "_compiled\\";
        return zSTRING();
    }
    case DIR_COMPILED_TEXTURES:
    case DIR_TEX: {
        // Folder names on Windows carry no letter case: "ANIMS" is found as well as "Anims".
        const std::size_t pos = UpperCopy(g_jobSourceDir).rfind("ANIMS");
        if (pos == std::string::npos)
            return zSTRING();
        const zSTRING folder = g_jobSourceDir.substr(0, pos);
        return folder + (index == DIR_COMPILED_TEXTURES ? "Textures\\_compiled\\" : "Textures\\");
    }
    default:
        return zSTRING();
    }
}

zFILE* zCOption::GetDirFile(int index) const
{
    if (index < 0 || index >= zOPT_NUM_DIRS)
        return nullptr;
    return dirFiles[index];
}

const zSTRING& zCOption::GetDirKey(int index)
{
    static const zSTRING none;
    if (index < 0 || index >= zOPT_NUM_DIRS)
        return none;
    return s_dirKeys[index];
}

void zCOption::SetStartDirectory(const zSTRING& directory)
{
    StartDirectory() = directory;
}

zSTRING zCOption::GetStartDirectory()
{
    if (!StartDirectory().empty())
        return StartDirectory();
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (error)
        return zSTRING();
    try {
        return zSTRING(current.string());
    } catch (const std::exception&) {
        // A name the narrow character set cannot spell.
        return zSTRING();
    }
}

void InitOptions(const zSTRING& commandLine)
{
    delete g_options;
    g_options = new zCOption();
    g_options->Init(commandLine, 0);
}

void DeinitOptions()
{
    delete g_options;
    g_options = nullptr;
}
