// The Options page of the customize sheet: the host's menu and toolbar options, each change written
// to the options at once.
#pragma once

#include "CComboBox.h"
#include "CPropertyPage.h"

class CXTPCommandBars;
class CXTPCommandBarsOptions;
class CXTPCustomizeSheet;

class CXTPCustomizeOptionsPage : public CPropertyPage {
public:
    // The values start as the host's options.
    explicit CXTPCustomizeOptionsPage(CXTPCustomizeSheet* pSheet);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    enum {
        IDD = 9339,
        IDC_ALWAYS_FULL_MENUS = 9340,
        IDC_FULL_MENUS_AFTER_DELAY = 9341,
        IDC_RESET_USAGE = 9342,
        IDC_LARGE_ICONS = 9343,
        IDC_SCREENTIPS = 9344,
        IDC_SHORTCUTS_IN_SCREENTIPS = 9345,
        IDC_ANIMATION = 9410
    };

    int m_bAlwaysShowFullMenus = FALSE;
    int m_bShowFullAfterDelay = FALSE;
    int m_bLargeIcons = FALSE;
    int m_bToolBarScreenTips = FALSE;
    int m_bToolBarAccelTips = FALSE;
    CComboBox m_comboAnimation;
    int m_nAnimation = 0;

    DECLARE_MESSAGE_MAP()

protected:
    CXTPCommandBars* GetCommandBars() const;
    CXTPCommandBarsOptions* GetOptions() const;
    // Reads the controls back into the values before a handler acts.
    void ReadControls();

    void OnAlwaysShowFullMenus();
    void OnShowFullAfterDelay();
    void OnLargeIcons();
    void OnScreenTips();
    void OnAccelTips();
    void OnAnimationChanged();
    void OnResetUsage();

    CXTPCustomizeSheet* m_pSheet = nullptr;
};
