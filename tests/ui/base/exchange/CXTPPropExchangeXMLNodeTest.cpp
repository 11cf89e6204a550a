// The XML medium: the text form of each value, the file layout, lists, and what a
// damaged or missing file leaves the caller with.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CArchive.h"
#include "COleDateTime.h"
#include "COleVariant.h"
#include "CXTPPropExchangeXMLNode.h"
#include "ExchangeFixture.h"  // COM on the test thread, and documents made by the tests
#include "XmlDom.h"

namespace {

IXMLDOMNode* AsParent(const CXmlPtr<IXMLDOMDocument>& document)
{
    return document.Get();
}

// The text of an attribute of the root element, or "<none>".
CString RootAttribute(const CXmlPtr<IXMLDOMDocument>& document, const wchar_t* name)
{
    CXmlPtr<IXMLDOMNode> root = XmlDom::GetRootElement(document.Get());
    CXmlPtr<IXMLDOMNode> attribute = root ? XmlDom::FindAttribute(root.Get(), name) : CXmlPtr<IXMLDOMNode>();
    return attribute ? XmlWideToString(XmlDom::GetText(attribute.Get())) : CString("<none>");
}

// The values under key of a loading list's items, in order; at most limit items are visited.
std::vector<long> ItemValues(CXTPPropExchange& px, const char* prefix, const char* key, size_t limit = 10)
{
    std::vector<long> values;
    CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> items(px.GetEnumerator(prefix));
    for (POSITION pos = items->GetPosition(); pos && values.size() < limit;) {
        CXTPPropExchangeSection item(items->GetNext(pos));
        long value = -1;
        EXPECT_TRUE(PX_Long(item, key, value)) << prefix;
        values.push_back(value);
    }
    return values;
}

class XmlExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        static int serial = 0;
        char name[64];
        std::snprintf(name, sizeof name, "xmlexchange-%lu-%d", GetCurrentProcessId(), ++serial);
        m_dir = std::string(temp) + name + "\\";
        ASSERT_TRUE(CreateDirectoryA(m_dir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((m_dir + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA((m_dir + found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(m_dir.c_str());
    }
    std::string Path(const char* name) const { return m_dir + name; }
    std::string WriteFile(const char* name, const std::string& data)
    {
        WriteFileBytes(Path(name), data);
        return Path(name);
    }

    std::string m_dir;
};

} // namespace

class XmlPaneState : public CObject {
    DECLARE_SERIAL(XmlPaneState)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << width << title;
        else
            ar >> width >> title;
    }
    int width = 0;
    CString title;
};
IMPLEMENT_SERIAL(XmlPaneState, CObject, 1)

TEST_F(XmlExchange, SavedSectionMatchesTheGoldenFile)
{
    std::string path = Path("CommandBars.xml");
    {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        px.SetEncoding("windows-1251");
        CXTPPropExchangeSection bars(px.GetSection("CommandBars"));
        BOOL visible = FALSE;
        EXPECT_TRUE(PX_Bool(bars, "Visible", visible, TRUE));
        EXPECT_EQ(px.SaveToFile(path.c_str(), TRUE), S_OK);
        EXPECT_EQ(px.GetErrorText(), "");
    }
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(DataFileBeside(__FILE__, "CommandBars.xml")));

    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
    ASSERT_TRUE(px.LoadFromFile(path.c_str()));
    CXTPPropExchangeSection bars(px.GetSection("CommandBars"));
    BOOL visible = TRUE;
    EXPECT_TRUE(PX_Bool(bars, "Visible", visible, TRUE));
    EXPECT_FALSE(visible);
    EXPECT_TRUE(px.m_bCompactMode);
}

// The layout the main frame writes: nested sections, a list, escapes in attributes.
TEST_F(XmlExchange, LayoutPutsEachElementOnItsOwnLine)
{
    std::string path = Path("Layout.xml");
    const char* titles[] = {"Standard", "Build\tTools"};
    RECT empty = {0, 0, 0, 0};
    {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        px.SetEncoding("windows-1251");
        {
            CXTPPropExchangeSection bars(px.GetSection("CommandBars"));
            BOOL customizable = TRUE;
            PX_Bool(bars, "Customizable", customizable, FALSE);
            CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> items(bars->GetEnumerator("Bar"));
            POSITION pos = items->GetPosition(2);
            long id = 1;
            while (pos) {
                CXTPPropExchangeSection item(items->GetNext(pos));
                CString title = titles[id - 1];
                EXPECT_TRUE(PX_Long(item, "Id", id));
                EXPECT_TRUE(PX_String(item, "Title", title));
                ++id;
            }
        }
        CXTPPropExchangeSection panes(px.GetSection("DockingPane"));
        RECT rect = {0, 0, 200, 100};
        PX_Rect(panes, "Rect", rect, empty);
        EXPECT_EQ(px.SaveToFile(path.c_str()), S_OK);
    }
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(DataFileBeside(__FILE__, "Layout.xml")));

    // Saving the loaded file again leaves it as it was.
    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
    ASSERT_TRUE(px.LoadFromFile(path.c_str()));
    {
        CXTPPropExchangeSection bars(px.GetSection("CommandBars"));
        CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> items(bars->GetEnumerator("Bar"));
        POSITION pos = items->GetPosition();
        long expectedId = 1;
        while (pos) {
            CXTPPropExchangeSection item(items->GetNext(pos));
            long id = 0;
            CString title;
            EXPECT_TRUE(PX_Long(item, "Id", id));
            EXPECT_TRUE(PX_String(item, "Title", title));
            EXPECT_EQ(id, expectedId);
            ASSERT_LE(expectedId, 2);
            EXPECT_EQ(title, titles[expectedId - 1]);
            ++expectedId;
        }
        EXPECT_EQ(expectedId, 3);
    }
    std::string again = Path("Again.xml");
    EXPECT_EQ(px.SaveToFile(again.c_str()), S_OK);
    EXPECT_EQ(ReadFileBytes(again), ReadFileBytes(path));
}

// Element mode, where a text-only element keeps its text whole, blanks included.
TEST_F(XmlExchange, ElementModeKeepsTextOnlyElementsOnOneLine)
{
    std::string path = Path("Elements.xml");
    {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        px.m_bCompactMode = FALSE;
        CXTPPropExchangeSection editor(px.GetSection("Editor"));
        CString font = "Courier New";
        CString blank = "   ";
        long size = 12;
        long back = 255;
        PX_String(editor, "Font", font);
        PX_String(editor, "Blank", blank);
        PX_Long(editor, "Size", size);
        CXTPPropExchangeSection colors(editor->GetSection("Colors"));
        PX_Long(colors, "Back", back);
        EXPECT_EQ(px.SaveToFile(path.c_str()), S_OK);
    }
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(DataFileBeside(__FILE__, "Elements.xml")));

    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
    ASSERT_TRUE(px.LoadFromFile(path.c_str()));
    CXTPPropExchangeSection editor(px.GetSection("Editor"));
    CString font, blank;
    long size = 0;
    EXPECT_TRUE(PX_String(editor, "Font", font));
    EXPECT_TRUE(PX_String(editor, "Blank", blank));
    EXPECT_TRUE(PX_Long(editor, "Size", size));
    EXPECT_EQ(font, "Courier New");
    EXPECT_EQ(blank, "   ");
    EXPECT_EQ(size, 12);
    EXPECT_FALSE(px.m_bCompactMode);
}

// Blanks of every kind survive the document and the layout: tabs and line ends
// reach a text-only element raw through a variant.
TEST_F(XmlExchange, BlankOnlyValuesSurviveAFormattedSave)
{
    std::string path = Path("Blank.xml");
    const wchar_t* blanks[] = {L" ", L"\t", L"\n\t", L"  x  "};
    {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        px.m_bCompactMode = FALSE;
        CString spaces = "   ";
        EXPECT_TRUE(PX_String(&px, "Spaces", spaces));
        for (int i = 0; i < 4; ++i) {
            COleVariant var;
            var.vt = VT_BSTR;
            var.bstrVal = SysAllocString(blanks[i]);
            CString name;
            name.Format("Variant%d", i);
            EXPECT_TRUE(px.ExchangeProp(name, VT_VARIANT, &var));
        }
        EXPECT_EQ(px.SaveToFile(path.c_str()), S_OK);
    }
    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
    ASSERT_TRUE(px.LoadFromFile(path.c_str()));
    CString spaces;
    EXPECT_TRUE(PX_String(&px, "Spaces", spaces));
    EXPECT_EQ(spaces, "   ");
    for (int i = 0; i < 4; ++i) {
        COleVariant var;
        CString name;
        name.Format("Variant%d", i);
        ASSERT_TRUE(px.ExchangeProp(name, VT_VARIANT, &var));
        ASSERT_EQ(var.vt, VT_BSTR);
        EXPECT_STREQ(var.bstrVal, blanks[i]) << i;
    }
}

TEST(XmlExchangeValues, EachTypeCodeHasItsTextForm)
{
    CXmlPtr<IXMLDOMDocument> document = XmlDom::CreateDocument();
    ASSERT_TRUE(document);
    short shortValue = -1;
    long longValue = -5;
    BOOL boolValue = TRUE;
    BYTE byteValue = 200;
    double tenth = 0.1;
    double tiny = 1e-7;
    COleDateTime day(2005, 3, 2, 0, 0, 0);
    COleDateTime moment(2005, 3, 2, 13, 4, 5);
    COleDateTime noon(0.5);
    COleVariant number(42L);
    COleVariant dateVariant(COleDateTime(2005, 3, 2, 0, 0, 0));
    COleVariant nullVariant;
    nullVariant.vt = VT_NULL;
    CString text = "a\tb\\c\r\n";
    BSTR wide = SysAllocString(L"x\ny\\");
    RECT rect = {1, 2, -3, 4};
    SIZE size = {5, -6};
    float single = 1.5f;
    CY currency = {};
    {
        CXTPPropExchangeXMLNode px(FALSE, AsParent(document), "Config");
        EXPECT_TRUE(px.ExchangeProp("Short", VT_I2, &shortValue));
        EXPECT_TRUE(px.ExchangeProp("Long", VT_I4, &longValue));
        EXPECT_TRUE(px.ExchangeProp("Bool", VT_BOOL, &boolValue));
        EXPECT_TRUE(px.ExchangeProp("Byte", VT_UI1, &byteValue));
        EXPECT_TRUE(px.ExchangeProp("Tenth", VT_R8, &tenth));
        EXPECT_TRUE(px.ExchangeProp("Tiny", VT_R8, &tiny));
        EXPECT_TRUE(px.ExchangeProp("Day", VT_DATE, &day));
        EXPECT_TRUE(px.ExchangeProp("Moment", VT_DATE, &moment));
        EXPECT_TRUE(px.ExchangeProp("Noon", VT_DATE, &noon));
        EXPECT_TRUE(px.ExchangeProp("Number", VT_VARIANT, &number));
        EXPECT_TRUE(px.ExchangeProp("DateVariant", VT_VARIANT, &dateVariant));
        EXPECT_FALSE(px.ExchangeProp("NullVariant", VT_VARIANT, &nullVariant));
        EXPECT_TRUE(px.ExchangeProp("Text", VT_LPSTR, &text));
        EXPECT_TRUE(px.ExchangeProp("Wide", VT_BSTR, &wide));
        EXPECT_TRUE(px.ExchangeProp("Rect", VT_EX_RECT, &rect));
        EXPECT_TRUE(px.ExchangeProp("Size", VT_EX_SIZE, &size));
        EXPECT_FALSE(px.ExchangeProp("Single", VT_R4, &single));
        EXPECT_FALSE(px.ExchangeProp("Currency", VT_CY, &currency));
        EXPECT_EQ(px.GetErrorText(), "");
    }
    const struct {
        const wchar_t* name;
        const char* text;
    } forms[] = {
        {L"CompactMode", "1"},
        {L"Short", "65535"},
        {L"Long", "-5"},
        {L"Bool", "1"},
        {L"Byte", "200"},
        {L"Tenth", "0.1"},
        {L"Day", "2005-02-03"},
        {L"Moment", "2005-02-03T13:04:05"},
        {L"Noon", "12:00:00"},
        {L"Number", "42"},
        {L"DateVariant", "2005-02-03"},
        {L"Text", "a\\tb\\\\c\\r\\n"},
        {L"Wide", "x\\ny\\\\"},
        {L"Rect", "1, 2, -3, 4"},
        {L"Size", "5, -6"},
        // Types without a text form leave nothing behind.
        {L"NullVariant", "<none>"},
        {L"Single", "<none>"},
        {L"Currency", "<none>"},
    };
    for (const auto& form : forms)
        EXPECT_EQ(RootAttribute(document, form.name), form.text) << static_cast<const char*>(XmlWideToString(form.name));

    CXTPPropExchangeXMLNode px(TRUE, AsParent(document), "Config");
    short shortBack = 0;
    long longBack = 0;
    BOOL boolBack = FALSE;
    BYTE byteBack = 0;
    double tenthBack = 0, tinyBack = 0;
    COleDateTime dayBack, momentBack, noonBack;
    COleVariant numberBack, dateVariantBack;
    CString textBack;
    BSTR wideBack = nullptr;
    RECT rectBack = {};
    SIZE sizeBack = {};
    EXPECT_TRUE(px.ExchangeProp("Short", VT_I2, &shortBack));
    EXPECT_TRUE(px.ExchangeProp("Long", VT_I4, &longBack));
    EXPECT_TRUE(px.ExchangeProp("Bool", VT_BOOL, &boolBack));
    EXPECT_TRUE(px.ExchangeProp("Byte", VT_UI1, &byteBack));
    EXPECT_TRUE(px.ExchangeProp("Tenth", VT_R8, &tenthBack));
    EXPECT_TRUE(px.ExchangeProp("Tiny", VT_R8, &tinyBack));
    EXPECT_TRUE(px.ExchangeProp("Day", VT_DATE, &dayBack));
    EXPECT_TRUE(px.ExchangeProp("Moment", VT_DATE, &momentBack));
    EXPECT_TRUE(px.ExchangeProp("Noon", VT_DATE, &noonBack));
    EXPECT_TRUE(px.ExchangeProp("Number", VT_VARIANT, &numberBack));
    EXPECT_TRUE(px.ExchangeProp("DateVariant", VT_VARIANT, &dateVariantBack));
    EXPECT_TRUE(px.ExchangeProp("Text", VT_LPSTR, &textBack));
    EXPECT_TRUE(px.ExchangeProp("Wide", VT_BSTR, &wideBack));
    EXPECT_TRUE(px.ExchangeProp("Rect", VT_EX_RECT, &rectBack));
    EXPECT_TRUE(px.ExchangeProp("Size", VT_EX_SIZE, &sizeBack));
    EXPECT_FALSE(px.ExchangeProp("Single", VT_R4, &single));
    EXPECT_EQ(shortBack, -1);
    EXPECT_EQ(longBack, -5);
    EXPECT_EQ(boolBack, TRUE);
    EXPECT_EQ(byteBack, 200);
    EXPECT_EQ(std::memcmp(&tenthBack, &tenth, sizeof tenth), 0);
    EXPECT_EQ(std::memcmp(&tinyBack, &tiny, sizeof tiny), 0);
    EXPECT_EQ(dayBack.m_dt, day.m_dt);
    EXPECT_EQ(momentBack.m_dt, moment.m_dt);
    EXPECT_EQ(noonBack.m_dt, 0.5);
    // A variant comes back as text, or as a date when the text is one.
    ASSERT_EQ(numberBack.vt, VT_BSTR);
    EXPECT_STREQ(numberBack.bstrVal, L"42");
    ASSERT_EQ(dateVariantBack.vt, VT_DATE);
    EXPECT_EQ(dateVariantBack.date, day.m_dt);
    EXPECT_EQ(textBack, text);
    ASSERT_NE(wideBack, nullptr);
    EXPECT_STREQ(wideBack, L"x\ny\\");
    EXPECT_EQ(rectBack.left, 1);
    EXPECT_EQ(rectBack.right, -3);
    EXPECT_EQ(rectBack.bottom, 4);
    EXPECT_EQ(sizeBack.cx, 5);
    EXPECT_EQ(sizeBack.cy, -6);
    SysFreeString(wide);
    SysFreeString(wideBack);
}

TEST(XmlExchangeValues, StoredTextsThatDoNotParse)
{
    CXmlPtr<IXMLDOMDocument> document =
        ParseXml(L"<Config CompactMode='1' Short='70000' Long='12abc' BadDay='2005-31-02' Partial='2005-02-03T10:20' "
                 L"Clock='10:20' BadClock='99:99' Junk='soon' Rect='1, 2, 3' Size='7' Plain='C:x'/>");
    CXTPPropExchangeXMLNode px(TRUE, AsParent(document), "Config");
    short shortValue = 0;
    long longValue = 0;
    EXPECT_TRUE(px.ExchangeProp("Short", VT_I2, &shortValue));
    EXPECT_EQ(shortValue, static_cast<short>(70000 & 0xFFFF));
    EXPECT_TRUE(px.ExchangeProp("Long", VT_I4, &longValue));
    EXPECT_EQ(longValue, 12);

    COleDateTime keep(2001, 1, 1, 0, 0, 0);
    COleDateTime date = keep;
    EXPECT_FALSE(px.ExchangeProp("BadDay", VT_DATE, &date));
    EXPECT_FALSE(px.ExchangeProp("Junk", VT_DATE, &date));
    EXPECT_FALSE(px.ExchangeProp("BadClock", VT_DATE, &date));
    EXPECT_EQ(date.m_dt, keep.m_dt);
    EXPECT_TRUE(px.ExchangeProp("Partial", VT_DATE, &date));
    EXPECT_EQ(date.m_dt, COleDateTime(2005, 3, 2, 10, 20, 0).m_dt);
    EXPECT_TRUE(px.ExchangeProp("Clock", VT_DATE, &date));
    EXPECT_DOUBLE_EQ(date.m_dt, (10 * 3600 + 20 * 60) / 86400.0);

    RECT fallback = {9, 8, 7, 6};
    RECT rect = {};
    EXPECT_TRUE(PX_Rect(&px, "Rect", rect, fallback));
    EXPECT_EQ(rect.left, 9);
    EXPECT_EQ(rect.bottom, 6);
    SIZE sizeFallback = {3, 4};
    SIZE size = {};
    EXPECT_TRUE(PX_Size(&px, "Size", size, sizeFallback));
    EXPECT_EQ(size.cx, 3);
    EXPECT_EQ(size.cy, 4);

    CString plain;
    EXPECT_TRUE(PX_String(&px, "Plain", plain));
    EXPECT_EQ(plain, "C:x");

    // Missing values: the default when there is one, else the variable is kept.
    long missing = 77;
    EXPECT_FALSE(px.ExchangeProp("Missing", VT_I4, &missing));
    EXPECT_EQ(missing, 77);
    EXPECT_TRUE(PX_LongDefault(&px, "Missing", missing, 5));
    EXPECT_EQ(missing, 5);
    EXPECT_FALSE(px.HasValue("Missing"));
    EXPECT_TRUE(px.HasValue("Plain"));
}

TEST(XmlExchangeValues, FileWithoutCompactModeIsReadFromChildElements)
{
    CXmlPtr<IXMLDOMDocument> document =
        ParseXml(L"<Config Size='1'><Editor><Size>12</Size><Name>Consolas</Name></Editor><Size>3</Size></Config>");
    CXTPPropExchangeXMLNode px(TRUE, AsParent(document), "Config");
    long size = 0;
    EXPECT_TRUE(PX_Long(&px, "Size", size));
    EXPECT_EQ(size, 3);
    EXPECT_FALSE(px.m_bCompactMode);
    CXTPPropExchangeSection editor(px.GetSection("Editor"));
    CString name;
    EXPECT_TRUE(PX_Long(editor, "Size", size));
    EXPECT_TRUE(PX_String(editor, "Name", name));
    EXPECT_EQ(size, 12);
    EXPECT_EQ(name, "Consolas");

    // The mode comes from the file even when defaults are off or the exchange read
    // another file before.
    CXmlPtr<IXMLDOMDocument> compact = ParseXml(L"<Config CompactMode='1' Size='4'/>");
    CXTPPropExchangeXMLNode strict(TRUE, AsParent(document), "Config");
    strict.m_bUseDefaultOnLoad = FALSE;
    EXPECT_TRUE(PX_Long(&strict, "Size", size));
    EXPECT_EQ(size, 3);
    CXTPPropExchangeXMLNode again(TRUE, AsParent(compact), "Config");
    again.m_bCompactMode = FALSE;
    EXPECT_TRUE(PX_Long(&again, "Size", size));
    EXPECT_EQ(size, 4);
}

TEST(XmlExchangeValues, DefaultsAreNotWritten)
{
    CXmlPtr<IXMLDOMDocument> document = XmlDom::CreateDocument();
    ASSERT_TRUE(document);
    {
        CXTPPropExchangeXMLNode px(FALSE, AsParent(document), "Config");
        long same = 4;
        CString text = "x";
        EXPECT_TRUE(PX_LongDefault(&px, "Same", same, 4));
        EXPECT_TRUE(PX_StringDefault(&px, "Text", text, "x"));
        px.m_bUseDefaultOnSave = FALSE;
        EXPECT_TRUE(PX_LongDefault(&px, "Forced", same, 4));
    }
    EXPECT_EQ(RootAttribute(document, L"Same"), "<none>");
    EXPECT_EQ(RootAttribute(document, L"Text"), "<none>");
    EXPECT_EQ(RootAttribute(document, L"Forced"), "4");
}

TEST(XmlExchangeValues, BlobsAndSerializedObjectsAsLetters)
{
    CXmlPtr<IXMLDOMDocument> document = XmlDom::CreateDocument();
    ASSERT_TRUE(document);
    {
        CXTPPropExchangeXMLNode px(FALSE, AsParent(document), "Config");
        BYTE bytes[] = {0x3C};
        BYTE* data = bytes;
        DWORD size = 1;
        EXPECT_TRUE(PX_Blob(&px, "Blob", data, size));
        XmlPaneState state;
        state.width = 300;
        state.title = "Output";
        EXPECT_TRUE(PX_Serialize(&px, "Pane", &state));
    }
    EXPECT_EQ(RootAttribute(document, L"Blob"), "MD");
    // 300 as four bytes, then the counted title.
    EXPECT_EQ(RootAttribute(document, L"Pane"), "MCBAAAAAGAPEFHEHAHFHEH");

    CXTPPropExchangeXMLNode px(TRUE, AsParent(document), "Config");
    BYTE* data = nullptr;
    DWORD size = 0;
    EXPECT_TRUE(PX_Blob(&px, "Blob", data, size));
    ASSERT_EQ(size, 1u);
    EXPECT_EQ(data[0], 0x3C);
    std::free(data);
    XmlPaneState state;
    EXPECT_TRUE(PX_Serialize(&px, "Pane", &state));
    EXPECT_EQ(state.width, 300);
    EXPECT_EQ(state.title, "Output");
}

TEST(XmlExchangeValues, EmptySectionStartsAFreshElement)
{
    CXmlPtr<IXMLDOMDocument> document = ParseXml(L"<Config CompactMode='1'><Bars Old='1'/></Config>");
    CXTPPropExchangeXMLNode px(FALSE, AsParent(document), "Config");
    CXTPPropExchangeSection bars(px.GetSection("Bars"));
    bars->EmptySection();
    long fresh = 2;
    EXPECT_TRUE(PX_Long(bars, "New", fresh));
    CXmlPtr<IXMLDOMNode> root = XmlDom::GetRootElement(document.Get());
    ASSERT_TRUE(root);
    EXPECT_EQ(XmlDom::CountChildElements(root.Get()), 1u);
    CXmlPtr<IXMLDOMNode> element = XmlDom::FindChildElement(root.Get(), L"Bars");
    ASSERT_TRUE(element);
    EXPECT_FALSE(XmlDom::FindAttribute(element.Get(), L"Old"));
    EXPECT_TRUE(XmlDom::FindAttribute(element.Get(), L"New"));
}

TEST(XmlExchangeLists, EmptyingAnItemKeepsTheOtherItems)
{
    CXmlPtr<IXMLDOMDocument> document = XmlDom::CreateDocument();
    ASSERT_TRUE(document);
    CXTPPropExchangeXMLNode px(FALSE, AsParent(document), "Config");
    CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> items(px.GetEnumerator("Item"));
    long value = 10;
    for (POSITION pos = items->GetPosition(2); pos; ++value) {
        CXTPPropExchangeSection item(items->GetNext(pos));
        item->EmptySection();
        EXPECT_TRUE(PX_Long(item, "V", value));
    }
    CXmlPtr<IXMLDOMNode> root = XmlDom::GetRootElement(document.Get());
    ASSERT_TRUE(root);
    EXPECT_EQ(XmlDom::CountChildElements(root.Get()), 2u);
    CXmlPtr<IXMLDOMNode> first = XmlDom::FindChildElement(root.Get(), L"Item");
    ASSERT_TRUE(first);
    CXmlPtr<IXMLDOMNode> firstValue = XmlDom::FindAttribute(first.Get(), L"V");
    ASSERT_TRUE(firstValue);
    EXPECT_EQ(XmlDom::GetText(firstValue.Get()), L"10");
}

TEST(XmlExchangeLists, ItemsAreSiblingElementsOfThePrefix)
{
    for (DWORD count : {0u, 3u}) {
        CXmlPtr<IXMLDOMDocument> document = XmlDom::CreateDocument();
        ASSERT_TRUE(document);
        {
            CXTPPropExchangeXMLNode px(FALSE, AsParent(document), "Config");
            CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> items(px.GetEnumerator("Item"));
            POSITION pos = items->GetPosition(count);
            long index = 0;
            while (pos) {
                CXTPPropExchangeSection item(items->GetNext(pos));
                EXPECT_TRUE(PX_Long(item, "Index", index));
                ++index;
            }
            EXPECT_EQ(index, static_cast<long>(count));
        }
        // An empty list does not even make the section's element.
        CXmlPtr<IXMLDOMNode> root = XmlDom::GetRootElement(document.Get());
        EXPECT_EQ(root ? XmlDom::CountChildElements(root.Get()) : 0u, count);
        EXPECT_EQ(RootAttribute(document, L"Count"), "<none>");

        CXTPPropExchangeXMLNode px(TRUE, AsParent(document), "Config");
        std::vector<long> expected;
        for (long i = 0; i < static_cast<long>(count); ++i)
            expected.push_back(i);
        EXPECT_EQ(ItemValues(px, "Item", "Index"), expected);
    }
}

TEST(XmlExchangeLists, OtherElementsAndOddPrefixesAreNotItems)
{
    CXmlPtr<IXMLDOMDocument> document =
        ParseXml(L"<Config CompactMode='1'><Item N='1'/><Other/><Item N='2'/><Items/><Item N='3'/></Config>");
    const struct {
        const char* prefix;
        long items;
    } cases[] = {{"Item", 3}, {"Item[1]", 0}, {"Item' or '1'='1", 0}, {"*", 0}, {"", 0}};
    for (const auto& c : cases) {
        CXTPPropExchangeXMLNode px(TRUE, AsParent(document), "Config");
        std::vector<long> expected;
        for (long n = 1; n <= c.items; ++n)
            expected.push_back(n);
        EXPECT_EQ(ItemValues(px, c.prefix, "N"), expected) << c.prefix;
        EXPECT_EQ(px.GetErrorText(), "") << c.prefix;
    }
}

TEST(XmlExchangeLists, CountedListsAreReadTheNumberedWay)
{
    CXmlPtr<IXMLDOMDocument> document =
        ParseXml(L"<Config CompactMode='1' Count='2'><Item0 N='10'/><Item1 N='11'/></Config>");
    CXTPPropExchangeXMLNode px(TRUE, AsParent(document), "Config");
    EXPECT_EQ(ItemValues(px, "Item", "N"), (std::vector<long>{10, 11}));
    EXPECT_EQ(px.GetErrorText(), "");
}

TEST(XmlExchangeLists, ADamagedCountIsCutToTheElementsThere)
{
    CXmlPtr<IXMLDOMDocument> document =
        ParseXml(L"<Config CompactMode='1' Count='4000000000'><Item0 N='10'/><Item1 N='11'/></Config>");
    CXTPPropExchangeXMLNode px(TRUE, AsParent(document), "Config");
    EXPECT_EQ(ItemValues(px, "Item", "N"), (std::vector<long>{10, 11}));
    EXPECT_EQ(px.GetErrorText(), "XML section \"Config\" holds 2 elements but claims 4000000000 items.");
}

TEST(XmlExchangeLists, ACauseRecordedInASectionIsTheWholeTreesFirst)
{
    CXmlPtr<IXMLDOMDocument> document = ParseXml(L"<Config CompactMode='1'><Bars/></Config>");
    CXTPPropExchangeXMLNode px(TRUE, AsParent(document), "Config");
    {
        CXTPPropExchangeSection section(px.GetSection("Bars"));
        CXTPPropExchange* pReader = section;
        pReader->RecordError("a bar of an unknown class");
    }
    px.RecordError("later");
    EXPECT_EQ(px.GetErrorText(), "a bar of an unknown class");
}

TEST_F(XmlExchange, UnreadableFilesLeaveTheDefaultsAndSayWhy)
{
    const struct {
        std::string path;
        const char* error;  // the start of the error text after the path
    } cases[] = {
        {Path("Missing.xml"), ": the file does not exist."},
        {m_dir, ": this is a folder, not a file."},
        // The platform may or may not know the line of the fault.
        {WriteFile("Cut.xml", "<?xml version=\"1.0\"?>\r\n<Config>\r\n\t<Bars Visible=\"0\">\r\n"), ""},
        {WriteFile("Empty.xml", ""), ""},
    };
    for (const auto& c : cases) {
        CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
        EXPECT_FALSE(px.LoadFromFile(c.path.c_str())) << c.path;
        CString error = px.GetErrorText();
        EXPECT_EQ(error.Left(static_cast<int>(c.path.size())), c.path.c_str());
        if (*c.error)
            EXPECT_EQ(error.Mid(static_cast<int>(c.path.size())), c.error);
        else
            EXPECT_TRUE(error.Find(": the file is not valid XML (") == static_cast<int>(c.path.size()) ||
                        error.Find(", line ") == static_cast<int>(c.path.size()))
                << static_cast<const char*>(error);
        // The exchange goes on over an empty document: every value takes its default.
        CXTPPropExchangeSection bars(px.GetSection("Bars"));
        BOOL visible = TRUE;
        EXPECT_TRUE(PX_Bool(bars, "Visible", visible, TRUE));
        EXPECT_TRUE(visible);
    }
}

TEST_F(XmlExchange, AFileOfAnotherRootGivesDefaults)
{
    std::string path = WriteFile("Other.xml", "<Other Visible=\"0\"/>");
    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
    EXPECT_TRUE(px.LoadFromFile(path.c_str()));
    BOOL visible = TRUE;
    EXPECT_TRUE(PX_Bool(&px, "Visible", visible, TRUE));
    EXPECT_TRUE(visible);
    CXTPPropExchangeSection bars(px.GetSection("Bars"));
    EXPECT_TRUE(PX_Bool(bars, "Visible", visible, TRUE));
    EXPECT_EQ(px.GetErrorText(), "The XML document's root element is \"Other\", not \"Config\".");
}

// A name or text no reader would take is refused, so the file stays readable.
TEST_F(XmlExchange, WhatXmlCannotCarryIsRefused)
{
    std::string path = Path("Names.xml");
    {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        long value = 1;
        EXPECT_FALSE(PX_Long(&px, "two words", value));
        EXPECT_FALSE(PX_Long(&px, "x:y", value));
        EXPECT_TRUE(PX_Long(&px, "Good", value));
        CString control = "a\x01z";
        EXPECT_FALSE(PX_String(&px, "Control", control));
        BSTR noCharacter = SysAllocString(L"\xFFFF");
        EXPECT_FALSE(px.ExchangeProp("NoCharacter", VT_BSTR, &noCharacter));
        SysFreeString(noCharacter);
        CXTPPropExchangeSection bad(px.GetSection("3rd"));
        EXPECT_FALSE(PX_Long(bad, "Value", value));
        CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> items(px.GetEnumerator("Item[0]"));
        POSITION pos = items->GetPosition(3);
        int calls = 0;
        while (pos && calls < 5) {
            CXTPPropExchangeSection item(items->GetNext(pos));
            ASSERT_NE(item.Get(), nullptr);
            EXPECT_FALSE(PX_Long(item, "Value", value));
            ++calls;
        }
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(px.GetErrorText(), "XML section \"Config\": naming a node: not a valid XML name (0x80070057)");
        EXPECT_EQ(px.SaveToFile(path.c_str()), S_OK);
    }
    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
    ASSERT_TRUE(px.LoadFromFile(path.c_str()));
    long good = 0;
    EXPECT_TRUE(PX_Long(&px, "Good", good));
    EXPECT_EQ(good, 1);
    EXPECT_FALSE(px.HasValue("Control"));
    EXPECT_FALSE(px.HasValue("NoCharacter"));
}

TEST_F(XmlExchange, SaveToAFolderFails)
{
    CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
    long value = 1;
    EXPECT_TRUE(PX_Long(&px, "Value", value));
    HRESULT hr = px.SaveToFile(m_dir.c_str());
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(px.GetErrorText().Find(m_dir.c_str()), 0) << static_cast<const char*>(px.GetErrorText());
}

// Text travels in the ANSI code page; a file declared in that code page brings it back.
TEST_F(XmlExchange, TextOfTheCodePageRoundTrips)
{
    std::string path = Path("CodePage.xml");
    CString encoding;
    encoding.Format("windows-%u", GetACP());
    // The upper half of the code page, less the bytes it leaves unassigned.
    CString text;
    for (int ch = 0xC0; ch <= 0xFF; ++ch) {
        char byte = static_cast<char>(ch);
        wchar_t wide = 0;
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) == 1)
            text += byte;
    }
    ASSERT_GT(text.GetLength(), 32);
    {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        px.SetEncoding(encoding);
        EXPECT_TRUE(PX_String(&px, "Text", text));
        EXPECT_EQ(px.SaveToFile(path.c_str()), S_OK);
    }
    std::string bytes = ReadFileBytes(path);
    EXPECT_NE(bytes.find(static_cast<const char*>(text)), std::string::npos) << "stored in the code page's bytes";
    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
    ASSERT_TRUE(px.LoadFromFile(path.c_str()));
    CString back;
    EXPECT_TRUE(PX_String(&px, "Text", back));
    EXPECT_EQ(back, text);
}

TEST_F(XmlExchange, AFailedSaveLeavesTheOldFile)
{
    const std::string old = "<?xml version=\"1.0\"?>\r\n<Config Value=\"1\"/>\r\n";
    std::string path = WriteFile("Old.xml", old);
    CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
    px.SetEncoding("no-such-encoding");
    long value = 2;
    EXPECT_TRUE(PX_Long(&px, "Value", value));
    EXPECT_TRUE(FAILED(px.SaveToFile(path.c_str())));
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(px.GetErrorText().Find(path.c_str()), 0) << static_cast<const char*>(px.GetErrorText());
}

// The layout works on bytes, so it leaves a file of 16-bit characters as saved.
TEST_F(XmlExchange, SixteenBitFilesLoadBack)
{
    std::string path = Path("Wide.xml");
    CString text = "Tab\there";
    {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        px.SetEncoding("UTF-16");
        CXTPPropExchangeSection bars(px.GetSection("Bars"));
        EXPECT_TRUE(PX_String(bars, "Text", text));
        EXPECT_EQ(px.SaveToFile(path.c_str()), S_OK);
    }
    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
    ASSERT_TRUE(px.LoadFromFile(path.c_str()));
    CXTPPropExchangeSection bars(px.GetSection("Bars"));
    CString back;
    EXPECT_TRUE(PX_String(bars, "Text", back));
    EXPECT_EQ(back, text);
}
