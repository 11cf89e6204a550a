// The new-project dialog: its choices, the rule that enables OK and the refusal of a name taken.
#include "CProjectDlg.h"

#include "CSolutionConfig.h"
#include "CWinApp.h"
#include "CXTPPaintManager.h"
#include "LoadText.h"
#include "NewProjectFiles.h"
#include "ResourceIds.h"

namespace {

const int kRadios[] = {IDC_EMPTY, IDC_FROM_SRC, IDC_FROM_DAT};

bool IsFile(const CString& path)
{
    const DWORD attributes = path.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const CString& path)
{
    const DWORD attributes = path.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The name becomes a folder name: nothing that would make it a path or a pattern.
bool IsFolderName(const CString& name)
{
    CString trimmed(name);
    trimmed.Trim();
    return !trimmed.IsEmpty() && name.FindOneOf("\\/:*?\"<>|") < 0 && trimmed != "." && trimmed != "..";
}

CString WithBackslash(CString folder)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    return folder;
}

}  // namespace

const char* const CProjectDlg::kTypes[8] = {"Varnok", "Fight", "Camera", "Menu",
                                            "Music", "ParticleFX", "SFX", "VisualFX"};

CProjectDlg::CProjectDlg(const CString& solutionName, CWnd* pParent)
    : CDialog(IDD, pParent),
      m_strSolutionName(solutionName.IsEmpty() ? g_solutionConfig.SolutionName : solutionName),
      m_strLocation(g_solutionConfig.ProjectsRoot), m_nPlatform(g_solutionConfig.Platform),
      m_strSrcPath(LoadText(IDS_CHOICE_SRC_FILE)), m_strDatPath(LoadText(IDS_CHOICE_DAT_FILE)),
      m_bAdding(!solutionName.IsEmpty())
{
}

void CProjectDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_SOLUTION_NAME, m_strSolutionName);
    DDX_Text(pDX, IDC_LOCATION, m_strLocation);
    DDX_CBIndex(pDX, IDC_PLATFORM, m_nPlatform);
    DDX_CBIndex(pDX, IDC_TYPE, m_nType);
    DDX_Text(pDX, IDC_SRC_PATH, m_strSrcPath);
    DDX_Text(pDX, IDC_DAT_PATH, m_strDatPath);
}

BOOL CProjectDlg::OnInitDialog()
{
    const HWND platforms = ::GetDlgItem(m_hWnd, IDC_PLATFORM);
    for (UINT id : {static_cast<UINT>(IDS_PLATFORM_FIRST), static_cast<UINT>(IDS_PLATFORM_SECOND)})
        ::SendMessageA(platforms, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(LoadText(id))));
    const HWND types = ::GetDlgItem(m_hWnd, IDC_TYPE);
    for (const char* type : kTypes)
        ::SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
    CDialog::OnInitDialog();
    m_bInitialised = true;

    m_editLocation.SubclassDlgItem(IDC_LOCATION, this);
    m_editLocation.Initialize(this, BES_XT_CHOOSEDIR);
    m_editSrc.SubclassDlgItem(IDC_SRC_PATH, this);
    m_editSrc.Initialize(this, BES_XT_CHOOSEFILE);
    m_editSrc.SetFileFilter(LoadText(IDS_FILTER_SRC_FILE));
    m_editDat.SubclassDlgItem(IDC_DAT_PATH, this);
    m_editDat.Initialize(this, BES_XT_CHOOSEFILE);
    m_editDat.SetFileFilter(LoadText(IDS_FILTER_DAT_FILE));
    if (m_bAdding) {
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SOLUTION_NAME), FALSE);
        m_editLocation.EnableWindow(FALSE);
    }
    ChooseKind(kindFromSrc);
    CXTPPaintManager::SetTheme(4);
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_SOLUTION_NAME));
    return FALSE;
}

void CProjectDlg::ChooseKind(int kind)
{
    m_nChoice = kind;
    ::CheckRadioButton(m_hWnd, IDC_EMPTY, IDC_FROM_DAT, kRadios[kind]);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TYPE), kind == kindEmpty);
    m_editSrc.EnableWindow(kind == kindFromSrc);
    m_editDat.EnableWindow(kind == kindFromDat);
    UpdateData(TRUE);
    Validate();
}

void CProjectDlg::Validate()
{
    bool ok = IsFolderName(m_strSolutionName) && IsFolder(m_strLocation);
    if (m_nChoice == kindFromSrc)
        ok = ok && IsFile(m_strSrcPath);
    else if (m_nChoice == kindFromDat)
        ok = ok && IsFile(m_strDatPath);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), ok);
}

BOOL CProjectDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if (code == BN_CLICKED && (id == IDC_EMPTY || id == IDC_FROM_SRC || id == IDC_FROM_DAT)) {
        ChooseKind(id == IDC_EMPTY ? kindEmpty : id == IDC_FROM_SRC ? kindFromSrc : kindFromDat);
        return TRUE;
    }
    // Filling the texts at the start changes them too: the members are not read back then.
    if (code == EN_CHANGE && m_bInitialised &&
        (id == IDC_SOLUTION_NAME || id == IDC_LOCATION || id == IDC_SRC_PATH || id == IDC_DAT_PATH)) {
        UpdateData(TRUE);
        Validate();
    }
    return CDialog::OnCommand(wParam, lParam);
}

CString CProjectDlg::ProjectNameOfChoice() const
{
    switch (m_nChoice) {
    case kindEmpty:
        return kTypes[m_nType >= 0 && m_nType < 8 ? m_nType : 0];
    case kindFromSrc:
        return FileTitleOf(m_strSrcPath);
    default:
        return FileTitleOf(m_strDatPath);
    }
}

bool CProjectDlg::ProjectExists(const CString& location, const CString& solution, const CString& project)
{
    return IsFolder(WithBackslash(location) + "Sol" + solution + "\\Prj" + project);
}

void CProjectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // OK is enabled by the texts' change notices; a typed path may have gone since.
    Validate();
    if (!::IsWindowEnabled(::GetDlgItem(m_hWnd, IDOK)))
        return;
    m_strSolutionName.Trim();
    const CString project = ProjectNameOfChoice();
    if (ProjectExists(m_strLocation, m_strSolutionName, project)) {
        CString message;
        message.Format(LoadText(IDS_PROJECT_EXISTS), static_cast<const char*>(project));
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        return;
    }
    m_strProjectName = project;
    m_nKind = m_nChoice;
    EndDialog(IDOK);
}
