// The linker: the parsed files' trees into byte code, then the ".dat"; and the engine
// offsets of the script classes that mirror engine objects.
#include <cstdint>
#include <memory>

#include "IdeServices.h"
#include "ParNames.h"
#include "zCParser.h"
#include "zERROR.h"

namespace {

// The counts are chatty: shown from this filter level on.
constexpr int kCountsFilterLevel = 3;

void Prefetch(const void* address)
{
#if defined(__GNUC__)
    if (address)
        __builtin_prefetch(address);
#else
    (void)address;
#endif
}

} // namespace

void zCParser::Link()
{
    RunDeferredChecks();
    if (errorCount != 0) {
        g_errorReporter.Report(zERR_MESSAGE, "Process stopped...");
        if (zCIdeServices* host = zGetIdeServices())
            host->ReportBuildSummary(0);
        if (zERROR::zTFatalHandler fatal = g_errorReporter.GetFatalHandler())
            fatal();
        return;
    }
    errorFlag = 0;

    if (linked) {
        if (g_errorReporter.GetFilterLevel() >= kCountsFilterLevel)
            g_errorReporter.Report(zERR_MESSAGE, "Linking skipped.");
    } else {
        g_errorReporter.Report(zERR_MESSAGE, "Linking...");
        currentFunction = nullptr;
        currentClass = nullptr;
        currentInstance = nullptr;
        // Files in the order they were parsed; each file's labels are its own.
        for (int i = 0; i < files.GetNum(); ++i) {
            if (files[i]->GetTree())
                LinkFile(i);
        }
    }

    if (errorFlag) {
        g_errorReporter.Report(zERR_MESSAGE, "Linking failed.");
    } else if (g_errorReporter.GetFilterLevel() >= kCountsFilterLevel) {
        g_errorReporter.Report(zERR_MESSAGE, "Symbols: " + zSTRING(symtab.GetNumInList()));
        g_errorReporter.Report(zERR_MESSAGE, "Code Size: " + zSTRING(codeStack.GetDynSize()) + " bytes.");
    }

    // A failed link leaves no ".dat" behind, and nothing goes into the game.
    if (!linked && parsed && !errorFlag) {
        SaveDat(BaseName(compiledFileName) + ".dat");
        if (zCIdeServices* host = zGetIdeServices())
            host->GetSettings().Decompilate = 1;
    }
    linked = 1;
}

void zCParser::LinkFile(int index)
{
    zCPar_File* record = files[index];
    // The tree is consumed here, whatever ends the emission: the statements not yet
    // emitted, the first of them holding the rest through Next.
    std::unique_ptr<zCPar_TreeNode> rest(record->TakeTree());
    struct Scope {
        zCParser& parser;
        ~Scope()
        {
            parser.labelTable.clear();
            parser.emittedJumps.clear();
            parser.linkLabelCount = 0;
            parser.linkFileIndex = -1;
            parser.currentFile = -1;
            parser.emitDepth = 0;
            // A body whose emission stopped must not lend its scope to the next file.
            parser.currentFunction = nullptr;
            parser.currentClass = nullptr;
            parser.currentInstance = nullptr;
        }
    } scope{*this};

    linkFileIndex = index;
    // Errors name the file being linked and the node's line.
    currentFile = index;
    linkLabelCount = record->labelCount > 0 ? record->labelCount : 0;
    // A label without its end-of-if node stays 0, as in a zero-filled table.
    labelTable.assign(static_cast<std::size_t>(linkLabelCount), 0);
    emittedJumps.clear();

    // The trees were made long before and have left the processor's caches. Their
    // nodes were cut from the node pool in the order they were made, so the memory
    // a little after the statement being emitted is asked for meanwhile.
    constexpr std::uintptr_t kWindow = 4096;
    constexpr std::uintptr_t kLine = 64;
    std::uintptr_t fetched = 0;
    // Emitted statements, linked through Next, waiting to go back to the pool.
    std::unique_ptr<zCPar_TreeNode> emitted;
    int emittedCount = 0;
    constexpr int kEmittedPerDrop = 64;
    while (rest) {
        zCPar_TreeNode* node = rest.get();
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(node);
        if (fetched < at || fetched > at + kWindow)
            fetched = at;  // a node out of order: the window starts again here
        for (; fetched < at + kWindow; fetched += kLine)
            Prefetch(reinterpret_cast<const void*>(fetched));
        zCPar_TreeNode* next = EmitCode(node);
        if (!next)
            break;  // the last statement, or a failed one: the rest is not emitted
        // Emitted statements go back to the pool while their nodes are still in the
        // cache, not in a walk over the whole tree afterwards; some dozens at a time,
        // as each handing back takes the pool's lock.
        rest.release();
        next->Prev = nullptr;
        node->Next = emitted.release();
        emitted.reset(node);
        if (++emittedCount == kEmittedPerDrop) {
            emitted.reset();
            emittedCount = 0;
        }
        rest.reset(next);
    }
    PatchJumps();
}

void zCParser::BindClassOffset(const zSTRING& className, int base)
{
    zCPar_Symbol* symbol = symtab.GetSymbol(className);
    if (!symbol || symbol->GetType() != zPAR_TYPE_CLASS)
        return;
    if (linked) {
        // Loaded from a ".dat": the offsets there belong to the platform it was built for.
        if (symbol->GetContent() != base)
            CountedError("Dat-File is not compatible! Change platform!", -1, -1);
        return;
    }
    symbol->SetContent(base);
    zCPar_Symbol* member = symbol->GetNext();
    for (int i = 0; i < symbol->GetElementCount() && member; ++i, member = member->GetNext()) {
        if (member->HasFlag(zPAR_FLAG_CLASSVAR))
            member->SetOffset(member->GetOffset() + base);
    }
}
