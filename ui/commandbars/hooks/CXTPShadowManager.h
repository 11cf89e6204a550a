// Drop shadows of popups: two strip windows per owner (under it and at its right) that follow the
// owner's visibility and die with it, made and listed by the process's shadow manager.
#pragma once

#include <windows.h>

#include <vector>

#include "CRect.h"
#include "CWnd.h"
#include "CXTPWindowHookSink.h"

class CXTPCommandBar;
class CXTPControl;
class CXTPShadowManager;

class CXTPShadowWnd : public CWnd, public CXTPWindowHookSink {
public:
    CXTPShadowWnd(CXTPShadowManager* pManager, BOOL bBottom, BOOL bLight, CWnd* pOwner);

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    BOOL IsBottom() const { return m_bBottom; }
    BOOL IsLight() const { return m_bLight; }
    CWnd* GetOwnerWnd() const { return m_pOwnerWnd; }
    void ClearOwner() { m_pOwnerWnd = nullptr; }

    // The layered picture of a strip cx x cy (top-down 32-bit words, premultiplied): lines
    // across the thickness get alpha 15·k·i (i = 4 next to the owner), the 4 x 4 end squares
    // 3·k·i·j; k is 1 for light shadows, else 2.
    static void ComputePixels(DWORD* pPixels, int cx, int cy, BOOL bBottom, COLORREF clrShadow, BOOL bLight);

    DECLARE_MESSAGE_MAP()

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    LRESULT OnNcHitTest(CPoint point);
    void PostNcDestroy() override {}

private:
    void UpdateLayeredPicture(int cx, int cy);

    CXTPShadowManager* m_pManager;
    BOOL m_bBottom;
    BOOL m_bLight;
    CWnd* m_pOwnerWnd;
};

class CXTPShadowManager {
public:
    // Looks up layered windows in USER32.
    CXTPShadowManager();
    // Layered shadows only when bLayered and the system has them.
    explicit CXTPShadowManager(BOOL bLayered);
    ~CXTPShadowManager();
    CXTPShadowManager(const CXTPShadowManager&) = delete;
    CXTPShadowManager& operator=(const CXTPShadowManager&) = delete;

    // Shadows of a popup bar, with rcExclude (the button it hangs from, screen) cut out.
    void SetShadow(CXTPCommandBar* pBar, CRect rcExclude);
    // Shadows of the control that opened a popup, owned by its popup bar.
    void SetShadow(CXTPControl* pControl);
    void RemoveShadow(CWnd* pOwner);

    BOOL IsLayered() const { return m_pfnUpdateLayeredWindow != nullptr; }
    int GetThickness() const { return IsLayered() ? 4 : 2; }
    const std::vector<CXTPShadowWnd*>& GetShadows() const { return m_arrShadows; }
    BOOL UpdateLayered(HWND hWnd, HDC hdcSrc, SIZE size, POINT ptSrc);

private:
    friend class CXTPShadowWnd;
    void CreateShadow(BOOL bBottom, CRect rcOwner, CRect rcExclude, CWnd* pOwner, BOOL bLight);
    void RemoveOne(CXTPShadowWnd* pShadow);

    using PFNUPDATELAYEREDWINDOW = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
    PFNUPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow = nullptr;
    std::vector<CXTPShadowWnd*> m_arrShadows;
};

// The process's shadow manager.
CXTPShadowManager* XTPShadowManager();
