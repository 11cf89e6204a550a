// A parser with hand-made symbols and statement chains, linked as one parsed file,
// for the tests of the byte code, the linker and the ".dat", with a sandbox as the
// file layer's root. The host records what would be copied into the game.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "IdeServices.h"
#include "SymbolFileFixture.h"
#include "zCParser.h"

// Keeps the names handed to the game copy, which the headless host only empties.
class RecordingIde : public zCHeadlessIde {
public:
    void InsertFilesInGame(int kind) override
    {
        for (const zSTRING& name : GetInsertFileList())
            inserted.push_back(std::to_string(kind) + ":" + static_cast<const std::string&>(name));
        zCHeadlessIde::InsertFilesInGame(kind);
    }
    std::vector<std::string> inserted;
};

// Expected byte code, written the way it reads.
struct CodeBytes {
    std::vector<int> bytes;
    CodeBytes& Op(int opcode)
    {
        bytes.push_back(opcode);
        return *this;
    }
    CodeBytes& Int(std::int32_t value)
    {
        const auto word = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<int>((word >> shift) & 0xFF));
        return *this;
    }
    CodeBytes& Byte(int value)
    {
        bytes.push_back(value);
        return *this;
    }
    // An opcode with its int operand.
    CodeBytes& Op(int opcode, std::int32_t operand) { return Op(opcode).Int(operand); }
};

class ParserCodeFixture : public SymbolFileFixtureOn<RecordingIde> {
protected:
    void SetUp() override
    {
        SymbolFileFixtureOn<RecordingIde>::SetUp();
        // A job is running: the stop poll lets it go on.
        host.GetSettings().BuildJobThread = 1;
        // Errors are counted, so a test sees every one of them.
        parser.SetErrorMode(zPAR_ERROR_COUNTED);
    }

    // --- symbols ---
    zCPar_Symbol* Define(const std::string& name, int type, int count = 1, zCPar_Symbol* parent = nullptr,
                         int flags = 0)
    {
        auto* symbol = new zCPar_Symbol;
        symbol->name = name.c_str();
        symbol->SetType(type);
        symbol->SetElementCount(count);
        symbol->declaredType = type;
        symbol->SetParent(parent);
        if (flags)
            symbol->SetFlag(flags);
        EXPECT_EQ(parser.GetSymbolTable().Insert(symbol), 1) << name;
        return symbol;
    }
    // A class and its members (name, type, count) in the order given.
    zCPar_Symbol* DefineClass(const std::string& name,
                              std::initializer_list<std::tuple<const char*, int, int>> members)
    {
        zCPar_Symbol* symbol = Define(name, zPAR_TYPE_CLASS, 0);
        for (const auto& member : members) {
            symbol->SetElementCount(symbol->GetElementCount() + 1);
            Define(name + "." + std::get<0>(member), std::get<1>(member), std::get<2>(member), symbol,
                   zPAR_FLAG_CLASSVAR);
        }
        return symbol;
    }
    zCPar_Symbol* DefineFunction(const std::string& name, int flags = zPAR_FLAG_CONST)
    {
        return Define(name, zPAR_TYPE_FUNC, 0, nullptr, flags);
    }
    int Index(const std::string& name) const { return parser.GetSymbolTable().GetIndex(zSTRING(name.c_str())); }

    // --- nodes ---
    static zCPar_TreeNode* Node(int kind, const std::string& name = std::string(), int value = 0, int line = 1)
    {
        return new zCPar_TreeNode(kind, zSTRING(name.c_str()), value, line);
    }
    static zCPar_TreeNode* Name(const std::string& name, int baseType = zPAR_TYPE_INT, int element = 0)
    {
        zCPar_TreeNode* node = Node(EXP_COMPOUND, name, element);
        node->BaseType = baseType;
        return node;
    }
    static zCPar_TreeNode* Digit(int value) { return Node(EXP_DIGIT, std::string(), value); }
    static zCPar_TreeNode* Text(const std::string& text) { return Node(EXP_STRING, text); }
    static zCPar_TreeNode* Instance(const std::string& name, int classIndex = 0)
    {
        zCPar_TreeNode* node = Node(EXP_INSTANCE, name, classIndex);
        node->BaseType = zPAR_TYPE_INSTANCE;
        return node;
    }
    static zCPar_TreeNode* Op(int kind, zCPar_TreeNode* left, zCPar_TreeNode* right)
    {
        zCPar_TreeNode* node = Node(kind);
        node->Left = left;
        node->Right = right;
        return node;
    }
    // A call inside an expression: the holder, its arguments, then the call.
    static zCPar_TreeNode* CallIn(const std::string& function, std::initializer_list<zCPar_TreeNode*> arguments)
    {
        zCPar_TreeNode* holder = Node(EXP_EMPTY);
        zCPar_TreeNode* tail = holder;
        for (zCPar_TreeNode* argument : arguments)
            argument->Insert(tail);
        Node(EXP_ENTRY_INSTANCE, function)->Insert(tail);
        return holder;
    }
    // A file's statement chain: a head node, then the nodes in order.
    static zCPar_TreeNode* Chain(std::initializer_list<zCPar_TreeNode*> nodes)
    {
        zCPar_TreeNode* head = Node(EXP_EMPTY, std::string(), 0, 0);
        zCPar_TreeNode* tail = head;
        for (zCPar_TreeNode* node : nodes)
            node->Insert(tail);
        return head;
    }

    // --- linking ---
    // Hands the chain to a new parsed-file record, as the file reader leaves it.
    zCPar_File* AddFile(const std::string& name, zCPar_TreeNode* chain, int labels = 0)
    {
        zCPar_File* record = parser.NewFileRecord(zSTRING(name.c_str()));
        record->SetTree(chain);
        record->labelCount = labels;
        return record;
    }
    // Links one file made of the chain and gives the code.
    std::vector<int> LinkChain(zCPar_TreeNode* chain, int labels = 0)
    {
        AddFile("TEST.D", chain, labels);
        parser.Link();
        return Code();
    }
    std::vector<int> Code() const
    {
        const zCPar_Stack& stack = parser.GetCodeStack();
        return std::vector<int>(stack.GetData(), stack.GetData() + stack.GetDynSize());
    }

    zCParser parser;
};
