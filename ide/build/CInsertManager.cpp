// Insert in game: the list of built files and their copy into the game's working folders.
#include "CInsertManager.h"

#include <shellapi.h>

#include <cstring>

#include "BuildOptions.h"
#include "CPathInGame.h"
#include "CSolutionConfig.h"
#include "CTavrelinIdeServices.h"
#include "CWinApp.h"
#include "CXTPResourceManager.h"
#include "JobGlobals.h"
#include "ResourceIds.h"

namespace {
const char kAskClass[] = "TavrelinInsertAsk";
const UINT WM_ASK_GAME_FOLDER = WM_APP + 1;

struct AskRequest {
    CInsertManager* manager;
    int game;
    CString oldFolder;
    CString chosen;
    BOOL ok = FALSE;
};

bool FolderExists(const CString& folder)
{
    return !folder.IsEmpty() && ::GetFileAttributesA(folder) != INVALID_FILE_ATTRIBUTES;
}
}  // namespace

CInsertManager::CInsertManager()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = AskWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kAskClass;
    ::RegisterClassA(&wc);
    m_hWndAsk = ::CreateWindowExA(0, kAskClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

CInsertManager::~CInsertManager()
{
    if (m_hWndAsk)
        ::DestroyWindow(m_hWndAsk);
}

int CInsertManager::FindFile(const char* text) const
{
    for (int i = 0; i < m_arrFiles.GetSize(); ++i)
        if (std::strstr(m_arrFiles.GetAt(i), text))
            return i;
    return -1;
}

int CInsertManager::GameForInsert(int platform, int buildMode)
{
    const int game = platform == zPLATFORM_SECOND_GAME ? zPLATFORM_SECOND_GAME : zPLATFORM_FIRST_GAME;
    if (buildMode != zJOB_CONVERT_MODELS)
        return game;
    return game == zPLATFORM_FIRST_GAME ? zPLATFORM_SECOND_GAME : zPLATFORM_FIRST_GAME;
}

CString CInsertManager::TargetSubfolder(int kind)
{
    switch (kind) {
    case 0: return "_work\\data\\Scripts\\_compiled\\";
    case 1: return "_work\\data\\Scripts\\Content\\Cutscene\\";
    case 2: return "_work\\data\\Anims\\";
    default: return "_work\\data\\";
    }
}

CString CInsertManager::NormaliseGameFolder(CString folder)
{
    if (folder.IsEmpty())
        return folder;
    if (folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    // Only a whole folder named "_work" is cut: D:\My_work\data stays.
    const int work = ("\\" + folder).Find("\\_work\\");
    if (work >= 0)
        folder = folder.Left(work);
    return folder;
}

CString CInsertManager::AbbreviatePath(const CString& path, int limit)
{
    const int length = path.GetLength();
    if (length <= limit)
        return path;
    const int lastSlash = path.ReverseFind('\\');
    const CString last = path.Mid(lastSlash + 1);
    if (limit < last.GetLength())
        return CString();
    // The head: the drive, or the server and share of a network path, and the first folder.
    int start = 0;
    if (path.Left(2) == "\\\\") {
        start = path.Find('\\', 2);
        start = start < 0 ? length : path.Find('\\', start + 1);
    } else {
        start = path.Find('\\');
    }
    int headEnd = start < 0 ? -1 : path.Find('\\', start + 1);
    if (headEnd < 0 || headEnd >= lastSlash)
        headEnd = lastSlash;
    const CString head = path.Left(headEnd < 0 ? 0 : headEnd);
    if (limit < head.GetLength() + last.GetLength() + 5)
        return last;
    // The longest tail after the head, starting at a backslash, that fits beside "\...".
    int tailStart = lastSlash;
    for (int i = lastSlash - 1; i > headEnd; --i)
        if (path[i] == '\\' && head.GetLength() + 4 + (length - i) <= limit)
            tailStart = i;
    return head + "\\..." + path.Mid(tailStart);
}

std::string CInsertManager::BuildPathList(const CString& folder, const CStringArray& names)
{
    std::string list;
    for (int i = 0; i < names.GetSize(); ++i) {
        list += static_cast<const char*>(folder);
        list += static_cast<const char*>(names.GetAt(i));
        list += '\0';
    }
    list += '\0';
    return list;
}

LRESULT CALLBACK CInsertManager::AskWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ASK_GAME_FOLDER) {
        auto* request = reinterpret_cast<AskRequest*>(lParam);
        CWinApp* app = AfxGetApp();
        CPathInGame dialog(request->game, request->oldFolder, app ? app->GetMainWnd() : nullptr);
        request->ok = dialog.DoModal() == IDOK;
        if (request->ok)
            request->chosen = dialog.m_strNewFolder;
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

BOOL CInsertManager::AskGameFolder(int game, const CString& oldFolder, CString& chosen)
{
    AskRequest request{this, game, oldFolder, CString()};
    // Sent, not called: the dialog runs on the thread that made the manager, the worker waits.
    ::SendMessageA(m_hWndAsk, WM_ASK_GAME_FOLDER, 0, reinterpret_cast<LPARAM>(&request));
    if (!request.ok)
        return FALSE;
    chosen = request.chosen;
    (game == zPLATFORM_SECOND_GAME ? g_solutionConfig.PathVarnok2 : g_solutionConfig.PathVarnok) = chosen;
    SaveBuildOptions();
    return TRUE;
}

void CInsertManager::InsertFilesInGame(int kind)
{
    if (m_arrFiles.GetSize() == 0)
        return;
    const int game = GameForInsert(g_solutionConfig.Platform, g_solutionConfig.BuildMode);
    CString gameFolder = game == zPLATFORM_SECOND_GAME ? g_solutionConfig.PathVarnok2 : g_solutionConfig.PathVarnok;
    if (!FolderExists(gameFolder) && !AskGameFolder(game, gameFolder, gameFolder)) {
        m_arrFiles.RemoveAll();
        return;
    }

    // One folder at a time, each made when missing.
    CString target = gameFolder;
    const CString below = TargetSubfolder(kind);
    for (int from = 0, slash; (slash = below.Find('\\', from)) >= 0; from = slash + 1) {
        target += below.Mid(from, slash + 1 - from);
        ::CreateDirectoryA(target, nullptr);
    }

    CString source;
    if (kind == 0 || kind == 1)
        GetProjectFolder(source);
    else if (kind == 2)
        source = g_solutionConfig.Destination.c_str();

    std::string from = BuildPathList(source, m_arrFiles);
    std::string to = BuildPathList(target, m_arrFiles);
    SHFILEOPSTRUCTA op = {};
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->GetMainWnd() : nullptr;
    op.hwnd = main ? main->GetSafeHwnd() : nullptr;
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_MULTIDESTFILES;
    const int result = ::SHFileOperationA(&op);
    if (result != 0 || op.fAnyOperationsAborted) {
        CString format, text;
        XTPResourceManager()->LoadString(&format, IDS_INSERT_COPY_FAILED);
        text.Format(format, static_cast<const char*>(target));
        GetTavrelinIdeServices().AddBuildMessage(zMSG_WARNING, nullptr, zSTRING(static_cast<const char*>(text)), -1, false);
    }
    m_arrFiles.RemoveAll();
}

CInsertManager& GetInsertManager()
{
    static CInsertManager manager;
    return manager;
}
