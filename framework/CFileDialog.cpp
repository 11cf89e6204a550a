// The system's open and save dialogs: filter conversion, the hook that attaches the dialog, the chosen path.
#include "CFileDialog.h"

#include <cstring>

#include "AfxResource.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName, DWORD dwFlags,
                         const char* lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog)
{
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags;
    if (lpszFileName) {
        std::strncpy(m_szFileName, lpszFileName, sizeof(m_szFileName) - 1);
    }
    if (lpszDefExt) {
        m_strDefExt = lpszDefExt;
    }
    if (lpszFilter) {
        // The system wants the parts separated by zero bytes and ended by two.
        m_strFilter = lpszFilter;
        m_strFilter += '|';
        m_strFilter.Replace('|', '\0');
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = DialogOwner();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
    m_ofn.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : static_cast<const char*>(m_strFilter);
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : static_cast<const char*>(m_strDefExt);
    m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &CCommonDialog::CommonDialogHook;
    if ((m_ofn.Flags & (OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE)) == 0)
        m_ofn.hInstance = nullptr;
    else if ((m_ofn.Flags & OFN_ENABLETEMPLATE) && !m_ofn.hInstance)
        m_ofn.hInstance = AfxGetResourceHandle();

    return RunSystemDialog([this] { return m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn); });
}

CString CFileDialog::GetPathName() const
{
    return CString(m_szFileName);
}

CString CFileDialog::GetFileName() const
{
    CString path(m_szFileName);
    int slash = path.ReverseFind('\\');
    int other = path.ReverseFind('/');
    return path.Mid((slash > other ? slash : other) + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}
