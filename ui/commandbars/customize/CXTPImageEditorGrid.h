// The button image editor's views of its picture: the magnified grid the tools work in, and the
// preview at the picture's real size.
#pragma once

#include "CWnd.h"

class CXTPImageEditorDlg;

class CXTPImageEditorGrid : public CWnd {
public:
    explicit CXTPImageEditorGrid(CXTPImageEditorDlg* pEditor) : m_pEditor(pEditor) {}

    // The cell of a client point.
    CPoint CellFromPoint(CPoint point) const;
    // Paints the client area into the DC.
    void Draw(HDC hDC) const;
    CSize m_szCell = CSize(1, 1);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    CXTPImageEditorDlg* m_pEditor;
};

class CXTPImageEditorPreview : public CWnd {
public:
    explicit CXTPImageEditorPreview(CXTPImageEditorDlg* pEditor) : m_pEditor(pEditor) {}

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    CXTPImageEditorDlg* m_pEditor;
};
