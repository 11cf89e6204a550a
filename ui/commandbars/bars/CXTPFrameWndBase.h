// The frame base that connects a frame to its command bars: key translation, then the bars' own
// translation; every message seen by the bars first; a control's execute record as a routed notification.
#pragma once

#include <windows.h>

#include "CFrameWnd.h"
#include "CMDIFrameWnd.h"
#include "CXTPCommandBars.h"
#include "CXTPToolBar.h"
#include "ResourceIds.h"
#include "XTPCommandBarsTypes.h"

template <class TBase>
class CXTPFrameWndBase : public TBase {
public:
    ~CXTPFrameWndBase() override
    {
        if (m_pCommandBars)
            m_pCommandBars->InternalRelease();
    }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    // Makes the frame's command bars (once) from the class, with the frame as their site.
    BOOL InitCommandBars(CRuntimeClass* pCommandBarsClass = RUNTIME_CLASS(CXTPCommandBars))
    {
        if (m_pCommandBars)
            return TRUE;
        CObject* pObject = pCommandBarsClass ? pCommandBarsClass->CreateObject() : nullptr;
        m_pCommandBars = dynamic_cast<CXTPCommandBars*>(pObject);
        if (!m_pCommandBars) {
            delete pObject;
            return FALSE;
        }
        m_pCommandBars->SetSite(this);
        return TRUE;
    }

    // The framework's translation (accelerators) first, so shortcuts win over menu mnemonics.
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (TBase::PreTranslateMessage(pMsg))
            return TRUE;
        return m_pCommandBars && m_pCommandBars->PreTranslateFrameMessage(pMsg);
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (m_pCommandBars && m_pCommandBars->OnFrameWndMsg(message, wParam, lParam, pResult))
            return TRUE;
        if (message == WM_CMDBARS_EXECUTE && lParam) {
            auto* pRecord = reinterpret_cast<NMXTPCONTROL*>(lParam);
            LRESULT lResult = 0;
            AFX_NOTIFY notify = {&lResult, &pRecord->hdr};
            if (this->OnCmdMsg(static_cast<UINT>(wParam), static_cast<int>(MAKELONG(pRecord->hdr.code, WM_NOTIFY)),
                               &notify, nullptr)) {
                if (pResult)
                    *pResult = lResult;
                return TRUE;
            }
        }
        return TBase::OnWndMsg(message, wParam, lParam, pResult);
    }

    // Every toolbar hears of print preview before the framework hides its own bars.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override
    {
        for (int i = 0; m_pCommandBars && i < m_pCommandBars->GetCount(); i++) {
            if (auto* pToolBar = dynamic_cast<CXTPToolBar*>(m_pCommandBars->GetAt(i)))
                pToolBar->OnSetPreviewMode(bPreview, pState);
        }
        TBase::OnSetPreviewMode(bPreview, pState);
    }

protected:
    CXTPCommandBars* m_pCommandBars = nullptr;
};

class CXTPFrameWnd : public CXTPFrameWndBase<CFrameWnd> {
};

class CXTPMDIFrameWnd : public CXTPFrameWndBase<CMDIFrameWnd> {
public:
    // The tab-group commands go first to the MDI client, which the tab window subclasses.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID >= XTP_ID_TABGROUP_MOVE_PREVIOUS && nID <= XTP_ID_TABGROUP_NEW_VERTICAL && m_hWndMDIClient) {
            CWnd* pClient = CWnd::FromHandlePermanent(m_hWndMDIClient);
            if (pClient && pClient->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
                return TRUE;
        }
        return CXTPFrameWndBase<CMDIFrameWnd>::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};
