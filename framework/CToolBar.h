// Toolbars: a row of buttons on the system's toolbar control, made from toolbar resources.
#pragma once

#include <vector>

#include "AfxIds.h"
#include "CControlBar.h"
#include "CRect.h"

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)

public:
    ~CToolBar() override;

    // A bar along the parent's top edge (CBRS_* bits in dwStyle; CBRS_TOOLTIPS gives tips).
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);

    // The buttons of toolbar resource nIDResource (type 241) in the thread's language and the
    // images of the bitmap of the same id. FALSE, with the buttons the bar had, when the bar
    // has no window or either resource is missing or damaged.
    BOOL LoadToolBar(UINT nIDResource);
    // One button per id, 0 for a separator; the images go to the buttons in order.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    // The image strip from a bitmap resource; its light grey shows as the button face.
    BOOL LoadBitmap(UINT nIDResource);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int GetCount() const;
    // The command of a button; 0 for a separator or out of range.
    UINT GetItemID(int nIndex) const;
    // The button of a command, or -1.
    int CommandToIndex(UINT nIDFind) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler) override;

    // A toolbar resource: little-endian 16-bit words of version, image width and height, count,
    // then count ids. FALSE when the bytes hold fewer ids than the count promises.
    static BOOL ReadResource(const BYTE* pData, DWORD cbData, std::vector<UINT>& arrIds, CSize& szImage);

private:
    HBITMAP m_hbmImages = nullptr;  // the control draws from it; deleted with the bar
    CSize m_szImage = CSize(16, 15);  // the control's own until SetSizes
};
