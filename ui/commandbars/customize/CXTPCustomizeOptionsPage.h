// The Options page of the customize sheet: the host's menu and toolbar options, each change written
// to the options at once.
#pragma once

#include "CComboBox.h"
#include "CPropertyPage.h"
#include "ResourceIds.h"

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
        IDD = XTP_IDD_CUSTOMIZE_OPTIONS,
        IDC_ALWAYS_FULL_MENUS = XTP_IDC_ALWAYS_FULL_MENUS,
        IDC_FULL_MENUS_AFTER_DELAY = XTP_IDC_FULL_MENUS_AFTER_DELAY,
        IDC_RESET_USAGE = XTP_IDC_RESET_USAGE,
        IDC_LARGE_ICONS = XTP_IDC_LARGE_ICONS,
        IDC_SCREENTIPS = XTP_IDC_SCREENTIPS,
        IDC_SHORTCUTS_IN_SCREENTIPS = XTP_IDC_SHORTCUTS_IN_SCREENTIPS,
        IDC_ANIMATION = XTP_IDC_ANIMATION
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
