// Variants: owned values, conversion, equality and the stored form.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <vector>

#include "CArchive.h"
#include "CMemFile.h"
#include "COleDateTime.h"
#include "COleVariant.h"

namespace {

std::vector<BYTE> Stored(const COleVariant& var)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << var;
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

COleVariant Loaded(std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    COleVariant var;
    ar >> var;
    return var;
}

// The platform's error code a call failed with, or S_OK.
LONG OleError(const std::function<void()>& call)
{
    try {
        call();
    } catch (COleException* e) {
        const LONG sc = e->m_sc;
        e->Delete();
        return sc;
    }
    return S_OK;
}

bool SameText(BSTR text, const wchar_t* expected)
{
    const size_t length = std::wcslen(expected);
    return SysStringLen(text) == length && std::wmemcmp(text, expected, length) == 0;
}

TEST(COleVariantValues, ConstructorsAndAssignmentsGiveTheirTypes)
{
    COleVariant empty;
    EXPECT_EQ(empty.vt, VT_EMPTY);

    const COleVariant i4(-7L);
    EXPECT_EQ(i4.vt, VT_I4);
    EXPECT_EQ(i4.lVal, -7);
    const COleVariant i2FromLong(-7L, VT_I2);
    EXPECT_EQ(i2FromLong.vt, VT_I2);
    EXPECT_EQ(i2FromLong.iVal, -7);
    const COleVariant flag(5L, VT_BOOL);
    EXPECT_EQ(flag.vt, VT_BOOL);
    EXPECT_EQ(flag.boolVal, VARIANT_TRUE);
    EXPECT_EQ(COleVariant(0L, VT_BOOL).boolVal, VARIANT_FALSE);
    const COleVariant error(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR);
    EXPECT_EQ(error.vt, VT_ERROR);
    EXPECT_EQ(error.scode, DISP_E_PARAMNOTFOUND);
    const COleVariant i2(static_cast<short>(-300));
    EXPECT_EQ(i2.vt, VT_I2);
    EXPECT_EQ(i2.iVal, -300);
    const COleVariant byte(static_cast<BYTE>(200));
    EXPECT_EQ(byte.vt, VT_UI1);
    EXPECT_EQ(byte.bVal, 200);
    const COleVariant single(1.5f);
    EXPECT_EQ(single.vt, VT_R4);
    EXPECT_EQ(single.fltVal, 1.5f);
    const COleVariant real(2.25);
    EXPECT_EQ(real.vt, VT_R8);
    EXPECT_EQ(real.dblVal, 2.25);
    const COleVariant date(COleDateTime(2000, 1, 1, 12, 0, 0));
    EXPECT_EQ(date.vt, VT_DATE);
    EXPECT_EQ(date.date, 36526.5);
    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    EXPECT_EQ(COleVariant(nullDate).vt, VT_NULL);

    const COleVariant text("abc");
    EXPECT_EQ(text.vt, VT_BSTR);
    EXPECT_TRUE(SameText(text.bstrVal, L"abc"));
    const COleVariant fromCString(CString("a\0b", 3));
    EXPECT_EQ(SysStringLen(fromCString.bstrVal), 3u);
    const COleVariant fromNull(static_cast<const char*>(nullptr));
    EXPECT_EQ(fromNull.vt, VT_BSTR);
    ASSERT_NE(fromNull.bstrVal, nullptr);
    EXPECT_EQ(SysStringLen(fromNull.bstrVal), 0u);

    // Each assignment frees the string held before (the leak shows under a heap check).
    COleVariant v("start");
    v = 9L;
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 9);
    v = static_cast<short>(3);
    EXPECT_EQ(v.vt, VT_I2);
    v = static_cast<BYTE>(4);
    EXPECT_EQ(v.vt, VT_UI1);
    v = 0.5f;
    EXPECT_EQ(v.vt, VT_R4);
    v = 0.25;
    EXPECT_EQ(v.vt, VT_R8);
    v = COleDateTime(1.0);
    EXPECT_EQ(v.vt, VT_DATE);
    EXPECT_EQ(v.date, 1.0);
    v = "xy";
    EXPECT_TRUE(SameText(v.bstrVal, L"xy"));
    v = CString("z");
    EXPECT_TRUE(SameText(v.bstrVal, L"z"));
    v.Clear();
    EXPECT_EQ(v.vt, VT_EMPTY);
}

TEST(COleVariantValues, TextComesFromTheAnsiCodePage)
{
    const char ansi[] = "caf\xE9";
    const COleVariant text(ansi);
    wchar_t wide[8] = {};
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, ansi, 4, wide, 8), 4);
    EXPECT_TRUE(SameText(text.bstrVal, wide));
}

TEST(COleVariantValues, CopiesOwnTheirStrings)
{
    COleVariant original("shared?");
    COleVariant copy(original);
    EXPECT_NE(copy.bstrVal, original.bstrVal);
    EXPECT_TRUE(copy == original);
    COleVariant assigned;
    assigned = original;
    original = "changed";
    EXPECT_TRUE(SameText(copy.bstrVal, L"shared?"));
    EXPECT_TRUE(SameText(assigned.bstrVal, L"shared?"));
    assigned = assigned;
    EXPECT_TRUE(SameText(assigned.bstrVal, L"shared?"));
    const VARIANT& raw = copy;
    COleVariant fromRaw(raw);
    EXPECT_TRUE(fromRaw == copy);
}

TEST(COleVariantValues, RefusedValuesThrowOleErrors)
{
    EXPECT_EQ(OleError([] { COleVariant v(40000L, VT_I2); }), DISP_E_OVERFLOW);
    EXPECT_EQ(OleError([] { COleVariant v(-40000L, VT_I2); }), DISP_E_OVERFLOW);
    EXPECT_EQ(OleError([] { COleVariant v(1L, VT_R8); }), E_INVALIDARG);
    EXPECT_EQ(OleError([] { COleVariant v(COleDateTime(1e7)); }), E_INVALIDARG);

    // A failed assignment leaves the variant as it was.
    COleVariant kept(3L);
    EXPECT_EQ(OleError([&] { kept = COleDateTime(1e7); }), E_INVALIDARG);
    EXPECT_EQ(kept.vt, VT_I4);
    EXPECT_EQ(kept.lVal, 3);
    VARIANT bad;
    VariantInit(&bad);
    bad.vt = 0x7FFF;
    EXPECT_NE(OleError([&] { kept = bad; }), S_OK);
    EXPECT_EQ(kept.vt, VT_I4);
    EXPECT_NE(OleError([&] { COleVariant copy(bad); }), S_OK);
}

TEST(COleVariantConvert, ChangeTypeConvertsOrThrowsAndKeeps)
{
    COleVariant v(42L);
    v.ChangeType(VT_BSTR);
    EXPECT_EQ(v.vt, VT_BSTR);
    EXPECT_TRUE(SameText(v.bstrVal, L"42"));
    v.ChangeType(VT_I2);
    EXPECT_EQ(v.vt, VT_I2);
    EXPECT_EQ(v.iVal, 42);

    COleVariant word("word");
    EXPECT_EQ(OleError([&] { word.ChangeType(VT_I4); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(word.vt, VT_BSTR);
    EXPECT_TRUE(SameText(word.bstrVal, L"word"));

    COleVariant big(100000L);
    EXPECT_EQ(OleError([&] { big.ChangeType(VT_I2); }), DISP_E_OVERFLOW);
    EXPECT_EQ(big.lVal, 100000);

    // From another variant: this one takes the converted value, the source stays.
    COleVariant source(static_cast<short>(7));
    COleVariant target("old");
    target.ChangeType(VT_R8, &source);
    EXPECT_EQ(target.vt, VT_R8);
    EXPECT_EQ(target.dblVal, 7.0);
    EXPECT_EQ(source.vt, VT_I2);
}

TEST(COleVariantConvert, EqualityByTypeAndValue)
{
    VARIANT unknownType;
    VariantInit(&unknownType);
    unknownType.vt = VT_I8;
    unknownType.llVal = 5;
    const struct {
        const char* name;
        COleVariant a;
        COleVariant b;
        bool equal;
    } cases[] = {
        {"empty", COleVariant(), COleVariant(), true},
        {"same long", COleVariant(5L), COleVariant(5L), true},
        {"other long", COleVariant(5L), COleVariant(6L), false},
        {"long vs short", COleVariant(5L), COleVariant(static_cast<short>(5)), false},
        {"text", COleVariant("abc"), COleVariant(CString("abc")), true},
        {"text case", COleVariant("abc"), COleVariant("ABC"), false},
        {"text prefix", COleVariant("ab"), COleVariant("abc"), false},
        {"empty text", COleVariant(""), COleVariant(static_cast<const char*>(nullptr)), true},
        {"double", COleVariant(0.5), COleVariant(0.5), true},
        {"date vs double", COleVariant(COleDateTime(0.5)), COleVariant(0.5), false},
        {"bool", COleVariant(1L, VT_BOOL), COleVariant(2L, VT_BOOL), true},
        {"int64", COleVariant(unknownType), COleVariant(unknownType), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal) << c.name;
        EXPECT_EQ(c.b == c.a, c.equal) << c.name;
        EXPECT_EQ(c.a != c.b, !c.equal) << c.name;
    }
}

TEST(COleVariantArchive, GoldenBytesAndRoundTrip)
{
    COleVariant currency;
    currency.vt = VT_CY;
    currency.cyVal.int64 = 0x0000000A80000001LL;
    const struct {
        const char* name;
        COleVariant value;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"empty", COleVariant(), {0x00, 0x00}},
        {"i2", COleVariant(static_cast<short>(-2)), {0x02, 0x00, 0xFE, 0xFF}},
        {"i4", COleVariant(0x01020304L), {0x03, 0x00, 0x04, 0x03, 0x02, 0x01}},
        {"r4", COleVariant(1.5f), {0x04, 0x00, 0x00, 0x00, 0xC0, 0x3F}},
        {"r8", COleVariant(-1.25), {0x05, 0x00, 0, 0, 0, 0, 0, 0, 0xF4, 0xBF}},
        {"cy", currency, {0x06, 0x00, 0x01, 0x00, 0x00, 0x80, 0x0A, 0x00, 0x00, 0x00}},
        {"date", COleVariant(COleDateTime(36526.5)), {0x07, 0x00, 0, 0, 0, 0, 0xD0, 0xD5, 0xE1, 0x40}},
        {"bstr", COleVariant("Hi"), {0x08, 0x00, 0x02, 'H', 'i'}},
        {"empty bstr", COleVariant(""), {0x08, 0x00, 0x00}},
        {"error", COleVariant(static_cast<long>(0x80020004), VT_ERROR), {0x0A, 0x00, 0x04, 0x00, 0x02, 0x80}},
        {"bool", COleVariant(1L, VT_BOOL), {0x0B, 0x00, 0xFF, 0xFF}},
        {"ui1", COleVariant(static_cast<BYTE>(0xAB)), {0x11, 0x00, 0xAB}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Stored(c.value), c.bytes) << c.name;
        EXPECT_TRUE(Loaded(c.bytes) == c.value) << c.name;
    }
    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    EXPECT_EQ(Stored(COleVariant(nullDate)), (std::vector<BYTE>{0x01, 0x00}));
    EXPECT_EQ(Loaded({0x01, 0x00}).vt, VT_NULL);
    // A null BSTR is stored as empty text.
    COleVariant nullText;
    nullText.vt = VT_BSTR;
    nullText.bstrVal = nullptr;
    EXPECT_EQ(Stored(nullText), (std::vector<BYTE>{0x08, 0x00, 0x00}));
}

TEST(COleVariantArchive, OtherTypesAreRefused)
{
    // Storing: nothing is written.
    VARIANT wide;
    VariantInit(&wide);
    wide.vt = VT_I8;
    wide.llVal = 1;
    const COleVariant refused(wide);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        try {
            ar << refused;
            ADD_FAILURE() << "VT_I8 was stored";
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::genericException);
            e->Delete();
        }
        ar.Close();
    }
    EXPECT_EQ(file.GetLength(), 0u);

    // Loading: unknown types and short input throw, the target keeps its value.
    const struct {
        std::vector<BYTE> bytes;
        int cause;
    } cases[] = {
        {{0x14, 0x00, 1, 0, 0, 0, 0, 0, 0, 0}, CArchiveException::badIndex},
        {{0x09, 0x00}, CArchiveException::badIndex},
        {{0x03, 0x40, 0, 0, 0, 0}, CArchiveException::badIndex},
        {{0xFF, 0xFF}, CArchiveException::badIndex},
        {{0x03, 0x00, 0x01, 0x02}, CArchiveException::endOfFile},
        {{0x08, 0x00, 0x05, 'a', 'b'}, CArchiveException::endOfFile},
        {{0x05}, CArchiveException::endOfFile},
    };
    for (const auto& c : cases) {
        std::vector<BYTE> bytes = c.bytes;
        CMemFile input(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&input, CArchive::load);
        COleVariant target("kept");
        try {
            ar >> target;
            ADD_FAILURE() << "loaded type " << static_cast<int>(bytes[0]);
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, c.cause) << static_cast<int>(bytes[0]);
            e->Delete();
        }
        EXPECT_EQ(target.vt, VT_BSTR);
        EXPECT_TRUE(SameText(target.bstrVal, L"kept"));
    }
}

TEST(COleVariantArchive, TextUsesTheAnsiCodePage)
{
    const COleVariant text("caf\xE9");
    EXPECT_EQ(Stored(text), (std::vector<BYTE>{0x08, 0x00, 0x04, 'c', 'a', 'f', 0xE9}));
    const COleVariant back = Loaded(Stored(text));
    EXPECT_TRUE(back == text);
}

} // namespace

#endif
