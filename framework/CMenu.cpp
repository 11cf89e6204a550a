// Menus: the menu map, loading by interface language, items and popup tracking.
#include "CMenu.h"

#include "AfxResource.h"
#include "CWnd.h"
#include "HandleMap.h"

struct MenuMapAccess {
    static void Forget(CMenu* menu) { menu->m_hMenu = nullptr; }
};

namespace {

HandleMap<HMENU, CMenu>& Map()
{
    thread_local HandleMap<HMENU, CMenu> map(&MenuMapAccess::Forget);
    return map;
}

BOOL Keep(CMenu& menu, HMENU hMenu)
{
    return Map().Adopt(hMenu, menu.m_hMenu, &menu, ::DestroyMenu);
}

} // namespace

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return Map().FromHandle(hMenu, [](HMENU handle) {
        auto* menu = new CMenu;
        menu->m_hMenu = handle;
        return menu;
    });
}

void CMenu::DeleteTempMap()
{
    Map().DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    return Map().Attach(hMenu, m_hMenu, this);
}

HMENU CMenu::Detach()
{
    return Map().Detach(m_hMenu, this);
}

BOOL CMenu::CreateMenu()
{
    return Keep(*this, ::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Keep(*this, ::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CMenu::LoadMenu(const char* lpszResourceName)
{
    // LoadMenu would pick the language itself; the interface language decides here.
    HRSRC found = AfxFindResource(lpszResourceName, reinterpret_cast<LPCSTR>(RT_MENU));
    HGLOBAL loaded = found ? ::LoadResource(AfxGetResourceHandle(), found) : nullptr;
    const void* menuTemplate = loaded ? ::LockResource(loaded) : nullptr;
    return menuTemplate && LoadMenuIndirect(menuTemplate);
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return lpMenuTemplate && Keep(*this, ::LoadMenuIndirectA(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    HMENU hMenu = Detach();
    return hMenu ? ::DestroyMenu(hMenu) : FALSE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos) const
{
    return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
}

int CMenu::GetMenuItemCount() const
{
    return ::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, char* lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    // Measured first, so a long item text arrives whole.
    const int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0) {
        rString.Empty();
        return 0;
    }
    char* buffer = rString.GetBuffer(length);
    const int copied = ::GetMenuStringA(m_hMenu, nIDItem, buffer, length + 1, nFlags);
    rString.ReleaseBuffer(copied);
    return copied;
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos) const
{
    return ::GetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos)
{
    return ::SetMenuItemInfoA(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}
