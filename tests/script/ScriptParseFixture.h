// A parser that reads script text written into a sandbox file, with the reporter's
// lines captured, for the tests of the compile driver and of the declaration and
// statement readers.
#pragma once

#include <string>
#include <vector>

#include "SymbolFileFixture.h"
#include "zCPar_TreeNode.h"
#include "zCParser.h"
#include "zERROR.h"

class ScriptParseFixture : public SymbolFileFixture {
protected:
    // Parses the text as the file "\T.D"; false when a fatal message ended it.
    bool Parse(const std::string& text)
    {
        box.Write("T.D", text);
        try {
            parser.ParseFile("\\T.D");
        } catch (const zTFatalAbort&) {
            return false;
        }
        return true;
    }

    zCPar_Symbol* Sym(const char* name) { return parser.GetSymbolTable().GetSymbol(zSTRING(name)); }
    int Index(const char* name) { return parser.GetSymbolTable().GetIndex(zSTRING(name)); }

    // The statement chain of the parsed file after its head.
    std::vector<zCPar_TreeNode*> Chain() const
    {
        std::vector<zCPar_TreeNode*> nodes;
        zCPar_File* file = parser.GetFile(0);
        for (zCPar_TreeNode* node = file && file->GetTree() ? file->GetTree()->Next : nullptr; node; node = node->Next)
            nodes.push_back(node);
        return nodes;
    }
    std::vector<int> Kinds() const
    {
        std::vector<int> kinds;
        for (zCPar_TreeNode* node : Chain())
            kinds.push_back(node->TypeExp);
        return kinds;
    }

    zCParser parser;
};
