// The compiled script file (.dat) and the symbol dump "Symbols.txt".
#include <memory>

#include "IdeServices.h"
#include "JobGlobals.h"
#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCObjectFactory.h"
#include "zCParOpcodes.h"
#include "zCParser.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

constexpr unsigned char kDatVersion = 0x32;

// File part of a name without its extension.
zSTRING FileWithoutExtension(const zSTRING& name)
{
    zSTRING base = name;
    const auto slash = base.find_last_of("\\/");
    if (slash != std::string::npos)
        base = base.substr(slash + 1);
    const auto dot = base.find_last_of('.');
    if (dot != std::string::npos)
        base = base.substr(0, dot);
    return base;
}

bool IsPending(const std::vector<int>& targets, int position)
{
    return !targets.empty() && targets.back() == position;
}

void DropReached(std::vector<int>& targets, int position)
{
    while (IsPending(targets, position))
        targets.pop_back();
}

} // namespace

int zCParser::SaveDat(zSTRING name)
{
    if (!saveAllowed)
        return 0;
    std::unique_ptr<zFILE> file = zMakeFile(name);
    if (file->Create() != 0)
        return -1;
    const char version = static_cast<char>(kDatVersion);
    const bool written = file->Write(&version, 1) == 0 && symtab.Save(*file) && codeStack.Save(*file);
    file->Close();
    if (!written)
        return -1;

    if (g_saveNameBase)
        nameBase.Save();
    g_errorReporter.Report(zERR_MESSAGE, name);
    zCIdeServices* host = zGetIdeServices();
    if (host && host->GetSettings().InsertInGame) {
        host->GetInsertFileList().push_back(name);
        host->InsertFilesInGame(0);
    }
    return 0;
}

int zCParser::LoadDat(zSTRING name)
{
    g_errorReporter.Report(zERR_MESSAGE, "Loading data...");
    std::unique_ptr<zFILE> file = zMakeFile(name);
    if (file->Open(false) != 0)
        return -1;

    unsigned char version = 0;
    if (file->Read(&version, 1) != 1 || version != kDatVersion) {
        // Nothing has been touched yet.
        file->Close();
        CountedError("Dat-File is not compatible.", -1, -1);
        return -1;
    }

    if (!symtab.Load(*file) || !codeStack.Load(*file)) {
        file->Close();
        return RefuseDamagedDat(name);
    }
    file->Close();
    g_errorReporter.Report(zERR_MESSAGE, name);
    helpInstance = symtab.GetIndex(zSTRING("\xFFINSTANCE_HELP"));
    return 0;
}

int zCParser::RefuseDamagedDat(const zSTRING& name)
{
    // Half a program would only mislead the decompiler.
    symtab.Clear();
    codeStack.Clear();
    helpInstance = -1;
    CountedError(FormatResString(IDS_DAMAGED_DAT, name), -1, -1);
    return -1;
}

int zCParser::ReSaveDat(zSTRING name)
{
    const zSTRING datName = FileWithoutExtension(name) + ".dat";
    // A file that could not be read is not overwritten with what is left.
    if (LoadDat(datName) != 0)
        return -1;
    SaveDat(datName);
    return 1;
}

int zCParser::DumpSymbols()
{
    std::unique_ptr<zFILE> file = zMakeFile("Symbols.txt");
    if (file->Create() != 0)
        return -1;
    g_errorReporter.Report(zERR_MESSAGE, "Symbols.txt - Creating...");
    const int count = symtab.GetNumInList();
    for (int i = 1; i < count; ++i) {
        const zCPar_Symbol* symbol = symtab.GetSymbol(i);
        // The string constants of the literals come last.
        if (IsLiteralName(symbol->name))
            break;
        const int type = symbol->GetType();
        if (type == zPAR_TYPE_FUNC && symbol->HasFlag(zPAR_FLAG_EXTERNAL)) {
            // Its parameters follow it.
            i += symbol->GetElementCount() > 0 ? symbol->GetElementCount() : 0;
            continue;
        }
        symbol->Print(*file);
        if ((type == zPAR_TYPE_FUNC && !symbol->HasFlag(zPAR_FLAG_CLASSVAR)) || type == zPAR_TYPE_PROTOTYPE ||
            type == zPAR_TYPE_INSTANCE)
            DumpCode(*file, symbol->GetContent());
    }
    file->Close();
    return 0;
}

void zCParser::DumpCode(zFILE& file, int codeOffset)
{
    dumpIfTargets.clear();
    codeStack.SetPopPos(codeOffset);
    zSTRING text;
    // Code offsets come from the symbols, which may come from a file: the dump ends
    // at the end of the code whatever it finds.
    while (codeStack.CanRead(1)) {
        const int position = codeStack.GetPopPos();
        if (IsPending(dumpIfTargets, position) || IsPending(dumpElseTargets, position)) {
            file.Write(text + "\n" + zSTRING(position) + ":\n");
            text.clear();
        }
        DropReached(dumpIfTargets, position);
        DropReached(dumpElseTargets, position);

        const int opcode = codeStack.PopByte();
        text += GetOpcodeName(opcode);
        switch (opcode) {
        case zPAR_OP_CALL:
        case zPAR_OP_PUSHINT:
            text += zSTRING(codeStack.PopInt());
            break;
        case zPAR_OP_JUMP: {
            const int target = codeStack.PopInt();
            text += zSTRING(target);
            dumpElseTargets.push_back(target);
            break;
        }
        case zPAR_OP_JUMPF: {
            const int target = codeStack.PopInt();
            text += zSTRING(target);
            dumpIfTargets.push_back(target);
            text += "\n";
            break;
        }
        case zPAR_OP_CALLEXTERN:
        case zPAR_OP_PUSHVAR:
        case zPAR_OP_PUSHINSTANCE:
        case zPAR_OP_71:
        case zPAR_OP_SETINSTANCE: {
            const zCPar_Symbol* symbol = symtab.GetSymbol(codeStack.PopInt());
            zSTRING name = symbol ? symbol->name : zSTRING();
            text += name.Lower();
            break;
        }
        case zPAR_OP_PUSH_ARRAYVAR: {
            const zCPar_Symbol* symbol = symtab.GetSymbol(codeStack.PopInt());
            zSTRING name = symbol ? symbol->name : zSTRING();
            text += name.Lower() + "[" + zSTRING(static_cast<int>(codeStack.PopByte())) + "]";
            break;
        }
        default:
            break;
        }
        if (opcode == zPAR_OP_END) {
            file.Write(text + "\n");
            if (dumpIfTargets.empty() && dumpElseTargets.empty())
                return;
            text = " ";
            continue;
        }
        text += " ";
    }
    if (!text.empty())
        file.Write(text + "\n");
}
