// Dialog windows from templates, modal with the framework's own loop or modeless.
#pragma once

#include "CDataExchange.h"
#include "CWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog();
    // The template is a dialog resource found in the interface language.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(const char* lpszTemplateName, CWnd* pParentWnd = nullptr);

    // A template in memory; it must stay valid while the dialog runs.
    BOOL InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Runs the dialog until EndDialog; its result, or -1 when the dialog could not be made.
    virtual INT_PTR DoModal();

    // Modeless.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL Create(const char* lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Exchanges data into the controls; TRUE gives the focus to the first control.
    virtual BOOL OnInitDialog();
    // Validates and ends with IDOK; a failed exchange keeps the dialog open.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;

    CWnd* m_pParentWnd = nullptr;
    const char* m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATEA m_lpDialogTemplate = nullptr;
    UINT m_nIDHelp = 0;

    DECLARE_MESSAGE_MAP()

protected:
    // The window a dialog belongs to: the parent's top-level window, else the main window.
    HWND DialogOwner() const;
    // The dialog procedure's share: WM_INITDIALOG.
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, CWnd* pParentWnd);
    LPCDLGTEMPLATEA LoadTemplate() const;

    BOOL m_bModal = FALSE;
};

// Base of the system's common dialogs: the system runs them, so OK and Cancel keep its own
// handling, and the framework learns of them through a hook.
class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)

public:
    void OnOK() override;
    void OnCancel() override;

protected:
    CCommonDialog() = default;
    // Runs the system's dialog with this object attached to it; IDOK when it reports success.
    template <class Run>
    INT_PTR RunSystemDialog(Run run)
    {
        AfxHookWindowCreate(this);
        BOOL ok = run();
        AfxUnhookWindowCreate();
        if (m_hWnd)
            Detach();
        return ok ? IDOK : IDCANCEL;
    }
    // The hook given to the system: OnInitDialog of the object attached to the dialog (or, for a
    // template of extra controls, to its parent).
    static UINT_PTR CALLBACK CommonDialogHook(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
