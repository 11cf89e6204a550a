// Reaches into the decompiler for its tests: sets a body up as the declaration
// writers do, and reads the state a run keeps.
#pragma once

#include <string>

#include "zCParser.h"
#include "zCParserDecompiler.h"

class DecompileTestAccess {
public:
    static void Body(zCParser& parser, zCPar_Symbol* owner)
    {
        zCParserDecompiler& decompiler = parser.GetDecompiler();
        decompiler.ResetDecompileStatements();
        decompiler.decompileDepth = 1;
        decompiler.decompileBodyClass = owner;
        const bool function = owner && owner->GetType() == zPAR_TYPE_FUNC;
        decompiler.decompileFunction = function ? owner : nullptr;
        decompiler.decompileReturnType = function ? owner->GetOffset() : 0;
    }
    static void Flags(zCParser& parser, int svm, int dialogue)
    {
        parser.GetDecompiler().decompileSvm = svm;
        parser.GetDecompiler().decompileDialogue = dialogue;
    }
    static std::string FileKey(zCParser& parser) { return parser.GetDecompiler().decompileFileKey; }
    static int LineCount(zCParser& parser) { return parser.GetDecompiler().decompileLineCount; }
    // Whether the decompiler still holds what only a run needs (the placement rows
    // and the bodies' addresses).
    static bool HoldsRunState(zCParser& parser)
    {
        const zCParserDecompiler& decompiler = parser.GetDecompiler();
        return !decompiler.placementRows.empty() || decompiler.placementRows.capacity() != 0 ||
               !decompiler.decompileBodyAddresses.empty();
    }
};
