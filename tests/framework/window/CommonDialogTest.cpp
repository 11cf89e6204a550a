// The system's common dialogs through the framework: each is attached to its object, answered by
// messages the test posts when it opens, and gives back what was chosen.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "CColorDialog.h"
#include "CFileDialog.h"
#include "CFindReplaceDialog.h"
#include "CFontDialog.h"
#include "DialogTemplate.h"

namespace {

// Presses a button of the dialog once it has opened.
template <class Base>
class Answered : public Base {
public:
    using Base::Base;
    UINT answer = IDOK;
    int inits = 0;
    std::function<void(Answered&)> onOpen;

    BOOL OnInitDialog() override
    {
        ++inits;
        if (onOpen)
            onOpen(*this);
        this->PostMessage(WM_COMMAND, answer);
        return Base::OnInitDialog();
    }
};

HWND FindDescendant(HWND parent, int id)
{
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (::GetDlgCtrlID(h) == s->id) {
                s->found = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(CommonDialogTest, FileDialogWithExtraControlsReturnsThePath)
{
    char windows[MAX_PATH];
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    CString path = CString(windows) + "\\win.ini";

    // A template of extra controls below the system's, kept in fixed memory as the system wants it.
    DialogTemplate extra("", 200, 30, WS_CHILD | WS_CLIPSIBLINGS | DS_CONTROL | DS_3DLOOK);
    extra.Item(0x81, 1234, "extra", WS_BORDER, 5, 5, 100, 12);
    HGLOBAL block = ::GlobalAlloc(GMEM_FIXED, extra.Size());
    std::memcpy(block, extra.Get(), extra.Size());

    Answered<CFileDialog> dlg(TRUE, "ini", path, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "Settings (*.ini)|*.ini||");
    dlg.m_ofn.Flags |= OFN_ENABLETEMPLATEHANDLE;
    dlg.m_ofn.hInstance = static_cast<HINSTANCE>(block);
    bool extraShown = false;
    dlg.onOpen = [&](Answered<CFileDialog>& d) { extraShown = FindDescendant(d.m_hWnd, 1234) != nullptr; };

    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.inits, 1);
    EXPECT_TRUE(extraShown);
    EXPECT_EQ(dlg.GetPathName().CompareNoCase(path), 0);
    EXPECT_STREQ(dlg.GetFileExt(), "ini");
    EXPECT_EQ(dlg.GetFileTitle().CompareNoCase("win"), 0);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    ::GlobalFree(block);
}

TEST(CommonDialogTest, ColorDialogKeepsTheStartingColourOnOkAndCancel)
{
    for (UINT answer : {IDOK, IDCANCEL}) {
        Answered<CColorDialog> dlg(RGB(10, 20, 30), CC_FULLOPEN);
        dlg.answer = answer;
        EXPECT_EQ(dlg.DoModal(), static_cast<INT_PTR>(answer));
        EXPECT_EQ(dlg.inits, 1);
        EXPECT_EQ(dlg.GetColor(), RGB(10, 20, 30));
    }
}

// The face of the first scalable font the machine has: fonts differ between machines.
CString FirstTrueTypeFace(HDC dc)
{
    LOGFONTA query{};
    query.lfCharSet = DEFAULT_CHARSET;
    CString face;
    ::EnumFontFamiliesExA(
        dc, &query,
        [](const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM found) -> int {
            if (!(type & TRUETYPE_FONTTYPE) || lf->lfFaceName[0] == '@')
                return 1;
            *reinterpret_cast<CString*>(found) = lf->lfFaceName;
            return 0;
        },
        reinterpret_cast<LPARAM>(&face), 0);
    return face;
}

TEST(CommonDialogTest, FontDialogConfirmedUnchangedKeepsTheSize)
{
    HDC screen = ::GetDC(nullptr);
    LOGFONTA lf{};
    lf.lfHeight = -::MulDiv(10, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    CString face = FirstTrueTypeFace(screen);
    ::ReleaseDC(nullptr, screen);
    ASSERT_FALSE(face.IsEmpty());
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);

    Answered<CFontDialog> dlg(&lf);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetSize(), 100);
    EXPECT_STREQ(dlg.GetFaceName(), face);
    EXPECT_FALSE(dlg.IsBold());
}

const UINT g_findMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);

class FindOwner : public CWnd {
public:
    struct Seen {
        CFindReplaceDialog* from;
        BOOL findNext;
        BOOL terminating;
        CString text;
    };
    std::vector<Seen> seen;

    LRESULT OnFind(WPARAM, LPARAM lParam)
    {
        CFindReplaceDialog* dlg = CFindReplaceDialog::GetNotifier(lParam);
        seen.push_back({dlg, dlg->FindNext(), dlg->IsTerminating(), dlg->GetFindString()});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FindOwner, CWnd)
    ON_REGISTERED_MESSAGE(g_findMessage, OnFind)
END_MESSAGE_MAP()

// Dispatches this thread's messages until done() or a few seconds have passed.
bool PumpUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 500 && !done(); ++i) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
    return done();
}

TEST(CommonDialogTest, FindDialogTellsItsOwnerAndEndsItself)
{
    FindOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    auto* dlg = new CFindReplaceDialog;
    ASSERT_TRUE(dlg->Create(TRUE, "needle", nullptr, FR_DOWN, &owner));
    HWND hDlg = dlg->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hDlg), dlg);

    ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);  // Find Next
    ASSERT_TRUE(PumpUntil([&] { return !owner.seen.empty(); }));
    EXPECT_EQ(owner.seen[0].from, dlg);
    EXPECT_TRUE(owner.seen[0].findNext);
    EXPECT_STREQ(owner.seen[0].text, "needle");

    ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hDlg); }));
    ASSERT_EQ(owner.seen.size(), 2u);
    EXPECT_TRUE(owner.seen[1].terminating);
    EXPECT_EQ(CWnd::FromHandlePermanent(hDlg), nullptr);  // detached, and the object deleted itself
    owner.DestroyWindow();
}

TEST(CommonDialogTest, FindDialogWithoutAnOwnerIsRefused)
{
    CFindReplaceDialog* dlg = new CFindReplaceDialog;
    EXPECT_FALSE(dlg->Create(TRUE, "x"));
    delete dlg;  // not created: still the caller's
}

}  // namespace
