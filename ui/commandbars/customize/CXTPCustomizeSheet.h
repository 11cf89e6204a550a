// The customize sheet: its pages, customize mode of the host while it runs, the context menu
// of the control being customized and that menu's commands.
#pragma once

#include <windows.h>

#include "CPropertySheet.h"
#include "ResourceIds.h"

class CXTPCommandBars;
class CXTPControl;
class CXTPCustomizeCommandsPage;
class CXTPCustomizeToolbarsPage;
class CXTPImageManager;
class CXTPPopupBar;
class CFrameWnd;

class CXTPCustomizeSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CXTPCustomizeSheet)

public:
    explicit CXTPCustomizeSheet(CXTPCommandBars* pCommandBars);
    ~CXTPCustomizeSheet() override;

    // The framework's add; a template of the page's id that the resource manager has in the
    // current language replaces the page's own.
    void AddPage(CPropertyPage* pPage);

    // Runs the sheet with the host in customize mode; IDCANCEL at once while another sheet runs.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

    // Tracks the context menu of the host's drag control at the screen point.
    void ContextMenu(CPoint point);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    CXTPCustomizeToolbarsPage* GetToolbarsPage() const { return m_pToolbarsPage; }
    CXTPCustomizeCommandsPage* GetCommandsPage() const { return m_pCommandsPage; }
    CXTPPopupBar* GetContextMenu() const { return m_pContextMenu; }
    CXTPImageManager* GetPictureLibrary() const { return m_pPictureLibrary; }
    CFrameWnd* GetSiteFrame() const { return m_pSiteFrame; }

    // The popup bar and the popup tool bar of the pictures offered by "Change Button Image".
    enum { kContextMenuID = XTP_IDR_CUSTOMIZE_MENU, kPicturesID = XTP_IDB_BUTTON_PICTURES };

    DECLARE_MESSAGE_MAP()

protected:
    void BuildContextMenu();
    // The control the context menu acts on (the host's drag control), or null.
    CXTPControl* GetDragControl() const;
    // The control's bar lays itself out again after a change.
    void RecalcBar(CXTPControl* pControl);

    LRESULT OnExecute(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitPopup(WPARAM wParam, LPARAM lParam);
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);

    void OnReset();
    void OnDelete();
    void OnCopyImage();
    void OnPasteImage();
    void OnResetImage();
    void OnEditImage();
    void OnStyle(UINT nID);
    void OnBeginGroup();
    void OnUpdateReset(CCmdUI* pCmdUI);
    void OnUpdatePicture(CCmdUI* pCmdUI);
    void OnUpdatePaste(CCmdUI* pCmdUI);
    void OnUpdateResetImage(CCmdUI* pCmdUI);
    void OnUpdateStyle(CCmdUI* pCmdUI);
    void OnUpdateBeginGroup(CCmdUI* pCmdUI);
    void OnUpdateName(CCmdUI* pCmdUI);

    // The name typed into the context menu's edit becomes the control's caption.
    void Rename(CXTPControl* pEdit);
    // The picture chosen in the pictures popup becomes the control's custom icon.
    void SetPicture(CXTPControl* pPicture);

    CXTPCustomizeToolbarsPage* m_pToolbarsPage = nullptr;
    CXTPCustomizeCommandsPage* m_pCommandsPage = nullptr;
    CFrameWnd* m_pSiteFrame = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPPopupBar* m_pContextMenu = nullptr;
    CXTPImageManager* m_pPictureLibrary = nullptr;
    int m_nPictures = 0;
};
