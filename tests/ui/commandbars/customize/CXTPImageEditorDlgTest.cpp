// The button image editor: tools on the grid, undo and redo, swatches, clipboard, import and the
// icon it returns.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../CommandBarsFixture.h"
#include "CColorDialog.h"
#include "CFileDialog.h"
#include "CXTPColorManager.h"
#include "CXTPImageEditorDlg.h"
#include "CXTPImageManager.h"
#include "CXTPResourceManager.h"

namespace {

const COLORREF kTransparent = CXTPImageEditorPicture::transparent;
const COLORREF kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

// A 16 x 16 alpha bitmap: every pixel the word given, top-down.
HBITMAP MakeAlphaBitmap(int cx, int cy, DWORD word)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    std::fill_n(static_cast<DWORD*>(pBits), static_cast<size_t>(cx) * cy, word);
    return hBitmap;
}

// The bytes of an icon file with one image: a 32-bit or 4-bit colour part and its mask.
std::vector<BYTE> MakeIconFile(int side, WORD bitCount, COLORREF clr)
{
    const size_t nColors = bitCount <= 8 ? (1u << bitCount) : 0;
    const size_t nStride = (static_cast<size_t>(side) * bitCount + 31) / 32 * 4;
    const size_t nMaskStride = (static_cast<size_t>(side) + 31) / 32 * 4;
    std::vector<BYTE> image(40 + nColors * 4 + (nStride + nMaskStride) * side, 0);
    BITMAPINFOHEADER header = {40, side, side * 2, 1, bitCount, BI_RGB, 0, 0, 0, 0, 0};
    std::memcpy(image.data(), &header, 40);
    BYTE* pRows = image.data() + 40 + nColors * 4;
    if (bitCount == 32) {
        const DWORD word = 0xFF000000 | GetRValue(clr) << 16 | GetGValue(clr) << 8 | GetBValue(clr);
        for (int i = 0; i < side * side; i++)
            std::memcpy(pRows + 4 * i, &word, 4);
    } else {
        // Palette entry 1 is the colour; every pixel uses it.
        const DWORD entry = GetRValue(clr) << 16 | GetGValue(clr) << 8 | GetBValue(clr);
        std::memcpy(image.data() + 40 + 4, &entry, 4);
        for (size_t y = 0; y < static_cast<size_t>(side); y++)
            for (size_t x = 0; x < static_cast<size_t>(side) / 2; x++)
                pRows[y * nStride + x] = 0x11;
    }
    std::vector<BYTE> file(6 + 16 + image.size());
    const WORD dir[3] = {0, 1, 1};
    std::memcpy(file.data(), dir, 6);
    BYTE* pEntry = file.data() + 6;
    pEntry[0] = static_cast<BYTE>(side);
    pEntry[1] = static_cast<BYTE>(side);
    const WORD planes = 1;
    std::memcpy(pEntry + 4, &planes, 2);
    std::memcpy(pEntry + 6, &bitCount, 2);
    const DWORD nBytes = static_cast<DWORD>(image.size()), nOffset = 22;
    std::memcpy(pEntry + 8, &nBytes, 4);
    std::memcpy(pEntry + 12, &nOffset, 4);
    std::memcpy(file.data() + 22, image.data(), image.size());
    return file;
}

std::string WriteTempFile(const char* lpszName, const std::vector<BYTE>& data)
{
    char szDir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    const std::string path = std::string(szDir) + lpszName;
    FILE* pFile = std::fopen(path.c_str(), "wb");
    std::fwrite(data.data(), 1, data.size(), pFile);
    std::fclose(pFile);
    return path;
}

// The editor made modeless from its template, on a picture of 16 x 16.
class ImageEditorTest : public ::testing::Test {
protected:
    void SetUp() override { Open(); }
    void TearDown() override
    {
        if (m_pEditor->m_hWnd)
            m_pEditor->DestroyWindow();
        delete m_pEditor;
        CXTPImageEditorDlg::SetChooser(CXTPImageEditorChooser());
    }

    void Open(const CXTPImageManagerIconHandle* pIcon = nullptr)
    {
        m_pEditor = new CXTPImageEditorDlg;
        if (pIcon)
            m_pEditor->SetIcon(*pIcon);
        else
            m_pEditor->SetIconSize(CSize(16, 16));
        LPCDLGTEMPLATE pTemplate = XTPResourceManager()->LoadDialogTemplate(MAKEINTRESOURCEA(XTP_IDD_IMAGEEDITOR));
        ASSERT_NE(nullptr, pTemplate);
        // Hidden: the tools work the same, and a shown top-level window is slow under Wine.
        ASSERT_TRUE(m_pEditor->CreateIndirect(pTemplate, nullptr));
    }

    // A press and release on a cell of the grid, or a drag from one cell to another.
    void Drag(CPoint from, CPoint to)
    {
        const CSize cell = m_pEditor->m_wndGrid.m_szCell;
        auto at = [cell](CPoint pt) { return MAKELPARAM(pt.x * cell.cx + cell.cx / 2, pt.y * cell.cy + cell.cy / 2); };
        m_pEditor->m_wndGrid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(from));
        m_pEditor->m_wndGrid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(to));
        m_pEditor->m_wndGrid.SendMessage(WM_LBUTTONUP, 0, at(to));
    }
    void Click(CPoint cell) { Drag(cell, cell); }
    void Command(UINT nID) { m_pEditor->SendMessage(WM_COMMAND, nID, 0); }
    void ClickSwatch(CWnd& swatch) { swatch.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)); }
    CXTPImageEditorPicker& Swatch(UINT nID)
    {
        for (int i = 0; i < CXTPImageEditorDlg::swatchCount; i++)
            if (CXTPImageEditorDlg::m_swatches[i].nID == nID)
                return m_pEditor->m_wndPicker[i];
        return m_pEditor->m_wndPicker[0];
    }
    COLORREF Pixel(int x, int y) const { return m_pEditor->GetPicture().GetPixel(x, y); }
    // Runs the idle update the modal loop would run.
    void Idle() { m_pEditor->SendMessage(WM_KICKIDLE, 0, 0); }

    CXTPImageEditorDlg* m_pEditor = nullptr;
};

TEST_F(ImageEditorTest, OpensWithBlackSelectedPencilAndWholeCells)
{
    EXPECT_EQ(CXTPImageEditorDlg::toolPencil, m_pEditor->GetTool());
    EXPECT_EQ(&m_pEditor->m_wndPicker[0], m_pEditor->GetSelectedPicker());
    EXPECT_EQ(kBlack, m_pEditor->GetSelectedColor());
    EXPECT_EQ(kTransparent, m_pEditor->m_wndPickerTransparent.GetColor());
    // The grid is cells times the picture plus its closing line.
    CRect rc;
    m_pEditor->m_wndGrid.GetClientRect(&rc);
    const CSize cell = m_pEditor->m_wndGrid.m_szCell;
    EXPECT_GT(cell.cx, 1);
    EXPECT_EQ(cell.cx * 16 + 1, rc.Width());
    EXPECT_EQ(cell.cy * 16 + 1, rc.Height());
    // Swatches: 11 pixels at a 13-pixel pitch, row 0 from 4 pixels above the colours label.
    CRect rcLabel, rcFirst, rcNext, rcBelow;
    m_pEditor->GetDlgItem(XTP_IDC_IMAGEEDITOR_COLORS_LABEL)->GetWindowRect(&rcLabel);
    m_pEditor->m_wndPicker[0].GetWindowRect(&rcFirst);
    m_pEditor->m_wndPicker[1].GetWindowRect(&rcNext);
    m_pEditor->m_wndPicker[8].GetWindowRect(&rcBelow);
    EXPECT_EQ(CRect(rcLabel.left, rcLabel.top - 4, rcLabel.left + 11, rcLabel.top + 7), rcFirst);
    EXPECT_EQ(rcFirst.left + 13, rcNext.left);
    EXPECT_EQ(rcFirst.top + 13, rcBelow.top);
}

TEST_F(ImageEditorTest, APlainIconIsDrawnOverTransparency)
{
    // 16 x 16: red on the left half; the mask leaves the right half out.
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hColor);
    const RECT rcAll = {0, 0, 16, 16}, rcLeft = {0, 0, 8, 16};
    ::FillRect(hDC, &rcAll, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    HBRUSH hRed = ::CreateSolidBrush(kRed);
    ::FillRect(hDC, &rcLeft, hRed);
    ::DeleteObject(hRed);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    WORD maskRows[16];
    std::fill_n(maskRows, 16, static_cast<WORD>(0xFF00));  // bytes 00 FF: left opaque, right transparent
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, maskRows);
    ICONINFO info = {TRUE, 0, 0, hMask, hColor};
    CXTPImageManagerIconHandle hIcon;
    hIcon.SetIcon(::CreateIconIndirect(&info));
    ::DeleteObject(hMask);
    ::DeleteObject(hColor);
    m_pEditor->DestroyWindow();
    delete m_pEditor;
    Open(&hIcon);
    EXPECT_FALSE(m_pEditor->GetPicture().IsAlpha());
    EXPECT_EQ(CSize(16, 16), m_pEditor->GetPicture().GetSize());
    EXPECT_EQ(kRed, Pixel(3, 8));
    EXPECT_EQ(kTransparent, Pixel(12, 8));
}

// Draws a window's look into a 32-bit bitmap of the size and answers the colour of pixels.
class CProbe {
public:
    template <class F>
    CProbe(CSize size, F&& draw) : m_hDC(::CreateCompatibleDC(nullptr))
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* pBits = nullptr;
        m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        draw(m_hDC);
    }
    ~CProbe()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    COLORREF operator()(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

TEST_F(ImageEditorTest, TheGridShowsTransparencyAsACheckerboardAndBlendsAlpha)
{
    // Half-transparent red at (0, 0), opaque blue at (1, 0), the rest empty.
    HBITMAP hBitmap = MakeAlphaBitmap(16, 16, 0);
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof(bm), &bm);
    static_cast<DWORD*>(bm.bmBits)[0] = 0x80FF0000;
    static_cast<DWORD*>(bm.bmBits)[1] = 0xFF0000FF;
    CXTPImageManagerIconHandle hIcon;
    hIcon.AttachBitmap(hBitmap);
    m_pEditor->DestroyWindow();
    delete m_pEditor;
    Open(&hIcon);
    CRect rc;
    m_pEditor->m_wndGrid.GetClientRect(&rc);
    const CSize cell = m_pEditor->m_wndGrid.m_szCell;
    ASSERT_GE(cell.cx, 8);
    CProbe grid(rc.Size(), [this](HDC hDC) { m_pEditor->m_wndGrid.Draw(hDC); });
    // Red at half over the light square: each channel light - (light - red) x 128 / 255.
    EXPECT_EQ(RGB(245, 118, 118), grid(2, 2));
    EXPECT_EQ(RGB(0, 0, 255), grid(cell.cx + 2, 2));
    // Empty cells: squares of 4 pixels, light grey and white by turns; a black frame round all.
    const int x = (5 * cell.cx + 8) / 8 * 8, y = (5 * cell.cy + 8) / 8 * 8;
    EXPECT_EQ(RGB(0xEB, 0xEB, 0xEB), grid(x, y));
    EXPECT_EQ(RGB(255, 255, 255), grid(x + 4, y));
    EXPECT_EQ(RGB(255, 255, 255), grid(x, y + 4));
    EXPECT_EQ(RGB(0, 0, 0), grid(0, rc.Height() / 2));
    EXPECT_EQ(RGB(0, 0, 0), grid(rc.Width() - 1, rc.Height() - 1));

    // Swatches: the transparent one white with light top-left and bottom-right quarters; a
    // selected one framed black, then white.
    CProbe transparent(CSize(11, 11), [this](HDC hDC) { m_pEditor->m_wndPickerTransparent.Draw(hDC); });
    EXPECT_EQ(RGB(0xEB, 0xEB, 0xEB), transparent(3, 3));
    EXPECT_EQ(RGB(255, 255, 255), transparent(8, 3));
    EXPECT_EQ(RGB(0xEB, 0xEB, 0xEB), transparent(8, 8));
    CProbe selected(CSize(11, 11), [this](HDC hDC) { m_pEditor->m_wndPicker[0].Draw(hDC); });
    EXPECT_EQ(RGB(0, 0, 0), selected(0, 5));
    EXPECT_EQ(RGB(255, 255, 255), selected(1, 5));
    EXPECT_EQ(RGB(0, 0, 0), selected(5, 5));
    // An unselected one sunken in the colour table's dark shadow.
    CProbe unselected(CSize(11, 11), [this](HDC hDC) { m_pEditor->m_wndPicker[10].Draw(hDC); });
    EXPECT_EQ(GetManagedColor(COLOR_3DDKSHADOW), unselected(0, 5));
    EXPECT_EQ(kRed, unselected(5, 5));
}

TEST_F(ImageEditorTest, PencilOnThePixelOfTheSelectedColourMakesItTransparent)
{
    Click(CPoint(3, 4));
    EXPECT_EQ(kBlack, Pixel(3, 4));
    EXPECT_EQ(kTransparent, Pixel(4, 4));
    Click(CPoint(3, 4));
    EXPECT_EQ(kTransparent, Pixel(3, 4));
    EXPECT_EQ(2u, m_pEditor->GetUndoCount());
    // A drag that starts on the colour takes it away along its way.
    Click(CPoint(5, 5));
    Click(CPoint(6, 5));
    Drag(CPoint(5, 5), CPoint(6, 5));
    EXPECT_EQ(kTransparent, Pixel(5, 5));
    EXPECT_EQ(kTransparent, Pixel(6, 5));
}

TEST_F(ImageEditorTest, SixteenOfSeventeenChangesCanBeUndoneAndRedone)
{
    for (int i = 0; i < 17; i++)
        Click(CPoint(i % 16, i / 16));
    EXPECT_EQ(16u, m_pEditor->GetUndoCount());
    for (int i = 0; i < 20; i++)
        Command(XTP_ID_IMAGEEDITOR_UNDO);
    // The first change is beyond reach: its pixel stays.
    EXPECT_EQ(kBlack, Pixel(0, 0));
    EXPECT_EQ(kTransparent, Pixel(1, 0));
    EXPECT_EQ(0u, m_pEditor->GetUndoCount());
    EXPECT_EQ(16u, m_pEditor->GetRedoCount());
    Idle();
    EXPECT_FALSE(m_pEditor->m_wndTools.IsButtonEnabled(XTP_ID_IMAGEEDITOR_UNDO));
    EXPECT_TRUE(m_pEditor->m_wndTools.IsButtonEnabled(XTP_ID_IMAGEEDITOR_REDO));
    Command(XTP_ID_IMAGEEDITOR_REDO);
    EXPECT_EQ(kBlack, Pixel(1, 0));
    EXPECT_EQ(15u, m_pEditor->GetRedoCount());
}

TEST_F(ImageEditorTest, AChangeAfterAnUndoEndsRedo)
{
    Click(CPoint(1, 1));
    Click(CPoint(2, 2));
    Command(XTP_ID_IMAGEEDITOR_UNDO);
    Idle();
    EXPECT_TRUE(m_pEditor->m_wndTools.IsButtonEnabled(XTP_ID_IMAGEEDITOR_REDO));
    Command(XTP_ID_IMAGEEDITOR_MOVE_RIGHT);
    Idle();
    EXPECT_EQ(0u, m_pEditor->GetRedoCount());
    EXPECT_FALSE(m_pEditor->m_wndTools.IsButtonEnabled(XTP_ID_IMAGEEDITOR_REDO));
    Command(XTP_ID_IMAGEEDITOR_REDO);
    EXPECT_EQ(kBlack, Pixel(2, 1));
    EXPECT_EQ(kTransparent, Pixel(2, 2));
}

TEST_F(ImageEditorTest, ThePickerTakesTheColourAndReturnsToThePreviousTool)
{
    struct Case {
        UINT nTool;
        int nExpected;
    } cases[] = {{XTP_ID_IMAGEEDITOR_PENCIL, CXTPImageEditorDlg::toolPencil},
                 {XTP_ID_IMAGEEDITOR_ELLIPSE, CXTPImageEditorDlg::toolEllipse}};
    ClickSwatch(Swatch(9466));
    Click(CPoint(7, 7));
    ClickSwatch(Swatch(9450));
    for (const Case& c : cases) {
        Command(c.nTool);
        Command(XTP_ID_IMAGEEDITOR_PICKER);
        // Choosing the picker again keeps the tool it was chosen from.
        Command(XTP_ID_IMAGEEDITOR_PICKER);
        Idle();
        EXPECT_TRUE(m_pEditor->m_wndTools.IsButtonChecked(XTP_ID_IMAGEEDITOR_PICKER));
        Click(CPoint(7, 7));
        EXPECT_EQ(c.nExpected, m_pEditor->GetTool());
        EXPECT_EQ(&m_pEditor->m_wndPickerCustom, m_pEditor->GetSelectedPicker());
        EXPECT_EQ(kRed, m_pEditor->GetSelectedColor());
        ClickSwatch(Swatch(9450));
    }
}

TEST_F(ImageEditorTest, AFillTakesExactlyTheConnectedArea)
{
    // A frame from (2, 2) to (8, 8); a pixel at (10, 10) touches nothing.
    Command(XTP_ID_IMAGEEDITOR_RECTANGLE);
    Drag(CPoint(2, 2), CPoint(8, 8));
    EXPECT_EQ(kBlack, Pixel(8, 8));
    EXPECT_EQ(kTransparent, Pixel(5, 5));
    Command(XTP_ID_IMAGEEDITOR_FILL);
    ClickSwatch(Swatch(9466));
    Click(CPoint(5, 5));
    const struct {
        int x, y;
        COLORREF clr;
    } probes[] = {{3, 3, kRed}, {7, 7, kRed}, {5, 5, kRed}, {2, 2, kBlack}, {8, 5, kBlack}, {1, 1, kTransparent},
                  {9, 9, kTransparent}, {15, 15, kTransparent}};
    for (const auto& p : probes)
        EXPECT_EQ(p.clr, Pixel(p.x, p.y)) << p.x << "," << p.y;
    // Filling the outside leaves the inside and the frame.
    Click(CPoint(0, 0));
    EXPECT_EQ(kRed, Pixel(15, 15));
    EXPECT_EQ(kBlack, Pixel(2, 2));
    EXPECT_EQ(3u, m_pEditor->GetUndoCount());
}

TEST_F(ImageEditorTest, LineLeavesOutItsLastCell)
{
    Command(XTP_ID_IMAGEEDITOR_LINE);
    Drag(CPoint(1, 3), CPoint(6, 3));
    for (int x = 1; x < 6; x++)
        EXPECT_EQ(kBlack, Pixel(x, 3)) << x;
    EXPECT_EQ(kTransparent, Pixel(6, 3));
    EXPECT_EQ(kTransparent, Pixel(0, 3));
}

TEST_F(ImageEditorTest, MovesShiftByOnePixelAndUncoverTransparency)
{
    const struct {
        UINT nID;
        POINT to;
    } cases[] = {{XTP_ID_IMAGEEDITOR_MOVE_LEFT, {-1, 0}},
                 {XTP_ID_IMAGEEDITOR_MOVE_RIGHT, {1, 0}},
                 {XTP_ID_IMAGEEDITOR_MOVE_UP, {0, -1}},
                 {XTP_ID_IMAGEEDITOR_MOVE_DOWN, {0, 1}}};
    for (const auto& c : cases) {
        Command(XTP_ID_IMAGEEDITOR_CLEAR);
        Click(CPoint(5, 5));
        Command(c.nID);
        EXPECT_EQ(kBlack, Pixel(5 + c.to.x, 5 + c.to.y)) << c.nID;
        EXPECT_EQ(kTransparent, Pixel(5, 5)) << c.nID;
    }
    // A pixel moved past the edge is gone; the uncovered column is transparent.
    Command(XTP_ID_IMAGEEDITOR_CLEAR);
    Click(CPoint(0, 0));
    Command(XTP_ID_IMAGEEDITOR_MOVE_LEFT);
    Command(XTP_ID_IMAGEEDITOR_MOVE_RIGHT);
    EXPECT_EQ(kTransparent, Pixel(0, 0));
    EXPECT_EQ(kTransparent, Pixel(1, 0));
}

TEST_F(ImageEditorTest, TheTransparentAndCustomSwatchesSelectThroughTheChooser)
{
    static COLORREF s_clrChosen;
    CXTPImageEditorChooser chooser;
    chooser.pfnChooseColor = [](CColorDialog& dialog) {
        dialog.m_cc.rgbResult = s_clrChosen;
        return TRUE;
    };
    CXTPImageEditorDlg::SetChooser(chooser);
    s_clrChosen = RGB(10, 200, 30);
    ClickSwatch(m_pEditor->m_wndPickerCustom);
    EXPECT_EQ(&m_pEditor->m_wndPickerCustom, m_pEditor->GetSelectedPicker());
    EXPECT_EQ(RGB(10, 200, 30), m_pEditor->GetSelectedColor());
    // Cancelled: nothing changes.
    chooser.pfnChooseColor = [](CColorDialog&) { return FALSE; };
    CXTPImageEditorDlg::SetChooser(chooser);
    ClickSwatch(m_pEditor->m_wndPickerTransparent);
    ClickSwatch(m_pEditor->m_wndPickerCustom);
    EXPECT_EQ(&m_pEditor->m_wndPickerTransparent, m_pEditor->GetSelectedPicker());
    EXPECT_EQ(RGB(10, 200, 30), m_pEditor->m_wndPickerCustom.GetColor());
}

// The system's colour dialog, closed with OK as soon as it shows: the custom swatch keeps its
// colour and becomes the selected one.
TEST_F(ImageEditorTest, TheSystemColourDialogRuns)
{
    static HWND s_hEditor;
    s_hEditor = m_pEditor->m_hWnd;
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hWnd, LPARAM) {
                if (::GetWindow(hWnd, GW_OWNER) == s_hEditor && ::IsWindowVisible(hWnd))
                    ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
                return TRUE;
            },
            0);
    });
    ClickSwatch(m_pEditor->m_wndPickerCustom);
    ::KillTimer(nullptr, nTimer);
    EXPECT_EQ(&m_pEditor->m_wndPickerCustom, m_pEditor->GetSelectedPicker());
    EXPECT_EQ(RGB(255, 255, 255), m_pEditor->GetSelectedColor());
}

TEST_F(ImageEditorTest, TooltipsAreTheTextAfterTheNewline)
{
    NMTTDISPINFOA infoA = {};
    infoA.hdr = {m_pEditor->m_wndTools.m_hWnd, XTP_ID_IMAGEEDITOR_FILL, static_cast<UINT>(TTN_NEEDTEXTA)};
    m_pEditor->SendMessage(WM_NOTIFY, XTP_ID_IMAGEEDITOR_FILL, reinterpret_cast<LPARAM>(&infoA));
    EXPECT_STREQ("Fill Color", infoA.lpszText);
    NMTTDISPINFOW infoW = {};
    infoW.hdr = {m_pEditor->m_wndTools.m_hWnd, XTP_ID_IMAGEEDITOR_IMPORT, static_cast<UINT>(TTN_NEEDTEXTW)};
    m_pEditor->SendMessage(WM_NOTIFY, XTP_ID_IMAGEEDITOR_IMPORT, reinterpret_cast<LPARAM>(&infoW));
    EXPECT_STREQ(L"Import from File", infoW.lpszText);
}

// Pastes: the clipboard emptied and filled by the function, then the editor's Paste.
template <class F>
void PutOnClipboard(HWND hWnd, F&& fill)
{
    ASSERT_TRUE(::OpenClipboard(hWnd));
    ::EmptyClipboard();
    fill();
    ::CloseClipboard();
}

TEST_F(ImageEditorTest, APastedBitmapLargerThanThePictureIsCutToIt)
{
    // 40 x 40: red at the top left, which stays; the picture keeps its size and its cells.
    const CSize cell = m_pEditor->m_wndGrid.m_szCell;
    HBITMAP hBitmap = MakeAlphaBitmap(40, 40, 0xFFFF0000);
    PutOnClipboard(m_pEditor->m_hWnd, [&] { ::SetClipboardData(CF_BITMAP, hBitmap); });
    Command(XTP_ID_IMAGEEDITOR_PASTE);
    EXPECT_EQ(CSize(16, 16), m_pEditor->GetPicture().GetSize());
    EXPECT_EQ(cell, m_pEditor->m_wndGrid.m_szCell);
    EXPECT_EQ(kRed, Pixel(0, 0));
    EXPECT_EQ(kRed, Pixel(15, 15));
    EXPECT_EQ(1u, m_pEditor->GetUndoCount());
    // The grid still maps the mouse to cells.
    Click(CPoint(15, 15));
    EXPECT_EQ(kBlack, Pixel(15, 15));
}

TEST_F(ImageEditorTest, ADib32FormatIsCheckedAgainstItsBytesAndKeepsAlpha)
{
    static const UINT nFormat = ::RegisterClipboardFormatA("Test DIB32 Image");
    auto packed = [](LONG width, LONG height, size_t nRows) {
        std::vector<BYTE> data(40 + nRows * 4, 0);
        BITMAPINFOHEADER header = {40, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::memcpy(data.data(), &header, 40);
        // Half-transparent blue in every pixel given.
        for (size_t i = 0; i < nRows; i++) {
            const DWORD word = 0x800000FF;
            std::memcpy(data.data() + 40 + 4 * i, &word, 4);
        }
        return data;
    };
    const struct {
        const char* name;
        std::vector<BYTE> data;
        BOOL bPasted;
    } cases[] = {{"sound", packed(4, 4, 16), TRUE},
                 {"rows past the bytes", packed(4, 4000, 16), FALSE},
                 {"negative width", packed(-4, 4, 16), FALSE},
                 {"header only", packed(4, 4, 0), FALSE}};
    for (const auto& c : cases) {
        Command(XTP_ID_IMAGEEDITOR_CLEAR);
        Click(CPoint(0, 0));
        const size_t nUndo = m_pEditor->GetUndoCount();
        PutOnClipboard(m_pEditor->m_hWnd, [&] {
            HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, c.data.size());
            std::memcpy(::GlobalLock(hGlobal), c.data.data(), c.data.size());
            ::GlobalUnlock(hGlobal);
            ::SetClipboardData(nFormat, hGlobal);
        });
        Command(XTP_ID_IMAGEEDITOR_PASTE);
        EXPECT_EQ(c.bPasted ? std::min<size_t>(nUndo + 1, 16) : nUndo, m_pEditor->GetUndoCount()) << c.name;
        EXPECT_EQ(c.bPasted ? RGB(0, 0, 255) : kBlack, Pixel(0, 0)) << c.name;
        if (c.bPasted) {
            EXPECT_TRUE(m_pEditor->GetPicture().IsAlpha());
            EXPECT_EQ(0x80, m_pEditor->GetPicture().GetAlpha(3, 3));
            EXPECT_EQ(kTransparent, Pixel(4, 4));
        }
    }
}

TEST_F(ImageEditorTest, CopyThenPasteRoundTrips)
{
    Click(CPoint(2, 3));
    ClickSwatch(Swatch(9466));
    Click(CPoint(9, 9));
    Command(XTP_ID_IMAGEEDITOR_COPY);
    Command(XTP_ID_IMAGEEDITOR_CLEAR);
    EXPECT_EQ(kTransparent, Pixel(2, 3));
    Command(XTP_ID_IMAGEEDITOR_PASTE);
    EXPECT_EQ(kBlack, Pixel(2, 3));
    EXPECT_EQ(kRed, Pixel(9, 9));
    EXPECT_EQ(kTransparent, Pixel(0, 0));
}

TEST_F(ImageEditorTest, ImportReadsIconsAndRefusesCraftedOnesQuietly)
{
    Click(CPoint(0, 0));
    const std::vector<BYTE> sound4 = MakeIconFile(16, 4, RGB(0, 0, 255));
    const std::vector<BYTE> sound32 = MakeIconFile(16, 32, RGB(0, 128, 0));
    auto patched = [](std::vector<BYTE> data, size_t at, DWORD value) {
        std::memcpy(data.data() + at, &value, 4);
        return data;
    };
    // Directory entry: size at 14, offset at 18; image header: height at 22 + 8.
    const struct {
        const char* name;
        std::vector<BYTE> data;
        BOOL bRead;
        COLORREF clr;
    } cases[] = {
        {"4-bit", sound4, TRUE, RGB(0, 0, 255)},
        {"size past the file", patched(sound4, 14, 0x10000), FALSE, 0},
        {"negative height", patched(sound4, 30, static_cast<DWORD>(-32)), FALSE, 0},
        {"offset outside", patched(sound4, 18, 0x7FFFFFF0), FALSE, 0},
        {"rows past the image", patched(sound4, 30, 64), FALSE, 0},
        {"truncated", std::vector<BYTE>(sound4.begin(), sound4.begin() + 60), FALSE, 0},
        {"32-bit", sound32, TRUE, RGB(0, 128, 0)},
        {"32-bit, size past the file", patched(sound32, 14, 0x10000), FALSE, 0},
    };
    for (const auto& c : cases) {
        Command(XTP_ID_IMAGEEDITOR_CLEAR);
        Click(CPoint(1, 1));
        const size_t nUndo = m_pEditor->GetUndoCount();
        const std::string path = WriteTempFile("editor-import.ico", c.data);
        EXPECT_EQ(c.bRead, m_pEditor->ImportFile(path.c_str())) << c.name;
        ::DeleteFileA(path.c_str());
        EXPECT_EQ(CSize(16, 16), m_pEditor->GetPicture().GetSize()) << c.name;
        EXPECT_EQ(c.bRead ? std::min<size_t>(nUndo + 1, 16) : nUndo, m_pEditor->GetUndoCount()) << c.name;
        EXPECT_EQ(c.bRead ? c.clr : kBlack, Pixel(1, 1)) << c.name;
        // A refused file leaves the last change to undo: the black pixel.
        if (!c.bRead) {
            Command(XTP_ID_IMAGEEDITOR_UNDO);
            EXPECT_EQ(kTransparent, Pixel(1, 1)) << c.name;
        }
    }
}

TEST_F(ImageEditorTest, ImportReadsBitmapsAndPicturesByTheirExtension)
{
    // A bitmap file of 2 x 2 pixels of 24 bits, bottom-up: green below, red above.
    std::vector<BYTE> bmp(14 + 40 + 16, 0);
    const BITMAPINFOHEADER header = {40, 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[10] = 54;
    std::memcpy(bmp.data() + 14, &header, 40);
    const BYTE rows[16] = {0, 255, 0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};
    std::memcpy(bmp.data() + 54, rows, 16);
    auto patched = [](std::vector<BYTE> data, size_t at, DWORD value) {
        std::memcpy(data.data() + at, &value, 4);
        return data;
    };
    // One red pixel: the picture loader stretches it over the whole picture.
    const BYTE gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0, ',',
                        0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, ';'};
    const struct {
        const char* name;
        std::vector<BYTE> data;
        BOOL bRead;
        POINT at;
        COLORREF clr;
    } cases[] = {
        {"editor-import.bmp", bmp, TRUE, {0, 0}, kRed},
        {"editor-import.bmp", bmp, TRUE, {0, 1}, RGB(0, 255, 0)},
        {"editor-import.bmp", bmp, TRUE, {2, 0}, kTransparent},
        {"editor-import.bmp", patched(bmp, 14 + 8, 200), FALSE, {0, 0}, 0},  // rows past the file
        {"editor-import.bmp", patched(bmp, 10, 0x7FFFFFFF), FALSE, {0, 0}, 0},  // rows outside
        {"editor-import.gif", std::vector<BYTE>(gif, gif + sizeof(gif)), TRUE, {15, 15}, kRed},
        {"editor-import.jpg", std::vector<BYTE>(40, 0x5A), FALSE, {0, 0}, 0},
    };
    for (const auto& c : cases) {
        Command(XTP_ID_IMAGEEDITOR_CLEAR);
        const std::string path = WriteTempFile(c.name, c.data);
        EXPECT_EQ(c.bRead, m_pEditor->ImportFile(path.c_str())) << c.name;
        ::DeleteFileA(path.c_str());
        EXPECT_EQ(c.bRead ? c.clr : kTransparent, Pixel(c.at.x, c.at.y)) << c.name << " " << c.at.x << "," << c.at.y;
        EXPECT_FALSE(m_pEditor->GetPicture().IsAlpha()) << c.name;
    }
}

TEST_F(ImageEditorTest, ImportGoesThroughTheFileChooser)
{
    static std::string s_path;
    s_path = WriteTempFile("editor-chooser.ico", MakeIconFile(16, 32, RGB(0, 128, 0)));
    CXTPImageEditorChooser chooser;
    chooser.pfnChooseFile = [](CFileDialog& dialog, CString& strPath) {
        // An open dialog that hides the read-only box.
        EXPECT_TRUE(dialog.m_ofn.Flags & OFN_HIDEREADONLY);
        strPath = s_path.c_str();
        return TRUE;
    };
    CXTPImageEditorDlg::SetChooser(chooser);
    Command(XTP_ID_IMAGEEDITOR_IMPORT);
    ::DeleteFileA(s_path.c_str());
    EXPECT_EQ(RGB(0, 128, 0), Pixel(8, 8));
    EXPECT_TRUE(m_pEditor->GetPicture().IsAlpha());
}

// The system's open dialog: the file's name typed into it from a timer, then OK.
TEST_F(ImageEditorTest, TheSystemFileDialogRuns)
{
    static HWND s_hEditor;
    static std::string s_path;
    s_hEditor = m_pEditor->m_hWnd;
    s_path = WriteTempFile("editor-system.ico", MakeIconFile(16, 4, RGB(0, 0, 255)));
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) {
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hWnd, LPARAM) {
                if (::GetWindow(hWnd, GW_OWNER) != s_hEditor || !::IsWindowVisible(hWnd))
                    return TRUE;
                ::SendMessageA(hWnd, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(s_path.c_str()));
                ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
                return FALSE;
            },
            0);
    });
    // The dialog makes the file's folder the current one; the later suites read their data
    // files relative to the build folder.
    char szDirectory[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, szDirectory);
    Command(XTP_ID_IMAGEEDITOR_IMPORT);
    ::SetCurrentDirectoryA(szDirectory);
    ::KillTimer(nullptr, nTimer);
    ::DeleteFileA(s_path.c_str());
    EXPECT_EQ(RGB(0, 0, 255), Pixel(8, 8));
    EXPECT_EQ(1u, m_pEditor->GetUndoCount());
}

// The modal editor: a pixel drawn and OK pressed from a timer; the icon comes back, an alpha
// bitmap for an alpha picture and a masked icon otherwise.
TEST(ImageEditorModalTest, OkReturnsTheIcon)
{
    for (BOOL bAlpha : {FALSE, TRUE}) {
        // An empty alpha picture from an alpha bitmap, or an empty plain one of the size.
        CXTPImageEditorDlg editor;
        CXTPImageManagerIconHandle hSource;
        if (bAlpha) {
            hSource.AttachBitmap(MakeAlphaBitmap(16, 16, 0));
            editor.SetIcon(hSource);
        } else {
            editor.SetIconSize(CSize(16, 16));
        }
        static CXTPImageEditorDlg* s_pEditor;
        s_pEditor = &editor;
        const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
            if (!s_pEditor->m_hWnd || !s_pEditor->m_wndGrid.m_hWnd)
                return;
            const CSize cell = s_pEditor->m_wndGrid.m_szCell;
            const LPARAM at = MAKELPARAM(cell.cx / 2, cell.cy / 2);
            s_pEditor->m_wndGrid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
            s_pEditor->m_wndGrid.SendMessage(WM_LBUTTONUP, 0, at);
            s_pEditor->SendMessage(WM_COMMAND, IDOK, 0);
        });
        const INT_PTR nResult = editor.DoModal();
        ::KillTimer(nullptr, nTimer);
        ASSERT_EQ(IDOK, nResult);
        CXTPImageManagerIconHandle hResult;
        ASSERT_TRUE(editor.GetIcon(hResult));
        EXPECT_EQ(bAlpha, hResult.IsAlpha());
        EXPECT_EQ(CSize(16, 16), hResult.GetExtent());
        if (bAlpha) {
            // The drawn pixel opaque black; the untouched ones empty again.
            BITMAPINFO bmi;
            const std::vector<DWORD> pixels = CXTPImageManager::ReadPixels32(hResult.GetBitmap(), bmi);
            ASSERT_EQ(256u, pixels.size());
            EXPECT_EQ(0xFF000000u, pixels[0]);
            EXPECT_EQ(0u, pixels[17]);
        } else {
            // The mask: the drawn pixel opaque, the untouched ones transparent.
            ICONINFO info = {};
            ASSERT_TRUE(::GetIconInfo(hResult.GetIcon(), &info));
            HDC hDC = ::CreateCompatibleDC(nullptr);
            HGDIOBJ hOld = ::SelectObject(hDC, info.hbmMask);
            EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(hDC, 0, 0));
            EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hDC, 15, 15));
            ::SelectObject(hDC, hOld);
            ::DeleteDC(hDC);
            ::DeleteObject(info.hbmMask);
            ::DeleteObject(info.hbmColor);
        }
    }
}

}  // namespace
