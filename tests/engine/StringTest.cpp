#include "zSTRING.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>


namespace {

zSTRING Bytes(std::initializer_list<unsigned char> bytes)
{
    zSTRING text;
    for (unsigned char b : bytes)
        text += static_cast<char>(b);
    return text;
}

TEST(StringTest, ConstructionGivesTheExpectedText)
{
    const struct {
        zSTRING value;
        const char* expected;
    } cases[] = {
        {zSTRING(), ""},
        {zSTRING('x'), "x"},
        {zSTRING("abc"), "abc"},
        {zSTRING(static_cast<const char*>(nullptr)), ""},
        {zSTRING(-42), "-42"},
        {zSTRING(INT_MIN), "-2147483648"},
        {zSTRING(4294967295ul), "4294967295"},
        {zSTRING(3.14159f, 3), "3.14"},
        {zSTRING(3.14159f, 12), "3.14159012"},
        {zSTRING(3.14159f, -1), "3"},
        {zSTRING(0.5f, 9), "0.5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value, c.expected);
        EXPECT_EQ(c.value.c_str()[c.value.size()], '\0');
    }
}

TEST(StringTest, AppendingAndConcatenationKeepTheEngineType)
{
    const zSTRING a("ab");
    static_assert(std::is_same_v<decltype(a + a), zSTRING>);
    static_assert(std::is_same_v<decltype('c' + a), zSTRING>);
    static_assert(std::is_same_v<decltype(a + "c"), zSTRING>);
    static_assert(std::is_same_v<decltype("c" + a), zSTRING>);
    EXPECT_EQ(a + a, "abab");
    EXPECT_EQ('c' + a, "cab");
    EXPECT_EQ(a + "cd", "abcd");
    EXPECT_EQ("cd" + a, "cdab");

    zSTRING s;
    s += 'x';
    s += "yz";
    s += static_cast<const char*>(nullptr);
    s += a;
    EXPECT_EQ(s, "xyzab");

    zSTRING moved(std::move(s));
    EXPECT_EQ(moved, "xyzab");
}

TEST(StringTest, CharacterAccessStaysInsideTheText)
{
    zSTRING s("abc");
    EXPECT_EQ(s[1], 'b');
    EXPECT_EQ(s[3], '\0');
    EXPECT_THROW(s[4], std::out_of_range);

    s.SetChar(2, 'X');
    EXPECT_EQ(s, "abX");
    EXPECT_THROW(s.SetChar(3, 'Y'), std::out_of_range);
    EXPECT_EQ(s, "abX");
}

TEST(StringTest, UpperAndLowerFollowTheCaseTables)
{
    zSTRING ascii("Key_1=Value;z");
    EXPECT_EQ(ascii.Upper(), "KEY_1=VALUE;Z");
    EXPECT_EQ(ascii.Lower(), "key_1=value;z");

    zSTRING high = Bytes({0x81, 0x87, 0x92, 0xA4, 0xEA, 0xEC, 0x80, 0x9A, 0xFF});
    EXPECT_EQ(high.Upper(), Bytes({0x9A, 0x80, 0xE2, 0xA5, 0xD0, 0xED, 0x80, 0x9A, 0xFF}));

    zSTRING upperHigh = Bytes({0x80, 0x9A, 0xD0, 0xE2, 0xA5, 0xEA, 0xFF});
    EXPECT_EQ(upperHigh.Lower(), Bytes({0x87, 0x81, 0xEA, 0x92, 0xA4, 0xEA, 0xFF}));
}

TEST(StringTest, LowerTableIsConsistentWithTheUpperTable)
{
    for (int b = 0; b < 256; ++b) {
        zSTRING lower(static_cast<char>(b));
        lower.Lower();
        zSTRING twice(lower);
        EXPECT_EQ(twice.Lower(), lower) << "byte " << b;
        // A byte either has no lower form or is the upper form of its lower form.
        zSTRING back(lower);
        if (static_cast<unsigned char>(lower[0]) != b) {
            EXPECT_EQ(static_cast<unsigned char>(back.Upper()[0]), b) << "byte " << b;
        }
    }
}

TEST(StringTest, IsUpperCase)
{
    EXPECT_EQ(zSTRING().IsUpperCase(), 1);
    EXPECT_EQ(zSTRING("ABc").IsUpperCase(), 0);
    EXPECT_EQ(zSTRING("AB_1 =").IsUpperCase(), 1);
    EXPECT_EQ(Bytes({0x41, 0x81}).IsUpperCase(), 0);
    EXPECT_EQ(Bytes({0x41, 0x9A}).IsUpperCase(), 1);
}

TEST(StringTest, ToMixedCase)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"BIP01 R UPPERARM", "Bip01 R UpperArm"},
        {"BIP01 L FORETWIST", "Bip01 L ForeTwist"},
        {"HORSELINK", "HorseLink"},
        {"UPPERARMS", "Upperarms"},
        {"ZMBODY", "zmBody"},
        {"ZS_HEAD", "ZS_HEAD"},
        {"Z", "Z"},
        {"", ""},
    };
    for (const auto& c : cases) {
        zSTRING s(c.text);
        EXPECT_EQ(s.ToMixedCase(), c.expected) << c.text;
    }
}

TEST(StringTest, Search)
{
    const struct {
        const char* text;
        int start;
        const char* pattern;
        unsigned count;
        int expected;
    } cases[] = {
        {"abcb", 0, "b", 1, 1},
        {"abcb", 2, "b", 1, 3},
        {"abcb", 0, "b", 2, 3},
        {"abcb", 0, "b", 3, -1},
        {"abcb", 0, "x", 1, -1},
        {"abcb", 0, nullptr, 1, -1},
        {"abcb", 0, "b", 0, -1},
        {"abcb", -1, "b", 1, -1},
        {"abc", 3, "", 1, 3},
        {"abc", 4, "", 1, -1},
        {"aaaa", 0, "aa", 2, 2},
        {"", 0, "a", 1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zSTRING(c.text).Search(c.start, c.pattern, c.count), c.expected)
            << c.text << " / " << (c.pattern ? c.pattern : "(null)") << " from " << c.start << " #" << c.count;

    EXPECT_EQ(zSTRING("abcb").Search(zSTRING("cb"), 1), 2);
}

TEST(StringTest, SearchRev)
{
    const struct {
        const char* text;
        const char* pattern;
        unsigned count;
        int expected;
    } cases[] = {
        {"abcb", "b", 1, 3},
        {"abcb", "b", 2, 1},
        {"abcb", "b", 3, -1},
        {"abcb", "b", 0, -1},
        {"aaaa", "aa", 2, 0},
        {"ab", "abc", 1, -1},
        {"abc", "", 2, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zSTRING(c.text).SearchRev(c.pattern, c.count), c.expected) << c.text << " / " << c.pattern << " #" << c.count;
}

TEST(StringTest, UpperCasedSearchesTakeThePatternAsGiven)
{
    const zSTRING text("key=Value.dat");
    EXPECT_EQ(text.SearchUpperCopy(0, "VALUE", 1), 4);
    EXPECT_EQ(text.SearchUpperCopy(0, "Value", 1), -1);
    EXPECT_EQ(text, "key=Value.dat");

    EXPECT_EQ(text.EndsWith(".DAT"), 1);
    EXPECT_EQ(text.EndsWith(".dat"), 0);
    EXPECT_EQ(zSTRING("AT").EndsWith("DAT"), 0);
    EXPECT_EQ(zSTRING("AT").EndsWith(""), 1);
}

TEST(StringTest, SearchWithOptions)
{
    const struct {
        const char* text;
        const char* pattern;
        int matchCase;
        int wholeWord;
        int expected;
    } cases[] = {
        {"Hello World", "world", 0, 0, 6},
        {"Hello World", "world", 1, 0, -1},
        {"myvar var_x var", "var", 1, 0, 2},
        {"myvar var_x var", "var", 1, 1, 12},
        {"myvar var_x VAR", "var", 0, 1, 12},
        {"var", "var", 1, 1, 0},
        {"x(var)", "VAR", 0, 1, 2},
        {"vars", "var", 0, 1, -1},
        {"ab", "abc", 0, 0, -1},
        {"", "", 0, 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zSTRING(c.text).SearchWithOptions(c.pattern, c.matchCase, c.wholeWord), c.expected)
            << c.text << " / " << c.pattern << " case " << c.matchCase << " word " << c.wholeWord;
}

TEST(StringTest, WordBoundaries)
{
    const zSTRING s("a_b c");
    EXPECT_TRUE(s.IsWordStart(0));
    EXPECT_TRUE(s.IsWordStart(-3));
    EXPECT_FALSE(s.IsWordStart(2));
    EXPECT_TRUE(s.IsWordStart(4));
    EXPECT_TRUE(s.IsWordStart(99));
    EXPECT_FALSE(s.IsWordEnd(1));
    EXPECT_TRUE(s.IsWordEnd(3));
    EXPECT_TRUE(s.IsWordEnd(5));
    EXPECT_TRUE(s.IsWordEnd(99));
    EXPECT_TRUE(s.IsWholeWord(4, 5));
    EXPECT_FALSE(s.IsWholeWord(2, 3));
    // High bytes are no word characters and must not upset the classification.
    EXPECT_TRUE(Bytes({0xE4, 0x61}).IsWordStart(1));
}

TEST(StringTest, PickWord)
{
    const struct {
        const char* text;
        unsigned n;
        const char* tokens;
        const char* separators;
        const char* expected;
    } cases[] = {
        {"a = b", 1, "=", " ", "a"},
        {"a = b", 2, "=", " ", ""},
        {"a = b", 3, "=", " ", "b"},
        {"a = b", 4, "=", " ", ""},
        {"a = b", 0, "=", " ", ""},
        {"key=value;", 3, "=;", " ", "value"},
        {"  lead   trail ", 2, "", " ", "trail"},
        {"x\ty z", 2, "", "\t", "y z"},
        {"", 1, "=", " ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zSTRING(c.text).PickWord(c.n, c.tokens, c.separators), c.expected) << c.text << " #" << c.n;

    EXPECT_EQ(zSTRING("x = y").PickWord(3, "="), "y");
    EXPECT_EQ(zSTRING("x=y").PickWord(2, "="), "");
}

TEST(StringTest, DeleteAroundAPattern)
{
    const struct {
        const char* pattern;
        int mode;
        int result;
        const char* expected;
    } cases[] = {
        {"=", 0, 0, "keyvalue"},
        {"=", 1, 0, "=value"},
        {"=", 2, 0, "key="},
        {"=", 3, 0, "value"},
        {"=", 4, 0, "key"},
        {"=", 5, -1, "key=value"},
        {"=", -1, -1, "key=value"},
        {"#", 4, -1, "key=value"},
        {"va", 3, 0, "lue"},
    };
    for (const auto& c : cases) {
        zSTRING s("key=value");
        EXPECT_EQ(s.Delete(c.pattern, c.mode), c.result) << c.pattern << " mode " << c.mode;
        EXPECT_EQ(s, c.expected) << c.pattern << " mode " << c.mode;
    }
}

TEST(StringTest, CuttingByPosition)
{
    zSTRING s("abcdef");
    EXPECT_EQ(s.Delete(1, 2), 0);
    EXPECT_EQ(s, "adef");
    s.Delete(2, 100);
    EXPECT_EQ(s, "ad");
    s.Delete(2, 1);
    EXPECT_EQ(s, "ad");
    EXPECT_THROW(s.Delete(3, 1), std::out_of_range);

    zSTRING d("abcdef");
    EXPECT_EQ(d.Deleted(0, 2), "cdef");
    EXPECT_EQ(d, "cdef");

    zSTRING r("abcdef");
    r.DeleteRight(2);
    EXPECT_EQ(r, "abcd");
    r.DeleteRight(10);
    EXPECT_EQ(r, "");

    zSTRING p("abcdef");
    p.ReplaceFrom(6, "XY");
    EXPECT_EQ(p, "abcdef");
    p.ReplaceFrom(3, "XY");
    EXPECT_EQ(p, "abcXY");
}

TEST(StringTest, Copied)
{
    const zSTRING s("abcdef");
    EXPECT_EQ(s.Copied(1, 2), "bc");
    EXPECT_EQ(s.Copied(2, static_cast<unsigned>(-1)), "cdef");
    EXPECT_EQ(s.Copied(4, 10), "ef");
    EXPECT_EQ(s.Copied(6, 1), "");
    EXPECT_EQ(s.Copied(static_cast<unsigned>(-1), 5), "");
    EXPECT_EQ(s.Copied(s.Search(0, "x", 1), 5), "");
    EXPECT_THROW(s.Copied(7, 1), std::out_of_range);
}

TEST(StringTest, TrimmingAndTabs)
{
    zSTRING blanks("   ");
    blanks.TrimRight(' ');
    EXPECT_EQ(blanks, "");

    zSTRING right("a b  ");
    right.TrimRight(' ');
    EXPECT_EQ(right, "a b");

    zSTRING left("xxa");
    left.TrimLeft('x');
    EXPECT_EQ(left, "a");

    zSTRING untouched("axx");
    untouched.TrimLeft('x');
    EXPECT_EQ(untouched, "axx");

    zSTRING all("xxx");
    all.TrimLeft('x');
    EXPECT_EQ(all, "");

    const zSTRING tabs("a\tb\t");
    EXPECT_EQ(tabs.TabsToSpaces(), "a    b    ");
    EXPECT_EQ(tabs, "a\tb\t");
}

TEST(StringTest, ClearEmptiesTheText)
{
    // Event readers clear a node name through it while a job runs: it must not end the process.
    zSTRING s("text");
    s.Clear();
    EXPECT_EQ(s, "");
    s += "again";
    EXPECT_EQ(s, "again");
}

TEST(StringTest, HeapObjectsComeFromThePool)
{
    zSTRING* first = new zSTRING("first");
    EXPECT_EQ(*first, "first");
    const auto block = reinterpret_cast<std::uintptr_t>(first);
    delete first;
    // The pool keeps the block inside its chunk, where the heap cannot hand it out
    // (a heap that reuses freed memory would), and gives it back first itself (a heap
    // that holds freed memory back would not).
    void* plain = ::operator new(sizeof(zSTRING));
    EXPECT_NE(reinterpret_cast<std::uintptr_t>(plain), block);
    zSTRING* second = new zSTRING("second");
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(second), block);
    delete second;
    ::operator delete(plain);

    zSTRING* array = new zSTRING[3];
    array[2] = "last";
    EXPECT_EQ(array[2], "last");
    delete[] array;

    alignas(zSTRING) unsigned char buffer[sizeof(zSTRING)];
    zSTRING* placed = new (buffer) zSTRING("placed");
    EXPECT_EQ(*placed, "placed");
    placed->~zSTRING();
}

TEST(StringTest, HeapObjectsFromTwoThreadsAtOnce)
{
    constexpr int kCount = 20000;
    auto work = [](char tag, bool* ok) {
        std::vector<zSTRING*> strings;
        strings.reserve(kCount);
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < kCount; ++i)
                strings.push_back(new zSTRING(tag + zSTRING(i)));
            for (int i = 0; i < kCount; ++i)
                if (*strings[i] != tag + zSTRING(i))
                    *ok = false;
            for (zSTRING* s : strings)
                delete s;
            strings.clear();
        }
    };
    bool okA = true;
    bool okB = true;
    std::thread a(work, 'a', &okA);
    std::thread b(work, 'b', &okB);
    a.join();
    b.join();
    EXPECT_TRUE(okA);
    EXPECT_TRUE(okB);
}

} // namespace
