// The archive medium: the bytes each call leaves in a stored file, and reading them back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "CArchive.h"
#include "CMemFile.h"
#include "COleDateTime.h"
#include "COleVariant.h"
#include "CXTPPropExchangeArchive.h"
#include "ExchangeFixture.h"

namespace {

// The cause of the archive exception body throws, or -1.
template <class Body>
int ArchiveFailure(Body body)
{
    try {
        body();
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

} // namespace

class ArchiveItem : public CObject {
    DECLARE_SERIAL(ArchiveItem)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    }
    short value = 0;
};
IMPLEMENT_SERIAL(ArchiveItem, CObject, 2)

TEST(PropExchangeArchive, EachTypeCodeHasItsByteForm)
{
    BYTE byteValue = 0xAB;
    short shortValue = -1;
    long longValue = 0x12345678;
    BOOL boolValue = TRUE;
    float floatValue = 1.0f;
    double doubleValue = -2.0;
    CY currency;
    currency.int64 = 0x0000000100000002LL;
    COleDateTime date(2005, 3, 2, 0, 0, 0);
    COleVariant variant(7L);
    CString text("ab");
    RECT rect{1, 2, 3, 4};
    SIZE size{-1, 5};
    BSTR wide = SysAllocString(L"w");

    Bytes bytes = StoreArchive([&](CXTPPropExchange& px) {
        EXPECT_TRUE(px.ExchangeProp("a", VT_UI1, &byteValue));
        EXPECT_TRUE(PX_Short(&px, "b", shortValue, -1));  // equal to its default, still written
        EXPECT_TRUE(PX_Long(&px, "c", longValue));
        EXPECT_TRUE(PX_Bool(&px, "d", boolValue, TRUE));
        EXPECT_TRUE(px.ExchangeProp("e", VT_R4, &floatValue));
        EXPECT_TRUE(px.ExchangeProp("f", VT_R8, &doubleValue));
        EXPECT_TRUE(px.ExchangeProp("g", VT_CY, &currency));
        EXPECT_TRUE(px.ExchangeProp("h", VT_DATE, &date));
        EXPECT_TRUE(px.ExchangeProp("i", VT_VARIANT, &variant));
        EXPECT_TRUE(PX_String(&px, "j", text));
        EXPECT_TRUE(PX_Rect(&px, "k", rect, rect));
        EXPECT_TRUE(PX_Size(&px, "l", size, size));
        // A BSTR has no byte form: nothing is written, and the call says so.
        EXPECT_FALSE(px.ExchangeProp("m", VT_BSTR, &wide));
        EXPECT_FALSE(px.ExchangeProp("n", 77, &longValue));
    });
    SysFreeString(wide);

    Bytes dateBits(8);
    std::memcpy(dateBits.data(), &date.m_dt, 8);
    Bytes expected = {0xAB,                                            // byte
                      0xFF, 0xFF,                                      // short -1
                      0x78, 0x56, 0x34, 0x12,                          // long
                      0x01, 0x00, 0x00, 0x00,                          // BOOL
                      0x00, 0x00, 0x80, 0x3F,                          // float 1
                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0,  // double -2
                      0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,  // currency, low half first
                      0x00, 0x00, 0x00, 0x00};                         // date: status valid
    expected.insert(expected.end(), dateBits.begin(), dateBits.end());
    const Bytes rest = {0x03, 0x00, 0x07, 0x00, 0x00, 0x00,            // variant VT_I4 7
                        0x02, 'a',  'b',                               // string
                        0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
                        0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,  // rectangle
                        0xFF, 0xFF, 0xFF, 0xFF, 0x05, 0x00, 0x00, 0x00};  // size
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(bytes, expected);

    LoadArchive(bytes, [&](CXTPPropExchange& px) {
        EXPECT_TRUE(px.IsLoading());
        BYTE b = 0;
        short s = 0;
        long l = 0;
        BOOL flag = FALSE;
        float f = 0;
        double d = 0;
        CY cy{};
        COleDateTime dt;
        COleVariant var;
        CString str;
        RECT r{};
        SIZE sz{};
        px.ExchangeProp("a", VT_UI1, &b);
        PX_Short(&px, "b", s, 9);  // the stored value, never the default
        PX_Long(&px, "c", l);
        PX_Bool(&px, "d", flag, FALSE);
        px.ExchangeProp("e", VT_R4, &f);
        px.ExchangeProp("f", VT_R8, &d);
        px.ExchangeProp("g", VT_CY, &cy);
        px.ExchangeProp("h", VT_DATE, &dt);
        px.ExchangeProp("i", VT_VARIANT, &var);
        PX_String(&px, "j", str);
        PX_Rect(&px, "k", r, RECT{});
        PX_Size(&px, "l", sz, SIZE{});
        EXPECT_EQ(b, 0xAB);
        EXPECT_EQ(s, -1);
        EXPECT_EQ(l, 0x12345678);
        EXPECT_EQ(flag, TRUE);
        EXPECT_EQ(f, 1.0f);
        EXPECT_EQ(d, -2.0);
        EXPECT_EQ(cy.int64, currency.int64);
        EXPECT_EQ(dt.m_dt, date.m_dt);
        EXPECT_TRUE(var == variant);
        EXPECT_EQ(str, "ab");
        EXPECT_EQ(std::memcmp(&r, &rect, sizeof r), 0);
        EXPECT_EQ(sz.cx, -1);
        EXPECT_EQ(sz.cy, 5);
        EXPECT_EQ(px.GetArchive("")->GetBytesLeft(), 0u);  // nothing left
    });
}

TEST(PropExchangeArchive, BlobsTooLargeForTheBufferAreSkipped)
{
    BYTE payload[3] = {1, 2, 3};
    Bytes bytes = StoreArchive([&](CXTPPropExchange& px) {
        BYTE* data = payload;
        DWORD size = 3;
        EXPECT_TRUE(PX_Blob(&px, "blob", data, size));
        long after = 99;
        PX_Long(&px, "after", after);
    });
    EXPECT_EQ(bytes, (Bytes{0x03, 0x00, 1, 2, 3, 99, 0, 0, 0}));

    LoadArchive(bytes, [&](CXTPPropExchange& px) {
        BYTE small[2];
        BYTE* data = small;
        DWORD size = 2;
        EXPECT_FALSE(PX_Blob(&px, "blob", data, size));
        long after = 0;
        PX_Long(&px, "after", after);
        EXPECT_EQ(after, 99);  // still in step
    });
    LoadArchive(bytes, [&](CXTPPropExchange& px) {
        BYTE* data = nullptr;
        DWORD size = 0;
        ASSERT_TRUE(PX_Blob(&px, "blob", data, size));
        EXPECT_EQ(size, 3u);
        EXPECT_EQ(data[2], 3);
        std::free(data);
    });
    // A length beyond the file is damage, not an allocation.
    EXPECT_EQ(ArchiveFailure([] {
                  LoadArchive(Bytes{0xFF, 0xFF, 0x00, 0x00, 0x00, 0x70, 1, 2}, [](CXTPPropExchange& px) {
                      BYTE* data = nullptr;
                      DWORD size = 0;
                      PX_Blob(&px, "blob", data, size);
                  });
              }),
              CArchiveException::endOfFile);
}

TEST(PropExchangeArchive, EnumeratorWritesItsCountThenTheItems)
{
    auto storeList = [](BOOL compact) {
        return StoreArchive([&](CXTPPropExchange& px) {
            std::unique_ptr<CXTPPropExchangeEnumerator> items(px.GetEnumerator("Item"));
            short value = 5;
            for (POSITION pos = items->GetPosition(2, compact); pos;) {
                CXTPPropExchangeSection section(items->GetNext(pos));
                PX_Short(section, "Value", value, 0);
                ++value;
            }
        });
    };
    EXPECT_EQ(storeList(TRUE), (Bytes{0x02, 0x00, 0x05, 0x00, 0x06, 0x00}));
    Bytes plain = storeList(FALSE);
    EXPECT_EQ(plain, (Bytes{0x02, 0x00, 0x00, 0x00, 0x05, 0x00, 0x06, 0x00}));

    LoadArchive(plain, [](CXTPPropExchange& px) {
        std::unique_ptr<CXTPPropExchangeEnumerator> items(px.GetEnumerator("Item"));
        std::vector<short> values;
        for (POSITION pos = items->GetPosition(0, FALSE); pos;) {
            CXTPPropExchangeSection section(items->GetNext(pos));
            short value = 0;
            PX_Short(section, "Value", value, 0);
            values.push_back(value);
        }
        EXPECT_EQ(values, (std::vector<short>{5, 6}));
    });
    // A count of two billion in a file of four bytes is refused before any item is read.
    EXPECT_EQ(ArchiveFailure([] {
                  LoadArchive(Bytes{0x00, 0x00, 0x00, 0x80, 0x05, 0x00}, [](CXTPPropExchange& px) {
                      std::unique_ptr<CXTPPropExchangeEnumerator> items(px.GetEnumerator("Item"));
                      items->GetPosition(0, FALSE);
                  });
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(ArchiveFailure([] { LoadArchive(Bytes{0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}, [](CXTPPropExchange& px) { px.ReadCount(); }); }),
              CArchiveException::endOfFile);
}

TEST(PropExchangeArchive, ObjectInstancesJoinTheArchiveReferenceTable)
{
    ArchiveItem item;
    item.value = 0x2A;
    Bytes bytes = StoreArchive([&](CXTPPropExchange& px) {
        CObject* object = &item;
        EXPECT_TRUE(px.ExchangeObjectInstance(object, RUNTIME_CLASS(ArchiveItem)));
        PX_Serialize(&px, "Item", &item);  // straight into the same stream
        CArchive* archive = px.GetArchive("ignored");
        *archive << static_cast<const CObject*>(&item);  // now a reference to entry 2
        px.ReleaseArchive("ignored", archive);
    });
    Bytes expected = {0xFF, 0xFF, 0x02, 0x00, 0x0B, 0x00};  // new class, schema 2, name length 11
    for (const char* ch = "ArchiveItem"; *ch; ++ch)
        expected.push_back(static_cast<BYTE>(*ch));
    const Bytes rest = {0x2A, 0x00, 0x02, 0x00};
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(bytes, expected);

    LoadArchive(bytes, [](CXTPPropExchange& px) {
        CObject* object = nullptr;
        ASSERT_TRUE(px.ExchangeObjectInstance(object, RUNTIME_CLASS(ArchiveItem)));
        std::unique_ptr<CObject> owned(object);
        EXPECT_EQ(px.m_nSchema, 2u);
        EXPECT_TRUE(PX_Serialize(&px, "Item", object));
        EXPECT_EQ(static_cast<ArchiveItem*>(object)->value, 0x2A);
        CObject* again = nullptr;
        *px.GetArchive("ignored") >> again;
        EXPECT_EQ(again, object);
    });
}

TEST(PropExchangeArchive, SectionsShareTheStream)
{
    Bytes bytes = StoreArchive([](CXTPPropExchange& px) {
        EXPECT_FALSE(px.AllowsDefaultValues());
        EXPECT_TRUE(px.AllowsBlobValues());
        px.m_dwData = 7;
        CXTPPropExchangeSection section(px.GetSection("Inner"));
        EXPECT_EQ(section->m_dwData, 7u);
        EXPECT_TRUE(section->ExchangeSchema());
        BYTE tail = 1;
        PX_Byte(&px, "tail", tail, 0);
    });
    EXPECT_EQ(bytes, (Bytes{17, 0, 0, 0, 1}));
}

TEST(PropExchangeArchive, AReaderRecordsItsFirstCauseOfFailure)
{
    Bytes bytes{1};
    LoadArchive(bytes, [](CXTPPropExchange& px) {
        EXPECT_EQ(px.GetErrorText(), "");
        px.RecordError("first");
        px.RecordError("second");
        EXPECT_EQ(px.GetErrorText(), "first");
    });
}
