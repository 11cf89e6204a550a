// The command-bar painter base: theme factory, colours, fonts and the drawing shared by all themes.
#include "CXTPPaintManager.h"

#include <algorithm>
#include <cctype>

#include "CWinThread.h"
#include "CWnd.h"
#include "CXTPDrawHelpers.h"
#include "CXTSystemData.h"

namespace {

// Holds the process's reference to the current paint manager and drops it at exit.
struct CurrentHolder {
    CXTPPaintManager* pManager = nullptr;
    ~CurrentHolder()
    {
        if (pManager)
            pManager->InternalRelease();
    }
};

CurrentHolder& Holder()
{
    static CurrentHolder holder;
    return holder;
}

void (*g_pfnPause)(DWORD) = ::Sleep;

// A 32-bit top-down DIB section selected into a memory DC.
struct Dib32 {
    HDC hdc = nullptr;
    HBITMAP hBitmap = nullptr;
    HGDIOBJ hOld = nullptr;
    DWORD* pBits = nullptr;

    explicit Dib32(CSize size)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = size.cx;
        bmi.bmiHeader.biHeight = -size.cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pv = nullptr;
        hdc = ::CreateCompatibleDC(nullptr);
        hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pv, nullptr, 0);
        pBits = static_cast<DWORD*>(pv);
        if (hBitmap)
            hOld = ::SelectObject(hdc, hBitmap);
    }
    ~Dib32()
    {
        if (hOld)
            ::SelectObject(hdc, hOld);
        if (hBitmap)
            ::DeleteObject(hBitmap);
        ::DeleteDC(hdc);
    }
    Dib32(const Dib32&) = delete;
    Dib32& operator=(const Dib32&) = delete;
};

BOOL IsLetter(char ch)
{
    return std::isalpha(static_cast<unsigned char>(ch)) || static_cast<unsigned char>(ch) >= 0x80;
}

}  // namespace

CXTPPaintManager::CXTPPaintManager()
{
    RefreshMetrics();
}

CXTPPaintManager::~CXTPPaintManager() = default;

CXTPPaintManager* CXTPPaintManager::Current()
{
    CurrentHolder& holder = Holder();
    if (!holder.pManager)
        holder.pManager = CreateTheme(kDefaultTheme);
    return holder.pManager;
}

CXTPPaintManager* CXTPPaintManager::SetTheme(int nTheme)
{
    CXTPPaintManager* pManager = CreateTheme(nTheme);
    CurrentHolder& holder = Holder();
    if (holder.pManager)
        holder.pManager->InternalRelease();
    holder.pManager = pManager;
    return pManager;
}

// CreateTheme and the creator table know the theme classes: they live with them
// (themes/CXTPPaintManagerFactory.cpp).

HWND CXTPPaintManager::GetThemeWindow()
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread ? pThread->GetMainWnd() : nullptr;
    return pMainWnd ? pMainWnd->GetSafeHwnd() : nullptr;
}

COLORREF CXTPPaintManager::GetColor(int nIndex) const
{
    if (nIndex > XPCOLOR_LAST)
        return (COLORREF)nIndex;
    if (nIndex < 0)
        return 0;
    return m_arrColor[nIndex];
}

void CXTPPaintManager::SetColors(int nCount, const int* pIndexes, const COLORREF* pColors)
{
    if (!pIndexes || !pColors)
        return;
    for (int i = 0; i < nCount; i++) {
        if (pIndexes[i] >= 0 && pIndexes[i] < XPCOLOR_COUNT)
            m_arrColor[pIndexes[i]].SetStandardValue(pColors[i]);
    }
}

int CXTPPaintManager::GetCurrentSystemTheme() const
{
    if (m_nSchemeMode == 5)
        return GetColorManager()->IsLunaColorsDisabled() ? 0 : GetColorManager()->GetCurrentSystemTheme();
    if (m_nSchemeMode == 4)
        return CXTPColorManager::GetWinThemeColorScheme();
    return m_nSchemeMode;
}

void CXTPPaintManager::RefreshMetrics()
{
    UpdateFonts();
    GetColorManager()->RefreshColors(FALSE);
    for (int i = 0; i < XPCOLOR_COUNT; i++)
        m_arrColor[i].SetStandardValue(GetColorManager()->GetColor(i));
    m_clrShadowFactor = 0;
    m_clrStatusTextColor = GetColor(COLOR_BTNTEXT);
}

void CXTPPaintManager::UpdateFonts()
{
    CXTPNonClientMetrics ncm;
    if (m_bUseSystemFont) {
        LOGFONTA lf = ncm.lfMenuFont;
        HDC hdcScreen = ::GetDC(nullptr);
        lf.lfCharSet = static_cast<BYTE>(::GetTextCharset(hdcScreen));
        ::ReleaseDC(nullptr, hdcScreen);
        if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
            lf.lfHeight = -11;
        SetCommandBarsFontIndirect(&lf, TRUE);
    }

    LOGFONTA lfIcon = {};
    ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(lfIcon), &lfIcon, 0);
    CXTSystemData::FitCharSet(lfIcon);
    m_fontSmCaption.DeleteObject();
    m_fontSmCaption.CreateFontIndirect(&ncm.lfSmCaptionFont);
    m_fontIconTitle.DeleteObject();
    m_fontIconTitle.CreateFontIndirect(&lfIcon);
    LOGFONTA lfMarlett = {};
    lfMarlett.lfHeight = lfIcon.lfHeight;
    lfMarlett.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lfMarlett.lfFaceName, "Marlett", LF_FACESIZE);
    m_fontMarlett.DeleteObject();
    m_fontMarlett.CreateFontIndirect(&lfMarlett);
    CXTSystemData::CreateFontFrom(lfIcon, m_fontIconTitleBold, FW_BOLD);
}

void CXTPPaintManager::SetCommandBarsFontIndirect(const LOGFONTA* pFont, BOOL bUseSystemFont)
{
    m_bUseSystemFont = bUseSystemFont;
    if (!pFont)
        return;
    LOGFONTA lf = *pFont;
    m_fontRegular.DeleteObject();
    m_fontBold.DeleteObject();
    m_fontVert.DeleteObject();
    m_fontVertBold.DeleteObject();

    const BOOL bTahomaInstalled = XTSystemData()->FontExists("Tahoma");
    m_bUseTahoma = lstrcmpiA(lf.lfFaceName, "Tahoma") == 0;
    if (lf.lfCharSet <= 2 && XTSystemData()->bUseTahomaFont && m_bUseSystemFont && bTahomaInstalled)
        lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);

    m_fontRegular.CreateFontIndirect(&lf);
    CXTSystemData::CreateFontFrom(lf, m_fontBold, FW_BOLD);
    LOGFONTA lfVert = lf;
    lstrcpynA(lfVert.lfFaceName, CXTPDrawHelpers::GetDefaultFontName(m_bUseTahoma), LF_FACESIZE);
    CXTSystemData::CreateFontFrom(lfVert, m_fontVert, -1, 255, 900, 2700);
    CXTSystemData::CreateFontFrom(lfVert, m_fontVertBold, FW_BOLD, 255, 900, 2700);

    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, m_fontRegular.GetSafeHandle());
    SIZE size = {};
    ::GetTextExtentPoint32A(hdc, " ", 1, &size);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    m_nTextHeight = size.cy + 6;
}

CFont* CXTPPaintManager::GetCommandBarFont(int nBarPosition, BOOL bBold)
{
    if (nBarPosition == 2 || nBarPosition == 3)
        return bBold ? &m_fontVertBold : &m_fontVert;
    return bBold ? &m_fontBold : &m_fontRegular;
}

void CXTPPaintManager::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    const int x = rcClient.left, y = rcClient.top, w = rcClient.Width(), h = rcClient.Height();
    for (int k = 0; k <= 8; k += 4) {
        DrawLine(pDC, x + w - 3 - k, y + h - 2, x + w - 1, y + h - 4 - k, COLOR_BTNSHADOW);
        DrawLine(pDC, x + w - 4 - k, y + h - 2, x + w - 1, y + h - 5 - k, COLOR_BTNSHADOW);
    }
    for (int k = 0; k <= 8; k += 4)
        DrawLine(pDC, x + w - 5 - k, y + h - 2, x + w - 1, y + h - 6 - k, COLOR_BTNHIGHLIGHT);
}

void CXTPPaintManager::FillCommandBarEntry(CDC* pDC, CWnd* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
}

void CXTPPaintManager::FillStatusBar(CDC* pDC, CWnd* pBar)
{
    CXTPPaintManager::FillCommandBarEntry(pDC, pBar);
}

CRect CXTPPaintManager::GetBarBorders(CXTPCommandBar* /*pBar*/)
{
    return CRect(2, 2, 2, 2);
}

void CXTPPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL /*bGripperPane*/)
{
    Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

CSize CXTPPaintManager::GetToolBarControlSize(int nType, BOOL bImage, CSize szButton, BOOL bCaption,
                                              CSize szCaption, BOOL bHorizontal)
{
    if (nType == 2 && !bImage)
        return CSize(szCaption.cx + 6, szCaption.cy + 6);
    const CSize szFace = bImage ? szButton : CSize(23, 23);
    if (bCaption) {
        const int nLead = bImage ? szButton.cx : 4;
        if (bHorizontal)
            return CSize(nLead + szCaption.cx + 3, std::max(szCaption.cy + 6, szFace.cy));
        return CSize(std::max(szCaption.cx + 6, szFace.cx), nLead + szCaption.cy + 3);
    }
    return CSize(szFace.cx + (nType == 4 ? 11 : 0), szFace.cy);
}

int CXTPPaintManager::GetToolBarCaptionOffset(BOOL bImage, CSize szButton, BOOL bHorizontal)
{
    if (!bImage)
        return 4;
    return bHorizontal ? szButton.cx - 1 : szButton.cy;
}

CSize CXTPPaintManager::DrawControlText(CDC* pDC, const CString& strText, CRect rc, BOOL bDraw, BOOL bEmbossed,
                                        BOOL bTriangle)
{
    const CString strCaption = StripMnemonics(strText);
    SIZE szText = {};
    ::GetTextExtentPoint32A(*pDC, strCaption, strCaption.GetLength(), &szText);
    const CSize szResult(szText.cx + (bTriangle ? 5 : 0), szText.cy);
    if (!bDraw)
        return szResult;

    const int x = rc.left + (rc.Width() - szResult.cx) / 2, y = rc.top + (rc.Height() - szResult.cy) / 2;
    CRect rcText(x, y, x + szText.cx, y + szText.cy);
    const UINT nFormat = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    const int nOldMode = ::SetBkMode(*pDC, TRANSPARENT);
    const COLORREF clrText = ::GetTextColor(*pDC);
    if (bEmbossed) {
        CRect rcShadow = rcText;
        rcShadow.OffsetRect(1, 1);
        ::SetTextColor(*pDC, GetColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextA(*pDC, strCaption, -1, &rcShadow, nFormat);
        ::SetTextColor(*pDC, clrText);
    }
    ::DrawTextA(*pDC, strCaption, -1, &rcText, nFormat);
    ::SetBkMode(*pDC, nOldMode);
    if (bTriangle) {
        const int m = y + szText.cy / 2, left = rcText.right + 1;
        Triangle(pDC, CPoint(left, m - 1), CPoint(left + 4, m - 1), CPoint(left + 2, m + 1), clrText);
    }
    return szResult;
}

CRect CXTPPaintManager::GetExpandButtonRect(CSize szBar, int nBarPosition)
{
    if (nBarPosition == 2 || nBarPosition == 3 || nBarPosition == 5)
        return CRect(2, szBar.cy - 13, szBar.cx - 2, szBar.cy - 2);
    return CRect(szBar.cx - 13, 2, szBar.cx - 2, szBar.cy - 2);
}

void CXTPPaintManager::FadeStep(const DWORD* pUnder, const DWORD* pPopup, DWORD* pOut, size_t nPixels, int nStep,
                                int nSteps)
{
    if (nSteps <= 0)
        return;
    const DWORD alpha = 255u * static_cast<DWORD>(nStep) / static_cast<DWORD>(nSteps);
    for (size_t i = 0; i < nPixels; i++) {
        DWORD result = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const DWORD a = (pUnder[i] >> shift) & 0xFF, b = (pPopup[i] >> shift) & 0xFF;
            result |= ((a * (255 - alpha) + b * alpha) / 256) << shift;
        }
        pOut[i] = result;
    }
}

void CXTPPaintManager::Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    HGDIOBJ hOldPen = ::SelectObject(*pDC, hPen);
    HGDIOBJ hOldBrush = ::SelectObject(*pDC, hBrush);
    const POINT pts[3] = {pt0, pt1, pt2};
    ::Polygon(*pDC, pts, 3);
    ::SelectObject(*pDC, hOldBrush);
    ::SelectObject(*pDC, hOldPen);
    ::DeleteObject(hBrush);
    ::DeleteObject(hPen);
}

void CXTPPaintManager::FillRectangle(CDC* pDC, CRect rc, int nFillIndex, int nFrameIndex)
{
    pDC->FillSolidRect(&rc, GetColor(nFillIndex));
    pDC->Draw3dRect(&rc, GetColor(nFrameIndex), GetColor(nFrameIndex));
}

void CXTPPaintManager::Draw3dRect(CDC* pDC, CRect rc, int nTopLeftIndex, int nBottomRightIndex)
{
    pDC->Draw3dRect(&rc, GetColor(nTopLeftIndex), GetColor(nBottomRightIndex));
}

void CXTPPaintManager::DrawLine(CDC* pDC, int x0, int y0, int x1, int y1, int nIndex)
{
    HPEN hPen = ::CreatePen(PS_SOLID, 1, GetColor(nIndex));
    HGDIOBJ hOld = ::SelectObject(*pDC, hPen);
    ::MoveToEx(*pDC, x0, y0, nullptr);
    ::LineTo(*pDC, x1, y1);
    ::SelectObject(*pDC, hOld);
    ::DeleteObject(hPen);
}

void CXTPPaintManager::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
    XTPDrawHelpers()->GradientFill(pDC, lpRect, crFrom, crTo, bHorz);
}

void CXTPPaintManager::DrawCheckMark(CDC* pDC, CRect rc, COLORREF clr, BOOL bShape)
{
    const int cx = rc.left + rc.Width() / 2, cy = rc.top + rc.Height() / 2;
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
    HGDIOBJ hOld = ::SelectObject(*pDC, hPen);
    if (bShape) {
        const POINT a[3] = {{cx - 4, cy - 3}, {cx, cy + 1}, {cx + 3, cy - 2}};
        const POINT b[3] = {{cx - 4, cy - 2}, {cx, cy + 2}, {cx + 3, cy - 1}};
        ::Polyline(*pDC, a, 3);
        ::Polyline(*pDC, b, 3);
    } else {
        const POINT a[3] = {{cx - 4, cy - 1}, {cx - 2, cy + 1}, {cx + 3, cy - 4}};
        const POINT b[3] = {{cx - 4, cy}, {cx - 2, cy + 2}, {cx + 3, cy - 3}};
        ::Polyline(*pDC, a, 3);
        ::Polyline(*pDC, b, 3);
    }
    ::SelectObject(*pDC, hOld);
    ::DeleteObject(hPen);
}

CString CXTPPaintManager::StripMnemonics(const CString& strText)
{
    CString strResult;
    const int nLength = strText.GetLength();
    for (int i = 0; i < nLength; i++) {
        if (strText[i] != '&') {
            strResult += strText[i];
        } else if (i + 1 < nLength && strText[i + 1] == '&') {
            strResult += '&';
            i++;
        }
    }
    return strResult;
}

CString CXTPPaintManager::PrepareRTLCaption(const CString& strText)
{
    CString str = StripMnemonics(strText);
    int n = str.GetLength();
    if (n > 3 && str.Right(3) == CString("...") && IsLetter(str[n - 4]))
        str = CString("...") + str.Left(n - 3);

    n = str.GetLength();
    int nRun = 0;
    while (nRun < n - 2 && (std::isdigit(static_cast<unsigned char>(str[nRun])) || str[nRun] == '&'))
        nRun++;
    if (nRun > 0 && nRun < n && str[nRun] == ' ') {
        int nWord = nRun;
        while (nWord < n && str[nWord] == ' ')
            nWord++;
        if (nWord < n && IsLetter(str[nWord]))
            str = str.Mid(nWord) + " " + str.Left(nRun);
    }
    return str;
}

void (*CXTPPaintManager::SetAnimationPause(void (*pfnPause)(DWORD)))(DWORD)
{
    void (*pfnPrevious)(DWORD) = g_pfnPause;
    g_pfnPause = pfnPause ? pfnPause : ::Sleep;
    return pfnPrevious;
}

void CXTPPaintManager::Animate(CDC* pDestDC, CDC* pSrcDC, CSize szPopup, int nType)
{
    const int n = m_nAnimationSteps, cx = szPopup.cx, cy = szPopup.cy;
    if (n <= 0 || cx <= 0 || cy <= 0)
        return;
    const DWORD dwStep = static_cast<DWORD>(m_nAnimationTime > 0 ? m_nAnimationTime : 0) / static_cast<DWORD>(n);
    if (nType == 2 || nType == 3) {
        for (int i = 1; i <= n; i++) {
            const int cxPart = nType == 2 ? MulDiv(cx, i, n) : cx, cyPart = MulDiv(cy, i, n);
            ::BitBlt(*pDestDC, 0, 0, cxPart, cyPart, *pSrcDC, cx - cxPart, cy - cyPart, SRCCOPY);
            g_pfnPause(dwStep);
        }
    } else if (nType == 4) {
        Dib32 under(szPopup), popup(szPopup), blend(szPopup);
        if (!under.pBits || !popup.pBits || !blend.pBits)
            return;
        ::BitBlt(under.hdc, 0, 0, cx, cy, *pDestDC, 0, 0, SRCCOPY);
        ::BitBlt(popup.hdc, 0, 0, cx, cy, *pSrcDC, 0, 0, SRCCOPY);
        ::GdiFlush();
        const DWORD dwStart = ::GetTickCount();
        for (int k = 1; k < n; k++) {
            FadeStep(under.pBits, popup.pBits, blend.pBits, static_cast<size_t>(cx) * cy, k, n);
            ::BitBlt(*pDestDC, 0, 0, cx, cy, blend.hdc, 0, 0, SRCCOPY);
            const DWORD dwDue = dwStep * static_cast<DWORD>(k), dwSpent = ::GetTickCount() - dwStart;
            if (dwSpent < dwDue)
                g_pfnPause(dwDue - dwSpent);
        }
    }
}

void CXTPPaintManager::AnimateUnfold(CDC* pDestDC, CDC* pSrcDC, CSize szPopup, const int* pRowTops, int nRows)
{
    const int n = m_nAnimationSteps, cx = szPopup.cx, cy = szPopup.cy;
    if (n <= 0 || cx <= 0 || cy <= 0 || !pRowTops || nRows <= 0)
        return;
    const DWORD dwStep = static_cast<DWORD>(m_nAnimationTime > 0 ? m_nAnimationTime : 0) / static_cast<DWORD>(n);
    for (int i = 1; i <= n; i++) {
        int yDest = 0;
        for (int r = 0; r < nRows && yDest < cy; r++) {
            const int top = pRowTops[r], bottom = r + 1 < nRows ? pRowTops[r + 1] : cy;
            if (top < 0 || bottom > cy || bottom <= top)
                continue;
            const int height = bottom - top, shown = r == 0 ? height : MulDiv(height, i, n);
            if (shown > 0)
                ::StretchBlt(*pDestDC, 0, yDest, cx, shown, *pSrcDC, 0, top, cx, height, SRCCOPY);
            yDest += shown;
        }
        g_pfnPause(dwStep);
    }
}

void CXTPPaintManager::DrawStatusBarPane(CDC* pDC, CRect rc, UINT nStyle, const char* lpszText, BOOL bLastPane,
                                         CRect rcClient, BOOL bSizeGrip)
{
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    if (bLastPane) {
        if (!(nStyle & 0x08000000))
            rc.right += 3 * cxEdge;
        else if (bSizeGrip)
            rc.right = rcClient.right - ::GetSystemMetrics(SM_CXSMICON) - cxEdge;
    }
    if (!(nStyle & 0x100))
        DrawStatusBarPaneBorder(pDC, rc, bLastPane);
    if (!(nStyle & 0x04000000) && lpszText) {
        CRect rcText = rc;
        rcText.DeflateRect(2, 1);
        const int nOldMode = ::SetBkMode(*pDC, TRANSPARENT);
        const COLORREF clrOld = ::SetTextColor(*pDC, m_clrStatusTextColor);
        ::DrawTextA(*pDC, lpszText, -1, &rcText, DT_SINGLELINE | DT_VCENTER);
        ::SetTextColor(*pDC, clrOld);
        ::SetBkMode(*pDC, nOldMode);
    }
}
