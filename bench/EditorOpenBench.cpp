// Times opening a generated 10 MB script in the program itself: Tavrelin.exe (the build tree's,
// or --program PATH) started with the file on its command line, against the reference editor
// built by tools/build-scite.sh (--reference PATH) started the same way and drawing with GDI as
// ours does (-technology=0). Both are timed on the wall clock from the start of the process to
// a visible window titled with the file whose editing window holds the whole text and has its
// first screen styled; a warm-up each, then --rounds rounds (5 by default) taking turns at going
// first. The editors are asked about their editing window across processes, both the same way.
#include <windows.h>

#include <Scintilla.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "LaunchRace.h"

namespace {

// A script of about `bytes` bytes: functions, instances, comments, strings and numbers.
std::string GenerateScript(size_t bytes)
{
    std::string text;
    text.reserve(bytes + 4096);
    for (int n = 0; text.size() < bytes; ++n) {
        const std::string id = std::to_string(n);
        text += "// Dialogue " + id + " of the gate guard.\r\n";
        text += "instance DIA_Guard_" + id + " (C_INFO)\r\n{\r\n";
        text += "\tnpc = Grd_" + id + ";\r\n\tnr = " + id + ";\r\n";
        text += "\tcondition = DIA_Guard_" + id + "_Condition;\r\n";
        text += "\tdescription = \"Who are you? (" + id + ")\";\r\n};\r\n";
        text += "func int DIA_Guard_" + id + "_Condition()\r\n{\r\n";
        text += "\tif (Npc_KnowsInfo(hero, DIA_Guard_" + id + ") && (hero.level > 3))\r\n\t{\r\n";
        text += "\t\treturn TRUE;\r\n\t};\r\n\treturn 0x1F + " + id + ";\r\n};\r\n\r\n";
    }
    return text;
}

struct Editing {
    size_t length;
    HWND edit = nullptr;
};

BOOL CALLBACK FindEditing(HWND window, LPARAM lParam)
{
    auto* editing = reinterpret_cast<Editing*>(lParam);
    char name[32] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (_stricmp(name, "Scintilla") == 0 && ::IsWindowVisible(window) &&
        size_t(::SendMessageA(window, SCI_GETLENGTH, 0, 0)) == editing->length) {
        editing->edit = window;
        return FALSE;
    }
    return TRUE;
}

// The first screen is styled: styling has reached the end of the last line shown.
bool FirstScreenStyled(HWND edit, size_t length)
{
    const LRESULT first = ::SendMessageA(edit, SCI_GETFIRSTVISIBLELINE, 0, 0);
    const LRESULT lines = ::SendMessageA(edit, SCI_LINESONSCREEN, 0, 0);
    const LRESULT docLine = ::SendMessageA(edit, SCI_DOCLINEFROMVISIBLE, WPARAM(first + lines), 0);
    LRESULT end = ::SendMessageA(edit, SCI_POSITIONFROMLINE, WPARAM(docLine + 1), 0);
    if (end < 0 || size_t(end) > length)
        end = LRESULT(length);
    return lines > 0 && ::SendMessageA(edit, SCI_GETENDSTYLED, 0, 0) >= end;
}

}  // namespace

int main(int argc, char** argv)
{
    LaunchRace::Options options;
    if (!LaunchRace::ParseOptions(argc, argv, "EditorOpenBench", options))
        return 2;
    const std::string folder = LaunchRace::ScratchFolder("TavrelinEditorOpenBench");
    const std::string fileName = "EditorOpenBench.d";
    const std::string path = folder + "\\" + fileName;
    const std::string script = GenerateScript(10u << 20);
    std::ofstream(path, std::ios::binary).write(script.data(), std::streamsize(script.size()));
    std::printf("opening %s (%zu bytes) to a window titled with it, first screen styled; wall clock;\n"
                "a warm-up each, then %d alternated rounds (ms)\n",
                fileName.c_str(), script.size(), options.rounds);

    const size_t length = script.size();
    const LaunchRace::Ready opened = [&fileName, length](DWORD process, std::string& waitingFor) {
        HWND window = LaunchRace::ShownWindow(process, [&fileName](HWND candidate) {
            char title[512] = {};
            return ::GetWindowTextA(candidate, title, sizeof title) > 0 && std::strstr(title, fileName.c_str());
        });
        if (!window)
            return false;
        waitingFor = "an editing window holding the whole file";
        Editing editing{length};
        ::EnumChildWindows(window, FindEditing, reinterpret_cast<LPARAM>(&editing));
        if (!editing.edit)
            return false;
        waitingFor = "the first screen to be styled";
        return FirstScreenStyled(editing.edit, length);
    };
    const LaunchRace::Side ours{"Tavrelin", "\"" + options.program + "\" \"" + path + "\"", folder};
    const LaunchRace::Side theirs{"reference", "\"" + options.reference + "\" -technology=0 \"" + path + "\"", folder};
    const bool done = LaunchRace::Compare(ours, theirs, options.rounds, opened, LaunchRace::Ending::Terminate);
    ::DeleteFileA(path.c_str());
    return done ? 0 : 1;
}
