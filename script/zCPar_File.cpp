// One parsed source file: its text, its tree, the ".tre" cache reader and the ".trt" dump.
#include "zCPar_File.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DatWords.h"
#include "HexText.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCObjectFactory.h"
#include "zCPar_Symbol.h"
#include "zCPar_SymbolTable.h"
#include "zCPar_TreeNode.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

// The version byte of ".tre" files, the one of ".dat" files.
constexpr unsigned char kTreeVersion = 0x32;

// Left and Right nest no deeper than this in a cache: the tree's destructor and the
// walkers of the checks recurse over them. No script comes near it; a damaged file may.
constexpr int kMaxTreeDepth = 1000;

// Smallest byte counts on disk, to refuse counts the file cannot hold.
constexpr long kMinSymbolBytes = 4 + 28 + 4;  // has-name, fixed words, parent flag
constexpr long kMinNodeBytes = 4 + 1 + 4 + 4 + 3 * 4;

// The file name up to the first full stop of its last part, then the extension. A dot in
// a folder name ("..\", "Mod.v2\") must not cut the path short.
zSTRING SiblingName(const zSTRING& name, const char* extension)
{
    const std::size_t slash = name.find_last_of("\\/");
    const std::size_t partStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = name.find('.', partStart);
    return zSTRING(name.substr(0, dot)) + extension;
}

std::string StampBytes(const zTFileDate& date)
{
    std::string bytes;
    PutDatInt(bytes, static_cast<std::int32_t>(date.year));
    for (std::uint16_t part : {date.month, date.day, date.hour, date.minute, date.second, date.unused}) {
        bytes += static_cast<char>(part & 0xFF);
        bytes += static_cast<char>(part >> 8);
    }
    return bytes;
}

long BytesLeft(zFILE& file)
{
    return file.Size() - file.Pos();
}

zSTRING HexOf(const void* pointer)
{
    return HexText(reinterpret_cast<std::uintptr_t>(pointer));
}

// Collects the dump and writes it out in pieces.
class TextSink {
public:
    explicit TextSink(zFILE& file) : file(file) {}
    void Add(const zSTRING& text)
    {
        pending += text;
        if (pending.size() >= 1 << 16)
            Flush();
    }
    void Flush()
    {
        if (!pending.empty())
            file.Write(pending);
        pending.clear();
    }

private:
    zFILE& file;
    std::string pending;
};

void PrintNode(TextSink& out, const zCPar_TreeNode& node)
{
    zSTRING text = "\nAddress = 0x" + HexOf(&node) + "\n";
    text += "tn->Name = " + node.Name + "\n";
    text += "tn->TypeExp = " + zCPar_TreeNode::GetKindName(node.TypeExp) + "\n";
    text += "tn->Value = " + zSTRING(node.Value) + "\n";
    text += "tn->BaseType = " + zSTRING(node.BaseType) + "\n";
    text += "tn->Type = " + zSTRING(node.Type) + "\n";
    text += "tn->Left = 0x" + HexOf(node.Left) + "\n";
    text += "tn->Right = 0x" + HexOf(node.Right) + "\n";
    text += "tn->Prev = 0x" + HexOf(node.Prev) + "\n";
    text += "tn->Next = 0x" + HexOf(node.Next) + "\n";
    out.Add(text);
}

} // namespace

zCPar_File::~zCPar_File()
{
    FreeText();
    delete tree;
}

int zCPar_File::LoadFile(const zSTRING& fileName, zCPar_SymbolTable& table)
{
    std::unique_ptr<zFILE> file = zMakeFile(fileName);
    if (!file->Exists())
        return -1;
    SetTree(nullptr);
    name = fileName;
    if (useTreeCache && LoadTreeCache(table) == 1)
        return 1;

    if (file->Open(false) != 0)
        return -1;
    const long size = file->Size();
    bool complete = size >= 0 && size < INT_MAX;
    // Read straight into the buffer: a large project's files make megabytes.
    std::unique_ptr<char[]> text;
    if (complete) {
        text.reset(new char[static_cast<std::size_t>(size) + 1]);
        complete = size == 0 || file->Read(text.get(), size) == size;
        text[static_cast<std::size_t>(size)] = '\0';
    }
    file->Close();
    if (!complete) {
        // Half a script would compile into nonsense without a word of warning.
        g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, fileName));
        return -1;
    }
    FreeText();
    buffer = text.release();
    bufferSize = static_cast<int>(size) + 1;
    return 0;
}

int zCPar_File::LoadTreeCache(zCPar_SymbolTable& table)
{
    const zSTRING cacheName = SiblingName(name, ".tre");
    std::unique_ptr<zFILE> source = zMakeFile(name);
    std::unique_ptr<zFILE> cache = zMakeFile(cacheName);
    if (!cache->Exists())
        return 0;
    zTFileStats stats;
    if (source->GetStats(stats) != 0)
        return 0;
    if (cache->Open(false) != 0)
        return 0;

    std::string stamp(16, '\0');
    if (cache->Read(&stamp[0], 16) != 16 || stamp != StampBytes(stats.modifyDate))
        return 0;  // an old cache: the source is newer

    SetTree(nullptr);
    unsigned char version = 0;
    if (cache->Read(&version, 1) != 1 || version != kTreeVersion)
        return 0;

    // Symbols go into the table only once the whole file has been read, so a damaged
    // cache adds nothing.
    const auto damaged = [&cacheName]() {
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_FILE_NOT_FOUND_OR_CORRUPTED, cacheName));
        return 0;
    };
    std::int32_t ifCount = 0;
    std::int32_t symbolCount = 0;
    if (!ReadDatInt(*cache, ifCount) || ifCount < 0 || !ReadDatInt(*cache, symbolCount) || symbolCount < 0 ||
        symbolCount > BytesLeft(*cache) / kMinSymbolBytes)
        return damaged();

    std::vector<std::unique_ptr<zCPar_Symbol>> symbols;
    symbols.reserve(static_cast<std::size_t>(symbolCount));
    for (std::int32_t i = 0; i < symbolCount; ++i) {
        auto symbol = std::make_unique<zCPar_Symbol>();
        std::int32_t hasParent = 0;
        if (!symbol->LoadFromDat(*cache) || !ReadDatInt(*cache, hasParent))
            return damaged();
        if (hasParent != 0) {
            zSTRING parentName;
            if (cache->ReadLine(parentName) != 0)
                return damaged();
            // As if each symbol had been inserted before the next was read: the table
            // first, then the first earlier symbol of the file with that name.
            zCPar_Symbol* parent = table.GetSymbol(parentName);
            for (std::size_t j = 0; !parent && j < symbols.size(); ++j) {
                if (symbols[j]->name == parentName)
                    parent = symbols[j].get();
            }
            symbol->SetParent(parent);
        }
        symbols.push_back(std::move(symbol));
    }

    zCPar_TreeNode* newTree = ReadTreeNode(*cache);
    if (!newTree)
        return damaged();

    for (auto& symbol : symbols) {
        // Inserting gives a class its storage, which would zero the size read from the file.
        const int offset = symbol->GetOffset();
        if (table.Insert(symbol.get())) {
            symbol.release()->SetOffset(offset);
        }
        // A name already present: the unique pointer deletes the copy.
    }
    labelCount = ifCount;
    SetTree(newTree);
    return 1;
}

zCPar_TreeNode* zCPar_File::ReadTreeNode(zFILE& file)
{
    // Nodes come in pre-order: a node, its Left subtree, its Right subtree, its Next
    // list. Read with a stack of slots still to fill, so neither a long list nor a deep
    // tree recurses.
    struct Slot {
        zCPar_TreeNode** place;
        zCPar_TreeNode* prev;  // the node whose Next this is
        int depth;             // Left/Right nesting
    };
    zCPar_TreeNode* root = nullptr;
    std::vector<Slot> pending{{&root, nullptr, 0}};
    const long size = file.Size();
    while (!pending.empty()) {
        const Slot slot = pending.back();
        pending.pop_back();
        // Every node still promised needs its bytes in the file.
        if (static_cast<long>(pending.size() + 1) > (size - file.Pos()) / kMinNodeBytes || slot.depth > kMaxTreeDepth) {
            delete root;
            return nullptr;
        }

        std::int32_t hasName = 0;
        zSTRING nodeName;
        unsigned char kind = 0;
        std::int32_t words[5];  // Value, BaseType, Left, Right and Next flags
        bool ok = ReadDatInt(file, hasName) && (hasName == 0 || file.ReadLine(nodeName) == 0) && file.Read(&kind, 1) == 1;
        for (std::int32_t& word : words)
            ok = ok && ReadDatInt(file, word);
        if (!ok) {
            delete root;
            return nullptr;
        }

        auto* node = new zCPar_TreeNode(kind, nodeName, words[0], 0);
        node->BaseType = words[1];
        node->Prev = slot.prev;
        *slot.place = node;  // owned through root from here on
        if (words[4] != 0)
            pending.push_back({&node->Next, node, slot.depth});
        if (words[3] != 0)
            pending.push_back({&node->Right, nullptr, slot.depth + 1});
        if (words[2] != 0)
            pending.push_back({&node->Left, nullptr, slot.depth + 1});
    }
    return root;
}

void zCPar_File::WriteTreeText(const zCPar_SymbolTable& table, int firstSymbol)
{
    std::unique_ptr<zFILE> file = zMakeFile(SiblingName(name, ".trt"));
    if (file->Create() != 0)
        return;
    TextSink out(*file);

    const int first = firstSymbol > 0 ? firstSymbol : 0;
    const int count = table.GetNumInList() > first ? table.GetNumInList() - first : 0;
    out.Add("\nVersion = " + zSTRING(static_cast<int>(kTreeVersion)) + "\n");
    out.Add("Number If = " + zSTRING(labelCount) + "\n");
    out.Add("Number zCPar_Symbol = " + zSTRING(count) + "\n");
    for (int i = first; i < first + count; ++i) {
        const zCPar_Symbol* symbol = table.GetSymbol(i);
        const zCPar_Symbol* parent = symbol->GetParent();
        out.Add("zCPar_Symbol* ps = " + HexOf(symbol) + "\n");
        out.Add("ParentName = " + (parent ? parent->name : zSTRING()) + "\n");
    }

    out.Add("\n+++ Class zCPar_TreeNode\n\n");
    // Node, Left subtree, Right subtree, Next list; a stack keeps long lists and deep
    // trees off the call stack.
    std::vector<const zCPar_TreeNode*> todo;
    if (tree)
        todo.push_back(tree);
    while (!todo.empty()) {
        const zCPar_TreeNode* node = todo.back();
        todo.pop_back();
        PrintNode(out, *node);
        for (const zCPar_TreeNode* child : {node->Next, node->Right, node->Left}) {
            if (child)
                todo.push_back(child);
        }
    }
    out.Flush();
    file->Close();
}

void zCPar_File::SetText(const std::string& bytes)
{
    FreeText();
    bufferSize = static_cast<int>(bytes.size()) + 1;
    buffer = new char[bufferSize];
    bytes.copy(buffer, bytes.size());
    buffer[bytes.size()] = '\0';
}

void zCPar_File::FreeText()
{
    delete[] buffer;
    buffer = nullptr;
    bufferSize = 0;
}

void zCPar_File::SetTree(zCPar_TreeNode* newTree)
{
    if (newTree != tree)
        delete tree;
    tree = newTree;
}

zCPar_TreeNode* zCPar_File::TakeTree()
{
    zCPar_TreeNode* taken = tree;
    tree = nullptr;
    return taken;
}
