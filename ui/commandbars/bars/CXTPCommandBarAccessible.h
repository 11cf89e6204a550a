// The accessibility face of a command bar: its controls as children (id = index + 1) with their
// captions, menu-item role, selection state and screen rectangles.
#pragma once

#include <windows.h>
#include <oleacc.h>

class CXTPCommandBar;

class CXTPCommandBarAccessible : public IAccessible {
public:
    explicit CXTPCommandBarAccessible(CXTPCommandBar* pBar) : m_pBar(pBar) {}
    virtual ~CXTPCommandBarAccessible() = default;

    // IUnknown: the bar's reference count.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    STDMETHODIMP get_accParent(IDispatch** ppdispParent) override;
    STDMETHODIMP get_accChildCount(long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;
    STDMETHODIMP get_accValue(VARIANT, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pvarState) override;
    STDMETHODIMP get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP get_accFocus(VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP get_accSelection(VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP accSelect(long, VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    STDMETHODIMP accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP accHitTest(long, long, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // The control index of a child id, or -1 for the bar itself and ids out of range.
    int ChildIndex(const VARIANT& varChild) const;

    CXTPCommandBar* m_pBar;
};
