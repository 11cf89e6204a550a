// The shared operations of the settings exchange, over a small keyed medium that
// stores every value as text (as a keyed medium does) and skips defaults on save.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CArchive.h"
#include "COleDateTime.h"
#include "COleVariant.h"
#include "CXTPPropExchange.h"

namespace {

// Keys are "section/section/name"; holds ints, BOOLs and strings.
class TextExchange : public CXTPPropExchange {
public:
    using Store = std::map<std::string, std::string>;

    TextExchange(BOOL loading, std::shared_ptr<Store> store, std::string path = "")
        : CXTPPropExchange(loading), m_store(std::move(store)), m_path(std::move(path))
    {
    }

    BOOL ExchangeProp(const char* name, VARTYPE type, void* value, const void* defaultValue) override
    {
        std::string key = m_path + name;
        if (!m_bLoading) {
            if (m_bUseDefaultOnSave && defaultValue && IsSamePropValue(type, value, defaultValue))
                return TRUE;
            switch (type) {
            case VT_I4:
            case VT_BOOL:
                (*m_store)[key] = std::to_string(*static_cast<LONG*>(value));
                return TRUE;
            case VT_LPSTR:
                (*m_store)[key] = static_cast<const char*>(*static_cast<CString*>(value));
                return TRUE;
            default:
                return FALSE;
            }
        }
        auto found = m_store->find(key);
        if (found == m_store->end())
            return CopyPropValue(type, value, m_bUseDefaultOnLoad ? defaultValue : nullptr);
        switch (type) {
        case VT_I4:
        case VT_BOOL:
            *static_cast<LONG*>(value) = std::atoi(found->second.c_str());
            return TRUE;
        case VT_LPSTR:
            *static_cast<CString*>(value) = found->second.c_str();
            return TRUE;
        default:
            return FALSE;
        }
    }

    CXTPPropExchange* GetSection(const char* name) override
    {
        sections.push_back(name);
        auto* section = new TextExchange(m_bLoading, m_store, m_path + name + "/");
        section->CopyInheritedSettings(this);
        return section;
    }

    std::vector<std::string> sections;

private:
    std::shared_ptr<Store> m_store;
    std::string m_path;
};

std::shared_ptr<TextExchange::Store> NewStore()
{
    return std::make_shared<TextExchange::Store>();
}

} // namespace

// Serialisable classes are registered by name, outside the anonymous namespace.
class Shape : public CObject {
    DECLARE_SERIAL(Shape)
public:
    Shape() { ++created; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << corners << name;
        else
            ar >> corners >> name;
    }
    int corners = 0;
    CString name;
    static int created;
};
int Shape::created = 0;
IMPLEMENT_SERIAL(Shape, CObject, 1)

class Circle : public Shape {
    DECLARE_SERIAL(Circle)
};
IMPLEMENT_SERIAL(Circle, Shape, 1)

class Unrelated : public CObject {
    DECLARE_SERIAL(Unrelated)
public:
    Unrelated() { ++created; }
    static int created;
};
int Unrelated::created = 0;
IMPLEMENT_SERIAL(Unrelated, CObject, 1)

namespace {

class Thrower : public CObject {
public:
    void Serialize(CArchive& ar) override
    {
        ar << 1234;
        AfxThrowArchiveException(CArchiveException::badSchema);
    }
};

} // namespace

TEST(PropExchangeValues, ComparisonByTypeCode)
{
    LONG a = 5, b = 5, c = 6;
    EXPECT_TRUE(CXTPPropExchange::IsSamePropValue(VT_I4, &a, &b));
    EXPECT_FALSE(CXTPPropExchange::IsSamePropValue(VT_I4, &a, &c));
    EXPECT_FALSE(CXTPPropExchange::IsSamePropValue(VT_I4, &a, nullptr));
    EXPECT_FALSE(CXTPPropExchange::IsSamePropValue(1, &a, &b));  // outside the codes
    RECT r1{1, 2, 3, 4}, r2{1, 2, 3, 4}, r3{1, 2, 3, 5};
    EXPECT_TRUE(CXTPPropExchange::IsSamePropValue(VT_EX_RECT, &r1, &r2));
    EXPECT_FALSE(CXTPPropExchange::IsSamePropValue(VT_EX_RECT, &r1, &r3));
    CString text("abc");
    EXPECT_TRUE(CXTPPropExchange::IsSamePropValue(VT_LPSTR, &text, "abc"));
    EXPECT_FALSE(CXTPPropExchange::IsSamePropValue(VT_LPSTR, &text, "abd"));
    BSTR w1 = SysAllocString(L"x"), w2 = SysAllocString(L"x");
    EXPECT_TRUE(CXTPPropExchange::IsSamePropValue(VT_BSTR, &w1, &w2));
    // Dates are always written, even when equal; the same pointer is still the same value.
    COleDateTime d1(2005, 3, 2, 0, 0, 0), d2(2005, 3, 2, 0, 0, 0);
    EXPECT_FALSE(CXTPPropExchange::IsSamePropValue(VT_DATE, &d1, &d2));
    EXPECT_TRUE(CXTPPropExchange::IsSamePropValue(VT_DATE, &d1, &d1));

    BSTR copy = nullptr;
    EXPECT_TRUE(CXTPPropExchange::CopyPropValue(VT_BSTR, &copy, &w1));
    EXPECT_NE(copy, w1);
    EXPECT_STREQ(copy, L"x");
    SysFreeString(copy);
    SysFreeString(w1);
    SysFreeString(w2);

    COleDateTime date;
    EXPECT_TRUE(CXTPPropExchange::CopyPropValue(VT_DATE, &date, &d1));
    EXPECT_EQ(date.m_dt, d1.m_dt);
    COleVariant variant, source(7L);
    EXPECT_TRUE(CXTPPropExchange::CopyPropValue(VT_VARIANT, &variant, &source));
    EXPECT_TRUE(variant == source);
    EXPECT_TRUE(CXTPPropExchange::CopyPropValue(VT_LPSTR, &text, "new"));
    EXPECT_EQ(text, "new");
    EXPECT_FALSE(CXTPPropExchange::CopyPropValue(VT_I4, &a, nullptr));
    EXPECT_FALSE(CXTPPropExchange::CopyPropValue(99, &a, &b));
}

TEST(PropExchangeBlob, BytesAsLetterPairs)
{
    auto store = NewStore();
    TextExchange save(FALSE, store);
    BYTE bytes[] = {0x3C, 0x00, 0xFF};
    BYTE* data = bytes;
    DWORD size = 1;
    EXPECT_TRUE(save.ExchangeBlob("One", data, size));
    EXPECT_EQ((*store)["One"], "MD");
    size = 3;
    EXPECT_TRUE(save.ExchangeBlob("Three", data, size));
    EXPECT_EQ((*store)["Three"], "MDAAPP");
    BYTE* none = nullptr;
    DWORD zero = 0;
    EXPECT_TRUE(save.ExchangeBlob("Empty", none, zero));
    EXPECT_EQ(store->count("Empty"), 0u);  // equal to the empty default

    TextExchange load(TRUE, store);
    BYTE* loaded = nullptr;
    DWORD loadedSize = 0;
    ASSERT_TRUE(load.ExchangeBlob("Three", loaded, loadedSize));
    ASSERT_EQ(loadedSize, 3u);
    EXPECT_EQ(std::memcmp(loaded, bytes, 3), 0);
    std::free(loaded);

    BYTE small[2] = {9, 9};
    BYTE* smallData = small;
    DWORD smallSize = 2;
    EXPECT_FALSE(load.ExchangeBlob("Three", smallData, smallSize));
    EXPECT_EQ(load.Read("Three", small, 2), 0u);
    BYTE big[8] = {};
    EXPECT_EQ(load.Read("Three", big, 8), 3u);  // what was there, not the buffer's size
    EXPECT_EQ(big[0], 0x3C);
    EXPECT_EQ(load.Read("Missing", big, 8), 0u);

    (*store)["Odd"] = "MDA";
    BYTE* odd = nullptr;
    DWORD oddSize = 0;
    EXPECT_FALSE(load.ExchangeBlob("Odd", odd, oddSize));
    EXPECT_EQ(odd, nullptr);
    EXPECT_TRUE(load.ExchangeBlob("Missing", odd, oddSize));  // empty: untouched, success
    EXPECT_EQ(odd, nullptr);
}

TEST(PropExchangeCounts, ZeroIsTheDefaultAndItemsAreNumberedFromZero)
{
    auto store = NewStore();
    TextExchange save(FALSE, store);
    save.WriteCount(0);
    EXPECT_TRUE(store->empty());
    TextExchange load(TRUE, store);
    EXPECT_EQ(load.ReadCount(), 0u);

    std::unique_ptr<CXTPPropExchangeEnumerator> none(save.GetEnumerator("Item"));
    EXPECT_EQ(none->GetPosition(0), nullptr);

    std::unique_ptr<CXTPPropExchangeEnumerator> items(save.GetEnumerator("Item"));
    POSITION pos = items->GetPosition(3);
    long value = 10;
    while (pos) {
        CXTPPropExchangeSection section(items->GetNext(pos));
        PX_Long(section, "Value", value);
        ++value;
    }
    EXPECT_EQ(save.sections, (std::vector<std::string>{"Item0", "Item1", "Item2"}));
    EXPECT_EQ((*store)["Count"], "3");
    EXPECT_EQ((*store)["Item2/Value"], "12");

    std::unique_ptr<CXTPPropExchangeEnumerator> loading(load.GetEnumerator("Item"));
    std::vector<long> values;
    for (pos = loading->GetPosition(); pos;) {
        CXTPPropExchangeSection section(loading->GetNext(pos));
        long v = 0;
        PX_Long(section, "Value", v);
        values.push_back(v);
    }
    EXPECT_EQ(values, (std::vector<long>{10, 11, 12}));

    // The count as a plain 32-bit value under "Count".
    auto plain = NewStore();
    TextExchange plainSave(FALSE, plain);
    std::unique_ptr<CXTPPropExchangeEnumerator> counted(plainSave.GetEnumerator("Row"));
    EXPECT_NE(counted->GetPosition(2, FALSE), nullptr);
    EXPECT_EQ((*plain)["Count"], "2");
}

TEST(PropExchangeDefaults, SchemaAndSectionsInheritSettings)
{
    auto store = NewStore();
    TextExchange save(FALSE, store);
    save.m_dwData = 0x1234;
    save.m_bUseDefaultOnSave = FALSE;
    EXPECT_TRUE(save.ExchangeSchema());
    EXPECT_EQ((*store)["Schema"], "17");
    CXTPPropExchangeSection section(save.GetSection("Inner"));
    EXPECT_TRUE(section->m_bChildSection);
    EXPECT_FALSE(save.m_bChildSection);
    EXPECT_EQ(section->m_dwData, 0x1234u);
    EXPECT_FALSE(section->m_bUseDefaultOnSave);

    TextExchange load(TRUE, NewStore());
    load.m_nSchema = 3;
    EXPECT_TRUE(load.ExchangeSchema());  // missing: the default
    EXPECT_EQ(load.m_nSchema, 17u);
    long kept = 42;
    EXPECT_FALSE(PX_Long(&load, "Missing", kept));  // no default: unchanged
    EXPECT_EQ(kept, 42);
    load.m_bUseDefaultOnLoad = FALSE;
    EXPECT_FALSE(PX_LongDefault(&load, "Missing", kept, 7));
    EXPECT_EQ(kept, 42);
}

TEST(PropExchangeObjects, ClassIsCheckedBeforeAnythingIsCreated)
{
    auto store = NewStore();
    {
        TextExchange save(FALSE, store);
        Circle circle;
        CObject* object = &circle;
        EXPECT_TRUE(save.ExchangeObjectInstance(object, RUNTIME_CLASS(Shape)));
        EXPECT_EQ((*store)["Class"], "Circle");
    }
    TextExchange load(TRUE, store);
    Shape::created = 0;
    CObject* object = nullptr;
    ASSERT_TRUE(load.ExchangeObjectInstance(object, RUNTIME_CLASS(Shape)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(Circle)));
    delete object;

    (*store)["Class"] = "Unrelated";
    Unrelated::created = 0;
    object = reinterpret_cast<CObject*>(&store);  // must be cleared
    EXPECT_FALSE(load.ExchangeObjectInstance(object, RUNTIME_CLASS(Shape)));
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(Unrelated::created, 0);

    (*store)["Class"] = "NoSuchClass";
    EXPECT_FALSE(load.ExchangeObjectInstance(object, RUNTIME_CLASS(Shape)));
    EXPECT_EQ(object, nullptr);

    // No class stored: the expected class is taken.
    TextExchange empty(TRUE, NewStore());
    CRuntimeClass* runtimeClass = nullptr;
    EXPECT_TRUE(PX_RuntimeClass(&empty, "Class", runtimeClass, RUNTIME_CLASS(Circle)));
    EXPECT_EQ(runtimeClass, RUNTIME_CLASS(Circle));
}

TEST(PropExchangeSerialize, ObjectTravelsAsABlobOfItsArchive)
{
    auto store = NewStore();
    {
        TextExchange save(FALSE, store);
        Shape shape;
        shape.corners = 4;
        shape.name = "square";
        EXPECT_TRUE(PX_Serialize(&save, "Shape", &shape));
    }
    // 04 00 00 00, then 06 's' 'q' 'u' 'a' 'r' 'e' as letter pairs.
    EXPECT_EQ((*store)["Shape"], "EAAAAAAAGADHBHFHBGCHFG");
    TextExchange load(TRUE, store);
    Shape shape;
    EXPECT_TRUE(PX_Serialize(&load, "Shape", &shape));
    EXPECT_EQ(shape.corners, 4);
    EXPECT_EQ(shape.name, "square");

    // A cut blob: the archive's end-of-file failure becomes FALSE.
    (*store)["Shape"] = "EAAAAAAAGADHBH";
    Shape cut;
    EXPECT_FALSE(PX_Serialize(&load, "Shape", &cut));
    EXPECT_FALSE(PX_Serialize(&load, "Missing", &cut));
    // What the failed object wrote is not stored.
    Thrower thrower;
    auto failed = NewStore();
    TextExchange save(FALSE, failed);
    EXPECT_FALSE(PX_Serialize(&save, "Thrower", &thrower));
    EXPECT_TRUE(failed->empty());
}
