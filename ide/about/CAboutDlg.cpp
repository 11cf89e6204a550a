// The about box.
#include "CAboutDlg.h"

#include "CDataExchange.h"
#include "CWinApp.h"
#include "ResourceIds.h"

namespace {
// The window library's flat button with the system's theme and a focus frame.
constexpr DWORD kOkButtonStyle = 0x1022;
const char* const kCredits[] = {
    "Script compiler and decompiler",
    "Model compiler, converter and decompiler",
    "Script editor and class view",
    "Docking panes and command bars",
    "Testers and translators of the German and Russian editions",
};
}  // namespace

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD, pParent)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMenuFont.lfWeight = FW_BOLD;
        m_fontBold.CreateFontIndirect(&metrics.lfMenuFont);
    }
}

CString CAboutDlg::VersionLine(const char* name)
{
    CString line;
    line.Format("%s v%d.%02d", name, static_cast<int>(kVersionMajor), static_cast<int>(kVersionMinor));
    return line;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_CREDITS, m_listCredits);
    DDX_Control(pDX, IDC_ABOUT_VERSION, m_txtVersion);
    DDX_Control(pDX, IDC_ABOUT_COPYRIGHT, m_txtCopyright);
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Control(pDX, IDC_ABOUT_LINK, m_txtLink);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_txtVersion.SetWindowText(VersionLine("Tavrelin"));
    const CWinApp* app = AfxGetApp();
    SetWindowText(VersionLine(app && app->m_pszAppName ? app->m_pszAppName : "Tavrelin"));
    if (m_fontBold.m_hObject)
        m_txtVersion.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_fontBold)), TRUE);
    m_btnOk.SetXButtonStyle(kOkButtonStyle, TRUE);

    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    CString copyright;
    copyright.Format("Copyright (C) 2004-%d, the Tavrelin developers", static_cast<int>(now.wYear));
    m_txtCopyright.SetWindowText(copyright);
    m_txtLink.SetWindowText("Write to the developers");
    m_txtLink.SetLink("mailto:tavrelin@example.org");
    for (const char* line : kCredits)
        m_listCredits.AddString(line);
    return TRUE;
}
