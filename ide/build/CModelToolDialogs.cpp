// The model tools' dialogs and the working-folder layout they leave behind on OK.
#include "CModelToolDialogs.h"

#include "CSolutionConfig.h"
#include "CWinApp.h"
#include "CXTPPaintManager.h"
#include "JobGlobals.h"
#include "LoadText.h"
#include "ResourceIds.h"

namespace {
bool Exists(const CString& path)
{
    return !path.IsEmpty() && ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
}  // namespace

CModelToolDialog::CModelToolDialog(UINT nIDTemplate, int kind, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nGame(g_solutionConfig.Platform), m_strFolder(g_solutionConfig.ProjectsRoot),
      m_nKind(kind)
{
}

void CModelToolDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, IDC_MODEL_GAME, m_nGame);
    DDX_Text(pDX, IDC_MODEL_FOLDER, m_strFolder);
    DDX_Text(pDX, IDC_MODEL_FILE, m_strModel);
}

BOOL CModelToolDialog::OnInitDialog()
{
    const HWND combo = ::GetDlgItem(m_hWnd, IDC_MODEL_GAME);
    for (UINT id : {static_cast<UINT>(IDS_PLATFORM_FIRST), static_cast<UINT>(IDS_PLATFORM_SECOND)})
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(LoadText(id))));
    CDialog::OnInitDialog();
    m_editModel.SubclassDlgItem(IDC_MODEL_FILE, this);
    m_editModel.Initialize(this, BES_XT_CHOOSEFILE);
    UpdateFilter();
    // The title is the command's text up to its first line feed.
    CString title = LoadText(TitleId());
    if (title.Find('\n') >= 0)
        title = title.Left(title.Find('\n'));
    ::SetWindowTextA(m_hWnd, title);
    m_editFolder.SubclassDlgItem(IDC_MODEL_FOLDER, this);
    m_editFolder.Initialize(this, BES_XT_CHOOSEDIR);
    UpdateOkButton();
    CXTPPaintManager::SetTheme(4);
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_MODEL_FILE));
    return FALSE;
}

void CModelToolDialog::UpdateFilter()
{
    UpdateData(TRUE);
    m_editModel.SetFileFilter(LoadText(FilterId()));
}

void CModelToolDialog::UpdateOkButton()
{
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), Exists(m_strModel) && Exists(m_strFolder));
}

BOOL CModelToolDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if ((id == IDC_MODEL_FILE || id == IDC_MODEL_FOLDER) && code == EN_CHANGE) {
        UpdateData(TRUE);
        UpdateOkButton();
    } else if (id == IDC_MODEL_GAME && code == CBN_SELCHANGE) {
        UpdateFilter();
    }
    return CDialog::OnCommand(wParam, lParam);
}

CString CModelToolDialog::AnimsFolder(CString folder)
{
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    const int compiled = folder.Find("_compiled\\");
    if (compiled >= 0)
        folder = folder.Left(compiled);
    if (folder.GetLength() < 6 || folder.Right(6) != "Anims\\")
        folder += "Anims\\";
    return folder;
}

CString CModelToolDialog::DecompileSubfolder(int kind, const CString& modelFile)
{
    if (kind == zMODEL_STATIC)
        return "asc_static\\";
    CString name = modelFile.Mid(modelFile.ReverseFind('\\') + 1);
    if (name.ReverseFind('.') >= 0)
        name = name.Left(name.ReverseFind('.'));
    name.MakeLower();
    return "asc_" + name + "\\";
}

bool CModelToolDialog::IsInFolder(const CString& path, CString folder)
{
    if (folder.IsEmpty())
        return false;
    if (folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    return path.GetLength() >= folder.GetLength() && path.Left(folder.GetLength()).CompareNoCase(folder) == 0;
}

UINT CModelToolDialog::CompiledModelFilterId() const
{
    if (m_nKind == zMODEL_STATIC)
        return IDS_FILTER_MDL;
    if (m_nKind == zMODEL_DYNAMIC)
        return m_nGame == zPLATFORM_SECOND_GAME ? IDS_FILTER_MSB : IDS_FILTER_MDS;
    return IDS_FILTER_MMB;
}

void CModelToolDialog::OnOK()
{
    if (RefuseOk())
        return;
    if (!UpdateData(TRUE))
        return;
    m_strFolder = AnimsFolder(m_strFolder);
    ::CreateDirectoryA(m_strFolder, nullptr);
    MakeOutputFolders();
    EndDialog(IDOK);
}

CCompileModels::CCompileModels(int kind, CWnd* pParent)
    : CModelToolDialog(IDD, kind, pParent), m_bPartial(g_solutionConfig.PartialCompile)
{
}

void CCompileModels::DoDataExchange(CDataExchange* pDX)
{
    CModelToolDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_MODEL_PARTIAL, m_bPartial);
}

BOOL CCompileModels::OnInitDialog()
{
    const BOOL result = CModelToolDialog::OnInitDialog();
    // Only dynamic models are compiled in parts.
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_MODEL_PARTIAL), m_nKind == zMODEL_DYNAMIC ? SW_SHOW : SW_HIDE);
    return result;
}

UINT CCompileModels::TitleId() const
{
    return IDS_CMD_COMPILE_STATIC + m_nKind;
}

UINT CCompileModels::FilterId() const
{
    if (m_nKind == zMODEL_STATIC)
        return IDS_FILTER_ASC;
    return m_nKind == zMODEL_DYNAMIC ? IDS_FILTER_MDS : IDS_FILTER_MMS;
}

void CCompileModels::MakeOutputFolders()
{
    ::CreateDirectoryA(m_strFolder + "_compiled\\", nullptr);
}

CConvertModels::CConvertModels(int kind, CWnd* pParent) : CModelToolDialog(IDD, kind, pParent)
{
}

UINT CConvertModels::TitleId() const
{
    return IDS_CMD_CONVERT_STATIC + m_nKind;
}

UINT CConvertModels::FilterId() const
{
    return CompiledModelFilterId();
}

void CConvertModels::MakeOutputFolders()
{
    ::CreateDirectoryA(m_strFolder + "_compiled\\", nullptr);
}

bool CConvertModels::RefuseOk()
{
    UpdateData(TRUE);
    if (!IsInFolder(m_strModel, m_strFolder))
        return false;
    AfxMessageBox(LoadText(IDS_CONVERT_INTO_ITSELF), MB_ICONEXCLAMATION);
    return true;
}

CDecompileModels::CDecompileModels(int kind, CWnd* pParent) : CModelToolDialog(IDD, kind, pParent)
{
}

UINT CDecompileModels::TitleId() const
{
    return IDS_CMD_DECOMPILE_STATIC + m_nKind;
}

UINT CDecompileModels::FilterId() const
{
    return CompiledModelFilterId();
}

void CDecompileModels::MakeOutputFolders()
{
    m_strFolder += DecompileSubfolder(m_nKind, m_strModel);
    ::CreateDirectoryA(m_strFolder, nullptr);
}
