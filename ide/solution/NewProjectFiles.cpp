// A new project's files: a source tree gathered and copied in, or a ".dat" taken over.
#include "NewProjectFiles.h"

#include <algorithm>

#include "CException.h"
#include "CSrcManager.h"
#include "CStdioFile.h"
#include "LoadText.h"
#include "ResourceIds.h"

namespace {

CString Lower(const CString& text)
{
    CString lower(text);
    lower.MakeLower();
    return lower;
}

std::string Key(const CString& text)
{
    return static_cast<const char*>(Lower(text));
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

// What the compiler makes of a line: a nested list, a script, or nothing.
enum class LineKind { none, list, script };

LineKind KindOf(const CString& line)
{
    const CString lower = Lower(line);
    if (lower.Find(".src") >= 0)
        return LineKind::list;
    return lower.Find(".d") >= 0 ? LineKind::script : LineKind::none;
}

bool IsFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ProjectProblem Place(const CString& list, int line)
{
    ProjectProblem place;
    place.file = list;
    place.line = line;
    return place;
}

ProjectProblem Problem(const CString& list, int line, UINT id, const CString& subject)
{
    ProjectProblem problem = Place(list, line);
    problem.text.Format(LoadText(id), static_cast<const char*>(subject));
    return problem;
}

void AddEntry(const CString& entry, const CString& list, int line, SrcCollection& written)
{
    if (!written.entryKeys.insert(Key(entry)).second)
        return;
    written.entries.push_back(entry);
    written.namedAt.push_back(Place(list, line));
}

// namedAt: the line that names the list, where a list that cannot be read is reported.
void CollectFromList(const CString& listPath, const CString& topFolder, const ProjectProblem& namedAt,
                     SrcCollection& written)
{
    const CString list = FullPathOf(listPath);
    if (!written.listsRead.insert(Key(list)).second)
        return;
    const CString top = WithBackslash(FullPathOf(topFolder));
    const CString folder = FolderOf(list);

    CStdioFile file;
    if (!file.Open(list, CFile::modeRead | CFile::shareDenyNone)) {
        written.problems.push_back(Problem(namedAt.file, namedAt.line, IDS_SRC_LIST_UNREADABLE, list));
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
        written.problems.push_back(Problem(list, static_cast<int>(lines.size()) + 1, IDS_SRC_LIST_UNREADABLE, list));
    }
    file.Abort();

    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        CString line = lines[i];
        line.Trim();
        if (line.IsEmpty() || line.Find("//") >= 0)
            continue;
        const bool pattern = line.FindOneOf("*?") >= 0;
        LineKind kind = KindOf(line);
        // A title or a note names nothing; a bare name is a script only when that script is there.
        if (!pattern && kind == LineKind::none) {
            if (!IsPathText(line) || !IsFile(folder + line + ".d"))
                continue;
            line += ".d";
            kind = LineKind::script;
        }
        if (!IsPathText(line)) {
            written.problems.push_back(Problem(list, lineNumber, IDS_SRC_LINE_NO_PATH, line));
            continue;
        }
        const CString full = FullPathOf(folder + line);
        if (!pattern && kind == LineKind::list) {
            CollectFromList(full, top, Place(list, lineNumber), written);
            continue;
        }
        CString relative;
        if (!RelativeTo(full, top, relative)) {
            written.problems.push_back(Problem(list, lineNumber, IDS_SRC_LINE_OUTSIDE, line));
            continue;
        }
        if (!pattern) {
            AddEntry(relative, list, lineNumber, written);
            continue;
        }
        // Each file the pattern matches counts as a line of its own, judged by its name.
        const CString relativeFolder = FolderOf(relative);
        const CString fullFolder = FolderOf(full);
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA(full, &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            const CString name = relativeFolder + found.cFileName;
            const LineKind foundKind = KindOf(FolderOf(line) + found.cFileName);
            if (foundKind == LineKind::list)
                CollectFromList(fullFolder + found.cFileName, top, Place(list, lineNumber), written);
            else if (foundKind == LineKind::script)
                AddEntry(name, list, lineNumber, written);
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
}

}  // namespace

void CollectSrcFiles(const CString& listPath, const CString& topFolder, SrcCollection& written)
{
    CollectFromList(listPath, topFolder, ProjectProblem(), written);
}

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

void CopyProjectFiles(const CString& sourceFolder, const CString& projectFolder, SrcCollection& sources)
{
    std::vector<CString> copied;
    std::vector<ProjectProblem> copiedAt;
    for (size_t i = 0; i < sources.entries.size(); ++i) {
        const CString& entry = sources.entries[i];
        const CString source = sourceFolder + entry;
        const CString target = projectFolder + entry;
        // No folder for a script that is not there.
        if (::GetFileAttributesA(source) != INVALID_FILE_ATTRIBUTES)
            CreateFolderTree(FolderOf(target));
        // Never over a file of the new project (its own list, say).
        if (::CopyFileA(source, target, TRUE)) {
            copied.push_back(entry);
            copiedAt.push_back(sources.namedAt[i]);
            continue;
        }
        const CString reason = SystemErrorText(::GetLastError());
        ProjectProblem problem = sources.namedAt[i];
        problem.text.Format(LoadText(IDS_PROJECT_SCRIPT_NOT_COPIED), static_cast<const char*>(entry),
                            static_cast<const char*>(reason));
        sources.problems.push_back(problem);
        sources.entryKeys.erase(Key(entry));
    }
    sources.entries = std::move(copied);
    sources.namedAt = std::move(copiedAt);
}

bool WriteProjectSrcList(const CString& projectFolder, const CString& projectName,
                         const std::vector<CString>& entries, std::vector<ProjectProblem>& problems)
{
    const CString listPath = projectFolder + projectName + ".src";
    CStdioFile output;
    if (output.Open(listPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone)) {
        try {
            CSrcManager::WriteSrcListHeader(&output);
            for (const CString& entry : entries)
                output.WriteString(entry + "\n");
            output.Close();
            return true;
        } catch (CException* e) {
            e->Delete();
            output.Abort();
        }
    }
    ProjectProblem problem;
    problem.text.Format(LoadText(IDS_PROJECT_LIST_NOT_WRITTEN), static_cast<const char*>(listPath));
    problems.push_back(problem);
    return false;
}

bool CreateProjectFromDat(const CString& datPath, const CString& projectFolder, const CString& projectName,
                          const std::function<CString()>& askOuBin, bool& ouBinMissing,
                          std::vector<ProjectProblem>& problems)
{
    ouBinMissing = false;
    const CString target = projectFolder + projectName + ".dat";
    if (!::CopyFileA(datPath, target, FALSE)) {
        ProjectProblem problem;
        problem.text.Format(LoadText(IDS_PROJECT_FILE_NOT_COPIED), static_cast<const char*>(datPath),
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
