// The Options page: the check boxes and the animation choice, written to the host's options as they
// change, and the reset of the command usage record.
#include "CXTPCustomizeOptionsPage.h"

#include "CDataExchange.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPCustomizeSheet.h"
#include "CXTPResourceManager.h"
#include "ResourceIds.h"

namespace {
const UINT kFirstAnimationID = IDS_ANIMATION_SYSTEM_DEFAULT;  // "(System default)" ... "None", six in combo order
const int kAnimationCount = 6;

} // namespace

BEGIN_MESSAGE_MAP(CXTPCustomizeOptionsPage, CPropertyPage)
    ON_CONTROL(BN_CLICKED, IDC_ALWAYS_FULL_MENUS, OnAlwaysShowFullMenus)
    ON_CONTROL(BN_CLICKED, IDC_FULL_MENUS_AFTER_DELAY, OnShowFullAfterDelay)
    ON_CONTROL(BN_CLICKED, IDC_LARGE_ICONS, OnLargeIcons)
    ON_CONTROL(BN_CLICKED, IDC_SCREENTIPS, OnScreenTips)
    ON_CONTROL(BN_CLICKED, IDC_SHORTCUTS_IN_SCREENTIPS, OnAccelTips)
    ON_CONTROL(CBN_SELCHANGE, IDC_ANIMATION, OnAnimationChanged)
    ON_CONTROL(BN_CLICKED, IDC_RESET_USAGE, OnResetUsage)
END_MESSAGE_MAP()

CXTPCustomizeOptionsPage::CXTPCustomizeOptionsPage(CXTPCustomizeSheet* pSheet) : CPropertyPage(IDD), m_pSheet(pSheet)
{
    if (CXTPCommandBarsOptions* pOptions = GetOptions()) {
        m_bAlwaysShowFullMenus = pOptions->m_bAlwaysShowFullMenus;
        m_bShowFullAfterDelay = pOptions->m_bShowFullAfterDelay;
        m_bLargeIcons = pOptions->m_bLargeIcons;
        m_bToolBarScreenTips = pOptions->m_bToolBarScreenTips;
        m_bToolBarAccelTips = pOptions->m_bToolBarAccelTips;
        m_nAnimation = static_cast<int>(pOptions->m_animationType);
    }
}

CXTPCommandBars* CXTPCustomizeOptionsPage::GetCommandBars() const
{
    return m_pSheet ? m_pSheet->GetCommandBars() : nullptr;
}

CXTPCommandBarsOptions* CXTPCustomizeOptionsPage::GetOptions() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars ? pCommandBars->GetOptions() : nullptr;
}

void CXTPCustomizeOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ANIMATION, m_comboAnimation);
    DDX_Check(pDX, IDC_ALWAYS_FULL_MENUS, m_bAlwaysShowFullMenus);
    DDX_Check(pDX, IDC_FULL_MENUS_AFTER_DELAY, m_bShowFullAfterDelay);
    DDX_Check(pDX, IDC_LARGE_ICONS, m_bLargeIcons);
    DDX_Check(pDX, IDC_SCREENTIPS, m_bToolBarScreenTips);
    DDX_Check(pDX, IDC_SHORTCUTS_IN_SCREENTIPS, m_bToolBarAccelTips);
    DDX_CBIndex(pDX, IDC_ANIMATION, m_nAnimation);
}

BOOL CXTPCustomizeOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (CWnd* pDelay = GetDlgItem(IDC_FULL_MENUS_AFTER_DELAY))
        pDelay->EnableWindow(!m_bAlwaysShowFullMenus);
    if (CWnd* pAccel = GetDlgItem(IDC_SHORTCUTS_IN_SCREENTIPS))
        pAccel->EnableWindow(m_bToolBarScreenTips);
    for (int i = 0; i < kAnimationCount; i++) {
        CString strAnimation;
        XTPResourceManager()->LoadString(&strAnimation, kFirstAnimationID + static_cast<UINT>(i));
        m_comboAnimation.AddString(strAnimation);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CXTPCustomizeOptionsPage::ReadControls()
{
    UpdateData(TRUE);
}

void CXTPCustomizeOptionsPage::OnAlwaysShowFullMenus()
{
    ReadControls();
    if (CXTPCommandBarsOptions* pOptions = GetOptions())
        pOptions->m_bAlwaysShowFullMenus = m_bAlwaysShowFullMenus;
    if (CWnd* pDelay = GetDlgItem(IDC_FULL_MENUS_AFTER_DELAY))
        pDelay->EnableWindow(!m_bAlwaysShowFullMenus);
}

void CXTPCustomizeOptionsPage::OnShowFullAfterDelay()
{
    ReadControls();
    if (CXTPCommandBarsOptions* pOptions = GetOptions())
        pOptions->m_bShowFullAfterDelay = m_bShowFullAfterDelay;
}

void CXTPCustomizeOptionsPage::OnLargeIcons()
{
    ReadControls();
    if (CXTPCommandBarsOptions* pOptions = GetOptions()) {
        pOptions->m_bLargeIcons = m_bLargeIcons;
        GetCommandBars()->RecalcLayout();
    }
}

void CXTPCustomizeOptionsPage::OnScreenTips()
{
    ReadControls();
    if (CXTPCommandBarsOptions* pOptions = GetOptions())
        pOptions->m_bToolBarScreenTips = m_bToolBarScreenTips;
    if (CWnd* pAccel = GetDlgItem(IDC_SHORTCUTS_IN_SCREENTIPS))
        pAccel->EnableWindow(m_bToolBarScreenTips);
}

void CXTPCustomizeOptionsPage::OnAccelTips()
{
    ReadControls();
    if (CXTPCommandBarsOptions* pOptions = GetOptions())
        pOptions->m_bToolBarAccelTips = m_bToolBarAccelTips;
}

void CXTPCustomizeOptionsPage::OnAnimationChanged()
{
    ReadControls();
    CXTPCommandBarsOptions* pOptions = GetOptions();
    if (pOptions && m_nAnimation >= 0)
        pOptions->m_animationType = static_cast<DWORD>(m_nAnimation);
}

void CXTPCustomizeOptionsPage::OnResetUsage()
{
    ReadControls();
    if (XTPResourceManager()->ShowMessageBox(IDS_CUSTOMIZE_RESET_USAGE, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
        GetCommandBars()->ResetUsageData();
}
