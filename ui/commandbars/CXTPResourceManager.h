// The one replaceable loader of the command bars' own strings, menus, bitmaps and dialog templates.
#pragma once

#include <windows.h>

#include "CString.h"

class CBitmap;
class CMenu;
class CToolBar;

// Loads in the calling thread's interface language, falling back to English. The library
// never calls the platform loaders for its own resources; it asks the current manager.
class CXTPResourceManager {
public:
    CXTPResourceManager() = default;
    virtual ~CXTPResourceManager() = default;
    CXTPResourceManager(const CXTPResourceManager&) = delete;
    CXTPResourceManager& operator=(const CXTPResourceManager&) = delete;

    // (<windows.h> renames the loaders to their A forms; declarations and calls agree.)
    // A missing string leaves *pString as it was.
    virtual BOOL LoadString(CString* pString, UINT nID);
    virtual BOOL LoadMenu(CMenu* pMenu, UINT nIDResource);
    // The buttons and images of a toolbar resource into a framework toolbar that has its window.
    virtual BOOL LoadToolBar(CToolBar* pToolBar, UINT nIDResource);
    virtual BOOL LoadBitmap(CBitmap* pBitmap, UINT nIDResource);
    // The locked template, valid while the resource module is loaded; null when missing.
    virtual LPCDLGTEMPLATE LoadDialogTemplate(LPCSTR pszTemplate);

    // The string nIDPrompt in a message box of type nType; the box's result.
    int ShowMessageBox(UINT nIDPrompt, UINT nType);

    // Installs pNew as the current manager, which then owns it, and deletes the previous
    // one. Null gives FALSE; an invalid pNew is deleted and FALSE returned. The current
    // manager itself is left alone (TRUE).
    static BOOL SetResourceManager(CXTPResourceManager* pNew);

    BOOL m_bValid = TRUE;
};

// The current resource manager; a default one is made on first use.
CXTPResourceManager* XTPResourceManager();
