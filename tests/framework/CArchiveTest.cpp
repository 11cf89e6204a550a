// The archive's byte forms, object graphs, and what damaged input gives.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "CArchive.h"
#include "CArray.h"
#include "CFile.h"
#include "CMemFile.h"

// A node owns what it links to; loading may share a node, the test frees by owner.
class CTestNode : public CObject {
    DECLARE_SERIAL(CTestNode)

public:
    ~CTestNode() override { delete m_link; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_value << m_link;
        else
            ar >> m_value >> m_link;
    }

    int m_value = 0;
    CTestNode* m_link = nullptr;
};
IMPLEMENT_SERIAL(CTestNode, CObject, 1)

class CTestOther : public CObject {
    DECLARE_SERIAL(CTestOther)
};
IMPLEMENT_SERIAL(CTestOther, CObject, 1)

class CTestVersioned : public CObject {
    DECLARE_SERIAL(CTestVersioned)

public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading())
            m_loadedSchema = ar.GetObjectSchema();
    }
    UINT m_loadedSchema = 0;
};
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 2)

// Reads an object, survives its failure and reads two references after it.
class CTestCatcher : public CObject {
    DECLARE_SERIAL(CTestCatcher)

public:
    void Serialize(CArchive& ar) override
    {
        CObject* first = nullptr;
        try {
            ar >> first;
        } catch (CArchiveException* e) {
            m_caught = e->m_cause;
            e->Delete();
        }
        delete first;
        ar >> m_second >> m_third;
    }
    int m_caught = -1;
    CObject* m_second = nullptr;
    CObject* m_third = nullptr;
};
IMPLEMENT_SERIAL(CTestCatcher, CObject, 1)

class CTestPlain : public CObject {
    DECLARE_DYNAMIC(CTestPlain)
};
IMPLEMENT_DYNAMIC(CTestPlain, CObject)

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(const std::function<void(CArchive&)>& fill)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        fill(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Runs read on an archive over a copy of bytes; the cause of the CArchiveException
// it threw (checking the file name), or -1 when it threw none.
int LoadCause(Bytes bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    ar.m_strFileName = "doc.tsl";
    try {
        read(ar);
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        EXPECT_EQ(e->m_strFileName, "doc.tsl");
        EXPECT_NE(e->GetErrorText().Find("'doc.tsl'"), -1) << static_cast<const char*>(e->GetErrorText());
        e->Delete();
        return cause;
    }
    return -1;
}

void Load(Bytes bytes, const std::function<void(CArchive&)>& read)
{
    EXPECT_EQ(LoadCause(std::move(bytes), read), -1);
}

Bytes Cat(std::initializer_list<Bytes> pieces)
{
    Bytes all;
    for (const Bytes& p : pieces)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes Text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

const Bytes kNodeClass = Cat({{0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}, Text("CTestNode")});

} // namespace

TEST(CArchiveBytes, Counts)
{
    struct Case {
        DWORD_PTR count;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
        {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Store([&](CArchive& ar) { ar.WriteCount(c.count); }), c.bytes) << c.count;
        Load(c.bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), c.count); });
    }
    if (sizeof(DWORD_PTR) > 4) {
        try {
            Store([](CArchive& ar) { ar.WriteCount(static_cast<DWORD_PTR>(0xFFFFFFFFu) + 1); });
            ADD_FAILURE() << "a count past 32 bits was written";
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::genericException);
            e->Delete();
        }
    }
}

TEST(CArchiveBytes, StringLengthForms)
{
    struct Case {
        int length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        std::string chars;
        for (int i = 0; i < c.length; ++i)
            chars.push_back(static_cast<char>('a' + i % 26));
        CString text(chars.c_str());
        Bytes expected = Cat({c.prefix, Text(chars)});
        EXPECT_EQ(Store([&](CArchive& ar) { ar << text; }), expected) << c.length;
        Load(expected, [&](CArchive& ar) {
            CString back;
            ar >> back;
            EXPECT_EQ(back, text) << c.length;
        });
    }
    // Longer forms than needed are read as well.
    Load({0xFF, 0x02, 0x00, 'h', 'i', 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, '!'}, [](CArchive& ar) {
        CString a, b;
        ar >> a >> b;
        EXPECT_EQ(a, "hi");
        EXPECT_EQ(b, "!");
    });
}

TEST(CArchiveBytes, NumbersLittleEndian)
{
    const Bytes expected = {
        0x12,                                            // BYTE
        0x56, 0x34,                                      // WORD
        0xFE, 0xFF,                                      // short -2
        'A',                                             // char
        0xFF, 0xFF, 0xFF, 0xFF,                          // int -1
        0x04, 0x03, 0x02, 0x01,                          // UINT
        0x00, 0x00, 0x80, 0x3F,                          // float 1
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0xBF,  // double -1
        0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // LONGLONG -2
        0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,  // ULONGLONG
        0xF9, 0xFF, 0xFF, 0xFF,                          // LONG -7
        0x0D, 0xF0, 0xAD, 0x0B,                          // DWORD
    };
    EXPECT_EQ(Store([](CArchive& ar) {
                  ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<short>(-2) << 'A' << -1
                     << 0x01020304u << 1.0f << -1.0 << static_cast<LONGLONG>(-2)
                     << static_cast<ULONGLONG>(0x0102030405060708ull) << static_cast<LONG>(-7)
                     << static_cast<DWORD>(0x0BADF00D);
              }),
              expected);
    Load(expected, [](CArchive& ar) {
        BYTE b;
        WORD w;
        short s;
        char c;
        int i;
        UINT u;
        float f;
        double d;
        LONGLONG ll;
        ULONGLONG ull;
        LONG l;
        DWORD dw;
        ar >> b >> w >> s >> c >> i >> u >> f >> d >> ll >> ull >> l >> dw;
        EXPECT_EQ(b, 0x12);
        EXPECT_EQ(w, 0x3456);
        EXPECT_EQ(s, -2);
        EXPECT_EQ(c, 'A');
        EXPECT_EQ(i, -1);
        EXPECT_EQ(u, 0x01020304u);
        EXPECT_EQ(f, 1.0f);
        EXPECT_EQ(d, -1.0);
        EXPECT_EQ(ll, -2);
        EXPECT_EQ(ull, 0x0102030405060708ull);
        EXPECT_EQ(l, -7);
        EXPECT_EQ(dw, 0x0BADF00Du);
        EXPECT_EQ(ar.GetBytesLeft(), 0u);
        BYTE more[4];
        EXPECT_EQ(ar.Read(more, 4), 0u);
    });
}

namespace {

// a -> b, then the references a, b, a and null.
const Bytes kGraph = Cat({kNodeClass,
                          {0x07, 0x00, 0x00, 0x00},  // a: value
                          {0x01, 0x80},              // a: link, new object of class 1
                          {0x09, 0x00, 0x00, 0x00},  // b: value
                          {0x00, 0x00},              // b: null link
                          {0x03, 0x00},              // b again
                          {0x02, 0x00},              // a again
                          {0x00, 0x00}});            // null

} // namespace

TEST(CArchiveObjects, GraphBytesAndSharedObjectsComeBack)
{
    CTestNode* a = new CTestNode;
    a->m_value = 7;
    a->m_link = new CTestNode;
    a->m_link->m_value = 9;
    EXPECT_EQ(Store([&](CArchive& ar) { ar << a << a->m_link << a << static_cast<CObject*>(nullptr); }), kGraph);
    delete a;

    Load(kGraph, [](CArchive& ar) {
        CTestNode* first = nullptr;
        CTestNode* second = nullptr;
        CObject* third = nullptr;
        CTestOther sentinel;
        CObject* fourth = &sentinel;
        ar >> first >> second >> third >> fourth;
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->m_value, 7);
        EXPECT_EQ(first->m_link, second);
        EXPECT_EQ(second->m_value, 9);
        EXPECT_EQ(second->m_link, nullptr);
        EXPECT_EQ(third, first);
        EXPECT_EQ(fourth, nullptr);
        delete first;
    });
}

TEST(CArchiveObjects, EveryTruncationIsEndOfFile)
{
    for (size_t length = 0; length < kGraph.size(); ++length) {
        CObject* first = nullptr;
        CObject* rest[3] = {};
        int cause = LoadCause(Bytes(kGraph.begin(), kGraph.begin() + static_cast<long>(length)), [&](CArchive& ar) {
            ar >> first >> rest[0] >> rest[1] >> rest[2];
        });
        EXPECT_EQ(cause, CArchiveException::endOfFile) << length;
        delete first;  // owns the rest
    }
}

TEST(CArchiveObjects, BigIndexesUseTheLongForms)
{
    CTestOther x;
    CTestOther y;
    Bytes bytes = Store([&](CArchive& ar) {
        for (int i = 0; i < 0x7FFE; ++i)
            ar.MapObject(nullptr);
        ar << &x << &y << &x;
    });
    // Class 0x7FFF, x 0x8000, y with the class reference in the long form, x again.
    const Bytes expected = Cat({{0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00},
                                Text("CTestOther"),
                                {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80},
                                {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00}});
    EXPECT_EQ(bytes, expected);

    Load(bytes, [](CArchive& ar) {
        for (int i = 0; i < 0x7FFE; ++i)
            ar.MapObject(nullptr);
        CObject* first = nullptr;
        CObject* second = nullptr;
        CObject* third = nullptr;
        ar >> first >> second >> third;
        EXPECT_TRUE(first->IsKindOf(RUNTIME_CLASS(CTestOther)));
        EXPECT_TRUE(second->IsKindOf(RUNTIME_CLASS(CTestOther)));
        EXPECT_NE(first, second);
        EXPECT_EQ(third, first);
        delete first;
        delete second;
    });
}

TEST(CArchiveObjects, ClassReferencesAndMappedObjects)
{
    CTestOther shared;
    CTestOther fresh;
    Bytes bytes = Store([&](CArchive& ar) {
        ar.WriteClass(RUNTIME_CLASS(CTestNode));
        ar.MapObject(&shared);
        ar.WriteClass(RUNTIME_CLASS(CTestNode));
        ar << &shared << &fresh;
    });
    EXPECT_EQ(bytes, Cat({kNodeClass,
                          {0x01, 0x80, 0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00},
                          Text("CTestOther")}));
    Load(bytes, [&](CArchive& ar) {
        UINT schema = 0;
        EXPECT_EQ(ar.ReadClass(nullptr, &schema), RUNTIME_CLASS(CTestNode));
        EXPECT_EQ(schema, 1u);
        CTestOther mapped;
        ar.MapObject(&mapped);
        EXPECT_EQ(ar.ReadClass(RUNTIME_CLASS(CObject)), RUNTIME_CLASS(CTestNode));
        CObject* back = ar.ReadObject(RUNTIME_CLASS(CTestOther));
        EXPECT_EQ(back, &mapped);
        CObject* other = ar.ReadObject(RUNTIME_CLASS(CTestOther));
        EXPECT_NE(other, nullptr);
        delete other;
    });
    Load({0x00, 0x00}, [](CArchive& ar) { EXPECT_EQ(ar.ReadClass(), nullptr); });
}

TEST(CArchiveObjects, VersionableSchemaReachesSerialize)
{
    const Bytes prefix = {0xFF, 0xFF};
    Bytes stored = Store([](CArchive& ar) {
        CTestVersioned v;
        ar << &v;
    });
    EXPECT_EQ(stored, Cat({prefix, {0x02, 0x00, 0x0E, 0x00}, Text("CTestVersioned")}));
    for (WORD schema : {0, 1, 2, 7}) {
        Bytes bytes = Cat({prefix, {static_cast<BYTE>(schema), 0x00, 0x0E, 0x00}, Text("CTestVersioned")});
        Load(bytes, [&](CArchive& ar) {
            CTestVersioned* v = nullptr;
            ar >> v;
            ASSERT_NE(v, nullptr);
            EXPECT_EQ(v->m_loadedSchema, schema);
            EXPECT_EQ(ar.GetObjectSchema(), static_cast<UINT>(-1));
            delete v;
        });
    }
}

TEST(CArchiveFaults, DamagedInputGivesTheCause)
{
    const auto readObject = [](CArchive& ar) {
        CObject* obj = ar.ReadObject(nullptr);
        delete obj;
        ADD_FAILURE() << "read an object";
    };
    const auto readNode = [](CArchive& ar) {
        CObject* obj = ar.ReadObject(RUNTIME_CLASS(CTestOther));
        delete obj;
    };
    const auto readTwo = [](CArchive& ar) {
        CObject* first = ar.ReadObject(nullptr);
        try {
            CObject* second = ar.ReadObject(nullptr);
            (void)second;
        } catch (...) {
            delete first;
            throw;
        }
        delete first;
        ADD_FAILURE() << "read a second object";
    };
    const auto readString = [](CArchive& ar) {
        CString s;
        ar >> s;
    };
    const auto readStrings = [](CArchive& ar) {
        CStringArray a;
        a.Serialize(ar);
    };
    std::string longName(65, 'C');
    // Objects 2 and 3 after class 1.
    const Bytes kFirstObject(kGraph.begin(), kGraph.begin() + 27);
    struct Case {
        const char* what;
        Bytes bytes;
        std::function<void(CArchive&)> read;
        int cause;
    };
    const Case cases[] = {
        {"unknown class", Cat({{0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00}, Text("CMissing")}), readObject,
         CArchiveException::badClass},
        {"case differs", Cat({{0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}, Text("CTESTNODE")}), readObject,
         CArchiveException::badClass},
        {"wrong schema", Cat({{0xFF, 0xFF, 0x02, 0x00, 0x09, 0x00}, Text("CTestNode")}), readObject,
         CArchiveException::badSchema},
        {"not the requested class", Cat({kNodeClass, {0, 0, 0, 0, 0, 0}}), readNode, CArchiveException::badClass},
        {"class not serialisable", Cat({{0xFF, 0xFF, 0xFF, 0xFF, 0x0A, 0x00}, Text("CTestPlain")}), readObject,
         CArchiveException::badClass},
        {"name too long", Cat({{0xFF, 0xFF, 0x01, 0x00, 0x41, 0x00}, Text(longName)}), readObject,
         CArchiveException::badClass},
        {"empty name", {0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}, readObject, CArchiveException::badClass},
        {"object index missing", {0x05, 0x00}, readObject, CArchiveException::badIndex},
        {"class index missing", {0x05, 0x80}, readObject, CArchiveException::badIndex},
        {"long object index missing", {0x7F, 0x7F, 0x00, 0x00, 0x01, 0x00}, readObject,
         CArchiveException::badIndex},
        {"class where an object belongs", Cat({kFirstObject, {0x01, 0x00}}), readTwo, CArchiveException::badIndex},
        {"object where a class belongs", Cat({kFirstObject, {0x02, 0x80}}), readTwo, CArchiveException::badIndex},
        {"huge string", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'x'}, readString, CArchiveException::endOfFile},
        {"string longer than the data", {0x05, 'a', 'b'}, readString, CArchiveException::endOfFile},
        {"unknown string form", {0xFF, 0xFE, 0xFF, 0x01, 'a'}, readString, CArchiveException::genericException},
        {"huge count", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0x00}, readStrings, CArchiveException::endOfFile},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadCause(c.bytes, c.read), c.cause) << c.what;
}

TEST(CArchiveFaults, DeepNestingStopsBeforeTheStackDoes)
{
    // Each node's link is a new node, far deeper than any document nests.
    Bytes chain(kNodeClass);
    chain.insert(chain.end(), {0x01, 0x00, 0x00, 0x00});
    for (int i = 0; i < 5000; ++i)
        chain.insert(chain.end(), {0x01, 0x80, 0x01, 0x00, 0x00, 0x00});
    chain.insert(chain.end(), {0x00, 0x00});
    EXPECT_EQ(LoadCause(chain, [](CArchive& ar) { delete ar.ReadObject(nullptr); }),
              CArchiveException::genericException);

    // A chain of ordinary depth loads.
    Bytes shallow(kNodeClass);
    shallow.insert(shallow.end(), {0x01, 0x00, 0x00, 0x00});
    for (int i = 0; i < 100; ++i)
        shallow.insert(shallow.end(), {0x01, 0x80, 0x01, 0x00, 0x00, 0x00});
    shallow.insert(shallow.end(), {0x00, 0x00});
    Load(shallow, [](CArchive& ar) {
        CTestNode* node = nullptr;
        ar >> node;
        int depth = 0;
        for (CTestNode* n = node; n; n = n->m_link)
            ++depth;
        EXPECT_EQ(depth, 101);
        delete node;
    });
}

TEST(CArchiveFaults, WrongDirectionAndClosedArchive)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        int value;
        try {
            ar >> value;
            ADD_FAILURE() << "read from a storing archive";
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::writeOnly);
            e->Delete();
        }
        ar << 5;
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    try {
        ar << 1;
        ADD_FAILURE() << "wrote to a loading archive";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
        e->Delete();
    }
    int value = 0;
    ar >> value;
    EXPECT_EQ(value, 5);
    ar.Close();
    EXPECT_EQ(ar.GetFile(), nullptr);
    try {
        ar >> value;
        ADD_FAILURE() << "read from a closed archive";
    } catch (CArchiveException* e) {
        e->Delete();
    }
}

TEST(CArchiveStrings, StringArray)
{
    CStringArray strings;
    strings.Add("a");
    strings.Add("");
    strings.Add("bc");
    const Bytes expected = {0x03, 0x00, 0x01, 'a', 0x00, 0x02, 'b', 'c'};
    EXPECT_EQ(Store([&](CArchive& ar) { strings.Serialize(ar); }), expected);
    Load(expected, [](CArchive& ar) {
        CStringArray back;
        back.Add("stale");
        back.Serialize(ar);
        ASSERT_EQ(back.GetSize(), 3);
        EXPECT_EQ(back[0], "a");
        EXPECT_EQ(back[1], "");
        EXPECT_EQ(back[2], "bc");
    });
}

TEST(CArchiveBuffer, FlushingOnDestructionAndAbort)
{
    struct Case {
        UINT mode;
        bool abort;
        ULONGLONG written;
    };
    const Case cases[] = {
        {CArchive::store, false, 4},
        {CArchive::store | CArchive::bNoFlushOnDelete, false, 0},
        {CArchive::store, true, 0},
    };
    for (const Case& c : cases) {
        CMemFile file;
        {
            CArchive ar(&file, c.mode);
            ar << 42;
            if (c.abort)
                ar.Abort();
        }
        EXPECT_EQ(file.GetLength(), c.written) << c.mode << c.abort;
    }

    // Loading: a flush hands the file back at the logical position.
    CMemFile file;
    file.Write("0123456789", 10);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    char two[2];
    EXPECT_EQ(ar.Read(two, 2), 2u);
    EXPECT_EQ(ar.GetBytesLeft(), 8u);
    ar.Flush();
    EXPECT_EQ(file.GetPosition(), 2u);
}

TEST(CArchiveBuffer, DiskFileThroughASmallBuffer)
{
    std::string path = ::testing::TempDir() + "tavrelin_archive.tsl";
    std::string big(10000, 'q');
    big[9999] = 'z';
    CTestNode* node = new CTestNode;
    node->m_value = -3;
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store, 16);
        EXPECT_EQ(ar.m_strFileName, path.c_str());
        for (int i = 0; i < 20; ++i)
            ar << i;
        ar << CString(big.c_str()) << node;
        ar.Close();
    }
    delete node;
    {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load, 16);
        for (int i = 0; i < 20; ++i) {
            int v = -1;
            ar >> v;
            EXPECT_EQ(v, i);
        }
        CString text;
        CTestNode* back = nullptr;
        ar >> text >> back;
        EXPECT_EQ(text, big.c_str());
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->m_value, -3);
        delete back;
    }
    // Cut short, the error names the disk file.
    {
        CFile file(path.c_str(), CFile::modeReadWrite);
        file.SetLength(100);
    }
    {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load, 16);
        try {
            for (int i = 0; i < 20; ++i) {
                int v;
                ar >> v;
            }
            CString text;
            ar >> text;
            ADD_FAILURE() << "read a cut string";
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
            EXPECT_EQ(e->m_strFileName, path.c_str());
            e->Delete();
        }
    }
    std::remove(path.c_str());
}

TEST(CArchiveFaults, FailedObjectsAreNotHandedOutAgain)
{
    // Node 4 loads node 5, whose link is damaged; both are freed. Later references to
    // them read as null rather than freed memory.
    const Bytes bytes = Cat({{0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00},
                             Text("CTestCatcher"),
                             kNodeClass,
                             {0x01, 0x00, 0x00, 0x00, 0x03, 0x80},
                             {0x02, 0x00, 0x00, 0x00, 0x63, 0x00},
                             {0x04, 0x00, 0x05, 0x00}});
    Load(bytes, [](CArchive& ar) {
        CTestCatcher* catcher = nullptr;
        ar >> catcher;
        ASSERT_NE(catcher, nullptr);
        EXPECT_EQ(catcher->m_caught, CArchiveException::badIndex);
        EXPECT_EQ(catcher->m_second, nullptr);
        EXPECT_EQ(catcher->m_third, nullptr);
        delete catcher;
    });
}
