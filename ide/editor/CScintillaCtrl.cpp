// CScintillaCtrl: creation of the editing window and its selection as text.
#include "CScintillaCtrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CScintillaCtrl, CWnd)

CScintillaCtrl::~CScintillaCtrl()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CScintillaCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CreateEx(0, "scintilla", nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    m_directFunction = reinterpret_cast<SciFnDirect>(GetDirectFunction());
    m_directPointer = static_cast<sptr_t>(GetDirectPointer());
    return TRUE;
}

CString CScintillaCtrl::GetSelText()
{
    const LRESULT length = GetSelText(LPARAM(0));
    if (length <= 0)
        return CString();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    GetSelText(reinterpret_cast<LPARAM>(buffer.data()));
    return CString(buffer.data(), static_cast<int>(length));
}
