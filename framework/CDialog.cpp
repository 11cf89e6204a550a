// Dialog windows: templates by resource or in memory, the modal loop, modeless creation, OK and Cancel.
#include "CDialog.h"

#include "AfxResource.h"
#include "CException.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate)
{
}

CDialog::CDialog(const char* lpszTemplateName, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_lpszTemplateName(lpszTemplateName)
{
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

LPCDLGTEMPLATEA CDialog::LoadTemplate() const
{
    if (m_lpDialogTemplate)
        return m_lpDialogTemplate;
    if (!m_lpszTemplateName)
        return nullptr;
    HRSRC found = AfxFindResource(m_lpszTemplateName, MAKEINTRESOURCEA(5));  // RT_DIALOG
    HGLOBAL loaded = found ? ::LoadResource(AfxGetResourceHandle(), found) : nullptr;
    return loaded ? static_cast<LPCDLGTEMPLATEA>(::LockResource(loaded)) : nullptr;
}

HWND CDialog::DialogOwner() const
{
    if (m_pParentWnd && m_pParentWnd->m_hWnd)
        return m_pParentWnd->GetTopLevelParent()->m_hWnd;
    CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd || !wnd->IsKindOf(RUNTIME_CLASS(CDialog)))
        return TRUE;
    auto* dialog = static_cast<CDialog*>(wnd);
    try {
        return dialog->OnInitDialog();
    } catch (CException* e) {
        // Never across the system's dialog code: the dialog ends as if it could not be made.
        e->Delete();
        dialog->EndDialog(-1);
        return FALSE;
    }
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, CWnd* pParentWnd)
{
    if (!lpTemplate || m_hWnd)
        return FALSE;
    HWND parent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), lpTemplate, parent, &CDialog::DialogProc, 0);
    AfxUnhookWindowCreate();
    if (!hWnd)
        return FALSE;
    return m_hWnd == hWnd;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATEA dialogTemplate = LoadTemplate();
    if (!dialogTemplate)
        return -1;
    // The owner is disabled while the dialog runs.
    HWND ownerWnd = DialogOwner();
    CWnd* owner = CWnd::FromHandle(ownerWnd);
    BOOL ownerWasEnabled = ownerWnd && ::IsWindowEnabled(ownerWnd);
    if (ownerWasEnabled)
        ::EnableWindow(ownerWnd, FALSE);

    m_bModal = TRUE;
    m_bContinueModal = TRUE;
    m_nModalResult = -1;
    if (CreateFromTemplate(dialogTemplate, owner)) {
        if (m_bContinueModal)
            RunModalLoop();
    }
    m_bModal = FALSE;
    m_bContinueModal = FALSE;

    DismissModal(ownerWnd, ownerWasEnabled);
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(const char* lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(LoadTemplate(), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpDialogTemplate, pParentWnd);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModal)
        EndModalLoop(nResult);
    else if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);  // a modeless dialog is hidden; its owner destroys it
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Keyboard navigation between the controls (Tab, arrows, Enter, Escape).
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}

void CDialog::NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}

void CDialog::SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }

// ---- Common dialogs ------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

void CCommonDialog::OnOK()
{
    Default();
}

void CCommonDialog::OnCancel()
{
    Default();
}

UINT_PTR CALLBACK CCommonDialog::CommonDialogHook(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd)
        wnd = CWnd::FromHandlePermanent(::GetParent(hWnd));
    if (!wnd || !wnd->IsKindOf(RUNTIME_CLASS(CDialog)))
        return TRUE;
    try {
        return static_cast<CDialog*>(wnd)->OnInitDialog();
    } catch (CException* e) {
        e->Delete();
        return TRUE;
    }
}
