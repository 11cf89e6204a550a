// The folder browser started on the folder the user had.
#include "CXTFolderDialog.h"

#include <cstring>

namespace {
CXTBrowseChooser g_chooser;
}

CXTBrowseChooser CXTFolderDialog::SetChooser(const CXTBrowseChooser& chooser)
{
    const CXTBrowseChooser previous = g_chooser;
    g_chooser = chooser;
    return previous;
}

const CXTBrowseChooser& CXTFolderDialog::GetChooser()
{
    return g_chooser;
}

CXTFolderDialog::CXTFolderDialog(HWND hWndOwner, const char* lpszInitialFolder, const char* lpszTitle)
    : m_strTitle(lpszTitle ? lpszTitle : "")
{
    if (lpszInitialFolder)
        lstrcpynA(m_szDisplayName, lpszInitialFolder, MAX_PATH);
    m_bi.hwndOwner = hWndOwner;
    m_bi.pidlRoot = nullptr;
    m_bi.pszDisplayName = m_szDisplayName;
    m_bi.lpszTitle = m_strTitle;
    m_bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    m_bi.lpfn = BrowseCallback;
    m_bi.lParam = (LPARAM)this;
}

int CALLBACK CXTFolderDialog::BrowseCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    auto* self = reinterpret_cast<CXTFolderDialog*>(lpData);
    if (uMsg == BFFM_INITIALIZED && self->m_szDisplayName[0])
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, (LPARAM)self->m_szDisplayName);
    if (uMsg == BFFM_SELCHANGED && (self->m_bi.ulFlags & BIF_STATUSTEXT)) {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path))
            ::SendMessageA(hWnd, BFFM_SETSTATUSTEXTA, 0, (LPARAM)path);
    }
    return 0;
}

BOOL CXTFolderDialog::RunSystemBrowser(CString& path)
{
    const HRESULT hrInit = ::CoInitialize(nullptr);
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(&m_bi);
    BOOL chosen = FALSE;
    if (pidl) {
        char buffer[MAX_PATH] = {};
        chosen = ::SHGetPathFromIDListA(pidl, buffer);
        if (chosen)
            path = buffer;
        ::CoTaskMemFree(pidl);
    }
    if (SUCCEEDED(hrInit))
        ::CoUninitialize();
    return chosen;
}

BOOL CXTFolderDialog::DoModal(CString& path)
{
    return g_chooser.pfnChooseFolder ? g_chooser.pfnChooseFolder(*this, path) : RunSystemBrowser(path);
}
