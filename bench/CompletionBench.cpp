// Times the script view's language aids under Wine on a generated project of 100,000 lines:
// 50 each of ".", "(" and Ctrl+Space typed into the editing control, from the key until the
// member list, call tip or name list is painted, beside the editing control showing the same
// list or tip by a direct message until it is painted. Both on the wall clock, query by query
// in turns (the first alternating). Goals: the median and the worst of each within 1.5 times
// the control's own.
// With --show list|tip [seconds] it instead leaves a member list or a call tip on screen; with
// --steps it shows the list of all names 20 times and prints where the time goes, step by step.
// Run by hand from the Windows build, on a display, in a Wine virtual desktop (closed lists
// go at once there):
//   DISPLAY=:N wine explorer /desktop=bench,1280x1024 build/windows/bench/CompletionBench.exe [lines]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <Scintilla.h>

#include "CDocTemplate.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CTavrelinDoc.h"
#include "CTavrelinView.h"
#include "CWinApp.h"
#include "BenchTiming.h"
#include "CompletionSteps.h"
#include "IdeServices.h"
#include "ScriptProjectGenerator.h"
#include "zCTypedInfo.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kQueries = 50;
constexpr int kStepRuns = 20;
constexpr int kMainFrame = 100;
constexpr int kScriptType = 129;
constexpr int kTypingLine = 1;

class BenchApp : public CWinApp {
public:
    BenchApp() : CWinApp("CompletionBench") {}
    int DoMessageBox(const char* prompt, UINT, UINT) override
    {
        std::fprintf(stderr, "message: %s\n", prompt);
        return IDOK;
    }
};

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The program's message loop: accelerators first.
void RunQueue(CWinApp& app)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (!app.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

class Typist {
public:
    Typist(CWinApp& app, CTavrelinView& view) : app(app), view(view), edit(view.GetCtrl().m_hWnd) {}

    // The typing line emptied but for an indent, then text typed on it.
    void StartLine(const std::string& text)
    {
        view.Sci(SCI_AUTOCCANCEL);
        view.Sci(SCI_CALLTIPCANCEL);
        view.Sci(SCI_SETSEL, WPARAM(view.Sci(SCI_POSITIONFROMLINE, kTypingLine)),
                 view.Sci(SCI_GETLINEENDPOSITION, kTypingLine));
        view.Sci(SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>("\t"));
        Type(text);
    }

    void Type(const std::string& text)
    {
        for (char c : text)
            ::PostMessageA(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
        RunQueue(app);
    }

    // Ctrl held or released for the keys posted next.
    void HoldControl(bool control)
    {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_CONTROL] = control ? 0x80 : 0;
        ::SetKeyboardState(state);
    }

    void PostKey(UINT message, WPARAM key) { ::PostMessageA(edit, message, key, 1); }

    // Milliseconds from posting the key to the control answering `active` with 1; -1 if it never does.
    double TimeKey(UINT message, WPARAM key, bool control, UINT active)
    {
        HoldControl(control);
        const Clock::time_point start = Clock::now();
        PostKey(message, key);
        double elapsed = -1;
        while (Milliseconds(Clock::now() - start) < 2000) {
            RunQueue(app);
            if (view.Sci(active)) {
                elapsed = Milliseconds(Clock::now() - start);
                break;
            }
        }
        HoldControl(false);
        return elapsed;
    }

    // Milliseconds from show() to the list or tip it brings up painted; -1 if none is within 2 s.
    template <class Show>
    double TimeToPaint(Show show)
    {
        bench::ListStepRecorder recorder;
        const Clock::time_point start = Clock::now();
        show();
        double elapsed = -1;
        while (Milliseconds(Clock::now() - start) < 2000) {
            RunQueue(app);
            if (recorder.Painted()) {
                elapsed = Milliseconds(Clock::now() - start);
                break;
            }
        }
        HoldControl(false);
        return elapsed;
    }

private:
    CWinApp& app;
    CTavrelinView& view;
    HWND edit;
};

struct Times {
    const char* what;
    std::vector<double> times = {};
    int missed = 0;
    void Add(double ms)
    {
        if (ms < 0)
            ++missed;
        else
            times.push_back(ms);
    }
    double Worst() const { return times.empty() ? 0 : *std::max_element(times.begin(), times.end()); }
    double Median()
    {
        if (times.empty())
            return 0;
        std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
        return times[times.size() / 2];
    }
};

// Shows the list of all names `runs` times, after Ctrl+Space or by a direct message, and
// prints where its time goes.
void PrintListSteps(CWinApp& app, CTavrelinView& view, Typist& typist, int runs, bool byKey)
{
    std::vector<bench::ListPhase> phases = {
        {byKey ? "key" : "sent", byKey ? "Ctrl+Space to our command and the control's start"
                                       : "the control's start"},
        {"popup made", "the control's popup and list box made"},
        {"emptied", "the popup placed, the list text split into items"},
        {"filling", "the list box filled, one message per item"},
        {"redrawn", "the widest item measured, the popup placed again"},
    };
    if (byKey) {
        phases.push_back({"showing", "shown; first item, then the typed start selected; until painted"});
    } else {
        phases.push_back({"showing", "shown; first item, then the typed start selected"});
        phases.push_back({"returned", "the message queue until the list paints"});
    }
    phases.push_back({"painting", "the list's first paint"});
    std::vector<const char*> labels;
    for (const bench::ListPhase& phase : phases)
        labels.push_back(phase.from);
    labels.push_back("painted");

    std::vector<std::vector<double>> spans;
    int added = 0;
    for (int run = 0; run < runs; ++run) {
        typist.StartLine("Compute_" + std::to_string(run));
        {
            bench::ListStepRecorder recorder;
            if (byKey) {
                typist.HoldControl(true);
                recorder.Mark("key");
                typist.PostKey(WM_KEYDOWN, VK_SPACE);
            } else {
                recorder.Mark("sent");
                view.Sci(SCI_AUTOCSHOW, 9, reinterpret_cast<LPARAM>(g_typedInfo.GetAutoCompletionText().c_str()));
                recorder.Mark("returned");
            }
            const Clock::time_point until = Clock::now() + std::chrono::seconds(2);
            while (!recorder.Painted() && Clock::now() < until)
                RunQueue(app);
            typist.HoldControl(false);
            spans.push_back(recorder.Between(labels));
            added = recorder.ItemsAdded();
            view.Sci(SCI_AUTOCCANCEL);
        }
    }
    const std::string title = std::string("where the time goes, the list of all names (") + std::to_string(added) +
                              " items) " + (byKey ? "after Ctrl+Space" : "by a direct message");
    bench::PrintListPhases(title.c_str(), phases, spans);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool steps = argc >= 2 && std::strcmp(argv[1], "--steps") == 0;
    const bool show = argc >= 3 && std::strcmp(argv[1], "--show") == 0;
    const bool showTip = show && std::strcmp(argv[2], "tip") == 0;
    const int showSeconds = show && argc >= 4 ? std::max(1, std::atoi(argv[3])) : 30;
    const int wantedLines = !show && !steps && argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;

    Scintilla_RegisterClasses(::GetModuleHandleA(nullptr));
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::filesystem::path folder =
        std::filesystem::path(temp) / ("tavrelin-completion-bench-" + std::to_string(::GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    const bench::GeneratedProject generated = bench::WriteProject(folder, "Bench.src", show ? 2000 : wantedLines);
    std::ofstream(folder / "Typing.d", std::ios::binary) << "func void Bench_Typing(var C_Unit_0 slf) {\r\n"
                                                         << "\t\r\n"
                                                         << "};\r\n";

    zCHeadlessIde host;
    host.GetSettings().ProjectName = "Bench";
    host.projectFolder = folder.string() + "\\";
    zSetIdeServices(&host);
    zTClassViewProject project;
    project.folder = host.projectFolder;
    project.name = "Bench";
    for (const std::string& source : generated.sources)
        project.sources.emplace_back(source.c_str());
    const Clock::time_point buildStart = Clock::now();
    g_typedInfo.BuildClassView(project);
    const double build = Milliseconds(Clock::now() - buildStart);

    BenchApp app;
    app.AddDocTemplate(new CMultiDocTemplate(kScriptType, RUNTIME_CLASS(CTavrelinDoc), RUNTIME_CLASS(CMDIChildWnd),
                                             RUNTIME_CLASS(CTavrelinView)));
    auto* frame = new CMDIFrameWnd;
    if (!frame->LoadFrame(kMainFrame)) {
        std::fprintf(stderr, "no frame\n");
        return 1;
    }
    app.m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 0, 0, 900, 600, SWP_NOZORDER | (show ? SWP_SHOWWINDOW : 0));
    CDocument* doc = app.OpenDocumentFile((folder / "Typing.d").string().c_str());
    auto* view = doc ? dynamic_cast<CTavrelinView*>(static_cast<CTavrelinDoc*>(doc)->GetView()) : nullptr;
    if (!view) {
        std::fprintf(stderr, "no view\n");
        return 1;
    }
    if (CFrameWnd* child = view->GetParentFrame())
        child->ShowWindow(SW_SHOWMAXIMIZED);
    Typist typist(app, *view);

    int result = 0;
    if (steps) {
        PrintListSteps(app, *view, typist, kStepRuns, true);
        PrintListSteps(app, *view, typist, kStepRuns, false);
        const std::string& names = g_typedInfo.GetAutoCompletionText();
        bench::PrintBareListBox(int(std::count(names.begin(), names.end(), '\n')) + 1, kStepRuns);
    } else if (show) {
        // A call tip part-way through the arguments, or the members of a prototype's instance.
        typist.StartLine(showTip ? "Say_7" : "Unit_7");
        typist.TimeKey(WM_CHAR, showTip ? '(' : '.', false, showTip ? SCI_CALLTIPACTIVE : SCI_AUTOCACTIVE);
        typist.Type(showTip ? "slf, " : "n");
        const Clock::time_point until = Clock::now() + std::chrono::seconds(showSeconds);
        while (Clock::now() < until) {
            RunQueue(app);
            ::Sleep(20);
        }
    } else {
        // Per kind of query: the typed start, the key, and the same list or tip shown directly.
        struct Kind {
            const char* what;
            const char* start;
            UINT message;
            WPARAM key;
            bool control;
            Times ours{""}, direct{""};
        };
        Kind kinds[] = {{"\".\" after an instance, to the member list", "Unit_", WM_CHAR, '.', false},
                        {"\"(\" after a function, to the call tip", "Say_", WM_CHAR, '(', false},
                        {"Ctrl+Space after a name's start, to the list of all names", "Compute_", WM_KEYDOWN, VK_SPACE,
                         true}};
        const DeclarationContext none;
        // One round first, not counted: the first list and tip make their windows and fonts.
        for (int query = -1; query < kQueries; ++query) {
            const int n = query < 0 ? 0 : int(static_cast<long long>(query) * (generated.units - 1) / (kQueries - 1));
            for (std::size_t k = 0; k < 3; ++k) {
                Kind& kind = kinds[k];
                const std::string name = kind.start + std::to_string(n);
                const std::string members = g_typedInfo.GetMemberList(zSTRING(name), none, 0);
                const std::string tip = g_typedInfo.GetCallTip(zSTRING(name));
                const std::string& names = g_typedInfo.GetAutoCompletionText();
                auto ours = [&] {
                    typist.StartLine(name);
                    return typist.TimeToPaint([&] {
                        typist.HoldControl(kind.control);
                        typist.PostKey(kind.message, kind.key);
                    });
                };
                auto direct = [&] {
                    typist.StartLine(name);
                    return typist.TimeToPaint([&] {
                        if (k == 0)
                            view->Sci(SCI_AUTOCSHOW, 0, reinterpret_cast<LPARAM>(members.c_str()));
                        else if (k == 1)
                            view->Sci(SCI_CALLTIPSHOW, WPARAM(view->Sci(SCI_GETCURRENTPOS)),
                                      reinterpret_cast<LPARAM>(tip.c_str()));
                        else
                            view->Sci(SCI_AUTOCSHOW, WPARAM(name.size()), reinterpret_cast<LPARAM>(names.c_str()));
                    });
                };
                const double first = (query & 1) ? direct() : ours();
                const double second = (query & 1) ? ours() : direct();
                if (query >= 0) {
                    kind.ours.Add((query & 1) ? second : first);
                    kind.direct.Add((query & 1) ? first : second);
                }
            }
        }
        std::printf("script project: %d lines in %d files, %d units; model built in %.0f ms, %d bytes of name list\n",
                    generated.lines, int(generated.sources.size()), generated.units, build,
                    g_typedInfo.GetAutoCompletionLength());
        std::printf("to the first paint, wall clock, %d queries each, the two in turns (ms)\n", kQueries);
        for (Kind& kind : kinds) {
            std::printf("%-58s median %6.2f, worst %7.2f; the control shown it directly: median %6.2f, worst %7.2f%s\n",
                        kind.what, kind.ours.Median(), kind.ours.Worst(), kind.direct.Median(), kind.direct.Worst(),
                        kind.ours.missed || kind.direct.missed ? "  NOT SHOWN FOR SOME QUERIES" : "");
            ReportRatio("  median / the control's", kind.ours.Median(), kind.direct.Median(), 1.5);
            ReportRatio("  worst / the control's", kind.ours.Worst(), kind.direct.Worst(), 1.5);
            if (kind.ours.missed || kind.direct.missed)
                result = 1;
        }
    }

    app.CloseAllDocuments(TRUE);
    frame->DestroyWindow();
    zSetIdeServices(nullptr);
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    return result;
}
