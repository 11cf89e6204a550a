// Parse-tree nodes and the parsed-file record: the source text, the ".tre" cache
// reader and the ".trt" dump.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "SymbolFileFixture.h"
#include "zCPar_File.h"
#include "zCPar_Symbol.h"
#include "zCPar_SymbolTable.h"
#include "zCPar_TreeNode.h"

namespace {

TEST(ParseTreeNodeTest, NewNodesAndKindNames)
{
    zCPar_TreeNode a;
    zCPar_TreeNode b(EXP_DIGIT, 5, 12);
    zCPar_TreeNode c(EXP_COMPOUND, zSTRING("X"), 3, 7);
    // A thread takes its creation numbers a run at a time, so nodes made one after the other
    // are numbered one after the other when the run starts with them: a fresh thread's first
    // nodes, whatever other threads of the process made before.
    std::thread([] {
        zCPar_TreeNode first;
        zCPar_TreeNode second(EXP_DIGIT, 1, 1);
        zCPar_TreeNode third(EXP_COMPOUND, zSTRING("Y"), 2, 2);
        EXPECT_EQ(second.serial, first.serial + 1);
        EXPECT_EQ(third.serial, second.serial + 1);
    }).join();
    EXPECT_NE(b.serial, a.serial);
    EXPECT_NE(c.serial, b.serial);
    EXPECT_EQ(a.Type, -1);
    EXPECT_EQ(a.TypeExp, 0);
    EXPECT_EQ(b.Value, 5);
    EXPECT_EQ(b.line, 12);
    EXPECT_EQ(c.Name, "X");
    EXPECT_EQ(c.BaseType, 0);

    EXPECT_EQ(zCPar_TreeNode::GetKindName(EXP_COMPOUND), "EXP_COMPOUND");
    EXPECT_EQ(zCPar_TreeNode::GetKindName(EXP_STRING), "EXP_STRING");
    EXPECT_EQ(zCPar_TreeNode::GetKindName(10), "10");
    EXPECT_EQ(zCPar_TreeNode::GetKindName(200), "200");
}

TEST(ParseTreeNodeTest, InsertLinksBothWaysAndGetLastFindsTheEnd)
{
    auto* head = new zCPar_TreeNode(EXP_EMPTY, 0, 0);
    EXPECT_EQ(head->GetLast(), head);

    zCPar_TreeNode* last = head;
    auto* second = new zCPar_TreeNode(EXP_DIGIT, 1, 1);
    second->Insert(last);
    auto* third = new zCPar_TreeNode(EXP_DIGIT, 2, 1);
    third->Insert(last);
    EXPECT_EQ(last, third);
    EXPECT_EQ(head->Next, second);
    EXPECT_EQ(second->Prev, head);
    EXPECT_EQ(second->Next, third);
    EXPECT_EQ(third->Prev, second);
    EXPECT_EQ(head->GetLast(), third);

    zCPar_TreeNode* empty = nullptr;
    auto* lone = new zCPar_TreeNode;
    lone->Insert(empty);
    EXPECT_EQ(empty, lone);
    EXPECT_EQ(lone->Prev, nullptr);
    delete lone;

    // Operands hang under list members; the head owns all of it (a leak fails the
    // sanitized build).
    second->Left = new zCPar_TreeNode(EXP_COMPOUND, zSTRING("A"), 0, 1);
    second->Right = new zCPar_TreeNode(EXP_DIGIT, 4, 1);
    second->Right->Next = new zCPar_TreeNode(EXP_DIGIT, 5, 1);
    delete head;
}

TEST(ParseTreeNodeTest, LongListIsDestroyedWithoutDeepRecursion)
{
    auto* head = new zCPar_TreeNode(EXP_EMPTY, 0, 0);
    zCPar_TreeNode* last = head;
    for (int i = 0; i < 100000; ++i)
        (new zCPar_TreeNode(EXP_DIGIT, i, i))->Insert(last);
    EXPECT_EQ(head->GetLast(), last);
    delete head;
}

class ParseTreeFileTest : public SymbolFileFixture {
protected:
    void SetUp() override
    {
        SymbolFileFixture::SetUp();
        box.Write("A.D", sourceText);
    }

    static std::string Node(const char* name, int kind, int value, int baseType, bool left, bool right, bool next)
    {
        std::string bytes = Int(name ? 1 : 0);
        if (name)
            bytes += std::string(name) + "\n";
        bytes += static_cast<char>(kind);
        return bytes + Int(value) + Int(baseType) + Int(left) + Int(right) + Int(next);
    }

    std::string Stamp()
    {
        zFILE_VDFS source("\\A.D");
        zTFileStats stats;
        EXPECT_EQ(source.GetStats(stats), 0);
        const zTFileDate& d = stats.modifyDate;
        std::string bytes = Int(static_cast<std::int32_t>(d.year));
        for (std::uint16_t part : {d.month, d.day, d.hour, d.minute, d.second, d.unused})
            bytes += std::string{static_cast<char>(part & 0xFF), static_cast<char>(part >> 8)};
        return bytes;
    }

    std::string SymbolRecord(const zCPar_Symbol& symbol)
    {
        zFILE_VDFS file("\\SYM.BIN");
        EXPECT_EQ(file.Create(), 0);
        EXPECT_TRUE(symbol.SaveToDat(file));
        file.Close();
        return box.Read("SYM.BIN");
    }

    // Class C of size 8, its member C.X at 4 (parent by name) and the constant K = 7.
    std::string Symbols()
    {
        zCPar_Symbol cls;
        cls.name = "C";
        cls.SetType(zPAR_TYPE_CLASS);
        cls.SetElementCount(1);
        cls.SetOffset(8);
        zCPar_Symbol member;
        member.name = "C.X";
        member.SetType(zPAR_TYPE_INT);
        member.SetElementCount(1);
        member.SetFlag(zPAR_FLAG_CLASSVAR);
        member.SetOffset(4);
        zCPar_Symbol constant;
        constant.name = "K";
        constant.SetType(zPAR_TYPE_INT);
        constant.SetElementCount(1);
        constant.SetFlag(zPAR_FLAG_CONST);
        constant.SetContent(7);
        return Int(3) + SymbolRecord(cls) + Int(0) + SymbolRecord(member) + Int(1) + "C\n" + SymbolRecord(constant) +
               Int(0);
    }

    // EMPTY -> LET(Left X, Right PLUS(Left 1, Right 2)) -> END_FUNC
    static std::string Tree()
    {
        return Node(nullptr, EXP_EMPTY, 0, 0, false, false, true) + Node(nullptr, EXP_LET, 0, 0, true, true, true) +
               Node("X", EXP_COMPOUND, 0, 2, false, false, false) + Node(nullptr, EXP_PLUS, 0, 0, true, true, false) +
               Node(nullptr, EXP_DIGIT, 1, 0, false, false, false) + Node(nullptr, EXP_DIGIT, 2, 0, false, false, false) +
               Node(nullptr, EXP_END_FUNC, 0, 0, false, false, false);
    }

    std::string Cache(char version = 0x32) { return Stamp() + version + Int(4) + Symbols() + Tree(); }

    // A record that knows its name, with a tree that a failed cache read must drop.
    void Prepare(zCPar_File& record)
    {
        ASSERT_EQ(record.LoadFile("\\A.D", table), 0);
        record.SetTree(new zCPar_TreeNode(EXP_DIGIT, 99, 1));
    }

    const std::string sourceText = "func void f() {};\n";
    zCPar_SymbolTable table;
};

TEST_F(ParseTreeFileTest, SourceIsReadWholeWithATrailingNul)
{
    zCPar_File record;
    EXPECT_EQ(record.LoadFile("\\MISSING.D", table), -1);
    EXPECT_EQ(record.GetBuffer(), nullptr);

    ASSERT_EQ(record.LoadFile("\\A.D", table), 0);
    EXPECT_EQ(record.GetName(), "\\A.D");
    ASSERT_EQ(record.GetBufferSize(), static_cast<int>(sourceText.size()) + 1);
    EXPECT_EQ(std::string(record.GetBuffer(), sourceText.size()), sourceText);
    EXPECT_EQ(record.GetBuffer()[sourceText.size()], '\0');

    box.Write("E.D", "");
    ASSERT_EQ(record.LoadFile("\\E.D", table), 0);
    EXPECT_EQ(record.GetBufferSize(), 1);
    EXPECT_EQ(record.GetBuffer()[0], '\0');
}

TEST_F(ParseTreeFileTest, ValidCacheGivesSymbolsAndTree)
{
    box.Write("A.TRE", Cache());
    zCPar_File record;
    record.useTreeCache = 1;
    ASSERT_EQ(record.LoadFile("\\A.D", table), 1);
    EXPECT_EQ(record.GetBuffer(), nullptr) << "the source is not read";
    EXPECT_EQ(record.labelCount, 4);

    ASSERT_EQ(table.GetNumInList(), 3);
    zCPar_Symbol* cls = table.GetSymbol("C");
    zCPar_Symbol* member = table.GetSymbol("C.X");
    ASSERT_NE(cls, nullptr);
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(cls->GetOffset(), 8) << "the class keeps its size";
    EXPECT_EQ(member->GetParent(), cls);
    EXPECT_EQ(member->GetOffset(), 4);
    int value = 0;
    table.GetSymbol("K")->GetValue(value);
    EXPECT_EQ(value, 7);

    const zCPar_TreeNode* head = record.GetTree();
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->TypeExp, EXP_EMPTY);
    const zCPar_TreeNode* let = head->Next;
    ASSERT_NE(let, nullptr);
    EXPECT_EQ(let->TypeExp, EXP_LET);
    EXPECT_EQ(let->Prev, head);
    ASSERT_NE(let->Left, nullptr);
    EXPECT_EQ(let->Left->Name, "X");
    EXPECT_EQ(let->Left->BaseType, 2);
    EXPECT_EQ(let->Left->Type, -1);
    const zCPar_TreeNode* plus = let->Right;
    ASSERT_NE(plus, nullptr);
    EXPECT_EQ(plus->TypeExp, EXP_PLUS);
    ASSERT_TRUE(plus->Left && plus->Right);
    EXPECT_EQ(plus->Left->Value, 1);
    EXPECT_EQ(plus->Right->Value, 2);
    ASSERT_NE(let->Next, nullptr);
    EXPECT_EQ(let->Next->TypeExp, EXP_END_FUNC);
    EXPECT_EQ(let->Next->Next, nullptr);
    EXPECT_TRUE(Texts().empty());
}

TEST_F(ParseTreeFileTest, SymbolAlreadyPresentIsDroppedNotLeaked)
{
    auto* existing = new zCPar_Symbol;
    existing->name = "K";
    existing->SetType(zPAR_TYPE_INT);
    ASSERT_EQ(table.Insert(existing), 1);

    box.Write("A.TRE", Cache());
    zCPar_File record;
    record.useTreeCache = 1;
    ASSERT_EQ(record.LoadFile("\\A.D", table), 1);
    EXPECT_EQ(table.GetNumInList(), 3);
    EXPECT_EQ(table.GetSymbol("K"), existing);
}

TEST_F(ParseTreeFileTest, StaleOrForeignCacheIsIgnored)
{
    {
        std::string stale = Cache();
        stale[0] ^= 1;  // another year
        box.Write("A.TRE", stale);
        zCPar_File record;
        record.useTreeCache = 1;
        ASSERT_EQ(record.LoadFile("\\A.D", table), 0);
        EXPECT_EQ(std::string(record.GetBuffer()), sourceText);
        EXPECT_EQ(record.GetTree(), nullptr);
        EXPECT_EQ(table.GetNumInList(), 0);
    }
    {
        zCPar_File record;
        Prepare(record);
        box.Write("A.TRE", Cache(0x31));
        EXPECT_EQ(record.LoadTreeCache(table), 0);
        EXPECT_EQ(record.GetTree(), nullptr) << "the old tree is gone before the version is read";
        EXPECT_EQ(table.GetNumInList(), 0);
    }
    {
        zCPar_File record;
        box.Write("A.TRE", Cache());
        ASSERT_EQ(record.LoadFile("\\A.D", table), 0) << "the cache is read only on request";
        EXPECT_EQ(table.GetNumInList(), 0);
    }
    EXPECT_TRUE(Texts().empty());
}

TEST_F(ParseTreeFileTest, DamagedCacheAddsNothing)
{
    const std::string valid = Cache();
    std::vector<std::string> damaged;
    for (std::size_t cut = 17; cut < valid.size(); ++cut)
        damaged.push_back(valid.substr(0, cut));
    const std::string head = Stamp() + '\x32';
    damaged.push_back(head + Int(4) + Int(0x7FFFFFFF) + Tree());  // symbol count beyond the file
    damaged.push_back(head + Int(4) + Int(-1) + Tree());
    damaged.push_back(head + Int(-3) + Int(0) + Tree());           // negative if count
    // Left nesting deeper than any script writes.
    std::string deep = head + Int(0) + Int(0);
    for (int i = 0; i < 5000; ++i)
        deep += Node(nullptr, EXP_XOR, 0, 0, true, false, false);
    damaged.push_back(deep + Node(nullptr, EXP_DIGIT, 1, 0, false, false, false));

    for (std::size_t i = 0; i < damaged.size(); ++i) {
        box.Write("A.TRE", damaged[i]);
        zCPar_File record;
        Prepare(record);
        EXPECT_EQ(record.LoadTreeCache(table), 0) << "case " << i;
        EXPECT_EQ(record.GetTree(), nullptr) << "case " << i;
        EXPECT_EQ(table.GetNumInList(), 0) << "case " << i;
    }
    ASSERT_FALSE(Texts().empty());
    EXPECT_NE(Texts()[0].find("A.tre' not found or corrupted"), std::string::npos) << Texts()[0];
}

TEST_F(ParseTreeFileTest, LongListsAndDeepButFairTreesAreRead)
{
    std::string bytes = Stamp() + '\x32' + Int(0) + Int(0);
    for (int i = 0; i < 20000; ++i)
        bytes += Node(nullptr, EXP_DIGIT, i, 0, false, false, true);
    for (int i = 0; i < 500; ++i)
        bytes += Node(nullptr, EXP_XOR, 0, 0, false, true, false);
    bytes += Node(nullptr, EXP_DIGIT, -1, 0, false, false, false);
    box.Write("A.TRE", bytes);

    zCPar_File record;
    record.useTreeCache = 1;
    ASSERT_EQ(record.LoadFile("\\A.D", table), 1);
    int length = 1;
    const zCPar_TreeNode* node = record.GetTree();
    for (; node->Next; node = node->Next)
        ++length;
    EXPECT_EQ(length, 20001);
    EXPECT_EQ(node->TypeExp, EXP_XOR);
    int depth = 0;
    for (const zCPar_TreeNode* operand = node->Right; operand; operand = operand->Right)
        ++depth;
    EXPECT_EQ(depth, 500);
}

TEST_F(ParseTreeFileTest, TextDumpListsSymbolsThenTreeInOrder)
{
    auto* cls = new zCPar_Symbol;
    cls->name = "C";
    cls->SetType(zPAR_TYPE_CLASS);
    auto* member = new zCPar_Symbol;
    member->name = "C.X";
    member->SetType(zPAR_TYPE_INT);
    member->SetElementCount(1);
    member->SetFlag(zPAR_FLAG_CLASSVAR);
    member->SetParent(cls);
    ASSERT_EQ(table.Insert(cls), 1);
    ASSERT_EQ(table.Insert(member), 1);

    box.MakeDir("MY.MOD");
    box.Write("MY.MOD/B.D", "");
    zCPar_File record;
    ASSERT_EQ(record.LoadFile("\\MY.MOD\\B.D", table), 0);
    record.labelCount = 2;
    auto* head = new zCPar_TreeNode(EXP_EMPTY, 0, 0);
    auto* let = new zCPar_TreeNode(EXP_LET, 0, 3);
    let->Left = new zCPar_TreeNode(EXP_COMPOUND, zSTRING("C.X"), 0, 3);
    let->Right = new zCPar_TreeNode(200, 5, 3);
    zCPar_TreeNode* last = head;
    let->Insert(last);
    let->Type = 2;
    record.SetTree(head);
    record.WriteTreeText(table, 1);

    const auto hex = [](const void* pointer) {
        char text[32];
        std::snprintf(text, sizeof text, "%llX",
                      static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(pointer)));
        return std::string(text);
    };
    const auto node = [&hex](const zCPar_TreeNode* n, const std::string& kind) {
        return "\nAddress = 0x" + hex(n) + "\ntn->Name = " + std::string(n->Name) + "\ntn->TypeExp = " + kind +
               "\ntn->Value = " + std::to_string(n->Value) + "\ntn->BaseType = " + std::to_string(n->BaseType) +
               "\ntn->Type = " + std::to_string(n->Type) + "\ntn->Left = 0x" + hex(n->Left) + "\ntn->Right = 0x" +
               hex(n->Right) + "\ntn->Prev = 0x" + hex(n->Prev) + "\ntn->Next = 0x" + hex(n->Next) + "\n";
    };
    const std::string expected = "\nVersion = 50\nNumber If = 2\nNumber zCPar_Symbol = 1\nzCPar_Symbol* ps = " +
                                 hex(member) + "\nParentName = C\n\n+++ Class zCPar_TreeNode\n\n" +
                                 node(head, "EXP_EMPTY") + node(let, "EXP_LET") + node(let->Left, "EXP_COMPOUND") +
                                 node(let->Right, "200");
    EXPECT_EQ(box.Read("MY.MOD/B.trt"), expected) << "the dot of the folder does not cut the name";
    EXPECT_EQ(hex(nullptr), "0");
}

} // namespace
