// The customize menu's button picture actions: when they are offered, copy then paste, and the
// editor's picture becoming the control's custom icon.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "../CommandBarsFixture.h"
#include "CDC.h"
#include "CXTPCustomizeButtonImage.h"
#include "CXTPImageEditorDlg.h"
#include "CXTPImageManager.h"
#include "CXTPImageManagerIcon.h"

namespace {

// Command ids of these tests' buttons; no other test gives them pictures.
enum { ID_PICTURED = 47001, ID_BARE = 47002 };

class ButtonImageTest : public CommandBarsFixture {
protected:
    void SetUp() override
    {
        CommandBarsFixture::SetUp();
        SetButtons({ID_PICTURED, ID_BARE});
        // A 16 x 16 alpha picture: red on the left half, empty on the right.
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* pBits = nullptr;
        HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        DWORD* pWords = static_cast<DWORD*>(pBits);
        for (int i = 0; i < 256; i++)
            pWords[i] = i % 16 < 8 ? 0xFFFF0000 : 0;
        CXTPImageManagerIconHandle hIcon;
        hIcon.AttachBitmap(hBitmap);
        Images()->SetIcon(hIcon, ID_PICTURED);
    }

    CXTPImageManager* Images() const { return frame->Bars()->GetImageManager(); }
    CXTPControl* Control(int nIndex) const { return bar->GetControl(nIndex); }

    // The control's picture drawn on white: the colour at a point.
    COLORREF Probe(CXTPControl* pControl, int x, int y) const
    {
        CXTPImageManagerIcon* pIcon =
            Images()->GetImage(static_cast<UINT>(CXTPCustomizeButtonImage::GetPictureId(pControl)), 16);
        if (!pIcon)
            return CLR_INVALID;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* pBits = nullptr;
        HBITMAP hTarget = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        HGDIOBJ hOld = ::SelectObject(dc, hTarget);
        const RECT rc = {0, 0, 16, 16};
        ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        pIcon->Draw(&dc, CPoint(0, 0), pIcon->GetIcon(), CSize(16, 16));
        const COLORREF clr = ::GetPixel(dc, x, y);
        ::SelectObject(dc, hOld);
        ::DeleteObject(hTarget);
        return clr;
    }
};

TEST_F(ButtonImageTest, CopyAndEditAreOfferedForButtonKindsWithAPicture)
{
    const struct {
        XTPControlType type;
        int nId, nIconId;
        BOOL bOffered;
    } cases[] = {{xtpControlButton, ID_PICTURED, 0, TRUE},
                 {xtpControlSplitButtonPopup, ID_PICTURED, 0, TRUE},
                 {xtpControlEdit, ID_PICTURED, 0, FALSE},
                 {xtpControlLabel, ID_PICTURED, 0, FALSE},
                 {xtpControlButton, 0, 0, FALSE},
                 {xtpControlButton, 0, 5, TRUE}};
    for (const auto& c : cases) {
        CXTPControl* pControl = bar->GetControls()->Add(c.type, c.nId);
        pControl->SetIconId(c.nIconId);
        EXPECT_EQ(c.bOffered, CXTPCustomizeButtonImage::CanCopy(pControl)) << c.type << " " << c.nId;
        bar->GetControls()->Remove(pControl);
    }
}

TEST_F(ButtonImageTest, CopyThenPasteGivesTheOtherButtonTheSamePicture)
{
    ASSERT_TRUE(CXTPCustomizeButtonImage::Copy(frame->Bars(), Control(0), frame->m_hWnd));
    EXPECT_TRUE(CXTPCustomizeButtonImage::CanPaste(Control(1)));
    ASSERT_TRUE(CXTPCustomizeButtonImage::Paste(frame->Bars(), Control(1), frame->m_hWnd));
    EXPECT_GE(static_cast<UINT>(Control(1)->GetCustomIconId()), static_cast<UINT>(CXTPImageManager::kFirstCustomID));
    EXPECT_EQ(RGB(255, 0, 0), Probe(Control(1), 3, 8));
    EXPECT_EQ(Probe(Control(0), 12, 8), Probe(Control(1), 12, 8));
    // A bitmap alone (another program's) is masked by the button face.
    ::OpenClipboard(frame->m_hWnd);
    ::EmptyClipboard();
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    const RECT rcAll = {0, 0, 16, 16}, rcLeft = {0, 0, 8, 16};
    ::FillRect(hDC, &rcAll, ::GetSysColorBrush(COLOR_3DFACE));
    HBRUSH hBlue = ::CreateSolidBrush(RGB(0, 0, 255));
    ::FillRect(hDC, &rcLeft, hBlue);
    ::DeleteObject(hBlue);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    ::SetClipboardData(CF_BITMAP, hBitmap);
    ::CloseClipboard();
    ASSERT_TRUE(CXTPCustomizeButtonImage::Paste(frame->Bars(), Control(1), frame->m_hWnd));
    EXPECT_EQ(RGB(0, 0, 255), Probe(Control(1), 3, 8));
    EXPECT_EQ(RGB(255, 255, 255), Probe(Control(1), 12, 8));
    // Nothing on the clipboard: nothing offered, nothing changed.
    const int nCustom = Control(1)->GetCustomIconId();
    ::OpenClipboard(frame->m_hWnd);
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_FALSE(CXTPCustomizeButtonImage::CanPaste(Control(1)));
    EXPECT_FALSE(CXTPCustomizeButtonImage::Paste(frame->Bars(), Control(1), frame->m_hWnd));
    EXPECT_EQ(nCustom, Control(1)->GetCustomIconId());
}

// The editor runs modally; a timer draws a black pixel at the top left and presses OK.
TEST_F(ButtonImageTest, TheEditedPictureBecomesTheCustomIconThenReplacesIt)
{
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hWnd, LPARAM) {
                HWND hGrid = ::GetDlgItem(hWnd, XTP_IDC_IMAGEEDITOR_GRID);
                if (!hGrid || !::IsWindowVisible(hWnd))
                    return TRUE;
                ::SendMessageA(hGrid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
                ::SendMessageA(hGrid, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
                ::SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
                return FALSE;
            },
            0);
    });
    ASSERT_TRUE(CXTPCustomizeButtonImage::Edit(frame->Bars(), Control(0), frame));
    const int nCustom = Control(0)->GetCustomIconId();
    EXPECT_GE(static_cast<UINT>(nCustom), static_cast<UINT>(CXTPImageManager::kFirstCustomID));
    EXPECT_EQ(RGB(0, 0, 0), Probe(Control(0), 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), Probe(Control(0), 3, 8));
    // Again: the pixel drawn over black takes it away, in the same custom icon.
    ASSERT_TRUE(CXTPCustomizeButtonImage::Edit(frame->Bars(), Control(0), frame));
    ::KillTimer(nullptr, nTimer);
    EXPECT_EQ(nCustom, Control(0)->GetCustomIconId());
    EXPECT_EQ(RGB(255, 255, 255), Probe(Control(0), 0, 0));
}

}  // namespace
