// The parser object's life, its reset, the compile driver and the source lists.
#include "zCParser.h"

#include <memory>
#include <vector>

#include "BuildStop.h"
#include "DirectoryTools.h"
#include "HostFileSystem.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCObjectFactory.h"
#include "zCParserDecompiler.h"
#include "zCScopeExit.h"
#include "zERROR.h"
#include "zFILE.h"
#include "zFileSystem.h"

zCParser* g_parser = nullptr;

zSTRING g_parErrSyntax;
zSTRING g_parErrExpected;
zSTRING g_parErrRedefined;
zSTRING g_parErrUnknown;
zSTRING g_parErrNoClass;
zSTRING g_parErrUndefinedFunc;
zSTRING g_parErrConvert;
zSTRING g_parErrAssignInIf;
zSTRING g_parErrCompareOutsideIf;
zSTRING g_parErrReturn;
zSTRING g_parErrNot;
const zSTRING g_parOperators = "+-*/%|&<>=";

namespace {

// The progress bar's full range.
const int kProgressRange = 100000;

// Drive, colon and directory of a name, with its last '\'; empty without a folder.
zSTRING FolderOf(const zSTRING& name)
{
    const auto slash = name.find_last_of("\\/");
    return slash == std::string::npos ? zSTRING() : zSTRING(name.substr(0, slash + 1));
}

bool IsWildcardLine(const zSTRING& line)
{
    return line.find_first_of("*?") != std::string::npos;
}

void SetProgressStepForList()
{
    zCIdeServices* host = zGetIdeServices();
    if (!host)
        return;
    const int entries = host->GetSourceListEntryCount();
    // An empty source list still gets a step the bar can take.
    host->SetProgressStep(entries > 0 ? kProgressRange / entries : kProgressRange);
}

void StepProgress()
{
    if (zCIdeServices* host = zGetIdeServices())
        host->StepProgress();
}

} // namespace

zCParser::zCParser(int preallocate)
{
    g_parErrSyntax = LoadResString(IDS_PAR_ERR_SYNTAX);
    g_parErrExpected = LoadResString(IDS_PAR_ERR_EXPECTED);
    g_parErrRedefined = LoadResString(IDS_PAR_ERR_REDEFINED);
    g_parErrUnknown = LoadResString(IDS_PAR_ERR_UNKNOWN);
    g_parErrNoClass = LoadResString(IDS_PAR_ERR_NO_CLASS);
    g_parErrUndefinedFunc = LoadResString(IDS_PAR_ERR_UNDEFINED_FUNC);
    g_parErrConvert = LoadResString(IDS_PAR_ERR_CONVERT);
    g_parErrAssignInIf = LoadResString(IDS_PAR_ERR_ASSIGN_IN_IF);
    g_parErrCompareOutsideIf = LoadResString(IDS_PAR_ERR_COMPARE_OUTSIDE_IF);
    g_parErrReturn = LoadResString(IDS_PAR_ERR_RETURN);
    g_parErrNot = LoadResString(IDS_PAR_ERR_NOT);
    if (preallocate != 0)
        symtab.Allocate(preallocate);
    Reset();
    decompiler = std::make_unique<zCParserDecompiler>(*this);
}

zCParser::~zCParser()
{
    DropPendingTree();
    ClearLists();
    symtab.Clear();
    nameBase.Clear();
}

int zCParser::Decompile(zSTRING srcListPath)
{
    return decompiler->Decompile(std::move(srcListPath));
}

void zCParser::ClearLists()
{
    for (int i = 0; i < files.GetNum(); ++i)
        delete files[i];
    files.DeleteList();
    deferredChecks.DeleteList();
    redefinitions.Clear();
    for (int i = 0; i < externalNames.GetNum(); ++i)
        delete externalNames[i];
    externalNames.DeleteList();
}

void zCParser::Reset()
{
    ClearLists();
    symtab.Clear();
    nameBase.Clear();
    linked = 0;
    parsed = 0;
    treeDump = 0;
    treeCache = 0;
    errorFlag = 0;
    errorCount = 0;

    currentFile = -1;
    line = 0;
    lineStart = 0;
    textStart = readPos = textEnd = nullptr;
    for (int i = 0; i < kHistorySize; ++i) {
        historyPositions[i] = nullptr;
        historyLines[i] = 0;
    }
    historyIndex = 0;
    currentWord.clear();
    currentFileName.clear();
    dottedOwner = -1;

    currentClass = nullptr;
    currentFunction = nullptr;
    constExpression = 0;
    deferredRunning = 0;
    currentExpressionType = -1;
    leftType = -1;
    saveAllowed = 1;
    errorMode = zPAR_ERROR_FATAL;
    helpInstance = -1;

    // The chains belonged to the records just deleted.
    DropPendingTree();
    currentCallNode = nullptr;
    bodyFirstNode = nullptr;
    labelCounter = 0;
    parameterMode = 0;
    outputUnitInstanceMode = 0;

    // Byte code, linker and symbol dump.
    codeStack.Clear();
    dataStack.Clear();
    stringLiteralCounter = 10000;
    linkFileIndex = -1;
    linkLabelCount = 0;
    labelTable.clear();
    emittedJumps.clear();
    currentInstance = nullptr;
    emitDepth = 0;
    emitFailed = false;
    dumpIfTargets.clear();
    dumpElseTargets.clear();

    DefineHelpInstance();
}

void zCParser::DefineHelpInstance()
{
    auto* help = new zCPar_Symbol;
    help->name = "\xFFINSTANCE_HELP";
    help->SetType(zPAR_TYPE_INSTANCE);
    help->SetElementCount(1);
    help->declaredType = zPAR_TYPE_INSTANCE;
    if (symtab.Insert(help)) {
        helpInstance = symtab.GetIndex(help);
    } else {
        delete help;
        helpInstance = symtab.GetIndex(zSTRING("\xFFINSTANCE_HELP"));
    }
}

zSTRING zCParser::GetFileName(int number) const
{
    if (number < 0 || number >= files.GetNum())
        return zSTRING();
    return files[number]->GetName();
}

zCPar_File* zCParser::GetFile(int number) const
{
    if (number < 0 || number >= files.GetNum())
        return nullptr;
    return files[number];
}

int zCParser::Compile(zSTRING name)
{
    compiledFileName = name;
    linked = 0;
    const zSTRING upper = UpperCopy(name);
    const auto src = upper.find(".SRC");

    if (g_jobMode == zJOB_COMPILE_SCRIPTS) {
        g_errorReporter.Report(zERR_MESSAGE, "Compiling...");
        if (src != std::string::npos)
            return ReadSourceList(name);
        const auto script = upper.find(".D");
        if (script != std::string::npos && script > 0)
            return ParseFile(name);
    }

    if (src != std::string::npos)
        name = name.substr(0, src) + ".dat";
    if (UpperCopy(name).find(".DAT") == std::string::npos)
        return -1;
    linked = 1;
    return LoadDat(BaseName(name) + ".dat");
}

int zCParser::ReadSourceList(zSTRING name)
{
    const zSTRING folder = FolderOf(name);
    std::unique_ptr<zFILE> list = zMakeFile(name);
    if (!list->Exists()) {
        Error(FormatResString(IDS_SOURCE_LIST_NOT_FOUND, name), 0, -1);
        return -1;
    }

    // A list that includes itself, directly or through others, would never end.
    const zSTRING fullName = UpperCopy(list->GetFullPath());
    for (const zSTRING& open : openLists) {
        if (open == fullName) {
            ListError(FormatResString(IDS_LIST_INCLUDES_ITSELF, name), includingList, includingLine);
            return -1;
        }
    }

    list->Open(false);
    list->Reset();
    SetProgressStepForList();

    openLists.push_back(fullName);
    const zCScopeExit leaveList([this, &list, savedList = includingList, savedLine = includingLine] {
        openLists.pop_back();
        includingList = savedList;
        includingLine = savedLine;
        list->Close();
    });

    zSTRING line;
    int lineNumber = 0;
    // A last line without a line break is an entry too.
    while (list->ReadLine(line) == 0) {
        ++lineNumber;
        includingList = name;
        includingLine = lineNumber;
        if (!IsWildcardLine(line)) {
            ReadSourceListEntry(folder, line);
            continue;
        }

        const auto slash = line.find_last_of('\\');
        const zSTRING linePart = slash == std::string::npos ? zSTRING() : zSTRING(line.substr(0, slash + 1));
        std::vector<zTHostDirEntry> found;
        DirectFileAccess(true);
        HostFindFiles(MakeFullPath(folder + line), found);
        DirectFileAccess(false);
        if (found.empty()) {
            Error(LoadResString(IDS_NO_MATCHING_FILE) + line, 0, -1);
            return 0;
        }
        zSTRING previous;
        for (std::size_t i = 0; i < found.size(); ++i) {
            const zSTRING entry = linePart + found[i].name.c_str();
            if (i > 0 && entry == previous) {
                g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_SAME_FILE_NAME));
                continue;
            }
            ReadSourceListEntry(folder, entry);
            previous = entry;
        }
    }
    return 0;
}

void zCParser::ReadSourceListEntry(const zSTRING& folder, const zSTRING& entry)
{
    const zSTRING upper = UpperCopy(entry);
    if (upper.find(".SRC") != std::string::npos) {
        ReadSourceList(folder + entry);
    } else if (upper.find(".D") != std::string::npos) {
        ParseFile(folder + entry);
        CheckBuildStop(0);
        StepProgress();
    }
}

void zCParser::ListError(const zSTRING& text, const zSTRING& listName, int listLine)
{
    // Reported against the list itself: no script file is being read.
    ReportError(text, listName.empty() ? nullptr : listName.c_str(), listName.empty() ? -1 : listLine);
}

void zCParser::DropPendingTree()
{
    delete pendingTree;
    pendingTree = nullptr;
    lastNode = callArgumentsNode = currentTree = nullptr;
}

zCPar_File* zCParser::NewFileRecord(const zSTRING& name)
{
    currentFileName = name;
    labelCounter = 0;
    auto* head = new zCPar_TreeNode(EXP_EMPTY, 0, 0);
    lastNode = callArgumentsNode = currentTree = head;
    currentCallNode = nullptr;

    // Owned here until the file is read: a cached tree replaces it, and a fatal
    // error must not strand it.
    delete pendingTree;
    pendingTree = head;

    auto* record = new zCPar_File;
    record->SetName(name);
    files.InsertEnd(record);
    record->number = files.GetNum() - 1;
    record->useTreeCache = treeCache;
    currentFile = record->number;
    return record;
}

void zCParser::StartReading(zCPar_File* record)
{
    line = 1;
    lineStart = 0;
    textStart = readPos = record->GetBuffer();
    textEnd = record->GetBuffer() + record->GetBufferSize() - 1;
    for (int i = 0; i < kHistorySize; ++i) {
        historyPositions[i] = readPos;
        historyLines[i] = line;
    }
    historyIndex = 0;
}

int zCParser::ParseFile(zSTRING name)
{
    for (int i = 0; i < files.GetNum(); ++i) {
        if (files[i]->GetName() == name) {
            g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_ALREADY_PARSED, name));
            return 0;
        }
    }

    zCPar_File* record = NewFileRecord(name);
    const int loaded = record->LoadFile(name, symtab);
    if (loaded < 0) {
        // The record held the only chain; nothing may point into it afterwards.
        files.RemoveOrderIndex(record->number);
        delete record;
        DropPendingTree();
        currentFile = -1;
        Error(FormatResString(IDS_FILE_NOT_FOUND, name), 0, -1);
        return -1;
    }
    if (loaded == 1) {
        g_errorReporter.Report(zERR_MESSAGE, name + LoadResString(IDS_LOADED_FROM_CACHE));
        labelCounter = record->labelCount;
        DropPendingTree();
        currentFile = -1;
        return 0;
    }

    parsed = 1;
    g_errorReporter.Report(zERR_MESSAGE, name);
    const int firstNewSymbol = symtab.GetNumInList();
    StartReading(record);

    zSTRING word;
    while (readPos < textEnd) {
        ReadWord(word);
        if (IsWord(word, "CONST"))
            DeclareVar(1);
        else if (IsWord(word, "VAR"))
            DeclareVar(0);
        else if (IsWord(word, "FUNC"))
            DeclareFunc();
        else if (IsWord(word, "CLASS"))
            DeclareClass();
        else if (IsWord(word, "INSTANCE"))
            DeclareInstance();
        else if (IsWord(word, "PROTOTYPE"))
            DeclarePrototype();
        else if (word.empty())
            break;
        else
            Error(g_parErrSyntax + word, 0, -1);
        Match(';');
    }

    record->FreeText();
    textStart = readPos = textEnd = nullptr;
    record->labelCount = labelCounter;
    // The record keeps the chain from its head, which owns the rest through Next.
    record->SetTree(pendingTree);
    pendingTree = nullptr;
    currentFile = -1;
    if (treeDump)
        record->WriteTreeText(symtab, firstNewSymbol);
    return 0;
}
