// The application object: its names, the profile readers and writers under the registry key, message boxes.
#include "CWinApp.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include <shlobj.h>

#include "AfxIds.h"
#include "CCmdUI.h"
#include "CCommandLineInfo.h"
#include "CDC.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CFileDialog.h"
#include "CFrameWnd.h"
#include "CPrintDialog.h"
#include "CRecentFileList.h"
#include "CView.h"
#include "CWnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {

CWinApp* g_app = nullptr;

}  // namespace

HKEY AfxRegCreateKey(HKEY hParent, const char* lpszName)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(hParent, lpszName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                          &key, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY AfxRegOpenAppKey(HKEY hRoot, const char* lpszRegistryKey, const char* lpszProfileName)
{
    if (!lpszRegistryKey || !*lpszRegistryKey || !lpszProfileName || !*lpszProfileName)
        return nullptr;
    HKEY software = nullptr;
    if (::RegOpenKeyExA(hRoot, "Software", 0, KEY_READ | KEY_WRITE, &software) != ERROR_SUCCESS)
        return nullptr;
    HKEY company = AfxRegCreateKey(software, lpszRegistryKey);
    ::RegCloseKey(software);
    if (!company)
        return nullptr;
    HKEY app = AfxRegCreateKey(company, lpszProfileName);
    ::RegCloseKey(company);
    return app;
}

namespace {

// Every profile value read at start-up would otherwise walk Software\company\application anew:
// under Wine each step is a round trip to the server. The key is kept open for the process.
struct AppKeyCache {
    std::mutex lock;
    HKEY hRoot = nullptr;
    std::string company;
    std::string application;
    HKEY hApp = nullptr;
};

AppKeyCache& GetAppKeyCache()
{
    static AppKeyCache cache;
    return cache;
}

}  // namespace

HKEY AfxRegAppSectionKey(HKEY hRoot, const char* lpszRegistryKey, const char* lpszProfileName,
                         const char* lpszSection)
{
    if (!lpszSection || !lpszRegistryKey || !*lpszRegistryKey || !lpszProfileName || !*lpszProfileName)
        return nullptr;
    AppKeyCache& cache = GetAppKeyCache();
    std::lock_guard<std::mutex> guard(cache.lock);
    if (cache.hApp && cache.hRoot == hRoot && cache.company == lpszRegistryKey &&
        cache.application == lpszProfileName) {
        if (HKEY section = AfxRegCreateKey(cache.hApp, lpszSection))
            return section;
        // Deleted meanwhile (or no longer writable): the walk below makes it again.
    }
    if (cache.hApp)
        ::RegCloseKey(cache.hApp);
    cache.hApp = AfxRegOpenAppKey(hRoot, lpszRegistryKey, lpszProfileName);
    cache.hRoot = hRoot;
    cache.company = lpszRegistryKey;
    cache.application = lpszProfileName;
    return cache.hApp ? AfxRegCreateKey(cache.hApp, lpszSection) : nullptr;
}

BOOL AfxRegWriteProfileString(HKEY hAppKey, const char* lpszSection, const char* lpszEntry, const char* lpszValue)
{
    if (!hAppKey)
        return FALSE;
    if (!lpszSection || !lpszEntry) {
        LONG rc = lpszSection ? ::RegDeleteKeyA(hAppKey, lpszSection) : ERROR_INVALID_PARAMETER;
        ::RegCloseKey(hAppKey);
        return rc == ERROR_SUCCESS;
    }
    HKEY section = AfxRegSectionKey(hAppKey, lpszSection);
    if (!section)
        return FALSE;
    BOOL ok = AfxRegSetString(section, lpszEntry, lpszValue);
    ::RegCloseKey(section);
    return ok;
}

HKEY AfxRegSectionKey(HKEY hAppKey, const char* lpszSection)
{
    if (!hAppKey)
        return nullptr;
    HKEY section = lpszSection ? AfxRegCreateKey(hAppKey, lpszSection) : nullptr;
    ::RegCloseKey(hAppKey);
    return section;
}

BOOL AfxRegQueryString(HKEY hKey, const char* lpszEntry, CString& value)
{
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return FALSE;
    // One more than the stored size, so that a value stored without its terminator still ends.
    char* buf = value.GetBuffer(static_cast<int>(size) + 1);
    LONG rc = ::RegQueryValueExA(hKey, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buf), &size);
    buf[rc == ERROR_SUCCESS ? size : 0] = '\0';
    value.ReleaseBuffer();
    return rc == ERROR_SUCCESS;
}

BOOL AfxRegQueryBinary(HKEY hKey, const char* lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return FALSE;
    auto* data = new BYTE[size];
    if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &type, data, &size) != ERROR_SUCCESS) {
        delete[] data;
        return FALSE;
    }
    *ppData = data;
    *pBytes = size;
    return TRUE;
}

BOOL AfxRegSetString(HKEY hKey, const char* lpszEntry, const char* lpszValue)
{
    if (!lpszValue)
        return ::RegDeleteValueA(hKey, lpszEntry) == ERROR_SUCCESS;
    return ::RegSetValueExA(hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>(std::strlen(lpszValue) + 1)) == ERROR_SUCCESS;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

CWinApp::CWinApp(const char* lpszAppName)
{
    if (lpszAppName) {
        m_strAppName = lpszAppName;
    } else {
        // The program file's name without its folder and extension.
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        CString name(path);
        name = name.Mid(name.ReverseFind('\\') + 1);
        int dot = name.ReverseFind('.');
        m_strAppName = dot > 0 ? name.Left(dot) : name;
    }
    m_pszAppName = m_strAppName;
    m_hInstance = ::GetModuleHandleA(nullptr);
    m_nThreadID = ::GetCurrentThreadId();
    m_bAutoDelete = FALSE;  // the application object is not the thread's to delete
    g_app = this;
}

CWinApp::~CWinApp()
{
    // Templates take their remaining documents with them.
    while (!m_templateList.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
    delete m_pRecentFileList;
    SelectPrinter(nullptr, nullptr);
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::SetRegistryKey(const char* lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : "";
    m_strProfileName = m_strAppName;
    m_pszRegistryKey = m_strRegistryKey.IsEmpty() ? nullptr : static_cast<const char*>(m_strRegistryKey);
    m_pszProfileName = m_strProfileName;
}

HKEY CWinApp::GetAppRegistryKey()
{
    return AfxRegOpenAppKey(HKEY_CURRENT_USER, m_pszRegistryKey, m_pszProfileName);
}

HKEY CWinApp::GetSectionKey(const char* lpszSection)
{
    return AfxRegAppSectionKey(HKEY_CURRENT_USER, m_pszRegistryKey, m_pszProfileName, lpszSection);
}

UINT CWinApp::GetProfileInt(const char* lpszSection, const char* lpszEntry, int nDefault)
{
    HKEY section = GetSectionKey(lpszSection);
    if (!section)
        return static_cast<UINT>(nDefault);
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof(value);
    LONG rc = ::RegQueryValueExA(section, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    ::RegCloseKey(section);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(nDefault);
    return value;
}

BOOL CWinApp::WriteProfileInt(const char* lpszSection, const char* lpszEntry, int nValue)
{
    HKEY section = lpszEntry ? GetSectionKey(lpszSection) : nullptr;
    if (!section)
        return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    LONG rc = ::RegSetValueExA(section, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(section);
    return rc == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszDefault)
{
    HKEY section = GetSectionKey(lpszSection);
    if (!section)
        return CString(lpszDefault);
    CString value;
    BOOL found = AfxRegQueryString(section, lpszEntry, value);
    ::RegCloseKey(section);
    return found ? value : CString(lpszDefault);
}

BOOL CWinApp::WriteProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszValue)
{
    return AfxRegWriteProfileString(GetAppRegistryKey(), lpszSection, lpszEntry, lpszValue);
}

BOOL CWinApp::GetProfileBinary(const char* lpszSection, const char* lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    HKEY section = GetSectionKey(lpszSection);
    if (!section)
        return FALSE;
    BOOL ok = AfxRegQueryBinary(section, lpszEntry, ppData, pBytes);
    ::RegCloseKey(section);
    return ok;
}

BOOL CWinApp::WriteProfileBinary(const char* lpszSection, const char* lpszEntry, LPBYTE pData, UINT nBytes)
{
    HKEY section = lpszEntry ? GetSectionKey(lpszSection) : nullptr;
    if (!section)
        return FALSE;
    LONG rc = ::RegSetValueExA(section, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(section);
    return rc == ERROR_SUCCESS;
}

int CWinApp::DoMessageBox(const char* lpszPrompt, UINT nType, UINT)
{
    HWND owner = nullptr;
    if (m_pMainWnd && m_pMainWnd->m_hWnd && ::IsWindowEnabled(m_pMainWnd->m_hWnd))
        owner = m_pMainWnd->m_hWnd;
    if (!owner)
        owner = ::GetActiveWindow();
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    return ::MessageBoxA(owner, lpszPrompt, m_pszAppName, nType);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0)
        return;
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(const char* lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    int index = static_cast<int>(nID) - ID_FILE_MRU_FILE1;
    if (!m_pRecentFileList || index < 0 || index >= m_pRecentFileList->GetSize())
        return FALSE;
    // A copy: opening the file reorders the list.
    CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty())
        return TRUE;
    if (!OpenDocumentFile(path)) {
        for (int i = 0; i < m_pRecentFileList->GetSize(); ++i) {
            if ((*m_pRecentFileList)[i] == path) {
                m_pRecentFileList->Remove(i);
                break;
            }
        }
    }
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return CWinThread::ExitInstance();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; ++i) {
        const char* param = __argv[i];
        if (!param)
            continue;
        BOOL flag = param[0] == '/' || param[0] == '-';
        rCmdInfo.ParseParam(flag ? param + 1 : param, flag, i == __argc - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrintTo:
        if (!rCmdInfo.m_strPrinterName.IsEmpty()) {
            // A DEVNAMES block naming the printer: driver, device and port after the header.
            const CString names[3] = {rCmdInfo.m_strDriverName, rCmdInfo.m_strPrinterName, rCmdInfo.m_strPortName};
            SIZE_T size = sizeof(DEVNAMES);
            for (const CString& name : names)
                size += static_cast<SIZE_T>(name.GetLength()) + 1;
            HGLOBAL block = size <= 0xFFFF ? ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size) : nullptr;
            if (auto* bytes = block ? static_cast<char*>(::GlobalLock(block)) : nullptr) {
                auto* devNames = reinterpret_cast<DEVNAMES*>(bytes);
                WORD* offsets[3] = {&devNames->wDriverOffset, &devNames->wDeviceOffset, &devNames->wOutputOffset};
                WORD at = sizeof(DEVNAMES);
                for (int i = 0; i < 3; ++i) {
                    *offsets[i] = at;
                    std::memcpy(bytes + at, static_cast<const char*>(names[i]), names[i].GetLength() + 1);
                    at = static_cast<WORD>(at + names[i].GetLength() + 1);
                }
                ::GlobalUnlock(block);
                SelectPrinter(block, nullptr);
            }
        }
        [[fallthrough]];
    case CCommandLineInfo::FilePrint: {
        CDocument* doc = OpenDocumentFile(rCmdInfo.m_strFileName);
        if (doc && m_pMainWnd)
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        return FALSE;  // printed: the program ends without showing itself
    }
    case CCommandLineInfo::AppUnregister:
        UnregisterShellFileTypes();
        return FALSE;
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::FileNothing:
        break;
    }
    return TRUE;
}

namespace {

// The shell's classes of the current user.
const char* const kClasses = "Software\\Classes";

// A template's shell type id and name and its extensions (".d", "*.d" or several with ';').
struct ShellType {
    CString id;
    CString name;
    CStringArray extensions;
};

bool TemplateShellType(CDocTemplate* pTemplate, ShellType& type)
{
    CString exts;
    if (!pTemplate->GetDocString(type.id, CDocTemplate::regFileTypeId) || type.id.IsEmpty())
        return false;
    pTemplate->GetDocString(type.name, CDocTemplate::regFileTypeName);
    if (type.name.IsEmpty())
        type.name = type.id;
    pTemplate->GetDocString(exts, CDocTemplate::filterExt);
    int start = 0;
    for (CString ext = exts.Tokenize(";", start); start >= 0; ext = exts.Tokenize(";", start)) {
        ext.Trim();
        ext.TrimLeft('*');
        // Only a plain extension names a key of its own.
        if (ext.GetLength() > 1 && ext[0] == '.' && ext.FindOneOf("\\/*?") < 0)
            type.extensions.Add(ext);
    }
    return true;
}

// The default value of a key under the classes root given; empty when there is none.
CString DefaultValue(HKEY root, const char* subKey)
{
    CString value;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        AfxRegQueryString(key, nullptr, value);
        ::RegCloseKey(key);
    }
    return value;
}

// Sets the default value of a key below the current user's classes, creating the key; true
// when the value was changed. A value already in place is not written again.
bool SetClassValue(const CString& subKey, const CString& value)
{
    const CString path = CString(kClasses) + "\\" + subKey;
    if (!value.IsEmpty() && DefaultValue(HKEY_CURRENT_USER, path) == value)
        return false;
    HKEY key = AfxRegCreateKey(HKEY_CURRENT_USER, path);
    if (!key)
        return false;
    bool ok = AfxRegSetString(key, nullptr, value);
    ::RegCloseKey(key);
    return ok;
}

}  // namespace

void CWinApp::EnableShellOpen() {}

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    char module[MAX_PATH * 2] = {};
    DWORD length = ::GetModuleFileNameA(m_hInstance, module, sizeof(module));
    if (length == 0 || length >= sizeof(module))
        return;
    const CString program = CString("\"") + module + "\"";
    bool changed = false;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* templ = GetNextDocTemplate(pos);
        ShellType type;
        if (!TemplateShellType(templ, type))
            continue;
        changed |= SetClassValue(type.id, type.name);
        // The template's own icon when the program has one by its id, else the program's first.
        HRSRC icon = ::FindResourceA(m_hInstance, MAKEINTRESOURCEA(templ->GetResourceID()), RT_GROUP_ICON);
        CString iconIndex;
        iconIndex.Format(",%d", icon ? -static_cast<int>(templ->GetResourceID()) : 0);
        changed |= SetClassValue(type.id + "\\DefaultIcon", CString(module) + iconIndex);
        changed |= SetClassValue(type.id + "\\shell\\open\\command", program + " \"%1\"");
        if (bCompat) {
            changed |= SetClassValue(type.id + "\\shell\\print\\command", program + " /p \"%1\"");
            changed |= SetClassValue(type.id + "\\shell\\printto\\command",
                                     program + " /pt \"%1\" \"%2\" \"%3\" \"%4\"");
        }
        for (int i = 0; i < type.extensions.GetSize(); ++i) {
            const CString& ext = type.extensions[i];
            // Another program's extension stays its own, whether the user's or the machine's.
            CString owner = DefaultValue(HKEY_CURRENT_USER, CString(kClasses) + "\\" + ext);
            if (owner.IsEmpty())
                owner = DefaultValue(HKEY_CLASSES_ROOT, ext);
            if (owner.IsEmpty() || owner == type.id)
                changed |= SetClassValue(ext, type.id);
        }
    }
    // The shell hears of changed associations only: telling it costs a process of its own
    // (under Wine), on every start otherwise.
    if (changed)
        ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void CWinApp::UnregisterShellFileTypes()
{
    HKEY classes = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kClasses, 0, KEY_READ | KEY_WRITE, &classes) != ERROR_SUCCESS)
        return;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        ShellType type;
        if (!TemplateShellType(GetNextDocTemplate(pos), type))
            continue;
        ::RegDeleteTreeA(classes, type.id);
        for (int i = 0; i < type.extensions.GetSize(); ++i) {
            const CString& ext = type.extensions[i];
            if (DefaultValue(classes, ext) != type.id)
                continue;
            HKEY key = nullptr;
            if (::RegOpenKeyExA(classes, ext, 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
                ::RegDeleteValueA(key, nullptr);
                ::RegCloseKey(key);
            }
            // The key goes only when nothing else is left in it.
            DWORD subKeys = 1;
            DWORD values = 1;
            if (::RegOpenKeyExA(classes, ext, 0, KEY_READ, &key) == ERROR_SUCCESS) {
                ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                                   nullptr, nullptr, nullptr);
                ::RegCloseKey(key);
            }
            if (subKeys == 0 && values == 0)
                ::RegDeleteKeyA(classes, ext);
        }
    }
    ::RegCloseKey(classes);
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    INT_PTR result = pPD->DoModal();
    // The dialog may have replaced the handles it was given; whatever it left is the printer now.
    SelectPrinter(pPD->m_pd.hDevNames, pPD->m_pd.hDevMode);
    return result;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg)
{
    UpdatePrinterSelection(FALSE);
    pPrintDlg->hDevMode = m_hDevMode;
    pPrintDlg->hDevNames = m_hDevNames;
    return m_hDevNames != nullptr;
}

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld)
{
    if (bFreeOld) {
        if (m_hDevNames && m_hDevNames != hDevNames)
            ::GlobalFree(m_hDevNames);
        if (m_hDevMode && m_hDevMode != hDevMode)
            ::GlobalFree(m_hDevMode);
    }
    m_hDevNames = static_cast<HGLOBAL>(hDevNames);
    m_hDevMode = static_cast<HGLOBAL>(hDevMode);
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (m_hDevNames && !bForceDefaults)
        return;
    CPrintDialog defaults(FALSE);
    if (defaults.GetDefaults())
        SelectPrinter(defaults.m_pd.hDevNames, defaults.m_pd.hDevMode);
}

BOOL CWinApp::CreatePrinterDC(CDC& dc)
{
    UpdatePrinterSelection(FALSE);
    HDC printer = AfxCreateDC(m_hDevNames, m_hDevMode);
    return printer ? dc.Attach(printer) : FALSE;
}

int AfxMessageBox(const char* lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(::GetActiveWindow(), lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

// ---- Documents -----------------------------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!pTemplate || m_templateList.Find(pTemplate))
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPosition) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(rPosition));
}

CDocument* CWinApp::OpenDocumentFile(const char* lpszFileName)
{
    if (!lpszFileName || !*lpszFileName)
        return nullptr;
    CDocTemplate* best = nullptr;
    CDocument* open = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos && bestMatch != CDocTemplate::yesAlreadyOpen;) {
        CDocTemplate* templ = GetNextDocTemplate(pos);
        CDocument* doc = nullptr;
        CDocTemplate::Confidence match = templ->MatchDocType(lpszFileName, doc);
        if (match > bestMatch) {
            bestMatch = match;
            best = templ;
            open = doc;
        }
    }
    if (bestMatch == CDocTemplate::yesAlreadyOpen && open) {
        // Already open: its first frame comes forward.
        POSITION pos = open->GetFirstViewPosition();
        CView* view = pos ? open->GetNextView(pos) : nullptr;
        if (CFrameWnd* frame = view ? view->GetParentFrame() : nullptr)
            frame->ActivateFrame();
        return open;
    }
    if (!best) {
        CString format;
        format.LoadString(AFX_IDP_FAILED_TO_OPEN_DOC);
        CString message;
        message.Format(format, lpszFileName);
        AfxMessageBox(message, MB_ICONEXCLAMATION, AFX_IDP_FAILED_TO_OPEN_DOC);
        return nullptr;
    }
    return best->OpenDocumentFile(lpszFileName);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount() const
{
    int count = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* templ = GetNextDocTemplate(pos);
        for (POSITION doc = templ->GetFirstDocPosition(); doc; templ->GetNextDoc(doc))
            ++count;
    }
    return count;
}

namespace {

// "name|*.ext;*.ext2|" for a template with a filter, else nothing.
CString TemplateFilter(CDocTemplate* templ)
{
    CString name;
    CString exts;
    if (!templ->GetDocString(name, CDocTemplate::filterName) || name.IsEmpty() ||
        !templ->GetDocString(exts, CDocTemplate::filterExt) || exts.IsEmpty())
        return CString();
    CString patterns;
    CString one;
    for (int i = 0; AfxExtractSubString(one, exts, i, ';'); ++i) {
        one.Trim();
        if (one.IsEmpty())
            continue;
        if (!patterns.IsEmpty())
            patterns += ";";
        patterns += one[0] == '*' ? one : "*" + one;
    }
    return name + "|" + patterns + "|";
}

}  // namespace

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    CString filter;
    CString defExt;
    if (pTemplate) {
        filter += TemplateFilter(pTemplate);
        pTemplate->GetDocString(defExt, CDocTemplate::filterExt);
        int semicolon = defExt.Find(';');
        if (semicolon >= 0)
            defExt = defExt.Left(semicolon);
        defExt.TrimLeft("*.");
    }
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* templ = GetNextDocTemplate(pos);
        if (templ != pTemplate)
            filter += TemplateFilter(templ);
    }
    CString all;
    all.LoadString(AFX_IDS_ALLFILTER);
    filter += all + "|*.*||";
    CString title;
    title.LoadString(nIDSTitle);

    CFileDialog dialog(bOpenFileDialog, defExt.IsEmpty() ? nullptr : static_cast<const char*>(defExt), fileName,
                       lFlags | OFN_OVERWRITEPROMPT, filter, m_pMainWnd);
    if (!title.IsEmpty())
        dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

void CWinApp::OnFileNew()
{
    // The first template makes new documents.
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos)
        GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString name;
    if (DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        OpenDocumentFile(name);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}
