// Views that are a common control of a given window class, which paints itself.
#pragma once

#include "CView.h"

class CCtrlView : public CView {
    DECLARE_DYNAMIC(CCtrlView)

public:
    CCtrlView(const char* lpszClass, DWORD dwStyle);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnDraw(CDC* pDC) override;
    void OnPaint();

    DECLARE_MESSAGE_MAP()

protected:
    CString m_strClass;
    DWORD m_dwDefaultStyle;
};
