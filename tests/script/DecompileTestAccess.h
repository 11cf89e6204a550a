// Reaches into the decompiler for its tests: sets a body up as the declaration
// writers do, and reads the state a run keeps.
#pragma once

#include <string>

#include "zCParser.h"

class DecompileTestAccess {
public:
    static void Body(zCParser& parser, zCPar_Symbol* owner)
    {
        parser.ResetDecompileStatements();
        parser.decompileDepth = 1;
        parser.decompileBodyClass = owner;
        const bool function = owner && owner->GetType() == zPAR_TYPE_FUNC;
        parser.decompileFunction = function ? owner : nullptr;
        parser.decompileReturnType = function ? owner->GetOffset() : 0;
    }
    static void Flags(zCParser& parser, int svm, int dialogue)
    {
        parser.decompileSvm = svm;
        parser.decompileDialogue = dialogue;
    }
    static std::string FileKey(const zCParser& parser) { return parser.decompileFileKey; }
    static int LineCount(const zCParser& parser) { return parser.decompileLineCount; }
    // Whether the parser still holds what only a run needs (the placement rows and
    // the bodies' addresses).
    static bool HoldsRunState(const zCParser& parser)
    {
        return !parser.placementRows.empty() || parser.placementRows.capacity() != 0 ||
               !parser.decompileBodyAddresses.empty();
    }
};
