// One parsed source file: its text while it is read, and the tree built from it
// until the linker has turned that into byte code.
#pragma once

#include <string>

#include "zSTRING.h"

class zCPar_SymbolTable;
class zCPar_TreeNode;
class zFILE;

class zCPar_File {
public:
    zCPar_File() = default;
    ~zCPar_File();
    zCPar_File(const zCPar_File&) = delete;
    zCPar_File& operator=(const zCPar_File&) = delete;

    // -1: no such file. 1: the tree came from the ".tre" cache (symbols into table).
    // 0: the text is in the buffer, NUL-terminated.
    int LoadFile(const zSTRING& name, zCPar_SymbolTable& table);
    // 1 when a valid ".tre" for the file was read.
    int LoadTreeCache(zCPar_SymbolTable& table);
    // One node and its subtrees; null on a short or damaged file.
    zCPar_TreeNode* ReadTreeNode(zFILE& file);
    // The ".trt" dump: the symbols from firstSymbol on (all when null), then the tree.
    void WriteTreeText(const zCPar_SymbolTable& table, int firstSymbol);

    // Takes the bytes as the file's text (a NUL is added).
    void SetText(const std::string& bytes);
    void FreeText();

    zSTRING GetName() const { return name; }
    void SetName(const zSTRING& fileName) { name = fileName; }
    char* GetBuffer() const { return buffer; }
    int GetBufferSize() const { return bufferSize; }

    // Gives the record a new tree; the old one is destroyed.
    void SetTree(zCPar_TreeNode* tree);
    zCPar_TreeNode* GetTree() const { return tree; }
    // Hands the tree over to the caller.
    zCPar_TreeNode* TakeTree();

    int number = 0;
    int labelCount = 0;  // "if" statements of the file
    int useTreeCache = 0;

private:
    zSTRING name;
    char* buffer = nullptr;  // owned
    int bufferSize = 0;      // file size + 1
    zCPar_TreeNode* tree = nullptr;  // owned
};
