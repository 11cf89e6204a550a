// The resource manager: loads in the thread's interface language, and the process-wide current manager.
#include "CXTPResourceManager.h"

#include <memory>

#include "AfxResource.h"
#include "CGdiObject.h"
#include "CMenu.h"
#include "CToolBar.h"
#include "CWinApp.h"

namespace {

// The current manager, deleted at process exit.
std::unique_ptr<CXTPResourceManager>& CurrentManager()
{
    static std::unique_ptr<CXTPResourceManager> s_current;
    if (!s_current)
        s_current = std::make_unique<CXTPResourceManager>();
    return s_current;
}

// The bytes of a resource in the thread's language; null when missing.
const BYTE* LockFound(LPCSTR name, LPCSTR type, DWORD& size)
{
    HRSRC found = AfxFindResource(name, type);
    HGLOBAL loaded = found ? ::LoadResource(AfxGetResourceHandle(), found) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    size = bytes ? ::SizeofResource(AfxGetResourceHandle(), found) : 0;
    return bytes;
}

// Bytes of a packed bitmap's colour table; -1 when the header is not one a bitmap resource holds.
LONGLONG ColorTableBytes(const BITMAPINFOHEADER& header)
{
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1)
        return -1;
    LONGLONG colors = header.biClrUsed;
    if (colors == 0 && header.biBitCount <= 8)
        colors = 1LL << header.biBitCount;
    LONGLONG masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    return colors * static_cast<LONGLONG>(sizeof(RGBQUAD)) + masks;
}

// Bytes of the pixel rows of an uncompressed bitmap; -1 for a size no bitmap can have.
LONGLONG PixelBytes(const BITMAPINFOHEADER& header)
{
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biBitCount == 0 || header.biBitCount > 32)
        return -1;
    LONGLONG height = header.biHeight < 0 ? -static_cast<LONGLONG>(header.biHeight) : header.biHeight;
    LONGLONG stride = ((static_cast<LONGLONG>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    return stride * height;
}

} // namespace

CXTPResourceManager* XTPResourceManager()
{
    return CurrentManager().get();
}

BOOL CXTPResourceManager::SetResourceManager(CXTPResourceManager* pNew)
{
    if (!pNew)
        return FALSE;
    std::unique_ptr<CXTPResourceManager>& current = CurrentManager();
    // Installing the current one again would delete it under its users.
    if (pNew == current.get())
        return TRUE;
    if (!pNew->m_bValid) {
        delete pNew;
        return FALSE;
    }
    current.reset(pNew);
    return TRUE;
}

BOOL CXTPResourceManager::LoadString(CString* pString, UINT nID)
{
    CString text;
    if (!pString || !AfxLoadString(nID, text))
        return FALSE;
    *pString = text;
    return TRUE;
}

BOOL CXTPResourceManager::LoadMenu(CMenu* pMenu, UINT nIDResource)
{
    return pMenu && pMenu->LoadMenu(LOWORD(nIDResource));
}

BOOL CXTPResourceManager::LoadToolBar(CToolBar* pToolBar, UINT nIDResource)
{
    return pToolBar && pToolBar->LoadToolBar(nIDResource);
}

BOOL CXTPResourceManager::LoadBitmap(CBitmap* pBitmap, UINT nIDResource)
{
    if (!pBitmap)
        return FALSE;
    // The platform loader would choose the language itself: the bitmap is made from the
    // resource found in the thread's language, after its header and sizes are checked.
    DWORD size = 0;
    const BYTE* bytes = LockFound(MAKEINTRESOURCEA(LOWORD(nIDResource)), MAKEINTRESOURCEA(2), size);  // RT_BITMAP
    if (!bytes || size < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER header;
    memcpy(&header, bytes, sizeof(header));
    if (header.biSize > size || (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS))
        return FALSE;
    LONGLONG table = ColorTableBytes(header);
    LONGLONG pixels = PixelBytes(header);
    if (table < 0 || pixels < 0 || header.biSize + table + pixels > static_cast<LONGLONG>(size))
        return FALSE;
    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(bytes);
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateDIBitmap(screen, &header, CBM_INIT, bytes + header.biSize + table, info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (!bitmap)
        return FALSE;
    pBitmap->DeleteObject();
    return pBitmap->Attach(bitmap);
}

LPCDLGTEMPLATE CXTPResourceManager::LoadDialogTemplate(LPCSTR pszTemplate)
{
    DWORD size = 0;
    const BYTE* bytes = LockFound(pszTemplate, MAKEINTRESOURCEA(5), size);  // RT_DIALOG
    return bytes && size >= sizeof(DLGTEMPLATE) ? reinterpret_cast<LPCDLGTEMPLATE>(bytes) : nullptr;
}

int CXTPResourceManager::ShowMessageBox(UINT nIDPrompt, UINT nType)
{
    CString text;
    LoadString(&text, nIDPrompt);
    return AfxMessageBox(text, nType);
}
