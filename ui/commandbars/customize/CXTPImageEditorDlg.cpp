// The button image editor: tools, colours, undo and redo, clipboard and import.
#include "CXTPImageEditorDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "CCmdUI.h"
#include "CColorDialog.h"
#include "CFileDialog.h"
#include "CGdiObject.h"
#include "CXTPImageManager.h"
#include "CXTPResourceManager.h"
#include "ResourceIds.h"

namespace {

CXTPImageEditorChooser g_chooser;

// Files larger than this are no button picture.
const long kMaxImportBytes = 16 * 1024 * 1024;

const UINT kToolButtons[] = {XTP_ID_IMAGEEDITOR_PENCIL, XTP_ID_IMAGEEDITOR_FILL,     XTP_ID_IMAGEEDITOR_UNDO,
                             XTP_ID_IMAGEEDITOR_REDO,   XTP_ID_IMAGEEDITOR_PICKER,   XTP_ID_IMAGEEDITOR_LINE,
                             XTP_ID_IMAGEEDITOR_COPY,   XTP_ID_IMAGEEDITOR_PASTE,    XTP_ID_IMAGEEDITOR_RECTANGLE,
                             XTP_ID_IMAGEEDITOR_ELLIPSE, XTP_ID_IMAGEEDITOR_CLEAR,   XTP_ID_IMAGEEDITOR_IMPORT};
const UINT kMoveButtons[] = {XTP_ID_IMAGEEDITOR_MOVE_LEFT, XTP_ID_IMAGEEDITOR_MOVE_DOWN, XTP_ID_IMAGEEDITOR_MOVE_UP,
                             XTP_ID_IMAGEEDITOR_MOVE_RIGHT};
const int kToolImages = 12, kMoveImages = 4;

// The toolbars' images: the alpha strip where alpha icons are drawn, else the masked one.
HIMAGELIST CreateButtonImages(int nSkip, int nCount)
{
    CImageList list;
    CBitmap bitmap;
    if (XTPImageManager()->IsAlphaIconsSupported()) {
        HBITMAP hBitmap = CXTPImageManager::LoadAlphaBitmap(XTP_IDB_IMAGEEDITOR_TOOLS32);
        if (!hBitmap || !list.Create(16, 16, ILC_COLOR32, nSkip + nCount, 0))
            return nullptr;
        bitmap.Attach(hBitmap);
        list.Add(&bitmap, static_cast<CBitmap*>(nullptr));
    } else {
        if (!XTPResourceManager()->LoadBitmap(&bitmap, XTP_IDB_IMAGEEDITOR_TOOLS) ||
            !list.Create(16, 16, ILC_COLOR24 | ILC_MASK, nSkip + nCount, 0))
            return nullptr;
        list.Add(&bitmap, RGB(192, 192, 192));
    }
    for (int i = 0; i < nSkip; i++)
        list.Remove(0);
    return list.Detach();
}

BOOL ReadWholeFile(const char* lpszPath, std::vector<BYTE>& data)
{
    FILE* pFile = std::fopen(lpszPath, "rb");
    if (!pFile)
        return FALSE;
    BOOL bRead = FALSE;
    if (std::fseek(pFile, 0, SEEK_END) == 0) {
        const long nSize = std::ftell(pFile);
        if (nSize > 0 && nSize <= kMaxImportBytes && std::fseek(pFile, 0, SEEK_SET) == 0) {
            data.resize(static_cast<size_t>(nSize));
            bRead = std::fread(data.data(), 1, data.size(), pFile) == data.size();
        }
    }
    std::fclose(pFile);
    return bRead;
}

}  // namespace

const CXTPImageEditorDlg::Swatch CXTPImageEditorDlg::m_swatches[swatchCount] = {
    {0x000000, IDS_COLOR_BLACK},        {0x808080, IDS_COLOR_GRAY50},     {0x000080, IDS_COLOR_DARK_RED},
    {0x008080, IDS_COLOR_DARK_YELLOW},  {0x008000, IDS_COLOR_GREEN},      {0x808000, IDS_COLOR_TEAL},
    {0x800000, IDS_COLOR_DARK_BLUE},    {0x800080, IDS_COLOR_VIOLET},     {0xFFFFFF, IDS_COLOR_WHITE},
    {0xC0C0C0, IDS_COLOR_GRAY25},       {0x0000FF, IDS_COLOR_RED},        {0x00FFFF, IDS_COLOR_YELLOW},
    {0x00FF00, IDS_COLOR_BRIGHT_GREEN}, {0xFFFF00, IDS_COLOR_TURQUOISE},  {0xFF0000, IDS_COLOR_BLUE},
    {0xFF00FF, IDS_COLOR_PINK}};

BEGIN_MESSAGE_MAP(CXTPImageEditorDlg, CDialog)
    ON_COMMAND_RANGE(XTP_ID_IMAGEEDITOR_PENCIL, XTP_ID_IMAGEEDITOR_ELLIPSE, OnToolCommand)
    ON_UPDATE_COMMAND_UI_RANGE(XTP_ID_IMAGEEDITOR_PENCIL, XTP_ID_IMAGEEDITOR_ELLIPSE, OnUpdateTool)
    ON_COMMAND_RANGE(XTP_ID_IMAGEEDITOR_MOVE_LEFT, XTP_ID_IMAGEEDITOR_MOVE_RIGHT, OnMove)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_CLEAR, OnClear)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_UNDO, OnUndo)
    ON_UPDATE_COMMAND_UI(XTP_ID_IMAGEEDITOR_UNDO, OnUpdateUndo)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_REDO, OnRedo)
    ON_UPDATE_COMMAND_UI(XTP_ID_IMAGEEDITOR_REDO, OnUpdateRedo)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_COPY, OnCopy)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_PASTE, OnPaste)
    ON_COMMAND(XTP_ID_IMAGEEDITOR_IMPORT, OnImport)
    ON_NOTIFY_RANGE(NM_CLICK, XTP_IDC_IMAGEEDITOR_TRANSPARENT, XTP_IDC_IMAGEEDITOR_CUSTOM, OnSwatchClick)
    ON_NOTIFY_RANGE(NM_CLICK, XTP_IDC_IMAGEEDITOR_SWATCH_FIRST, XTP_IDC_IMAGEEDITOR_SWATCH_LAST, OnSwatchClick)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CXTPImageEditorDlg::CXTPImageEditorDlg(CWnd* pParent) : m_wndGrid(this), m_wndPreview(this)
{
    m_pParentWnd = pParent;
}

CXTPImageEditorChooser CXTPImageEditorDlg::SetChooser(const CXTPImageEditorChooser& chooser)
{
    const CXTPImageEditorChooser previous = g_chooser;
    g_chooser = chooser;
    return previous;
}

void CXTPImageEditorDlg::SetIcon(const CXTPImageManagerIconHandle& hIcon)
{
    if (m_picture.SetIcon(hIcon))
        m_szPicture = m_picture.GetSize();
}

void CXTPImageEditorDlg::SetIconSize(CSize size)
{
    m_szPicture = size;
    m_picture.Destroy();
}

BOOL CXTPImageEditorDlg::GetIcon(CXTPImageManagerIconHandle& hIcon) const
{
    return m_picture.GetIcon(hIcon);
}

INT_PTR CXTPImageEditorDlg::DoModal()
{
    LPCDLGTEMPLATE pTemplate = XTPResourceManager()->LoadDialogTemplate(MAKEINTRESOURCEA(XTP_IDD_IMAGEEDITOR));
    if (!pTemplate || !InitModalIndirect(pTemplate, m_pParentWnd))
        return -1;
    return CDialog::DoModal();
}

BOOL CXTPImageEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_picture.IsEmpty() && !m_picture.Create(m_szPicture))
        m_picture.Create(m_szPicture = CSize(16, 16));

    // The toolbars in their group frames.
    auto groupOrigin = [this](UINT nID) {
        CRect rc(8, 8, 8, 8);
        if (CWnd* pLabel = GetDlgItem(static_cast<int>(nID))) {
            pLabel->GetWindowRect(&rc);
            ScreenToClient(&rc);
        }
        return CRect(rc.left + 8, rc.top + 16, rc.left + 8, rc.top + 16);
    };
    m_wndTools.Create(this, groupOrigin(XTP_IDC_IMAGEEDITOR_TOOLS_LABEL), XTP_IDC_IMAGEEDITOR_TOOLBAR, kToolButtons,
                      kToolImages, 4, CreateButtonImages(0, kToolImages));
    m_wndMove.Create(this, groupOrigin(XTP_IDC_IMAGEEDITOR_MOVE_LABEL), XTP_IDC_IMAGEEDITOR_MOVEBAR, kMoveButtons,
                     kMoveImages, kMoveImages, CreateButtonImages(kToolImages, kMoveImages));

    // Two rows of eight swatches from the colours label's left edge, 4 pixels above its top.
    CRect rcColors(8, 8, 8, 8);
    if (CWnd* pLabel = GetDlgItem(XTP_IDC_IMAGEEDITOR_COLORS_LABEL)) {
        pLabel->GetWindowRect(&rcColors);
        ScreenToClient(&rcColors);
    }
    const char* lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    for (int i = 0; i < swatchCount; i++) {
        const int x = rcColors.left + 13 * (i % 8), y = rcColors.top - 4 + 13 * (i / 8);
        m_wndPicker[i].SetColor(m_swatches[i].clr);
        m_wndPicker[i].Create(lpszClass, nullptr, WS_CHILD | WS_VISIBLE, CRect(x, y, x + 11, y + 11), this,
                              m_swatches[i].nID);
    }
    m_wndPickerTransparent.SubclassDlgItem(XTP_IDC_IMAGEEDITOR_TRANSPARENT, this);
    m_wndPickerTransparent.SetColor(CXTPImageEditorPicture::transparent);
    m_wndPickerCustom.SubclassDlgItem(XTP_IDC_IMAGEEDITOR_CUSTOM, this);
    m_wndPickerCustom.SetColor(RGB(255, 255, 255));
    SelectPicker(&m_wndPicker[0]);

    // Whole cells: the grid shrinks to cells times the picture size, plus its closing line.
    m_wndGrid.SubclassDlgItem(XTP_IDC_IMAGEEDITOR_GRID, this);
    m_wndPreview.SubclassDlgItem(XTP_IDC_IMAGEEDITOR_PREVIEW, this);
    if (m_wndGrid.m_hWnd) {
        CRect rc;
        m_wndGrid.GetClientRect(&rc);
        const CSize size = m_picture.GetSize();
        m_wndGrid.m_szCell = CSize(std::max(1L, rc.Width() / size.cx), std::max(1L, rc.Height() / size.cy));
        m_wndGrid.SetWindowPos(nullptr, 0, 0, m_wndGrid.m_szCell.cx * size.cx + 1, m_wndGrid.m_szCell.cy * size.cy + 1,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

COLORREF CXTPImageEditorDlg::GetSelectedColor() const
{
    return m_pSelected ? m_pSelected->GetColor() : RGB(0, 0, 0);
}

void CXTPImageEditorDlg::SelectPicker(CXTPImageEditorPicker* pPicker)
{
    if (m_pSelected)
        m_pSelected->SetSelected(FALSE);
    m_pSelected = pPicker;
    if (m_pSelected)
        m_pSelected->SetSelected(TRUE);
}

void CXTPImageEditorDlg::SetTool(int nTool)
{
    // Leaving the colour picker keeps the tool it was chosen from.
    if (m_nCurrentTool != toolPicker)
        m_nPreviousTool = m_nCurrentTool;
    m_nCurrentTool = nTool;
}

HCURSOR CXTPImageEditorDlg::GetToolCursor() const
{
    static const UINT cursors[] = {XTP_IDC_IMAGEEDITOR_CURSOR_PENCIL, XTP_IDC_IMAGEEDITOR_CURSOR_FILL,
                                   XTP_IDC_IMAGEEDITOR_CURSOR_PICKER, XTP_IDC_IMAGEEDITOR_CURSOR_SHAPE,
                                   XTP_IDC_IMAGEEDITOR_CURSOR_SHAPE, XTP_IDC_IMAGEEDITOR_CURSOR_SHAPE};
    return ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(cursors[m_nCurrentTool]));
}

void CXTPImageEditorDlg::OnToolCommand(UINT nID)
{
    SetTool(static_cast<int>(nID - XTP_ID_IMAGEEDITOR_PENCIL));
}

void CXTPImageEditorDlg::OnUpdateTool(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(static_cast<int>(pCmdUI->m_nID - XTP_ID_IMAGEEDITOR_PENCIL) == m_nCurrentTool);
}

void CXTPImageEditorDlg::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_arrUndo.empty());
}

void CXTPImageEditorDlg::OnUpdateRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_arrRedo.empty());
}

void CXTPImageEditorDlg::BeginChange()
{
    m_previous.CopyFrom(m_picture);
}

void CXTPImageEditorDlg::CommitChange()
{
    if (m_arrUndo.size() >= maxUndo)
        m_arrUndo.erase(m_arrUndo.begin());
    m_arrUndo.push_back(std::move(m_previous));
    m_arrRedo.clear();
    Redraw();
}

void CXTPImageEditorDlg::Redraw()
{
    if (m_wndGrid.m_hWnd)
        m_wndGrid.Invalidate(FALSE);
    if (m_wndPreview.m_hWnd)
        m_wndPreview.Invalidate(FALSE);
}

void CXTPImageEditorDlg::OnGridButtonDown(CPoint ptCell)
{
    switch (m_nCurrentTool) {
    case toolFill:
        BeginChange();
        m_picture.FloodFill(ptCell.x, ptCell.y, GetSelectedColor());
        m_picture.KeepAlphaOf(m_previous);
        CommitChange();
        return;
    case toolPicker:
        m_wndPickerCustom.SetColor(m_picture.GetPixel(ptCell.x, ptCell.y));
        SelectPicker(&m_wndPickerCustom);
        SetTool(m_nPreviousTool);
        return;
    default:
        break;
    }
    BeginChange();
    m_ptStart = ptCell;
    // Drawing over a pixel of the selected colour takes it away.
    m_clrDraw = GetSelectedColor();
    if (m_picture.GetPixel(ptCell.x, ptCell.y) == m_clrDraw)
        m_clrDraw = CXTPImageEditorPicture::transparent;
    m_bDrawing = TRUE;
    if (m_wndGrid.m_hWnd)
        ::SetCapture(m_wndGrid.m_hWnd);
    OnGridMouseMove(ptCell);
}

void CXTPImageEditorDlg::OnGridMouseMove(CPoint ptCell)
{
    if (!m_bDrawing)
        return;
    if (m_nCurrentTool == toolPencil) {
        m_picture.SetPixel(ptCell.x, ptCell.y, m_clrDraw);
    } else {
        m_picture.CopyFrom(m_previous);
        const CXTPImageEditorPicture::Shape shape = m_nCurrentTool == toolLine ? CXTPImageEditorPicture::shapeLine
                                                    : m_nCurrentTool == toolRectangle
                                                        ? CXTPImageEditorPicture::shapeRectangle
                                                        : CXTPImageEditorPicture::shapeEllipse;
        m_picture.DrawShape(shape, m_ptStart, ptCell, m_clrDraw);
    }
    m_picture.KeepAlphaOf(m_previous);
    Redraw();
}

void CXTPImageEditorDlg::OnGridCaptureLost()
{
    if (!m_bDrawing)
        return;
    m_bDrawing = FALSE;
    CommitChange();
}

void CXTPImageEditorDlg::OnMove(UINT nID)
{
    static const POINT shifts[] = {{-1, 0}, {0, 1}, {0, -1}, {1, 0}};
    const POINT shift = shifts[nID - XTP_ID_IMAGEEDITOR_MOVE_LEFT];
    BeginChange();
    m_picture.Shift(shift.x, shift.y);
    CommitChange();
}

void CXTPImageEditorDlg::OnClear()
{
    BeginChange();
    m_picture.Fill(CXTPImageEditorPicture::transparent);
    CommitChange();
}

void CXTPImageEditorDlg::OnUndo()
{
    if (m_arrUndo.empty())
        return;
    m_arrRedo.push_back(std::move(m_picture));
    m_picture = std::move(m_arrUndo.back());
    m_arrUndo.pop_back();
    Redraw();
}

void CXTPImageEditorDlg::OnRedo()
{
    if (m_arrRedo.empty())
        return;
    m_arrUndo.push_back(std::move(m_picture));
    m_picture = std::move(m_arrRedo.back());
    m_arrRedo.pop_back();
    Redraw();
}

void CXTPImageEditorDlg::OnCopy()
{
    HBITMAP hBitmap = CXTPImageManager::CopyAlphaBitmap(m_picture.GetSafeHandle());
    if (!hBitmap || !::OpenClipboard(m_hWnd)) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        return;
    }
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_BITMAP, hBitmap))
        ::DeleteObject(hBitmap);
    if (m_picture.IsAlpha()) {
        // The image manager's marker: the bitmap carries its alpha channel.
        if (HGLOBAL hMarker = ::GlobalAlloc(GMEM_MOVEABLE, 1)) {
            if (!::SetClipboardData(CXTPImageManager::m_nAlphaClipFormat, hMarker))
                ::GlobalFree(hMarker);
        }
    }
    ::CloseClipboard();
}

void CXTPImageEditorDlg::OnPaste()
{
    if (!::OpenClipboard(m_hWnd))
        return;
    CXTPImageEditorPicture pasted;
    BOOL bPasted = FALSE;
    if (pasted.Create(m_picture.GetSize())) {
        // A format named like a 32-bit DIB is read with its alpha channel, as is a bitmap the
        // image manager's marker vouches for; any other bitmap as it stands.
        UINT nDib32 = 0;
        char szName[128];
        for (UINT nFormat = ::EnumClipboardFormats(0); nFormat && !nDib32; nFormat = ::EnumClipboardFormats(nFormat))
            if (::GetClipboardFormatNameA(nFormat, szName, sizeof(szName)) > 0 && std::strstr(szName, "DIB32"))
                nDib32 = nFormat;
        HGLOBAL hDib = nDib32 ? ::GetClipboardData(nDib32) : nullptr;
        if (const BYTE* pDib = hDib ? static_cast<const BYTE*>(::GlobalLock(hDib)) : nullptr) {
            bPasted = pasted.DrawPackedDib(pDib, ::GlobalSize(hDib), TRUE);
            ::GlobalUnlock(hDib);
        }
        if (!bPasted && ::IsClipboardFormatAvailable(CF_BITMAP)) {
            const BOOL bAlpha = ::IsClipboardFormatAvailable(CXTPImageManager::m_nAlphaClipFormat);
            bPasted = pasted.DrawBitmap(static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)), bAlpha);
        }
    }
    ::CloseClipboard();
    if (!bPasted)
        return;
    BeginChange();
    m_picture = std::move(pasted);
    CommitChange();
}

BOOL CXTPImageEditorDlg::ImportFile(const char* lpszPath)
{
    std::vector<BYTE> data;
    CXTPImageEditorPicture imported;
    if (!lpszPath || !ReadWholeFile(lpszPath, data) || !imported.Create(m_picture.GetSize()))
        return FALSE;
    CString strPath(lpszPath);
    const int nDot = strPath.ReverseFind('.');
    CString strExt = nDot >= 0 ? strPath.Mid(nDot + 1) : CString();
    strExt.MakeLower();
    BOOL bRead;
    if (strExt == "ico" || strExt == "cur")
        bRead = imported.DrawIconFile(data.data(), data.size());
    else if (strExt == "bmp" || strExt == "dib")
        bRead = imported.DrawBitmapFile(data.data(), data.size());
    else
        bRead = imported.DrawPictureFile(data.data(), data.size());
    if (!bRead)
        return FALSE;
    BeginChange();
    m_picture = std::move(imported);
    CommitChange();
    return TRUE;
}

void CXTPImageEditorDlg::OnImport()
{
    CString strFilter;
    XTPResourceManager()->LoadString(&strFilter, IDS_IMAGE_EDITOR_FILTER);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, strFilter, this);
    CString strPath;
    BOOL bChosen;
    if (g_chooser.pfnChooseFile) {
        bChosen = g_chooser.pfnChooseFile(dialog, strPath);
    } else {
        bChosen = dialog.DoModal() == IDOK;
        strPath = dialog.GetPathName();
    }
    if (bChosen)
        ImportFile(strPath);
}

void CXTPImageEditorDlg::OnSwatchClick(UINT nID, NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (nID == XTP_IDC_IMAGEEDITOR_CUSTOM) {
        CColorDialog dialog(m_wndPickerCustom.GetColor(), 0, this);
        const BOOL bChosen = g_chooser.pfnChooseColor ? g_chooser.pfnChooseColor(dialog) : dialog.DoModal() == IDOK;
        if (!bChosen)
            return;
        m_wndPickerCustom.SetColor(dialog.GetColor());
        SelectPicker(&m_wndPickerCustom);
        return;
    }
    if (nID == XTP_IDC_IMAGEEDITOR_TRANSPARENT) {
        SelectPicker(&m_wndPickerTransparent);
        return;
    }
    for (int i = 0; i < swatchCount; i++)
        if (m_swatches[i].nID == nID)
            SelectPicker(&m_wndPicker[i]);
}

BOOL CXTPImageEditorDlg::OnToolTipText(UINT, NMHDR* pHeader, LRESULT* pResult)
{
    const UINT nID = static_cast<UINT>(pHeader->idFrom);
    CString strText;
    if (!nID || !XTPResourceManager()->LoadString(&strText, nID))
        return FALSE;
    const int nNewLine = strText.Find('\n');
    if (nNewLine >= 0)
        strText = strText.Mid(nNewLine + 1);
    strText = strText.Left(79);
    if (pHeader->code == TTN_NEEDTEXTA) {
        NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pHeader);
        lstrcpynA(pInfo->szText, strText, sizeof(pInfo->szText));
        pInfo->lpszText = pInfo->szText;
    } else {
        NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pHeader);
        ::MultiByteToWideChar(CP_ACP, 0, strText, -1, pInfo->szText, sizeof(pInfo->szText) / sizeof(WCHAR));
        pInfo->szText[sizeof(pInfo->szText) / sizeof(WCHAR) - 1] = 0;
        pInfo->lpszText = pInfo->szText;
    }
    *pResult = 0;
    ::SetWindowPos(pHeader->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

LRESULT CXTPImageEditorDlg::OnKickIdle(WPARAM, LPARAM)
{
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    return 0;
}
