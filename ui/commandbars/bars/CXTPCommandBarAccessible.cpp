// Accessibility of a command bar: names, roles, states and places of its controls.
#include "CXTPCommandBarAccessible.h"

#include "CXTPCommandBar.h"
#include "CXTPControl.h"

STDMETHODIMP CXTPCommandBarAccessible::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
        *ppv = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CXTPCommandBarAccessible::AddRef()
{
    return m_pBar->InternalAddRef();
}

STDMETHODIMP_(ULONG) CXTPCommandBarAccessible::Release()
{
    return m_pBar->InternalRelease();
}

int CXTPCommandBarAccessible::ChildIndex(const VARIANT& varChild) const
{
    if (varChild.vt != VT_I4 || varChild.lVal < 1 || varChild.lVal > m_pBar->GetControlCount())
        return -1;
    return varChild.lVal - 1;
}

STDMETHODIMP CXTPCommandBarAccessible::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent)
        *ppdispParent = nullptr;
    return S_OK;
}

STDMETHODIMP CXTPCommandBarAccessible::get_accChild(VARIANT, IDispatch** ppdispChild)
{
    if (ppdispChild)
        *ppdispChild = nullptr;
    return S_OK;
}

STDMETHODIMP CXTPCommandBarAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    int nIndex = ChildIndex(varChild);
    if (nIndex < 0 || !pszName)
        return E_NOTIMPL;
    CString strCaption = m_pBar->GetControl(nIndex)->GetCaption();
    int nChars = ::MultiByteToWideChar(CP_ACP, 0, strCaption, strCaption.GetLength(), nullptr, 0);
    *pszName = ::SysAllocStringLen(nullptr, static_cast<UINT>(nChars));
    if (!*pszName)
        return E_OUTOFMEMORY;
    ::MultiByteToWideChar(CP_ACP, 0, strCaption, strCaption.GetLength(), *pszName, nChars);
    return S_OK;
}

STDMETHODIMP CXTPCommandBarAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!pvarRole)
        return E_POINTER;
    ::VariantInit(pvarRole);
    if (varChild.vt == VT_I4 && varChild.lVal >= 1) {
        pvarRole->vt = VT_I4;
        pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    }
    return S_OK;
}

STDMETHODIMP CXTPCommandBarAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (!pvarState)
        return E_POINTER;
    int nIndex = ChildIndex(varChild);
    if (nIndex < 0)
        return E_NOTIMPL;
    ::VariantInit(pvarState);
    pvarState->vt = VT_I4;
    pvarState->lVal = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (nIndex == m_pBar->GetSelectedIndex())
        pvarState->lVal |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
    return S_OK;
}

STDMETHODIMP CXTPCommandBarAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                   VARIANT varChild)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_POINTER;
    if (!m_pBar->GetSafeHwnd())
        return E_NOTIMPL;
    CRect rc;
    int nIndex = ChildIndex(varChild);
    if (nIndex < 0) {
        m_pBar->GetWindowRect(&rc);
    } else {
        rc = m_pBar->GetControl(nIndex)->GetRect();
        m_pBar->ClientToScreen(&rc);
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}
