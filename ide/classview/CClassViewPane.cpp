// The class view pane: its tree of the symbol model, the toolbar above it, and opening a
// declaration from the tree.
#include "CClassViewPane.h"

#include <algorithm>

#include "CDC.h"
#include "CGdiObject.h"
#include "CMenu.h"
#include "CScintillaDoc.h"
#include "CScintillaView.h"
#include "CString.h"
#include "CTavrelinView.h"
#include "CWinApp.h"
#include "CXTPCommandBars.h"
#include "ClassViewGroups.h"
#include "IdeServices.h"
#include "LoadText.h"
#include "ResourceIds.h"
#include "zCTypedInfo.h"

namespace {

HTREEITEM InsertTreeItem(CTreeCtrl& tree, HTREEITEM hParent, const char* text, int image, const zCTypedHead* record,
                         BOOL bChildren = FALSE)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    if (record) {
        insert.item.mask |= TVIF_PARAM;
        insert.item.lParam = reinterpret_cast<LPARAM>(record);
    }
    if (bChildren) {
        insert.item.mask |= TVIF_CHILDREN;
        insert.item.cChildren = 1;
    }
    return tree.InsertItem(&insert);
}

// A record's file as a path: internal functions name theirs in full; script files are
// source-list entries of the project folder, whatever the current directory is.
CString DeclarationPath(const zCTypedHead& record)
{
    CString path = record.file.c_str();
    const bool absolute = path.GetLength() > 1 && (path[1] == ':' || (path[0] == '\\' && path[1] == '\\'));
    if (path.IsEmpty() || absolute)
        return path;
    zCIdeServices* host = zGetIdeServices();
    CString folder = host ? CString(host->GetProjectFolder().c_str()) : CString();
    if (folder.IsEmpty())
        return path;
    if (folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    return folder + (path[0] == '\\' ? path.Mid(1) : path);
}

}  // namespace

BEGIN_MESSAGE_MAP(CClassViewPane, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_NOTIFY(NM_RCLICK, IDC_CLASSVIEW_TREE, OnTreeRightClick)
    ON_COMMAND(ID_CLASSVIEW_GO_TO_DECLARATION, OnGoToDeclaration)
END_MESSAGE_MAP()

BEGIN_SPECIALIZED_MESSAGE_MAP(CDockPaneWnd<CTreeClass>, CTreeClass)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

template <>
void CDockPaneWnd<CTreeClass>::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    auto* pPane = dynamic_cast<CClassViewPane*>(GetParent());
    const zCTypedHead* pRecord = pPane ? pPane->RecordAt(point, TRUE) : nullptr;
    // Expanding and collapsing stay the tree's; first, so the opened view keeps the focus.
    Default();
    if (pRecord)
        pPane->OpenDeclaration(pRecord);
    (void)nFlags;
}

CClassViewPane::CClassViewPane() = default;

CClassViewPane::~CClassViewPane() = default;

int CClassViewPane::OnCreate(LPCREATESTRUCTA lpcs)
{
    Default();
    (void)lpcs;
    m_wndToolBar.CreateToolBar(WS_CHILD | WS_VISIBLE, this, ID_CLASSVIEW_TOOLBAR);
    if (!m_wndTree.GetSafeHwnd()) {
        const DWORD dwStyle =
            WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
        if (m_wndTree.CreateEx(WS_EX_STATICEDGE, WC_TREEVIEWA, "", dwStyle, CRect(0, 0, 0, 0), this,
                               IDC_CLASSVIEW_TREE))
            CreateImages();
    }
    return 0;
}

void CClassViewPane::CreateImages()
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(IDB_CLASSVIEW_IMAGES))
        return;
    // The picture's top-left pixel is its transparent colour.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    const COLORREF clrMask = dc.GetPixel(0, 0);
    dc.SelectObject(pOld);
    if (!m_images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1))
        return;
    m_images.Add(&bitmap, clrMask);
    m_wndTree.SetImageList(&m_images, TVSIL_NORMAL);
}

void CClassViewPane::OnSize(UINT nType, int cx, int cy)
{
    (void)nType;
    int nTop = 0;
    if (m_wndToolBar.GetSafeHwnd()) {
        nTop = m_wndToolBar.CalcDockingLayout(cx, LM_HORZ | LM_HORZDOCK | LM_COMMIT).cy;
        m_wndToolBar.MoveWindow(0, 0, cx, nTop);
        m_wndToolBar.Invalidate(FALSE);
    }
    if (m_wndTree.GetSafeHwnd()) {
        m_wndTree.MoveWindow(0, nTop, cx, std::max(cy - nTop, 0));
        m_wndTree.Invalidate(FALSE);
    }
}

void CClassViewPane::OnSetFocus(CWnd* pOldWnd)
{
    (void)pOldWnd;
    if (m_wndTree.GetSafeHwnd())
        m_wndTree.SetFocus();
}

void CClassViewPane::FillTree()
{
    if (!m_wndTree.GetSafeHwnd())
        return;
    m_wndTree.SendMessage(WM_SETREDRAW, FALSE);
    m_wndTree.DeleteAllItems();
    m_nGeneration = g_typedInfo.GetGeneration();
    for (const ClassViewGroup& group : BuildClassViewGroups(g_typedInfo)) {
        const HTREEITEM hRoot = InsertTreeItem(m_wndTree, TVI_ROOT, LoadText(group.textId), kClassViewRootImage, nullptr);
        for (const zCTypedHead* pRecord : group.items) {
            const auto* pClass = dynamic_cast<const zCTypedClass*>(pRecord);
            const HTREEITEM hItem = InsertTreeItem(m_wndTree, hRoot, ClassViewItemText(*pRecord).c_str(),
                                                   group.image, pRecord, pClass != nullptr);
            if (!pClass)
                continue;
            for (const auto& pMember : pClass->members)
                InsertTreeItem(m_wndTree, hItem, ClassViewItemText(*pMember).c_str(), kClassViewMemberImage,
                               pMember.get());
        }
    }
    m_wndTree.SendMessage(WM_SETREDRAW, TRUE);
    m_wndTree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

const zCTypedHead* CClassViewPane::RecordAt(CPoint ptTree, BOOL bStateIcon) const
{
    UINT nFlags = 0;
    const HTREEITEM hItem = m_wndTree.HitTest(ptTree, &nFlags);
    UINT nOn = TVHT_ONITEMICON | TVHT_ONITEMLABEL;
    if (bStateIcon)
        nOn |= TVHT_ONITEMSTATEICON;
    if (!hItem || !(nFlags & nOn) || m_nGeneration != g_typedInfo.GetGeneration())
        return nullptr;
    return reinterpret_cast<const zCTypedHead*>(m_wndTree.GetItemData(hItem));
}

BOOL CClassViewPane::OpenDeclaration(const zCTypedHead* pRecord)
{
    if (!pRecord)
        return FALSE;
    const CString path = DeclarationPath(*pRecord);
    CWinApp* pApp = AfxGetApp();
    // A missing file gets our message alone, not the document's failed-open one too.
    const bool exists = !path.IsEmpty() && ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    CDocument* pDoc = (pApp && exists) ? pApp->OpenDocumentFile(path) : nullptr;
    auto* pScript = dynamic_cast<CScintillaDoc*>(pDoc);
    CScintillaView* pView = pScript ? pScript->GetView() : nullptr;
    if (!pView) {
        CString text;
        text.Format(LoadText(IDS_FILE_ABSENT_IN_PROJECT), pRecord->file.c_str());
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (auto* pTavrelinView = dynamic_cast<CTavrelinView*>(pView))
        pTavrelinView->GoToLine(pRecord->line);
    else
        pView->GetCtrl().GotoLine(pRecord->line);
    pView->SetFocus();
    return TRUE;
}

void CClassViewPane::OnTreeRightClick(NMHDR* pNotify, LRESULT* pResult)
{
    (void)pNotify;
    *pResult = 0;
    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);
    CPoint ptTree = ptScreen;
    m_wndTree.ScreenToClient(&ptTree);
    const zCTypedHead* pRecord = RecordAt(ptTree, FALSE);
    if (!pRecord)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_CLASSVIEW_POPUP))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(0)) {
        const int nCommand =
            CXTPCommandBars::TrackPopupMenu(pPopup, TPM_RETURNCMD | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, this);
        if (nCommand == ID_CLASSVIEW_GO_TO_DECLARATION)
            OpenDeclaration(pRecord);
    }
    menu.DestroyMenu();
}

void CClassViewPane::OnGoToDeclaration()
{
    // The menu returns its command to OnTreeRightClick, which opens the declaration.
}
