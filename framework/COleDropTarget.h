// A window's part in drag and drop: the system's drop-target interface, answered by virtual handlers.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "CCmdTarget.h"
#include "COleDataObject.h"
#include "CRect.h"

class CWnd;

using DROPEFFECT = DWORD;

class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)

public:
    COleDropTarget();
    ~COleDropTarget() override;  // revokes

    // Makes the window a drop target; needs the system's drag and drop started in this thread
    // (OleInitialize). FALSE when the window is missing or already has a target, or the system
    // refuses.
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    // The handlers, with the point in the window's client coordinates and the key and mouse
    // state of the drag (MK_*). An effect the source does not allow is answered as none.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // TRUE when the data was taken.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    // The interface the system calls.
    IDropTarget* GetDropTarget() { return &m_xDropTarget; }

protected:
    HWND m_hWnd = nullptr;

private:
    class XDropTarget : public IDropTarget {
    public:
        explicit XDropTarget(COleDropTarget* owner) : m_owner(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                            DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragLeave() override;
        HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    private:
        // The effect the handler answers, or none.
        template <class Handler>
        HRESULT Answer(DWORD* pdwEffect, Handler handler);
        COleDropTarget* m_owner;
    };

    CWnd* Window() const;
    CPoint ToClient(POINTL pt) const;

    XDropTarget m_xDropTarget{this};
    COleDataObject m_dataObject;  // the data of the drag in progress
};
