// Symbol table: numbers in definition order, the name-sorted index, lookups, ownership
// and the symbol section of the compiled script file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "SymbolFileFixture.h"
#include "zCPar_Symbol.h"
#include "zCPar_SymbolTable.h"

namespace {

using Strings = std::vector<std::string>;

zCPar_Symbol* MakeSymbol(const zSTRING& name, int type = zPAR_TYPE_INT, int count = 1, int flags = 0)
{
    auto* symbol = new zCPar_Symbol;
    symbol->name = name;
    symbol->SetType(type);
    symbol->SetElementCount(count);
    symbol->SetFlag(flags);
    return symbol;
}

std::vector<int> Index(const zCPar_SymbolTable& table)
{
    const zCArray<int>& index = table.GetSortedIndex();
    return std::vector<int>(index.GetArray(), index.GetArray() + index.GetNum());
}

class SymbolTableTest : public SymbolFileFixture {
protected:
    void SaveTo(const zCPar_SymbolTable& table, const char* path)
    {
        zFILE_VDFS file(path);
        ASSERT_EQ(file.Create(), 0);
        EXPECT_TRUE(table.Save(file));
        file.Close();
    }
    bool LoadFrom(zCPar_SymbolTable& table, const char* path)
    {
        zFILE_VDFS file(path);
        EXPECT_EQ(file.Open(false), 0);
        return table.Load(file);
    }
};

TEST_F(SymbolTableTest, NumbersFollowDefinitionAndTheIndexFollowsNames)
{
    zCPar_SymbolTable table(1000);
    for (const char* name : {"B", "A", "C"})
        EXPECT_EQ(table.Insert(MakeSymbol(name)), 1);
    EXPECT_EQ(table.GetNumInList(), 3);
    EXPECT_EQ(table.GetIndex(zSTRING("B")), 0);
    EXPECT_EQ(table.GetIndex(zSTRING("A")), 1);
    EXPECT_EQ(table.GetIndex(zSTRING("C")), 2);
    EXPECT_EQ(Index(table), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(table.GetFirstSymbol(), table.GetSymbol(0));
    EXPECT_EQ(table.GetSymbol(0)->GetNext(), table.GetSymbol(1));
    EXPECT_EQ(table.GetSymbol(1)->GetNext(), table.GetSymbol(2));
    EXPECT_EQ(table.GetLastSymbol(), table.GetSymbol(2));
    EXPECT_EQ(table.GetSymbol(2)->GetNext(), nullptr);

    // Further inserts land in order among the earlier ones.
    EXPECT_EQ(table.Insert(MakeSymbol("AB")), 1);
    EXPECT_EQ(Index(table), (std::vector<int>{1, 3, 0, 2}));
}

TEST_F(SymbolTableTest, NamesCompareAsUnsignedBytesShorterFirst)
{
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"AB", "A", 1}, {"AB", "B", -1}, {"a", "Z", 1}, {"\xFF" "10000", "ZZZ", 1},
        {"", "A", -1},  {"ABC", "ABC", 0}, {"A.B", "A", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zCPar_SymbolTable::CompareNames(c.a, c.b), c.expected) << c.a << " : " << c.b;
        EXPECT_EQ(zCPar_SymbolTable::CompareNames(c.b, c.a), -c.expected) << c.b << " : " << c.a;
    }
}

TEST_F(SymbolTableTest, DuplicateNameIsRefusedAndStaysWithTheCaller)
{
    zCPar_SymbolTable table;
    zCPar_Symbol* first = MakeSymbol("X");
    ASSERT_EQ(table.Insert(first), 1);
    zCPar_Symbol* second = MakeSymbol("X", zPAR_TYPE_STRING, 3);
    EXPECT_EQ(table.Insert(second), 0);
    EXPECT_FALSE(second->IsSpaceAllocated());
    EXPECT_EQ(table.GetNumInList(), 1);
    EXPECT_EQ(table.GetSymbol(zSTRING("X")), first);
    EXPECT_EQ(Index(table), (std::vector<int>{0}));
    EXPECT_EQ(table.Insert(nullptr), 0);
    delete second;
}

TEST_F(SymbolTableTest, LookupsOutsideTheTableFindNothing)
{
    zCPar_SymbolTable table;
    table.Insert(MakeSymbol("A"));
    zCPar_Symbol stranger;
    stranger.name = "Q";
    EXPECT_EQ(table.GetSymbol(-1), nullptr);
    EXPECT_EQ(table.GetSymbol(1), nullptr);
    EXPECT_EQ(table.GetSymbol(zSTRING("a")), nullptr) << "names are case-sensitive";
    EXPECT_EQ(table.GetIndex(&stranger), -1);
    EXPECT_FALSE(table.IsIn(&stranger));
    EXPECT_FALSE(table.IsIn(nullptr));
    EXPECT_TRUE(table.IsIn(table.GetSymbol(0)));
}

TEST_F(SymbolTableTest, InsertGivesStorage)
{
    zCPar_SymbolTable table;
    zCPar_Symbol* cls = MakeSymbol("C", zPAR_TYPE_CLASS, 2);
    cls->SetOffset(50);
    table.Insert(cls);
    EXPECT_EQ(cls->GetOffset(), 0);
    zCPar_Symbol* member = MakeSymbol("C.S", zPAR_TYPE_STRING, 3, zPAR_FLAG_CLASSVAR);
    member->SetParent(cls);
    table.Insert(member);
    EXPECT_EQ(cls->GetOffset(), 60);
    zCPar_Symbol* texts = MakeSymbol("S", zPAR_TYPE_STRING, 2);
    table.Insert(texts);
    EXPECT_NE(texts->GetDataAdr(1), nullptr);
}

TEST_F(SymbolTableTest, ClearEmptiesTheTableForANewStart)
{
    zCPar_SymbolTable table;
    table.Allocate(10);
    for (const char* name : {"B", "A"})
        table.Insert(MakeSymbol(name));
    table.Clear();
    EXPECT_EQ(table.GetNumInList(), 0);
    EXPECT_EQ(table.GetFirstSymbol(), nullptr);
    EXPECT_EQ(table.GetLastSymbol(), nullptr);
    EXPECT_EQ(table.GetSortedIndex().GetNum(), 0);
    EXPECT_EQ(table.GetIndex(zSTRING("A")), -1);
    table.Insert(MakeSymbol("A"));
    EXPECT_EQ(table.GetIndex(zSTRING("A")), 0);
    EXPECT_EQ(table.GetFirstSymbol(), table.GetSymbol(0));
}

TEST_F(SymbolTableTest, SaveWritesCountIndexRecordsAndParents)
{
    zCPar_SymbolTable table;
    zCPar_Symbol* cls = MakeSymbol("C", zPAR_TYPE_CLASS, 1);
    table.Insert(cls);
    zCPar_Symbol* member = MakeSymbol("C.A", zPAR_TYPE_INT, 1, zPAR_FLAG_CLASSVAR);
    member->SetParent(cls);
    table.Insert(member);
    SaveTo(table, "\\T.DAT");
    const std::string words = Int(0) + Int(0) + Int(0) + Int(0) + Int(0);
    const std::string expected = Int(2) + Int(0) + Int(1) +
                                 Int(1) + "C\n" + Int(4) + Int(0x4001) + words + Int(0) + Int(-1) +
                                 Int(1) + "C.A\n" + Int(0) + Int(0x42001) + words + Int(0);
    EXPECT_EQ(box.Read("T.DAT"), expected);
}

TEST_F(SymbolTableTest, LoadKeepsNumbersNamesFlagsAndParentsButTheRunningExternals)
{
    zCPar_SymbolTable saved;
    zCPar_Symbol* cls = MakeSymbol("C_NPC", zPAR_TYPE_CLASS, 1);
    saved.Insert(cls);
    zCPar_Symbol* member = MakeSymbol("C_NPC.NAME", zPAR_TYPE_STRING, 1, zPAR_FLAG_CLASSVAR);
    member->SetParent(cls);
    saved.Insert(member);
    zCPar_Symbol* external = MakeSymbol("HLP_RANDOM", zPAR_TYPE_FUNC, 1, zPAR_FLAG_CONST | zPAR_FLAG_EXTERNAL);
    external->SetContent(111);
    saved.Insert(external);
    zCPar_Symbol* instance = MakeSymbol("HERO", zPAR_TYPE_INSTANCE, 0, zPAR_FLAG_CONST);
    instance->SetParent(cls);
    instance->SetContent(77);
    saved.Insert(instance);
    zCPar_Symbol* text = MakeSymbol("\xFF" "10000", zPAR_TYPE_STRING, 1, zPAR_FLAG_CONST);
    saved.Insert(text);
    text->SetValue(zSTRING("Hello"));
    SaveTo(saved, "\\T.DAT");

    // The running program defines its externals before it loads.
    zCPar_SymbolTable table(1000);
    zCPar_Symbol* running = MakeSymbol("HLP_RANDOM", zPAR_TYPE_FUNC, 0, zPAR_FLAG_CONST | zPAR_FLAG_EXTERNAL);
    running->SetContent(222);
    table.Insert(running);
    zCPar_Symbol* missing = MakeSymbol("WLD_ISTIME", zPAR_TYPE_FUNC, 0, zPAR_FLAG_CONST | zPAR_FLAG_EXTERNAL);
    table.Insert(missing);
    ASSERT_TRUE(LoadFrom(table, "\\T.DAT"));

    ASSERT_EQ(table.GetNumInList(), saved.GetNumInList());
    EXPECT_EQ(Index(table), Index(saved));
    for (int i = 0; i < saved.GetNumInList(); ++i) {
        const zCPar_Symbol* before = saved.GetSymbol(i);
        const zCPar_Symbol* after = table.GetSymbol(i);
        EXPECT_EQ(after->name, before->name);
        EXPECT_EQ(table.GetIndex(after->name), i);
        EXPECT_EQ(after->GetPackedWord() & 0x3FFFFF, before->GetPackedWord() & 0x3FFFFF) << i;
        EXPECT_EQ(table.GetIndex(after->GetParent()), saved.GetIndex(before->GetParent())) << i;
        EXPECT_EQ(after->GetNext(), table.GetSymbol(i + 1)) << i;
    }
    EXPECT_EQ(table.GetFirstSymbol(), table.GetSymbol(0));
    EXPECT_EQ(table.GetLastSymbol(), table.GetSymbol(4));
    EXPECT_EQ(table.GetSymbol(zSTRING("HLP_RANDOM"))->GetContent(), 222);
    EXPECT_EQ(table.GetSymbol(zSTRING("HERO"))->GetContent(), 77);
    zSTRING value;
    table.GetSymbol(4)->GetValue(value);
    EXPECT_EQ(value, "Hello");
    EXPECT_EQ(Texts(), (Strings{"Warning: Internal identifier 'WLD_ISTIME' not found."}));

    // Symbols added after a load belong to the table as well.
    EXPECT_EQ(table.Insert(MakeSymbol("A")), 1);
    EXPECT_EQ(table.GetSymbol(4)->GetNext(), table.GetSymbol(5));
    EXPECT_EQ(Index(table).front(), 5);
}

TEST_F(SymbolTableTest, SmallLoadAfterALargeTableHoldsOnlyTheLoadedSymbols)
{
    zCPar_SymbolTable small;
    small.Insert(MakeSymbol("Y"));
    small.Insert(MakeSymbol("X"));
    SaveTo(small, "\\SMALL.DAT");

    zCPar_SymbolTable table;
    for (int i = 0; i < 500; ++i)
        table.Insert(MakeSymbol("N" + std::to_string(i)));
    ASSERT_TRUE(LoadFrom(table, "\\SMALL.DAT"));
    EXPECT_EQ(table.GetNumInList(), 2);
    EXPECT_EQ(Index(table), (std::vector<int>{1, 0}));
    EXPECT_EQ(table.GetIndex(zSTRING("N1")), -1);
    ASSERT_TRUE(LoadFrom(table, "\\SMALL.DAT")) << "a loaded table loads again";
    EXPECT_EQ(table.GetNumInList(), 2);
}

TEST_F(SymbolTableTest, ParentsAreTakenOnlyFromEarlierRecords)
{
    const std::string words = Int(0) + Int(0) + Int(0) + Int(0) + Int(0);
    const std::string record = Int(0) + Int(0x7000) + words + Int(0);
    box.Write("P.DAT", Int(3) + Int(0) + Int(1) + Int(2) +
                           Int(1) + "A\n" + record + Int(1) +   // itself later: none
                           Int(1) + "B\n" + record + Int(0) +   // earlier: kept
                           Int(1) + "C\n" + record + Int(2));   // itself: none
    zCPar_SymbolTable table;
    ASSERT_TRUE(LoadFrom(table, "\\P.DAT"));
    EXPECT_EQ(table.GetSymbol(0)->GetParent(), nullptr);
    EXPECT_EQ(table.GetSymbol(1)->GetParent(), table.GetSymbol(0));
    EXPECT_EQ(table.GetSymbol(2)->GetParent(), nullptr);
}

TEST_F(SymbolTableTest, ASavedParentIsTheSymbolItsNameFinds)
{
    // A loaded section lists "A" twice; the child of the second "A" is written with
    // the number the name finds, the first one's, as it always was.
    const std::string words = Int(0) + Int(0) + Int(0) + Int(0) + Int(0);
    const std::string record = Int(0) + Int(0x7000) + words + Int(0);
    const std::string section = Int(3) + Int(0) + Int(1) + Int(2) +
                                Int(1) + "A\n" + record + Int(-1) +
                                Int(1) + "A\n" + record + Int(-1) +
                                Int(1) + "A.X\n" + record + Int(1);
    box.Write("D.DAT", section);
    zCPar_SymbolTable table;
    ASSERT_TRUE(LoadFrom(table, "\\D.DAT"));
    ASSERT_EQ(table.GetSymbol(2)->GetParent(), table.GetSymbol(1));
    EXPECT_FALSE(table.EveryNameListedOnce());
    EXPECT_EQ(table.GetIndex(table.GetSymbol(1)), 0);
    SaveTo(table, "\\E.DAT");
    const std::string saved = box.Read("E.DAT");
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(saved.substr(saved.size() - 4), Int(0));

    // With every name listed once, the parent is the symbol itself.
    zCPar_SymbolTable unique;
    zCPar_Symbol* first = MakeSymbol("A", zPAR_TYPE_CLASS);
    zCPar_Symbol* second = MakeSymbol("B", zPAR_TYPE_CLASS);
    unique.Insert(first);
    unique.Insert(second);
    zCPar_Symbol* member = MakeSymbol("B.X");
    member->SetParent(second);
    unique.Insert(member);
    EXPECT_TRUE(unique.EveryNameListedOnce());
    SaveTo(unique, "\\F.DAT");
    const std::string written = box.Read("F.DAT");
    EXPECT_EQ(written.substr(written.size() - 4), Int(1));
    table.Clear();
    EXPECT_TRUE(table.EveryNameListedOnce());
}

TEST_F(SymbolTableTest, ASectionOfMegabytesLoadsWholeAndLeavesTheFileAfterIt)
{
    // The section is read in pieces: records, names with NULs and line ends in them,
    // and a name longer than a piece all cross their borders somewhere.
    zCPar_SymbolTable saved;
    zCPar_Symbol* owner = MakeSymbol("OWNER", zPAR_TYPE_CLASS);
    saved.Insert(owner);
    const std::string huge(600000, 'H');
    for (int i = 0; i < 40000; ++i) {
        std::string name = "NAME_" + std::to_string(i);
        if (i % 1000 == 7)
            name += std::string("\0", 1) + "\r";
        if (i == 20000)
            name = huge;
        zCPar_Symbol* symbol = MakeSymbol(name, zPAR_TYPE_STRING);
        symbol->SetParent(owner);
        ASSERT_EQ(saved.Insert(symbol), 1) << i;
        symbol->SetValue(zSTRING("text " + std::to_string(i)));
    }
    SaveTo(saved, "\\BIG.DAT");
    box.Write("BIG.DAT", box.Read("BIG.DAT") + "TAIL");

    zCPar_SymbolTable table;
    zFILE_VDFS file("\\BIG.DAT");
    ASSERT_EQ(file.Open(false), 0);
    ASSERT_TRUE(table.Load(file));
    char tail[4] = {};
    EXPECT_EQ(file.Read(tail, 4), 4);
    EXPECT_EQ(std::string(tail, 4), "TAIL");
    file.Close();

    ASSERT_EQ(table.GetNumInList(), saved.GetNumInList());
    int differences = 0;
    for (int i = 0; i < saved.GetNumInList(); ++i) {
        const zCPar_Symbol* before = saved.GetSymbol(i);
        const zCPar_Symbol* after = table.GetSymbol(i);
        zSTRING valueBefore;
        zSTRING valueAfter;
        before->GetValue(valueBefore);
        after->GetValue(valueAfter);
        // Names are read back as lines: the NUL is dropped and the line end trimmed.
        zSTRING expected = before->name;
        expected.erase(std::remove(expected.begin(), expected.end(), '\0'), expected.end());
        while (!expected.empty() && expected.back() == '\r')
            expected.pop_back();
        differences += after->name != expected || valueAfter != valueBefore ||
                       (i > 0 && after->GetParent() != table.GetSymbol(0));
    }
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(table.GetIndex(zSTRING(huge.c_str())), 20001);
}

TEST_F(SymbolTableTest, BrokenSectionsLeaveAnEmptyTable)
{
    const std::string words = Int(0) + Int(0) + Int(0) + Int(0) + Int(0);
    const std::string record = Int(1) + "A\n" + Int(0) + Int(0x2001) + words + Int(5) + Int(-1);
    const std::string cases[] = {
        "",
        Int(-1),
        Int(1000000) + Int(0),
        Int(1) + Int(1) + record,   // index names a symbol it does not hold
        Int(1) + Int(0) + record.substr(0, record.size() - 1),
        Int(2) + Int(0) + Int(1) + record + record.substr(0, 20),
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        box.Write("B.DAT", cases[i]);
        zCPar_SymbolTable table;
        table.Insert(MakeSymbol("OLD"));
        EXPECT_FALSE(LoadFrom(table, "\\B.DAT")) << i;
        EXPECT_EQ(table.GetNumInList(), 0) << i;
        EXPECT_EQ(table.GetSortedIndex().GetNum(), 0) << i;
        EXPECT_EQ(table.GetFirstSymbol(), nullptr) << i;
    }
}

TEST_F(SymbolTableTest, TwoHundredThousandSymbolsInsertAndFindByDesign)
{
    const int count = 200000;
    zCPar_SymbolTable table;
    // Scrambled names (the odd factor keeps them distinct), so the index order differs
    // from definition order.
    for (int i = 0; i < count; ++i) {
        const unsigned scrambled = static_cast<unsigned>(i) * 2654435761u;
        ASSERT_EQ(table.Insert(MakeSymbol("S" + std::to_string(scrambled))), 1);
        if (i % 50000 == 0) {
            ASSERT_EQ(table.GetSortedIndex().GetNum(), i + 1);  // the index is asked for midway too
        }
    }
    ASSERT_EQ(table.GetNumInList(), count);
    int misses = 0;
    for (int i = 0; i < count; ++i)
        misses += table.GetIndex(table.GetSymbol(i)->name) != i;
    EXPECT_EQ(misses, 0);
    const zCArray<int>& index = table.GetSortedIndex();
    ASSERT_EQ(index.GetNum(), count);
    std::vector<bool> seen(count);
    int disorders = 0;
    for (int i = 0; i < count; ++i) {
        seen[static_cast<std::size_t>(index[i])] = true;
        if (i > 0 && zCPar_SymbolTable::CompareNames(table.GetSymbol(index[i - 1])->name,
                                                     table.GetSymbol(index[i])->name) >= 0)
            ++disorders;
    }
    EXPECT_EQ(disorders, 0);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), count);
}

} // namespace
