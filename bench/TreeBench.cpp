// Times the tree extension on class-view trees of 10,000 and 50,000 items: a failed find beside a bare
// walk that reads every label (goal: at most twice the walk), and painting the large tree beside the
// small one (goal: at most 1.2 times). All on the wall clock in alternated rounds: walk and find
// medians of 7, paints the best of 25 (20 paints each). With --show it instead shows a tree in every
// item state.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchCanvas.h"
#include "BenchTiming.h"
#include "CDC.h"
#include "CWnd.h"
#include "CXTTreeCtrl.h"

namespace {

// A class view: files, their classes, their members; the first file is open.
void FillClassView(CXTTreeCtrl& tree, int items)
{
    tree.SendMessage(WM_SETREDRAW, FALSE);
    int count = 0;
    HTREEITEM first = nullptr;
    for (int file = 0; count < items; ++file) {
        std::string fileName = "unit_" + std::to_string(file) + ".d";
        HTREEITEM hFile = tree.InsertItem(fileName.c_str());
        ++count;
        if (!first)
            first = hFile;
        for (int cls = 0; cls < 9 && count < items; ++cls) {
            std::string className = "CScriptClass" + std::to_string(file) + "_" + std::to_string(cls);
            HTREEITEM hClass = tree.InsertItem(className.c_str(), hFile);
            ++count;
            for (int member = 0; member < 10 && count < items; ++member, ++count) {
                std::string memberName = className + "::Member" + std::to_string(member) + "(int nValue)";
                tree.InsertItem(memberName.c_str(), hClass);
            }
        }
    }
    tree.Expand(first, TVE_EXPAND);
    tree.SendMessage(WM_SETREDRAW, TRUE);
}

struct Figures {
    double walk = 0;
    double find = 0;
    double paint = 1e300;
    double controlPaint = 1e300;  // the control's own drawing alone
};

int Bench()
{
    CWnd parent;
    parent.CreateEx(0, CWnd::DefaultClassName(), "TreeBench", WS_OVERLAPPEDWINDOW, 0, 0, 420, 640, nullptr, nullptr);
    const int sizes[] = {10000, 50000};
    CXTTreeCtrl trees[2];
    Figures all[2];
    for (int i = 0; i < 2; ++i) {
        CXTTreeCtrl& tree = trees[i];
        tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                    CRect(0, 0, 400, 600), &parent, static_cast<UINT>(1 + i));
        FillClassView(tree, sizes[i]);
        CXTTreeBase& base = tree.GetTreeBase();
        base.EnableMultiSelect(TRUE);
        HTREEITEM root = tree.GetRootItem();
        base.SelectItem(root);
        size_t total = 0;
        HTREEITEM found = nullptr;
        const std::vector<Samples> times = Alternate(7, {[&] {
                                                              return WallMilliseconds([&] {
                                                                  for (HTREEITEM h = root; h; h = base.GetNextItem(h))
                                                                      total += static_cast<size_t>(
                                                                          tree.GetItemText(h).GetLength());
                                                              });
                                                          },
                                                          [&] {
                                                              return WallMilliseconds([&] {
                                                                  found = base.FindItem("NoSuchMember", FALSE, TRUE,
                                                                                        TRUE, root);
                                                              });
                                                          }});
        all[i].walk = times[0].Median();
        all[i].find = times[1].Median();
        if (found || total == 0)
            std::printf("unexpected: the find matched or no labels were read\n");
    }
    // The two trees are painted in turns, the first of them alternating, so that both meet the same
    // load of the machine.
    WindowCanvas canvas[2] = {WindowCanvas(trees[0]), WindowCanvas(trees[1])};
    for (int run = 0; run < 25; ++run) {
        for (int k = 0; k < 2; ++k) {
            const int i = (run + k) % 2;
            CXTTreeBase& base = trees[i].GetTreeBase();
            all[i].paint = std::min(all[i].paint, WallMilliseconds([&]() {
                for (int n = 0; n < 20; ++n)
                    base.DoPaint(canvas[i].dc, TRUE);
            }) / 20);
            all[i].controlPaint = std::min(all[i].controlPaint, WallMilliseconds([&]() {
                for (int n = 0; n < 20; ++n)
                    base.DoPaint(canvas[i].dc, FALSE);
            }) / 20);
        }
    }

    std::printf("%8s %12s %12s %12s %10s %12s\n", "items", "walk ms", "find ms", "find/walk", "paint ms",
                "control ms");
    for (int i = 0; i < 2; ++i) {
        std::printf("%8d %12.2f %12.2f %12.2f %10.3f %12.3f\n", sizes[i], all[i].walk, all[i].find,
                    all[i].find / std::max(all[i].walk, 1e-6), all[i].paint, all[i].controlPaint);
    }
    bool ok = true;
    for (int i = 0; i < 2; ++i) {
        const std::string what = "failed find / walk, " + std::to_string(sizes[i]) + " items";
        ok = ReportRatio(what.c_str(), all[i].find, all[i].walk, 2.0) && ok;
    }
    ok = ReportRatio("paint, 50,000 items / 10,000", all[1].paint, all[0].paint, 1.2) && ok;
    for (CXTTreeCtrl& tree : trees)
        tree.DestroyWindow();
    parent.DestroyWindow();
    return ok ? 0 : 1;
}

// A window with trees in every item state, for a look at the painting.
int Show(int seconds)
{
    CWnd frame;
    frame.CreateEx(0, CWnd::DefaultClassName(), "Tree states", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 760, 380,
                   nullptr, nullptr);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                        TVS_SHOWSELALWAYS | TVS_EDITLABELS | TVS_TRACKSELECT;
    CXTTreeCtrl trees[3];
    const char* labels[] = {"plain", "selected", "caret (selected)", "bold", "stored red colour",
                            "stored font", "hot (tracked)", "drop target", "edited label", "last"};
    for (int t = 0; t < 3; ++t) {
        CXTTreeCtrl& tree = trees[t];
        tree.Create(style, CRect(10 + t * 245, 10, 245 + t * 245, 330), &frame, 100 + t);
        tree.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        CXTTreeBase& base = tree.GetTreeBase();
        base.EnableMultiSelect(TRUE);
        HTREEITEM root = tree.InsertItem(t == 0 ? "focused tree" : t == 1 ? "unfocused tree" : "disabled tree");
        std::vector<HTREEITEM> items;
        for (const char* label : labels)
            items.push_back(tree.InsertItem(label, root));
        tree.Expand(root, TVE_EXPAND);
        base.SetItemState(items[1], TVIS_SELECTED, TVIS_SELECTED);
        base.SelectItem(items[2]);
        base.SetItemState(items[1], TVIS_SELECTED, TVIS_SELECTED);
        base.SetItemBold(items[3], TRUE);
        base.SetItemColor(items[4], RGB(220, 0, 0));
        LOGFONTA font = {};
        std::strcpy(font.lfFaceName, "Times New Roman");
        font.lfHeight = -15;
        font.lfItalic = TRUE;
        base.SetItemFont(items[5], font);
        base.m_hHotItem = items[6];
        tree.SelectDropTarget(items[7]);
        // Painted as while its label is edited; a real edit would take the focus from the first tree.
        base.m_hEditItem = items[8];
        if (t == 2)
            tree.EnableWindow(FALSE);
    }
    trees[0].SetFocus();
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    MSG msg;
    while (::GetTickCount64() < end) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(20);
    }
    for (CXTTreeCtrl& tree : trees)
        tree.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--show") == 0)
        return Show(argc >= 3 ? std::max(1, std::atoi(argv[2])) : 30);
    return Bench();
}
