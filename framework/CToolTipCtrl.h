// Tooltip controls: tools over windows or rectangles, their texts, delays and relayed mouse messages.
#pragma once

#include "CWnd.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNCREATE(CToolTipCtrl)

public:
    // A pop-up owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // A tool over a rectangle of pWnd with the id nIDTool, or over the whole window when
    // lpRectTool is null (then the window is the tool). lpszText may be LPSTR_TEXTCALLBACK.
    BOOL AddTool(CWnd* pWnd, const char* lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    // The text from the string table in the interface language.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(const char* lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    int GetToolCount() const;

    void Activate(BOOL bActivate);
    void SetDelayTime(UINT nDelay);
    void SetDelayTime(DWORD dwDuration, int iTime);
    int SetMaxTipWidth(int iWidth);
    void SetTipBkColor(COLORREF clr);
    void SetTipTextColor(COLORREF clr);
    void RelayEvent(LPMSG lpMsg);
    void Pop();

private:
    void FillInToolInfo(TTTOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
