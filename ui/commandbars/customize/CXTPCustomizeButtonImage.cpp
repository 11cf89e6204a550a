// The customize context menu's button picture actions: the clipboard both ways and the editor.
#include "CXTPCustomizeButtonImage.h"

#include <ole2.h>

#include "CDC.h"
#include "CGdiObject.h"
#include "CImageList.h"
#include "COleDataObject.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPImageEditorDlg.h"
#include "CXTPImageManager.h"
#include "CXTPImageManagerIcon.h"

namespace {

BOOL IsButtonKind(const CXTPControl* pControl)
{
    const XTPControlType type = pControl ? pControl->GetType() : xtpControlError;
    return type >= xtpControlButton && type <= xtpControlSplitButtonPopup;
}

CXTPImageManagerIcon* GetPicture(CXTPCommandBars* pCommandBars, const CXTPControl* pControl)
{
    const int nID = CXTPCustomizeButtonImage::GetPictureId(pControl);
    return nID > 0 ? pCommandBars->GetImageManager()->GetImage(static_cast<UINT>(nID), 16) : nullptr;
}

// The control shows its new picture.
void SetCustomIcon(CXTPControl* pControl, UINT nID)
{
    pControl->SetCustomIconId(static_cast<int>(nID));
    if (CXTPCommandBar* pBar = pControl->GetParent()) {
        pBar->OnRecalcLayout();
        if (pBar->m_hWnd)
            pBar->Invalidate(FALSE);
    }
}

// A new custom icon of the clipboard's bitmap (the clipboard open): its own alpha when the
// marker vouches for it, else masked by the button face colour; 0 when there is none.
UINT AddClipboardBitmap(CXTPImageManager* pImageManager)
{
    HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return 0;
    CXTPImageManagerIconHandle hIcon;
    if (::IsClipboardFormatAvailable(CXTPImageManager::m_nAlphaClipFormat)) {
        hIcon.AttachBitmap(CXTPImageManager::CopyAlphaBitmap(hBitmap));
    } else {
        CImageList list;
        if (!list.Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1))
            return 0;
        list.Add(CBitmap::FromHandle(hBitmap), ::GetSysColor(COLOR_3DFACE));
        if (list.GetImageCount() == 1)
            hIcon.SetIcon(list.ExtractIcon(0));
    }
    return hIcon.IsEmpty() ? 0 : pImageManager->AddCustomIcon(hIcon);
}

}  // namespace

int CXTPCustomizeButtonImage::GetPictureId(const CXTPControl* pControl)
{
    if (!pControl)
        return 0;
    if (pControl->GetCustomIconId() != 0)
        return pControl->GetCustomIconId();
    return pControl->GetIconId() > 0 ? pControl->GetIconId() : static_cast<int>(pControl->GetID());
}

BOOL CXTPCustomizeButtonImage::CanCopy(const CXTPControl* pControl)
{
    return IsButtonKind(pControl) && GetPictureId(pControl) > 0;
}

BOOL CXTPCustomizeButtonImage::CanPaste(const CXTPControl* pControl)
{
    return IsButtonKind(pControl) && (::IsClipboardFormatAvailable(CF_BITMAP) ||
                                      ::IsClipboardFormatAvailable(CXTPImageManager::m_nImageClipFormat));
}

BOOL CXTPCustomizeButtonImage::Copy(CXTPCommandBars* pCommandBars, CXTPControl* pControl, HWND hWndOwner)
{
    CXTPImageManagerIcon* pPicture = pCommandBars && CanCopy(pControl) ? GetPicture(pCommandBars, pControl) : nullptr;
    if (!pPicture)
        return FALSE;
    // The picture drawn on the button face, as the system's bitmap.
    const CSize size = pPicture->GetExtent();
    CDC dcScreen;
    dcScreen.Attach(::GetDC(nullptr));
    HBITMAP hBitmap = ::CreateCompatibleBitmap(dcScreen, size.cx, size.cy);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    ::ReleaseDC(nullptr, dcScreen.Detach());
    if (!hBitmap)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(dc, hBitmap);
    const RECT rc = {0, 0, size.cx, size.cy};
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_3DFACE));
    pPicture->Draw(&dc, CPoint(0, 0), pPicture->GetIcon(), size);
    ::SelectObject(dc, hOld);
    if (!::OpenClipboard(hWndOwner)) {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_BITMAP, hBitmap))
        ::DeleteObject(hBitmap);
    pCommandBars->GetImageManager()->CopyIconToClipboard(static_cast<UINT>(GetPictureId(pControl)));
    ::CloseClipboard();
    return TRUE;
}

BOOL CXTPCustomizeButtonImage::Paste(CXTPCommandBars* pCommandBars, CXTPControl* pControl, HWND hWndOwner)
{
    if (!pCommandBars || !IsButtonKind(pControl))
        return FALSE;
    CXTPImageManager* pImageManager = pCommandBars->GetImageManager();
    UINT nID = 0;
    // The image manager's own picture keeps every image of the set.
    LPDATAOBJECT lpDataObject = nullptr;
    if (::IsClipboardFormatAvailable(CXTPImageManager::m_nImageClipFormat) &&
        SUCCEEDED(::OleGetClipboard(&lpDataObject))) {
        COleDataObject data;
        data.Attach(lpDataObject);
        nID = pImageManager->PasteIconFromClipboard(&data);
    }
    if (!nID && ::OpenClipboard(hWndOwner)) {
        nID = AddClipboardBitmap(pImageManager);
        ::CloseClipboard();
    }
    if (!nID)
        return FALSE;
    SetCustomIcon(pControl, nID);
    return TRUE;
}

BOOL CXTPCustomizeButtonImage::Edit(CXTPCommandBars* pCommandBars, CXTPControl* pControl, CWnd* pParent)
{
    if (!pCommandBars || !CanCopy(pControl))
        return FALSE;
    CXTPImageEditorDlg editor(pParent);
    if (CXTPImageManagerIcon* pPicture = GetPicture(pCommandBars, pControl))
        editor.SetIcon(pPicture->GetIcon());
    else
        editor.SetIconSize(CSize(16, 16));
    CXTPImageManagerIconHandle hIcon;
    if (editor.DoModal() != IDOK || !editor.GetIcon(hIcon))
        return FALSE;
    CXTPImageManager* pImageManager = pCommandBars->GetImageManager();
    if (pControl->GetCustomIconId() == 0) {
        SetCustomIcon(pControl, pImageManager->AddCustomIcon(hIcon));
    } else {
        pImageManager->SetIcon(hIcon, static_cast<UINT>(pControl->GetCustomIconId()));
        SetCustomIcon(pControl, static_cast<UINT>(pControl->GetCustomIconId()));
    }
    return TRUE;
}
