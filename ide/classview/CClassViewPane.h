// The window of the "Class View" pane: a toolbar over a tree of the symbol model's records,
// grouped under six roots; a double-click or the context command opens a declaration.
#pragma once

#include <windows.h>

#include "CImageList.h"
#include "CTreeClass.h"
#include "CWnd.h"
#include "CXTPToolBar.h"
#include "ResourceIds.h"

class zCTypedHead;

enum : UINT {
    ID_CLASSVIEW_TOOLBAR = AFX_IDW_TOOLBAR
};

class CClassViewPane : public CWnd {
public:
    CClassViewPane();
    ~CClassViewPane() override;

    // Rebuilds the tree from g_typedInfo; the items point into its records until the next build.
    void FillTree();
    // Opens the record's file (resolved against the project folder unless it is a full path)
    // and puts its first view, focused, on the record's line; 32913 when the file cannot be opened.
    // FALSE when it was not opened.
    BOOL OpenDeclaration(const zCTypedHead* pRecord);
    // The record of the item under a tree point when the point is on its icon or label
    // (bStateIcon: or its state icon); null for a root item or an empty place, and for every
    // item once the model was cleared without the tree being refilled.
    const zCTypedHead* RecordAt(CPoint ptTree, BOOL bStateIcon) const;

    CDockPaneWnd<CTreeClass>& GetTree() { return m_wndTree; }
    CXTPToolBar& GetToolBar() { return m_wndToolBar; }

    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnTreeRightClick(NMHDR* pNotify, LRESULT* pResult);
    void OnGoToDeclaration();

    DECLARE_MESSAGE_MAP()

private:
    void CreateImages();

    CDockPaneWnd<CTreeClass> m_wndTree;
    CImageList m_images;
    CXTPToolBar m_wndToolBar;
    // The model's generation the items point into.
    unsigned m_nGeneration = 0;
};
