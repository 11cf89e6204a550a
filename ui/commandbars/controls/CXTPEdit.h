// The edit window of the command-bar text fields: plain or rich edit, with a Cut/Copy/Paste
// context menu drawn as a command-bar popup.
#pragma once

#include <windows.h>

#include "CEdit.h"

class CCmdUI;

class CXTPEdit : public CEdit {
    DECLARE_DYNCREATE(CXTPEdit)

public:
    // Fields are made as rich-edit windows while this is on and the rich-edit library loads.
    static void SetRichEditMode(BOOL bRichEdit);
    static BOOL IsRichEditMode();

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The field of a bar control: made once as the bar's child with the font, the kept text and
    // the enabled state, then parented to the bar, its margins cleared, moved and shown or hidden.
    BOOL PlaceField(CWnd* pBar, const CRect& rcField, HFONT hFont, const CString& strText, BOOL bEnabled, BOOL bShow);
    // The clipboard menu at a screen point; FALSE when its texts cannot be loaded.
    BOOL ShowContextMenu(CPoint point);

    DECLARE_MESSAGE_MAP()

protected:
    void OnUpdateCut(CCmdUI* pCmdUI);
    void OnUpdateCopy(CCmdUI* pCmdUI) { OnUpdateCut(pCmdUI); }
    void OnUpdatePaste(CCmdUI* pCmdUI);
    void OnEditCut() { SendMessage(WM_CUT); }
    void OnEditCopy() { SendMessage(WM_COPY); }
    void OnEditPaste() { SendMessage(WM_PASTE); }
    // Undo and Select All too: the frame's shortcuts for them would reach the document instead.
    void OnEditUndo() { SendMessage(EM_UNDO); }
    void OnEditSelectAll() { SetSel(0, -1); }
    // Paints a plain edit through a buffer filled with clrBack (no flicker); a rich edit paints itself.
    void PaintField(COLORREF clrBack);
    // A rich edit made by Create (the flag may change while the window lives).
    BOOL IsRichEditWindow() const { return m_bRichEdit; }

    BOOL m_bRichEdit = FALSE;
};
