// Script symbols: storage by type and count, places in classes, flags, element access,
// the compiled-file record and the text form.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "DatWords.h"
#include "SymbolFileFixture.h"
#include "zCPar_Symbol.h"
#include "zERROR.h"

namespace {

class SymbolTest : public SymbolFileFixture {
protected:
    std::string Saved(const zCPar_Symbol& symbol)
    {
        zFILE_VDFS file("\\S.DAT");
        EXPECT_EQ(file.Create(), 0);
        EXPECT_TRUE(symbol.SaveToDat(file));
        file.Close();
        return box.Read("S.DAT");
    }
    bool Loaded(zCPar_Symbol& symbol, const std::string& bytes)
    {
        box.Write("L.DAT", bytes);
        zFILE_VDFS file("\\L.DAT");
        EXPECT_EQ(file.Open(false), 0);
        return symbol.LoadFromDat(file);
    }
    std::string Printed(const zCPar_Symbol& symbol)
    {
        zFILE_VDFS file("\\P.TXT");
        EXPECT_EQ(file.Create(), 0);
        symbol.Print(file);
        file.Close();
        return box.Read("P.TXT");
    }
};

void Define(zCPar_Symbol& symbol, const char* name, int type, int count, int flags = 0)
{
    symbol.name = name;
    symbol.SetType(type);
    symbol.SetElementCount(count);
    symbol.SetFlag(flags);
}

TEST_F(SymbolTest, NewSymbolIsEmpty)
{
    zCPar_Symbol symbol;
    EXPECT_TRUE(symbol.name.empty());
    EXPECT_EQ(symbol.GetPackedWord(), 0u);
    EXPECT_EQ(symbol.GetContent(), 0);
    EXPECT_EQ(symbol.GetOffset(), 0);
    EXPECT_EQ(symbol.GetParent(), nullptr);
    EXPECT_EQ(symbol.GetNext(), nullptr);
    EXPECT_EQ(symbol.GetLine() | symbol.GetLineCount() | symbol.GetCharPosition() | symbol.GetCharCount(), 0);
}

TEST_F(SymbolTest, StorageFollowsTypeAndCount)
{
    struct Case {
        int type;
        int count;
        int elements;  // addressable elements
        bool inContent;  // element 0 is the content word
    };
    const Case cases[] = {
        {zPAR_TYPE_INT, 0, 1, true},     {zPAR_TYPE_INT, 1, 1, true},      {zPAR_TYPE_INT, 3, 3, false},
        {zPAR_TYPE_FLOAT, 1, 1, true},   {zPAR_TYPE_FLOAT, 2, 2, false},   {zPAR_TYPE_STRING, 0, 0, false},
        {zPAR_TYPE_STRING, 1, 1, false}, {zPAR_TYPE_STRING, 3, 3, false},
    };
    for (const Case& c : cases) {
        zCPar_Symbol symbol;
        Define(symbol, "X", c.type, c.count);
        symbol.AllocSpace();
        EXPECT_TRUE(symbol.IsSpaceAllocated());
        for (int i = 0; i < c.elements; ++i)
            EXPECT_NE(symbol.GetDataAdr(i), nullptr) << c.type << "/" << c.count << " element " << i;
        EXPECT_EQ(symbol.GetDataAdr(c.elements), nullptr) << c.type << "/" << c.count;
        EXPECT_EQ(symbol.GetDataAdr(-1), nullptr);
        if (c.inContent) {
            symbol.SetValue(5);
            EXPECT_EQ(symbol.GetContent(), 5) << c.type << "/" << c.count;
        }
        if (c.type == zPAR_TYPE_STRING && c.elements > 0) {
            zSTRING value = "old";
            symbol.GetValue(value, c.elements - 1);
            EXPECT_EQ(value, "") << "strings start empty";
        }
    }
}

TEST_F(SymbolTest, NumbersAndStringsByIndex)
{
    zCPar_Symbol ints;
    Define(ints, "I", zPAR_TYPE_INT, 3);
    ints.AllocSpace();
    ints.SetValue(7, 0);
    ints.SetValue(-9, 2);
    ints.SetValue(5, 3);  // outside: ignored
    int value = 0;
    ints.GetValue(value, 2);
    EXPECT_EQ(value, -9);
    ints.GetValue(value, 1);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(static_cast<char*>(ints.GetDataAdr(2)) - static_cast<char*>(ints.GetDataAdr(0)), 8);

    zCPar_Symbol single;
    Define(single, "F", zPAR_TYPE_FLOAT, 1);
    single.AllocSpace();
    single.SetValue(1.5f);
    float real = 0;
    single.GetValue(real);
    EXPECT_EQ(real, 1.5f);
    EXPECT_EQ(single.GetContent(), 0x3FC00000) << "a single value lives in the content word";

    zCPar_Symbol texts;
    Define(texts, "S", zPAR_TYPE_STRING, 2);
    texts.AllocSpace();
    texts.SetValue(zSTRING("Hello"), 1);
    texts.SetValue(5, 0);  // wrong type: ignored
    zSTRING text;
    texts.GetValue(text, 1);
    EXPECT_EQ(text, "Hello");
    EXPECT_EQ(static_cast<zSTRING*>(texts.GetDataAdr(1))->c_str(), std::string("Hello"));
}

TEST_F(SymbolTest, MembersArePlacedInTheirClass)
{
    struct Member {
        int type;
        int count;
        int expectedOffset;
    };
    const Member members[] = {
        {zPAR_TYPE_INT, 1, 0},    {zPAR_TYPE_INT, 2, 4},     {zPAR_TYPE_INT, 1, 12},
        {zPAR_TYPE_STRING, 1, 16}, {zPAR_TYPE_STRING, 2, 36}, {zPAR_TYPE_FUNC, 1, 76},
        {zPAR_TYPE_FLOAT, 1, 80},
    };
    zCPar_Symbol cls;
    Define(cls, "C", zPAR_TYPE_CLASS, 7);
    cls.SetOffset(99);
    cls.AllocSpace();
    EXPECT_EQ(cls.GetOffset(), 0) << "a class grows from 0";
    std::vector<zCPar_Symbol> symbols(std::size(members));
    for (std::size_t i = 0; i < std::size(members); ++i) {
        Define(symbols[i], "C.M", members[i].type, members[i].count, zPAR_FLAG_CLASSVAR);
        symbols[i].SetParent(&cls);
        symbols[i].AllocSpace();
        EXPECT_EQ(symbols[i].GetOffset(), members[i].expectedOffset) << i;
    }
    EXPECT_EQ(cls.GetOffset(), 84);
    symbols[0].AllocSpace();
    EXPECT_EQ(cls.GetOffset(), 84) << "space is given once";
    cls.AllocSpace();
    EXPECT_EQ(cls.GetOffset(), 84);
    EXPECT_TRUE(Texts().empty());
}

TEST_F(SymbolTest, MemberWithoutElementsIsReportedAndStillPlaced)
{
    zCPar_Symbol cls;
    Define(cls, "C", zPAR_TYPE_CLASS, 1);
    cls.AllocSpace();
    cls.SetOffset(8);
    zCPar_Symbol member;
    Define(member, "C.X", zPAR_TYPE_INT, 0, zPAR_FLAG_CLASSVAR);
    member.SetParent(&cls);
    member.AllocSpace();
    EXPECT_EQ(member.GetOffset(), 8);
    EXPECT_EQ(cls.GetOffset(), 8);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_NE(Texts()[0].find("Allocspace with no elements!"), std::string::npos) << Texts()[0];
}

TEST_F(SymbolTest, AddressingAMemberIsReportedByFilterLevel)
{
    zCPar_Symbol member;
    Define(member, "C.X", zPAR_TYPE_INT, 1, zPAR_FLAG_CLASSVAR);
    member.AllocSpace();
    g_errorReporter.SetFilterLevel(1);
    EXPECT_EQ(member.GetDataAdr(0), nullptr);
    EXPECT_TRUE(Texts().empty());
    g_errorReporter.SetFilterLevel(2);
    EXPECT_EQ(member.GetDataAdr(0), nullptr);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_NE(Texts()[0].find("Adressing an empty Instance: C.X"), std::string::npos) << Texts()[0];
}

TEST_F(SymbolTest, FlagsTypeAndCountShareThePackedWord)
{
    zCPar_Symbol symbol;
    symbol.SetFlag(zPAR_FLAG_CONST | zPAR_FLAG_EXTERNAL);
    symbol.SetFlag(0x40 | zPAR_FLAG_RETURN);  // only six bits are flags
    symbol.SetType(zPAR_TYPE_FUNC);
    symbol.SetElementCount(3);
    EXPECT_EQ(symbol.GetPackedWord(), 0xB5003u);
    EXPECT_TRUE(symbol.HasFlag(zPAR_FLAG_EXTERNAL));
    EXPECT_TRUE(symbol.HasFlag(zPAR_FLAG_CLASSVAR | zPAR_FLAG_CONST));
    EXPECT_FALSE(symbol.HasFlag(zPAR_FLAG_CLASSVAR));
    symbol.SetElementCount(-1);
    EXPECT_EQ(symbol.GetElementCount(), -1);
    EXPECT_EQ(symbol.GetType(), zPAR_TYPE_FUNC);
}

TEST_F(SymbolTest, RecordsWriteTheirContentByType)
{
    struct Case {
        const char* name;
        int type;
        int count;
        int flags;
        std::string content;  // after the seven words
    };
    const Case cases[] = {
        {"I", zPAR_TYPE_INT, 1, 0, Int(7)},
        {"I", zPAR_TYPE_INT, 3, 0, Int(7) + Int(0) + Int(-2)},
        {"I", zPAR_TYPE_INT, 0, 0, ""},
        {"F", zPAR_TYPE_FLOAT, 1, zPAR_FLAG_CONST, Int(0x3FC00000)},
        {"S", zPAR_TYPE_STRING, 2, 0, "a\n\n"},
        {"S", zPAR_TYPE_STRING, 0, 0, ""},
        {"C.M", zPAR_TYPE_INT, 2, zPAR_FLAG_CLASSVAR, ""},
        {"C", zPAR_TYPE_CLASS, 1, 0, Int(0x1234)},
        {"FN", zPAR_TYPE_FUNC, 2, zPAR_FLAG_CONST | zPAR_FLAG_EXTERNAL, Int(0x6494F0)},
        {"P", zPAR_TYPE_PROTOTYPE, 0, 0, Int(0x1234)},
        {"V", zPAR_TYPE_VOID, 1, 0, ""},
        {"", zPAR_TYPE_INSTANCE, 1, 0, Int(0x1234)},
    };
    for (const Case& c : cases) {
        zCPar_Symbol symbol;
        Define(symbol, c.name, c.type, c.count, c.flags);
        symbol.AllocSpace();
        symbol.SetOffset(4);
        symbol.SetSourcePosition(2, 3, 4, 5);
        const std::uint32_t packed = symbol.GetPackedWord() & 0x3FFFFF;
        if (c.type == zPAR_TYPE_CLASS || c.type == zPAR_TYPE_PROTOTYPE || c.type == zPAR_TYPE_INSTANCE)
            symbol.SetContent(0x1234);
        else if (c.type == zPAR_TYPE_FUNC)
            symbol.SetContent(0x6494F0);
        else if (c.type == zPAR_TYPE_FLOAT)
            symbol.SetValue(1.5f);
        else if (c.type == zPAR_TYPE_INT) {
            symbol.SetValue(7, 0);
            symbol.SetValue(-2, 2);
        } else if (c.type == zPAR_TYPE_STRING)
            symbol.SetValue(zSTRING("a"), 0);
        const std::string head = std::string(c.name).empty() ? Int(0) : Int(1) + c.name + "\n";
        const std::string expected = head + Int(4) + Int(static_cast<std::int32_t>(packed)) + Int(0) + Int(2) +
                                     Int(3) + Int(4) + Int(5) + c.content;
        const std::string bytes = Saved(symbol);
        EXPECT_EQ(bytes, expected) << c.name << " type " << c.type << " count " << c.count;

        zCPar_Symbol back;
        ASSERT_TRUE(Loaded(back, bytes)) << c.name;
        EXPECT_EQ(back.name, c.name);
        EXPECT_EQ(back.GetPackedWord() & 0x3FFFFF, packed);
        EXPECT_EQ(Saved(back), expected) << "read back " << c.name << " type " << c.type;
    }
}

TEST_F(SymbolTest, ReadingMasksTheWords)
{
    const std::string record = Int(1) + "X\n" + Int(-5) + Int(static_cast<std::int32_t>(0xFFFB2001u)) +
                               Int(-1) + Int(-1) + Int(-1) + Int(-1) + Int(-1) + Int(42);
    zCPar_Symbol symbol;
    ASSERT_TRUE(Loaded(symbol, record));
    EXPECT_EQ(symbol.GetOffset(), -5);
    EXPECT_EQ(symbol.GetPackedWord() & ~0x400000u, 0x3B2001u) << "bits 22-31 of the file are dropped";
    EXPECT_EQ(symbol.GetReserved(), 0x7FFFF);
    EXPECT_EQ(symbol.GetLine(), 0x7FFFF);
    EXPECT_EQ(symbol.GetLineCount(), 0x7FFFF);
    EXPECT_EQ(symbol.GetCharPosition(), 0xFFFFFF);
    EXPECT_EQ(symbol.GetCharCount(), 0x7FFFFF);
    int value = 0;
    symbol.GetValue(value);
    EXPECT_EQ(value, 42);
}

TEST_F(SymbolTest, ShortRecordsAreRefused)
{
    const std::string full = Int(1) + "X\n" + Int(0) + Int(0x2003) + Int(0) + Int(0) + Int(0) + Int(0) + Int(0) +
                             Int(1) + Int(2) + Int(3);
    zCPar_Symbol whole;
    EXPECT_TRUE(Loaded(whole, full));
    for (const std::size_t cut : {std::size_t{0}, std::size_t{3}, std::size_t{4}, std::size_t{10}, full.size() - 1}) {
        zCPar_Symbol symbol;
        EXPECT_FALSE(Loaded(symbol, full.substr(0, cut))) << cut;
    }
    const std::string strings = Int(1) + "S\n" + Int(0) + Int(0x3002) + Int(0) + Int(0) + Int(0) + Int(0) + Int(0) + "a\n";
    zCPar_Symbol symbol;
    EXPECT_FALSE(Loaded(symbol, strings)) << "second string missing";
}

// The symbol table reads its records from memory; they must come out as from the file.
TEST_F(SymbolTest, RecordsFromMemoryReadAsFromTheFile)
{
    const std::string head = Int(0) + Int(0x3002) + Int(0) + Int(0) + Int(0) + Int(0) + Int(0);
    const std::string cases[] = {
        Int(1) + std::string("N\0A\r\n", 5) + head + "a\r\r\n" + std::string("\0", 1),  // NULs, CRs, line of a NUL
        Int(1) + "N\n" + head + "\n" + "last",                                           // empty line, no final LF
        Int(1) + "N\n" + head + "x\n",                                                   // second string missing
        Int(0) + head + "\n\n" + Int(7),                                                 // no name
    };
    for (const std::string& bytes : cases) {
        zCPar_Symbol fromFile;
        const bool fileOk = Loaded(fromFile, bytes);
        zCDatBytes memory(bytes.data(), bytes.data() + bytes.size());
        zCPar_Symbol fromMemory;
        EXPECT_EQ(fromMemory.LoadFromDat(memory), fileOk) << bytes;
        EXPECT_EQ(fromMemory.name, fromFile.name);
        for (int i = 0; i < 2 && fileOk; ++i) {
            zSTRING a;
            zSTRING b;
            fromFile.GetValue(a, i);
            fromMemory.GetValue(b, i);
            EXPECT_EQ(b, a) << i;
        }
    }
}

TEST_F(SymbolTest, PrintWritesTheTextForm)
{
    zCPar_Symbol number;
    Define(number, "N", zPAR_TYPE_INT, 1, zPAR_FLAG_CONST);
    number.AllocSpace();
    number.SetOffset(255);
    number.SetValue(-3);
    EXPECT_EQ(Printed(number), "Name = N\nInstanceAddr = FF\nFlags = 412001\nParent = 0\nValue = -3\n");

    zCPar_Symbol texts;
    Define(texts, "T", zPAR_TYPE_STRING, 2, zPAR_FLAG_CONST);
    texts.AllocSpace();
    texts.SetValue(zSTRING("x"), 0);
    texts.SetValue(zSTRING("y"), 1);
    EXPECT_EQ(Printed(texts), "Name = T\nInstanceAddr = 0\nFlags = 413002\nParent = 0\nValue =\nx\ny\n");

    zCPar_Symbol reals;
    Define(reals, "R", zPAR_TYPE_FLOAT, 2, zPAR_FLAG_CONST);
    reals.AllocSpace();
    reals.SetValue(0.5f, 1);
    EXPECT_EQ(Printed(reals), "Name = R\nInstanceAddr = 0\nFlags = 411002\nParent = 0\nValue =\n0\n0.5\n");

    zCPar_Symbol function;
    Define(function, "F", zPAR_TYPE_FUNC, 0);
    function.AllocSpace();
    function.SetContent(120);
    EXPECT_EQ(Printed(function), "Name = F\nInstanceAddr = 0\nFlags = 405000\nParent = 0\nStackPos = 120\n");

    zCPar_Symbol variable;  // not a constant: no value
    Define(variable, "V", zPAR_TYPE_INT, 1);
    variable.AllocSpace();
    EXPECT_EQ(Printed(variable), "Name = V\nInstanceAddr = 0\nFlags = 402001\nParent = 0\n");
}

} // namespace
