// The decompiler's run: the walk over the loaded symbols, one output file per file
// index, each file's place in the project folder, and the source list.
//
// Everything is written inside the project folder (the file layer's root) and
// nowhere else: the names come from the ".dat" and the name base, so each one is
// checked before it becomes a path, and no folder that is a link is written,
// emptied or walked through.
#include "zCParserDecompiler.h"

#include "ResourceIds.h"
#include "zCParser.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "BuildStop.h"
#include "DirectoryTools.h"
#include "HostFileSystem.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "ParNames.h"
#include "ResString.h"
#include "zCObjectFactory.h"
#include "zCScopeExit.h"
#include "zCPar_PlacementTables.h"
#include "zERROR.h"
#include "zFILE.h"
#include "zFILE_FILE.h"
#include "zFileSystem.h"

zSTRING g_decompileFileName;

namespace {

const int kProgressRange = 100000;
const int kMaxPlacementRows = 10000;
const int kMaxFolders = 100;
// Further names tried for a file whose place is taken (name_2.d, name_3.d, ...).
const int kMaxNameTries = 1000;

const char kSourceListHeader[] = "// Tavrelin workspace file\n// WARNING: DO NOT EDIT OR DELETE THIS FILE!\n\n";

// Folders of the name rules, besides those of the placement rows.
const char* const kRuleFoldersFirst[] = {"Story\\NPC", "Story\\Missions", "Magic", "Story\\ZS",
                                         "Story\\Chapters", "Story\\B", "_misk_"};
const char* const kRuleFoldersSecond[] = {"Story\\NPC",           "Story\\Dialoge", "AI\\Magic\\Spells",
                                          "AI\\Monster\\RTN_Monster", "Story\\B_GiveTradeInv",
                                          "Story\\Events",        "AI\\Human\\TA_Human", "Story\\B_Story", "_misk_"};

std::string UpperAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

bool IsDeviceName(const std::string& part)
{
    std::string stem = UpperAscii(part.substr(0, part.find('.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL")
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

// One file or folder name that stays where it is put: no separator, no parent
// step, nothing the file system refuses or turns into a device.
bool IsSafeName(const std::string& part)
{
    if (part.empty() || part == "." || part == "..")
        return false;
    for (const char c : part) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127 || std::strchr("<>:\"/\\|?*", c) != nullptr)
            return false;
    }
    // Windows drops trailing dots and blanks, which would make two names one.
    if (part.back() == '.' || part.back() == ' ')
        return false;
    return !IsDeviceName(part);
}

std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = path.find('\\', start);
        parts.push_back(path.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// A '\'-separated path below the project folder.
bool IsSafeRelativePath(const std::string& path)
{
    if (path.empty())
        return false;
    for (const std::string& part : SplitPath(path)) {
        if (!IsSafeName(part))
            return false;
    }
    return true;
}

std::string FolderPart(const std::string& path)
{
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool HasExtensionD(const std::string& name)
{
    return name.size() > 2 && name[name.size() - 2] == '.' && (name.back() == 'd' || name.back() == 'D');
}

// "12.d": the name an output file has until it is placed.
bool IsNumberedName(const std::string& name)
{
    if (!HasExtensionD(name))
        return false;
    for (std::size_t i = 0; i + 2 < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return false;
    }
    return true;
}

// The project folder as the host sees it, walked one name at a time so that a
// link anywhere on a path is seen before anything goes through it.
class ProjectFolder {
public:
    enum Result { kFound, kMissing, kLink, kNotFolder };

    bool Open(const zSTRING& root)
    {
        if (!CanRemoveDirTree(root) || !HostResolvePath(root, hostRoot))
            return false;
        zTHostFileInfo info;
        return HostGetInfo(hostRoot, info) && info.isDirectory;
    }
    const std::string& Root() const { return hostRoot; }

    // The host path of a folder ('\'-separated, relative; empty for the project
    // folder itself), making missing folders when asked.
    Result Folder(const std::string& relative, bool create, std::string& host)
    {
        host = hostRoot;
        if (relative.empty())
            return kFound;
        std::string walked;
        std::string spelled;
        for (const std::string& part : SplitPath(relative)) {
            walked += (walked.empty() ? "" : "\\") + UpperAscii(part);
            spelled += (spelled.empty() ? "" : "\\") + part;
            const auto cached = known.find(walked);
            if (cached != known.end()) {
                host = cached->second;
                continue;
            }
            // Placement asks for the same missing folder file after file.
            if (!create && missing.count(walked) != 0)
                return kMissing;
            zTHostDirEntry entry;
            if (Find(host, part, entry)) {
                if (entry.isLink) {
                    lastLink = spelled;
                    return kLink;
                }
                if (!entry.isDirectory)
                    return kNotFolder;
                host = HostJoinPath(host, entry.name);
            } else {
                host = HostJoinPath(host, part);
                if (!create || !HostMakeDir(host)) {
                    missing.insert(walked);
                    return kMissing;
                }
                missing.erase(walked);
            }
            known[walked] = host;
        }
        return kFound;
    }
    // Folders may have gone: look again.
    void Forget()
    {
        known.clear();
        missing.clear();
    }
    // The link the last walk stopped at, once per run.
    void ReportLink()
    {
        if (reportedLinks.insert(UpperAscii(lastLink)).second)
            g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_LINK_REFUSED, lastLink));
    }

private:
    // The entry the file layer would take for the name: the exact spelling, else
    // the first in byte order of those equal but for letter case.
    static bool Find(const std::string& hostDir, const std::string& name, zTHostDirEntry& found)
    {
        std::vector<zTHostDirEntry> entries;
        if (!HostListDirectory(hostDir, entries))
            return false;
        const std::string upper = UpperAscii(name);
        bool any = false;
        for (const zTHostDirEntry& entry : entries) {
            if (entry.name == name) {
                found = entry;
                return true;
            }
            if (UpperAscii(entry.name) == upper && (!any || entry.name < found.name)) {
                found = entry;
                any = true;
            }
        }
        return any;
    }

    std::string hostRoot;
    std::unordered_map<std::string, std::string> known;
    std::unordered_set<std::string> missing;
    std::unordered_set<std::string> reportedLinks;
    std::string lastLink;
};

// The project folder of the running decompile; placement needs it between files.
ProjectFolder* s_project = nullptr;

// Removes what an earlier decompile would have written: the numbered files in the
// project folder, the ".d" files of the given folders, and those folders when they
// are left empty. Nothing else is touched.
void RemoveOldScripts(ProjectFolder& project, std::vector<std::string> folders)
{
    std::vector<zTHostDirEntry> entries;
    if (HostListDirectory(project.Root(), entries)) {
        for (const zTHostDirEntry& entry : entries) {
            if (entry.isDirectory || !IsNumberedName(entry.name))
                continue;
            const std::string path = HostJoinPath(project.Root(), entry.name);
            if (!HostRemoveFile(path))
                ReportFileError(zFILE_OP_REMOVE_FILE, path.c_str(), zERR_ERROR);
        }
    }

    // Deepest first, so that a folder emptied of its subfolders can go too.
    std::sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) {
        const auto depth = [](const std::string& s) { return std::count(s.begin(), s.end(), '\\'); };
        return depth(a) != depth(b) ? depth(a) > depth(b) : UpperAscii(a) < UpperAscii(b);
    });
    const auto same = [](const std::string& a, const std::string& b) { return UpperAscii(a) == UpperAscii(b); };
    folders.erase(std::unique(folders.begin(), folders.end(), same), folders.end());
    for (const std::string& folder : folders) {
        std::string host;
        const ProjectFolder::Result found = project.Folder(folder, false, host);
        if (found == ProjectFolder::kLink)
            project.ReportLink();
        if (found != ProjectFolder::kFound)
            continue;
        entries.clear();
        if (!HostListDirectory(host, entries))
            continue;
        bool empty = true;
        for (const zTHostDirEntry& entry : entries) {
            if (entry.isDirectory || !HasExtensionD(entry.name)) {
                empty = false;
                continue;
            }
            const std::string path = HostJoinPath(host, entry.name);
            if (!HostRemoveFile(path)) {
                ReportFileError(zFILE_OP_REMOVE_FILE, path.c_str(), zERR_ERROR);
                empty = false;
            }
        }
        if (empty && !HostRemoveDir(host))
            ReportFileError(zFILE_OP_REMOVE_DIR, host.c_str(), zERR_ERROR);
    }
    project.Forget();
}

// The folders the decompiler may write into for the platform and the job's list.
std::vector<std::string> ScriptFolders(const std::vector<const zTParPlacementRow*>& rows)
{
    std::vector<std::string> folders;
    for (const zTParPlacementRow* row : rows) {
        const std::string folder = FolderPart(row->path);
        if (!folder.empty())
            folders.push_back(folder);
    }
    if (g_platform == zPLATFORM_FIRST_GAME)
        folders.insert(folders.end(), std::begin(kRuleFoldersFirst), std::end(kRuleFoldersFirst));
    else
        folders.insert(folders.end(), std::begin(kRuleFoldersSecond), std::end(kRuleFoldersSecond));
    for (int i = 0; g_decompileFolders && i < kMaxFolders && g_decompileFolders[i]; ++i)
        folders.push_back(g_decompileFolders[i]);
    // Every folder on the way to one of them too, when it is left empty.
    const std::size_t direct = folders.size();
    for (std::size_t i = 0; i < direct; ++i) {
        for (std::string parent = FolderPart(folders[i]); !parent.empty(); parent = FolderPart(parent))
            folders.push_back(parent);
    }
    return folders;
}

int CompareRowKeys(const char* a, const char* b)
{
    return std::strcmp(a, b);  // bytes as unsigned values; a prefix first
}

bool RowBefore(const zTParPlacementRow* a, const zTParPlacementRow* b)
{
    if (!a || !a->key)
        return false;
    if (!b || !b->key)
        return true;
    return CompareRowKeys(a->key, b->key) < 0;
}

bool Contains(const zSTRING& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

zCParserDecompiler::zCParserDecompiler(zCParser& parser)
    : parser(parser), symtab(parser.symtab), codeStack(parser.codeStack), nameBase(parser.nameBase)
{
}

zCParserDecompiler::~zCParserDecompiler() = default;

void zCParserDecompiler::LoadPlacementTable()
{
    placementRows.clear();
    const zTParPlacementRow* table = GetPlacementTable(g_platform);
    for (int i = 0; table && i < kMaxPlacementRows && table[i].key; ++i)
        placementRows.push_back(&table[i]);
    std::sort(placementRows.begin(), placementRows.end(), RowBefore);
}

void zCParserDecompiler::SetDecompileFileKey(const zSTRING& key, bool strong)
{
    if (strong) {
        if (decompileStrongKey)
            return;
        decompileFileKey = key;
        decompileFileKey.Lower();
        decompileStrongKey = 1;
        decompileWeakKey = 1;
        return;
    }
    if (decompileWeakKey)
        return;
    decompileFileKey = key;
    decompileWeakKey = 1;
}

zSTRING zCParserDecompiler::PlacementName()
{
    const zSTRING& key = decompileFileKey;
    const auto row = std::lower_bound(placementRows.begin(), placementRows.end(), key.c_str(),
                                      [](const zTParPlacementRow* r, const char* k) {
                                          return CompareRowKeys(r->key, k) < 0;
                                      });
    if (row != placementRows.end() && CompareRowKeys((*row)->key, key.c_str()) == 0)
        return zSTRING((*row)->path) + ".d";

    zSTRING display = key;
    nameBase.RestoreCase(display);
    const bool first = g_platform == zPLATFORM_FIRST_GAME;
    if (decompileNpc)
        return "Story\\NPC\\" + display + ".d";
    if (Contains(key, "dia_")) {
        zSTRING rest = display.size() > 4 ? zSTRING(display.substr(4)) : zSTRING();
        nameBase.RestoreCase(rest);
        return (first ? "Story\\Missions\\DIA_" : "Story\\Dialoge\\DIA_") + rest + ".d";
    }
    if (Contains(key, "spell_"))
        return (first ? "Magic\\" : "AI\\Magic\\Spells\\") + display + ".d";
    if (!first && Contains(key, "zs_mm_"))
        return "AI\\Monster\\RTN_Monster\\" + display + ".d";
    if (!first && Contains(key, "b_givetradeinv"))
        return "Story\\B_GiveTradeInv\\" + display + ".d";
    if (!first && Contains(key, "evt_"))
        return "Story\\Events\\" + display + ".d";
    if (Contains(key, "zs_"))
        return (first ? "Story\\ZS\\" : "AI\\Human\\TA_Human\\") + display + ".d";
    if (first && Contains(key, "b_story_"))
        return "Story\\Chapters\\" + display + ".d";
    if (Contains(key, "b_"))
        return (first ? "Story\\B\\" : "Story\\B_Story\\") + display + ".d";
    if (first && Contains(key, "info_"))
        return "Story\\B\\" + display + ".d";
    return "_misk_\\" + display + ".d";
}

void zCParserDecompiler::PlaceDecompiledFile(zFILE& file, zFILE* srcList)
{
    zSTRING reportName = g_decompileFileName;
    file.Close();

    if ((decompileStrongKey || decompileWeakKey) && s_project) {
        const std::string wanted = PlacementName();
        std::string folderHost;
        const std::string folder = FolderPart(wanted);
        if (!IsSafeRelativePath(wanted)) {
            parser.CountedError(FormatResString(IDS_NAME_REFUSED, wanted), -1, -1);
        } else if (s_project->Folder(folder, false, folderHost) == ProjectFolder::kLink) {
            s_project->ReportLink();
        } else {
            // A name placed before keeps its file: this one gets the next free name.
            const std::string stem = wanted.substr(0, wanted.size() - 2);
            int& next = decompilePlacedNames[UpperAscii(stem)];
            zSTRING placed;
            for (int tries = 0; tries < kMaxNameTries; ++tries) {
                const int number = next++;
                const zSTRING candidate =
                    number == 0 ? zSTRING(wanted) : zSTRING(stem + "_" + std::to_string(number + 1) + ".d");
                errno = 0;
                if (file.FileMove("\\" + candidate)) {
                    placed = candidate;
                    break;
                }
                // Windows' runtime may say so by another error number.
                std::string taken;
                if (errno != EEXIST &&
                    !(HostResolvePath(MakeFullPath("\\" + candidate), taken) && HostExists(taken)))
                    break;
            }
            if (!placed.empty()) {
                if (placed != zSTRING(wanted))
                    g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_NAME_TAKEN, wanted, placed));
                if (zCIdeServices* host = zGetIdeServices())
                    host->ReplaceFileInLastMessages(g_decompileFileName, placed);
                reportName = placed;
                g_decompileFileName = placed;
            }
        }
    }

    if (srcList)
        srcList->Write(g_decompileFileName + "\n");
    g_errorReporter.Report(zERR_MESSAGE, reportName);
}

int zCParserDecompiler::Decompile(zSTRING srcListPath)
{
    // Only into the project's own folder, named by an absolute path.
    ProjectFolder project;
    if (!project.Open(g_rootDirectory)) {
        parser.CountedError(FormatResString(IDS_PROJECT_FOLDER_REFUSED, g_rootDirectory), -1, -1);
        return -1;
    }
    if (!srcListPath.empty() && srcListPath[0] == '\\')
        srcListPath = srcListPath.substr(1);
    if (!IsSafeRelativePath(srcListPath)) {
        parser.CountedError(FormatResString(IDS_NAME_REFUSED, srcListPath), -1, -1);
        return -1;
    }

    // However the run ends, nothing of it outlives it.
    s_project = &project;
    const zCScopeExit endRun([this] { EndRun(); });
    StartRun(srcListPath);
    const int lastFile = ScanSymbols();
    std::unique_ptr<zFILE> srcList = OpenSourceList(srcListPath);
    if (!srcList)
        return -1;

    zCIdeServices* host = zGetIdeServices();
    if (host && lastFile >= 0)
        host->SetProgressStep(kProgressRange / (lastFile + 1));
    g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_DECOMPILING));

    if (WriteFiles(*srcList) != 0)
        return -1;
    srcList->Close();
    if (host)
        host->UpdateAfterDecompile();
    return 0;
}

void zCParserDecompiler::StartRun(const zSTRING& srcListPath)
{
    LoadPlacementTable();
    parser.SortExternalNames();
    nameBase.Load();

    ResetDecompileStatements();
    decompileDepth = 0;
    decompileBodyClass = nullptr;
    decompileFunction = nullptr;
    decompileReturnType = 0;
    decompileSvm = 0;
    ResetFileState();
    decompilePlacedNames.clear();
    decompileSrcListPath = srcListPath;
}

void zCParserDecompiler::ResetFileState()
{
    decompileFileKey.clear();
    decompileStrongKey = decompileWeakKey = decompileNpc = decompileDialogue = decompileLineCount = 0;
}

void zCParserDecompiler::EndRun()
{
    placementRows.clear();
    placementRows.shrink_to_fit();
    decompileBodyAddresses.clear();
    s_project = nullptr;
}

int zCParserDecompiler::ScanSymbols()
{
    const int count = symtab.GetNumInList();
    decompileBodyAddresses.clear();
    decompileFirstClass = -1;
    int lastFile = -1;
    for (int i = 1; i < count; ++i) {
        const zCPar_Symbol* symbol = symtab.GetSymbol(i);
        if (!symbol)
            continue;
        const int type = symbol->GetType();
        if (IsLiteralName(symbol->name))
            break;
        if (type == zPAR_TYPE_FUNC && symbol->HasFlag(zPAR_FLAG_EXTERNAL)) {
            i += std::max(0, symbol->GetElementCount());
            continue;
        }
        if (type == zPAR_TYPE_CLASS && decompileFirstClass < 0)
            decompileFirstClass = i;
        if (HasDecompiledBody(i))
            decompileBodyAddresses.emplace(symbol->GetContent(), i);
        lastFile = std::max(lastFile, symbol->GetFileIndex());
    }
    return lastFile;
}

std::unique_ptr<zFILE> zCParserDecompiler::OpenSourceList(const zSTRING& srcListPath)
{
    ProjectFolder& project = *s_project;
    // The list first: when it cannot be written, nothing is removed.
    std::string listFolderHost;
    const std::string listFolder = FolderPart(srcListPath);
    const ProjectFolder::Result listFound = project.Folder(listFolder, false, listFolderHost);
    std::FILE* probe = listFound == ProjectFolder::kFound
                           ? HostOpenFile(HostJoinPath(listFolderHost, SplitPath(srcListPath).back()), "ab")
                           : nullptr;
    if (!probe) {
        if (listFound == ProjectFolder::kLink)
            project.ReportLink();
        parser.CountedError(FormatResString(IDS_SOURCE_LIST_FAILED, srcListPath), -1, -1);
        return nullptr;
    }
    std::fclose(probe);

    RemoveOldScripts(project, ScriptFolders(placementRows));
    for (int i = 0; g_decompileFolders && i < kMaxFolders && g_decompileFolders[i]; ++i) {
        std::string host;
        const std::string folder = g_decompileFolders[i];
        if (!IsSafeRelativePath(folder))
            parser.CountedError(FormatResString(IDS_NAME_REFUSED, folder), -1, -1);
        else if (project.Folder(folder, true, host) == ProjectFolder::kLink)
            project.ReportLink();
    }

    std::unique_ptr<zFILE> srcList = zMakeFile("\\" + srcListPath);
    if (srcList->Create() != 0) {
        parser.CountedError(FormatResString(IDS_SOURCE_LIST_FAILED, srcListPath), -1, -1);
        return nullptr;
    }
    srcList->Write(kSourceListHeader);
    g_decompileFileName.clear();
    return srcList;
}

int zCParserDecompiler::WriteFiles(zFILE& srcList)
{
    zCIdeServices* host = zGetIdeServices();
    const int count = symtab.GetNumInList();
    std::unique_ptr<zFILE> out;
    int outFile = -1;
    int previousKind = -1;
    for (int i = 1; i < count; ++i) {
        zCPar_Symbol* symbol = symtab.GetSymbol(i);
        if (!symbol) {
            srcList.Close();
            parser.Error(FormatResString(IDS_SYMBOL_NOT_FOUND, i), -1, -1);
            return -1;
        }
        const int type = symbol->GetType();
        if (type == zPAR_TYPE_FUNC && symbol->HasFlag(zPAR_FLAG_EXTERNAL)) {
            i += std::max(0, symbol->GetElementCount());
            continue;
        }
        // The string literals' constants come after every declared symbol.
        if (IsLiteralName(symbol->name))
            break;

        if (!out || symbol->GetFileIndex() != outFile) {
            if (out)
                PlaceDecompiledFile(*out, &srcList);
            outFile = symbol->GetFileIndex();
            g_decompileFileName = zSTRING(outFile) + ".d";
            out = zMakeFile("\\" + g_decompileFileName);
            // Lines are written one by one: a write buffer of its own spares the stream
            // most of its calls to the system.
            if (auto* plain = dynamic_cast<zFILE_FILE*>(out.get()))
                plain->SetUseBuffer(1);
            out->Create();
            previousKind = -1;
            ResetFileState();
            if (CheckBuildStop(1)) {
                srcList.Close();
                out->FileDelete();
                throw zTBuildStopped{};
            }
            if (host)
                host->StepProgress();
        }

        if (type != previousKind && previousKind != zPAR_TYPE_CLASS && previousKind != zPAR_TYPE_PROTOTYPE)
            WriteDecompiled(*out, "\n");
        previousKind = type;

        switch (type) {
        case zPAR_TYPE_FLOAT:
        case zPAR_TYPE_INT:
        case zPAR_TYPE_STRING:
            i = DecompileVariable(*out, i, zSTRING());
            break;
        case zPAR_TYPE_CLASS:
            i = DecompileClass(*out, i);
            break;
        case zPAR_TYPE_FUNC:
            i = IsDecompiledFunction(i) ? DecompileFunction(*out, i) : DecompileFuncValue(*out, i, zSTRING());
            break;
        case zPAR_TYPE_PROTOTYPE:
            i = DecompilePrototype(*out, i);
            break;
        case zPAR_TYPE_INSTANCE:
            i = DecompileInstance(*out, i);
            break;
        default:
            out->FileDelete();
            srcList.Close();
            parser.Error(FormatResString(IDS_UNHANDLED_TYPE, type), -1, -1);
            return -1;
        }
    }

    if (out)
        PlaceDecompiledFile(*out, &srcList);
    return 0;
}
