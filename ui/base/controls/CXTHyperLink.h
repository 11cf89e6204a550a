// A static text that acts as a link: hand cursor, hover and visited colours, a tooltip, opened by the shell.
#pragma once

#include <windows.h>

#include "CGdiObject.h"
#include "CStatic.h"
#include "CString.h"
#include "CToolTipCtrl.h"

class CXTHyperLink : public CStatic {
    DECLARE_DYNCREATE(CXTHyperLink)

public:
    // How links are opened and errors shown; tests put their own in place.
    struct Shell {
        HINSTANCE (*pfnShellExecute)(HWND hWnd, const char* lpszVerb, const char* lpszFile, const char* lpszParams,
                                     const char* lpszDir, int nShowCmd) = nullptr;
        int (*pfnMessageBox)(HWND hWnd, const char* lpszText, const char* lpszCaption, UINT nType) = nullptr;
    };
    // Returns the previous one; null members use the system.
    static Shell SetShell(const Shell& shell);

    CXTHyperLink();
    ~CXTHyperLink() override;

    virtual void SetLink(const char* lpszLink);
    virtual CString GetLink() const { return m_strLink; }
    virtual void SetColors(COLORREF crLink, COLORREF crVisited, COLORREF crHover);
    virtual COLORREF GetLinkColor() const { return m_crLink; }
    virtual COLORREF GetVisitedColor() const { return m_crVisited; }
    virtual COLORREF GetHoverColor() const { return m_crHover; }
    virtual void SetVisited(bool bVisited = true);
    virtual bool GetVisited() const { return m_bVisited; }
    virtual void SetHandCursor(HCURSOR hCursor) { m_hcurHand = hCursor; }
    virtual HCURSOR GetHandCursor() const { return m_hcurHand; }
    virtual void SetUnderline(bool bUnderline = true);
    virtual bool GetUnderline() const { return m_bUnderline; }
    virtual void SetBackColor(COLORREF crBack) { m_crBack = crBack; }
    virtual COLORREF GetBackColor() const;
    virtual BOOL OpenLink(const char* lpszLink = nullptr, int nShowCmd = SW_SHOW);
    virtual BOOL IsTextStatic() const;
    virtual BOOL IsPointerOverText();
    virtual void ShowShellError(int nCode);
    // The message of a shell error code (the unknown-error text formatted with the code).
    static CString GetShellErrorText(int nCode);

    bool IsHovering() const { return m_bHover; }
    CString GetTipText() const { return m_strTipText; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    bool m_bOpenOnClick = true;
    bool m_bInitPending = true;
    bool m_bUnderline = true;
    bool m_bHover = false;
    bool m_bVisited = false;
    bool m_bTipEnabled = true;
    CFont m_font;
    CString m_strLink;
    CString m_strTipText;
    HCURSOR m_hcurHand = nullptr;
    COLORREF m_crLink = 0x800000;
    COLORREF m_crHover = 0xFF0000;
    COLORREF m_crVisited = 0x800080;
    COLORREF m_crBack = 0xFFFFFFFF;
    CToolTipCtrl m_toolTip;

protected:
    void PreSubclassWindow() override;
    void OnInitControl();
    void OnHoverTimer();
};
