// The drop target: registration on a window and the system's calls turned into the virtual handlers.
#include "COleDropTarget.h"

#include "CException.h"
#include "CView.h"
#include "CWnd.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

// Runs a handler; an exception never goes back into the system's drag loop.
template <class Call>
HRESULT Guarded(Call call)
{
    try {
        call();
        return S_OK;
    } catch (CException* e) {
        e->Delete();
        return E_UNEXPECTED;
    }
}

CView* AsView(CWnd* pWnd)
{
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pWnd) : nullptr;
}

}  // namespace

COleDropTarget::COleDropTarget() = default;

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (!pWnd || !::IsWindow(pWnd->m_hWnd) || m_hWnd)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, &m_xDropTarget)))
        return FALSE;
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_hWnd)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
    m_dataObject.Release();
}

// The defaults leave the drag to the window when it is a view.
DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* view = AsView(pWnd);
    return view ? view->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* view = AsView(pWnd);
    return view ? view->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (CView* view = AsView(pWnd))
        view->OnDragLeave();
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CView* view = AsView(pWnd);
    return view && view->OnDrop(pDataObject, dropEffect, point);
}

CWnd* COleDropTarget::Window() const
{
    return CWnd::FromHandle(m_hWnd);
}

CPoint COleDropTarget::ToClient(POINTL pt) const
{
    POINT point = {pt.x, pt.y};
    ::ScreenToClient(m_hWnd, &point);
    return CPoint(point.x, point.y);
}

HRESULT COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// The object lives as long as its owner keeps it; the system's references only count.
ULONG COleDropTarget::XDropTarget::AddRef()
{
    return m_owner->InternalAddRef();
}

ULONG COleDropTarget::XDropTarget::Release()
{
    return m_owner->InternalRelease();
}

template <class Handler>
HRESULT COleDropTarget::XDropTarget::Answer(DWORD* pdwEffect, Handler handler)
{
    if (!pdwEffect)
        return E_INVALIDARG;
    // Only effects the source allows; none once the target has let go of its window.
    const DWORD allowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    if (!m_owner->m_hWnd)
        return S_OK;
    return Guarded([&] { *pdwEffect = handler() & allowed; });
}

HRESULT COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return Answer(pdwEffect, [&] {
        if (pDataObj)
            pDataObj->AddRef();
        m_owner->m_dataObject.Attach(pDataObj);
        return m_owner->OnDragEnter(m_owner->Window(), &m_owner->m_dataObject, grfKeyState, m_owner->ToClient(pt));
    });
}

HRESULT COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return Answer(pdwEffect, [&] {
        return m_owner->OnDragOver(m_owner->Window(), &m_owner->m_dataObject, grfKeyState, m_owner->ToClient(pt));
    });
}

HRESULT COleDropTarget::XDropTarget::DragLeave()
{
    if (!m_owner->m_hWnd)
        return S_OK;
    HRESULT hr = Guarded([&] { m_owner->OnDragLeave(m_owner->Window()); });
    m_owner->m_dataObject.Release();
    return hr;
}

HRESULT COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    const DWORD allowed = pdwEffect ? *pdwEffect : DROPEFFECT_NONE;
    HRESULT hr = Answer(pdwEffect, [&] {
        if (pDataObj && pDataObj != m_owner->m_dataObject.m_lpDataObject) {
            pDataObj->AddRef();
            m_owner->m_dataObject.Attach(pDataObj);
        }
        CPoint point = m_owner->ToClient(pt);
        // The last answer to a drag over this point is the effect the drop is made with.
        DROPEFFECT effect = m_owner->OnDragOver(m_owner->Window(), &m_owner->m_dataObject, grfKeyState, point) & allowed;
        if (effect != DROPEFFECT_NONE && m_owner->OnDrop(m_owner->Window(), &m_owner->m_dataObject, effect, point))
            return effect;
        m_owner->OnDragLeave(m_owner->Window());
        return static_cast<DROPEFFECT>(DROPEFFECT_NONE);
    });
    m_owner->m_dataObject.Release();
    return hr;
}
