// A new project's files: a source tree gathered and copied in, or a ".dat" taken over.
#include "NewProjectFiles.h"

#include <shellapi.h>

#include <algorithm>

#include "CException.h"
#include "CSrcManager.h"
#include "CStdioFile.h"
#include "LoadText.h"
#include "MessageIds.h"

namespace {

std::string Key(const CString& text)
{
    CString lower(text);
    lower.MakeLower();
    return static_cast<const char*>(lower);
}

CString WithBackslash(const CString& folder)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\' && folder[folder.GetLength() - 1] != '/')
        return folder + "\\";
    return folder;
}

// The part of a full path below top (which ends in a backslash); false when it is not below.
bool RelativeTo(const CString& full, const CString& top, CString& relative)
{
    if (full.GetLength() <= top.GetLength() || full.Left(top.GetLength()).CompareNoCase(top) != 0)
        return false;
    relative = full.Mid(top.GetLength());
    return true;
}

// A path relative to the list's folder: no drive, no control characters and none that a file
// name cannot hold ("*" and "?" are patterns).
bool IsPathText(const CString& line)
{
    for (int i = 0; i < line.GetLength(); ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c == '"' || c == '<' || c == '>' || c == '|' || c == ':')
            return false;
    }
    return true;
}

// The shell may hide the extension of scripts, so a listed name without one is a script.
CString WithScriptExtension(const CString& entry)
{
    const int slash = entry.ReverseFind('\\');
    return entry.Find('.', slash + 1) >= 0 ? entry : entry + ".d";
}

CString Problem(const CString& list, int line, UINT id, const CString& subject)
{
    CString reason;
    reason.Format(LoadText(id), static_cast<const char*>(subject));
    CString text;
    text.Format("%s(%d): %s", static_cast<const char*>(list), line, static_cast<const char*>(reason));
    return text;
}

void AddEntry(CStdioFile* output, const CString& entry, SrcCollection& written)
{
    if (!written.entryKeys.insert(Key(entry)).second)
        return;
    written.entries.push_back(entry);
    if (output)
        output->WriteString(entry + "\n");
}

// A path list for the shell: each path closed by a zero, the list by a second one.
void AppendPath(std::string& list, const CString& path)
{
    list.append(static_cast<const char*>(path), static_cast<size_t>(path.GetLength()));
    list.push_back('\0');
}

}  // namespace

CString FileTitleOf(const CString& path)
{
    const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    CString name = path.Mid(slash + 1);
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString FullPathOf(const CString& path)
{
    char full[MAX_PATH * 4] = {};
    const DWORD length = ::GetFullPathNameA(path, sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? CString(full) : path;
}

CString FolderOf(const CString& path)
{
    const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return slash >= 0 ? path.Left(slash + 1) : CString();
}

bool CreateFolderTree(const CString& folder)
{
    CString path = folder;
    while (!path.IsEmpty() && (path[path.GetLength() - 1] == '\\' || path[path.GetLength() - 1] == '/'))
        path = path.Left(path.GetLength() - 1);
    if (path.IsEmpty())
        return false;
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const CString parent = FolderOf(path);
    // A drive root ("C:\") has no parent to make.
    if (!parent.IsEmpty() && parent.GetLength() > 3)
        CreateFolderTree(parent);
    return ::CreateDirectoryA(path, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

void CollectSrcFiles(CStdioFile* output, const CString& listPath, const CString& topFolder, SrcCollection& written)
{
    const CString list = FullPathOf(listPath);
    if (!written.listsRead.insert(Key(list)).second)
        return;
    const CString top = WithBackslash(FullPathOf(topFolder));
    const CString folder = FolderOf(list);

    CStdioFile file;
    if (!file.Open(list, CFile::modeRead | CFile::shareDenyNone)) {
        written.problems.push_back(Problem(list, 0, zMsgId::kSrcListUnreadable, list));
        return;
    }
    // Read whole first: the nested lists open files of their own meanwhile.
    std::vector<CString> lines;
    try {
        CString line;
        while (file.ReadString(line))
            lines.push_back(line);
    } catch (CException* e) {
        e->Delete();
        written.problems.push_back(Problem(list, static_cast<int>(lines.size()) + 1, zMsgId::kSrcListUnreadable, list));
    }
    file.Abort();

    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        CString line = lines[i];
        line.Trim();
        if (line.IsEmpty() || line.Find("//") >= 0)
            continue;
        CString lower(line);
        lower.MakeLower();
        if (!IsPathText(line)) {
            written.problems.push_back(Problem(list, lineNumber, zMsgId::kSrcLineNoPath, line));
            continue;
        }
        const CString full = FullPathOf(folder + line);
        if (lower.Find(".src") >= 0) {
            CollectSrcFiles(output, full, top, written);
            continue;
        }
        CString relative;
        if (!RelativeTo(full, top, relative)) {
            written.problems.push_back(Problem(list, lineNumber, zMsgId::kSrcLineOutside, line));
            continue;
        }
        if (line.FindOneOf("*?") < 0) {
            AddEntry(output, WithScriptExtension(relative), written);
            continue;
        }
        // A pattern: every file it matches, in the pattern's folder.
        const CString relativeFolder = FolderOf(relative);
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA(full, &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                AddEntry(output, relativeFolder + found.cFileName, written);
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
}

bool WriteProjectSrcList(const CString& srcListPath, const CString& projectFolder, const CString& projectName,
                         std::vector<CString>& entries, std::vector<CString>& problems)
{
    const CString listPath = projectFolder + projectName + ".src";
    CString failure;
    failure.Format(LoadText(zMsgId::kProjectListNotWritten), static_cast<const char*>(listPath));
    SrcCollection written;
    CStdioFile output;
    if (!output.Open(listPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone)) {
        problems.push_back(failure);
        return false;
    }
    try {
        CSrcManager::WriteSrcListHeader(&output);
        CollectSrcFiles(&output, srcListPath, FolderOf(FullPathOf(srcListPath)), written);
        output.Close();
    } catch (CException* e) {
        e->Delete();
        output.Abort();
        problems.push_back(failure);
        return false;
    }
    problems.insert(problems.end(), written.problems.begin(), written.problems.end());
    entries = std::move(written.entries);
    return true;
}

void CopyProjectFiles(const CString& sourceFolder, const CString& projectFolder, const std::vector<CString>& entries,
                      HWND owner)
{
    if (entries.empty())
        return;
    // The lists grow with the entries, whatever their number and length.
    std::string from, to;
    for (const CString& entry : entries) {
        AppendPath(from, sourceFolder + entry);
        AppendPath(to, projectFolder + entry);
    }
    from.push_back('\0');
    to.push_back('\0');
    SHFILEOPSTRUCTA operation = {};
    operation.hwnd = owner;
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_MULTIDESTFILES | FOF_NOCONFIRMMKDIR;
    ::SHFileOperationA(&operation);
}

bool CreateProjectFromDat(const CString& datPath, const CString& projectFolder, const CString& projectName,
                          const std::function<CString()>& askOuBin, bool& ouBinMissing,
                          std::vector<CString>& problems)
{
    ouBinMissing = false;
    const CString target = projectFolder + projectName + ".dat";
    if (!::CopyFileA(datPath, target, FALSE)) {
        CString problem;
        problem.Format(LoadText(zMsgId::kProjectFileNotCopied), static_cast<const char*>(datPath),
                       static_cast<const char*>(target));
        problems.push_back(problem);
        return false;
    }
    if (projectName.CompareNoCase("Varnok") != 0)
        return true;
    // The game keeps the scripts in ...\_compiled\ and the library in ...\Content\Cutscene\.
    CString datFolder = FolderOf(FullPathOf(datPath));
    const CString parent = FolderOf(datFolder.Left(datFolder.GetLength() - 1));
    const CString ouBin = projectFolder + "ou.bin";
    if (::CopyFileA(parent + "Content\\Cutscene\\ou.bin", ouBin, FALSE))
        return true;
    const CString chosen = askOuBin ? askOuBin() : CString();
    ouBinMissing = chosen.IsEmpty() || !::CopyFileA(chosen, ouBin, FALSE);
    return true;
}
