// A window with the library's dialog controls, to be looked at in a screenshot: themed buttons,
// flat combo and edit, browse edits, a hyperlink, a flat tab strip sharing a list's scroll bar,
// and the resizer's size grip.
#include <windows.h>
#include <commctrl.h>

#include "CListCtrl.h"
#include "CWnd.h"
#include "CXTBrowseEdit.h"
#include "CXTButton.h"
#include "CXTFlatComboBox.h"
#include "CXTFlatControlsTheme.h"
#include "CXTFlatEdit.h"
#include "CXTFlatTabCtrl.h"
#include "CXTHyperLink.h"
#include "CXTResize.h"

namespace {

class ShowFrame : public CWnd {
public:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_DESTROY)
            ::PostQuitMessage(0);
        if (message == WM_SIZE && resize)
            resize->ResizeControls();
        if (message == WM_ERASEBKGND) {
            CRect rc;
            GetClientRect(&rc);
            ::FillRect((HDC)wParam, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
            *pResult = TRUE;
            return TRUE;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    CXTResize* resize = nullptr;
};

HWND Label(CWnd& parent, const char* text, int x, int y)
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE, x, y, 150, 18, parent.m_hWnd, nullptr,
                                  nullptr, nullptr);
    ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), TRUE);
    return hWnd;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    ShowFrame frame;
    frame.CreateEx(0, CWnd::DefaultClassName(), "Dialog controls", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 720,
                   560, nullptr, nullptr);
    const HFONT font = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);

    Label(frame, "Buttons:", 10, 14);
    CXTButton classic, flat, xp;
    classic.Create("&Classic", WS_CHILD | WS_VISIBLE, CRect(160, 10, 260, 36), &frame, 101);
    classic.SetXButtonStyle(0);
    flat.Create("&Flat checked", WS_CHILD | WS_VISIBLE, CRect(270, 10, 390, 36), &frame, 102);
    flat.SetXButtonStyle(BS_XT_FLAT | BS_XT_HILITEPRESSED);
    flat.SetChecked(TRUE);
    xp.Create("&XP style", WS_CHILD | WS_VISIBLE, CRect(400, 10, 500, 36), &frame, 103);
    xp.SetXButtonStyle(BS_XT_XPFLAT | BS_XT_FLAT);
    xp.SetIcon(CSize(16, 16), ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516)));  // IDI_INFORMATION
    for (CXTButton* b : {&classic, &flat, &xp})
        b->SendMessage(WM_SETFONT, (WPARAM)font, TRUE);

    Label(frame, "Flat combo (XP look):", 10, 52);
    CXTFlatComboBox combo;
    combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, CRect(160, 48, 360, 200), &frame, 104);
    combo.SendMessage(WM_SETFONT, (WPARAM)font, TRUE);
    for (const char* item : {"open", "print", "printer setup"})
        combo.AddString(item);
    combo.SetWindowText("print");
    combo.SetTheme(new CXTFlatControlsThemeXP);
    CXTFlatComboBox plainCombo;
    plainCombo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(370, 48, 520, 200), &frame, 105);
    plainCombo.SendMessage(WM_SETFONT, (WPARAM)font, TRUE);
    plainCombo.AddString("default look");
    plainCombo.SetCurSel(0);

    Label(frame, "Flat edit:", 10, 86);
    CXTFlatEdit flatEdit;
    flatEdit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "focused flat edit", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                      CRect(160, 82, 360, 104), &frame, 106);
    flatEdit.Initialize(&frame);

    Label(frame, "Browse: folder, file, menu", 10, 120);
    CXTBrowseEdit folder, file, menu;
    folder.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "C:\\windows", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                    CRect(160, 116, 360, 138), &frame, 107);
    folder.Initialize(&frame, BES_XT_CHOOSEDIR);
    file.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "script.d", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                  CRect(370, 116, 540, 138), &frame, 108);
    file.Initialize(&frame, BES_XT_CHOOSEFILE);
    menu.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "menu", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(550, 116, 700, 138),
                  &frame, 109);
    menu.Initialize(&frame, BES_XT_POPUPMENU, 9014, 1);

    Label(frame, "Hyperlink:", 10, 154);
    CXTHyperLink link;
    HWND hLink = ::CreateWindowExA(0, "STATIC", "http://example.invalid/varnok", WS_CHILD | WS_VISIBLE | SS_LEFT, 160,
                                   154, 300, 18, frame.m_hWnd, (HMENU)110, nullptr, nullptr);
    ::SendMessageA(hLink, WM_SETFONT, (WPARAM)font, TRUE);
    link.SubclassWindow(hLink);

    CXTFlatTabCtrl tabs;
    tabs.Create(WS_CHILD | WS_VISIBLE | FTS_XT_HASARROWS | FTS_XT_TOOLTIPS | FTS_XT_HSCROLL | FTS_XT_HASHOMEEND,
                CRect(10, 190, 700, 500), &frame, 111);
    CListCtrl* lists[3];
    const char* names[3] = {"Build", "Debug", "Find in Files"};
    for (int t = 0; t < 3; ++t) {
        lists[t] = new CListCtrl;
        lists[t]->Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 10, 10), &frame, 200 + t);
        for (int c = 0; c < 3; ++c)
            lists[t]->InsertColumn(c, c == 0 ? "Message" : "Column", LVCFMT_LEFT, 400);
        for (int r = 0; r < 12; ++r)
            lists[t]->InsertItem(r, r % 3 ? "Compiling script..." : "Warning: unused variable");
        tabs.InsertItem(t, names[t], lists[t]);
    }
    tabs.SetCurSel(0);

    CXTResize resize(&frame, 0);
    resize.InitResize();
    resize.SetControlAnchor(111, CXTAnchorRect(0, 0, 1, 1));
    frame.resize = &resize;

    frame.ShowWindow(SW_SHOW);
    frame.UpdateWindow();
    flatEdit.SetFocus();
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    for (CListCtrl* list : lists)
        delete list;
    return 0;
}
