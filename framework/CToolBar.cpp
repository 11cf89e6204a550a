// Toolbars: creation on the system's toolbar control, buttons and images from resources, idle update.
#include "CToolBar.h"

#include <commctrl.h>

#include "AfxCommonControls.h"
#include "AfxResource.h"
#include "CCmdUI.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

const LPCSTR kToolBarType = MAKEINTRESOURCEA(241);

// The state a command's update handler gives one button.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pOther->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? 1 : 0, 0));
    }
    void SetCheck(int nCheck) override
    {
        m_pOther->SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck != 0 ? 1 : 0, 0));
    }
    void SetText(const char*) override {}  // buttons show images
};

}  // namespace

CToolBar::~CToolBar()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_hbmImages)
        ::DeleteObject(m_hbmImages);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!AfxInitCommonControls(ICC_BAR_CLASSES))
        return FALSE;
    // The layout pass places the bar; the control must not move or size itself.
    DWORD dwControl = TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (dwStyle & CBRS_TOOLTIPS)
        dwControl |= TBSTYLE_TOOLTIPS;
    if (!CreateBar(TOOLBARCLASSNAMEA, dwStyle, dwControl, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::ReadResource(const BYTE* pData, DWORD cbData, std::vector<UINT>& arrIds, CSize& szImage)
{
    arrIds.clear();
    const DWORD kHeader = 8;
    if (!pData || cbData < kHeader)
        return FALSE;
    auto word = [pData](DWORD nOffset) { return static_cast<WORD>(pData[nOffset] | (pData[nOffset + 1] << 8)); };
    const DWORD nCount = word(6);
    if ((cbData - kHeader) / 2 < nCount)
        return FALSE;
    szImage = CSize(word(2), word(4));
    for (DWORD i = 0; i < nCount; i++)
        arrIds.push_back(word(kHeader + 2 * i));
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    if (!m_hWnd)
        return FALSE;
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = AfxFindResource(MAKEINTRESOURCEA(nIDResource), kToolBarType);
    HGLOBAL hGlobal = hResource ? ::LoadResource(hInstance, hResource) : nullptr;
    const BYTE* pData = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    std::vector<UINT> arrIds;
    CSize szImage;
    if (!pData || !ReadResource(pData, ::SizeofResource(hInstance, hResource), arrIds, szImage))
        return FALSE;
    // The control draws a button 7 pixels wider and higher than its image.
    SetSizes(CSize(szImage.cx + 7, szImage.cy + 7), szImage);
    return LoadBitmap(nIDResource) && SetButtons(arrIds.data(), static_cast<int>(arrIds.size()));
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (!m_hWnd || nIDCount < 0 || (nIDCount > 0 && !lpIDArray))
        return FALSE;
    while (SendMessage(TB_DELETEBUTTON, 0))
        ;
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    int nImage = 0;
    for (int i = 0; i < nIDCount; i++) {
        TBBUTTON& button = buttons[static_cast<size_t>(i)];
        button.idCommand = static_cast<int>(lpIDArray[i]);
        if (lpIDArray[i] == 0) {
            button.fsStyle = TBSTYLE_SEP;
        } else {
            button.iBitmap = nImage++;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = TBSTYLE_BUTTON;
        }
    }
    return buttons.empty() ||
           SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    if (!m_hWnd || m_szImage.cx <= 0)
        return FALSE;
    HBITMAP hBitmap = ::CreateMappedBitmap(AfxGetResourceHandle(), static_cast<INT_PTR>(nIDResource), 0, nullptr, 0);
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof(bm), &bm)) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        return FALSE;
    }
    const int nImages = bm.bmWidth / m_szImage.cx;
    BOOL bDone = FALSE;
    if (m_hbmImages) {
        // A new strip takes the old one's place, so that the buttons keep their image numbers.
        TBREPLACEBITMAP replace = {nullptr, reinterpret_cast<UINT_PTR>(m_hbmImages), nullptr,
                                   reinterpret_cast<UINT_PTR>(hBitmap), nImages};
        bDone = SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)) != 0;
    } else {
        TBADDBITMAP add = {nullptr, reinterpret_cast<UINT_PTR>(hBitmap)};
        bDone = SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(nImages), reinterpret_cast<LPARAM>(&add)) != -1;
    }
    if (!bDone) {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    if (m_hbmImages)
        ::DeleteObject(m_hbmImages);
    m_hbmImages = hBitmap;
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_szImage = sizeImage;
    if (!m_hWnd)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

int CToolBar::GetCount() const
{
    return m_hWnd ? static_cast<int>(SendMessage(TB_BUTTONCOUNT)) : 0;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    if (!m_hWnd || nIndex < 0 ||
        !SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return 0;
    return (button.fsStyle & TBSTYLE_SEP) ? 0 : static_cast<UINT>(button.idCommand);
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return m_hWnd ? static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind)) : -1;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    SIZE szButtons = {};
    if (m_hWnd && GetCount() > 0)
        SendMessage(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&szButtons));
    // Across the layout a stretched bar keeps the length it was given.
    if (!bStretch || !bHorz)
        size.cx += szButtons.cx;
    if (!bStretch || bHorz)
        size.cy += szButtons.cy;
    return size;
}

void CToolBar::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); i++) {
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = GetItemID(i);
        if (state.m_nID != 0)
            state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}
