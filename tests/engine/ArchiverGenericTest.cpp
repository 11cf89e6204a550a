// The generic archiver: BINARY archives written and read back byte for byte, object
// references, chunks, ASCII archives read, and damaged archives refused cleanly.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ArchiverFixture.h"
#include "FileLayerRoot.h"
#include "FileSandbox.h"
#include "ReporterCapture.h"
#include "zCArchiverFactory.h"
#include "zCArchiverGeneric.h"
#include "zCClassDef.h"
#include "zCObject.h"
#include "zERROR.h"
#include "zFILE_VDFS.h"
#include "zFileSystem.h"

namespace {

// ---- Test classes ----------------------------------------------------------------

class zCTestArcLeaf : public zCObject {
    zCLASS_DECLARATION(zCTestArcLeaf)

public:
    void Archive(zCArchiver& arc) override { arc.WriteString("text", text); }
    void Unarchive(zCArchiver& arc) override { arc.ReadString("text", text); }

    zSTRING text;
};

// Every kind of value, a child object and a second pointer that may repeat it.
class zCTestArcItem : public zCObject {
    zCLASS_DECLARATION(zCTestArcItem)

public:
    ~zCTestArcItem() override
    {
        if (child)
            child->Release();
        if (second)
            second->Release();
    }
    void Archive(zCArchiver& arc) override
    {
        arc.WriteByte("byte", byteValue);
        arc.WriteFloat("ratio", ratio);
        arc.WriteBool("flag", flag);
        arc.WriteString("text", text);
        arc.WriteColor("color", color);
        arc.WriteEnum("kind", "A;B;C", kind);
        arc.WriteRawFloat("raw", raw, sizeof raw);
        arc.WriteObject("child", child);
        arc.WriteObject("second", second);
    }
    void Unarchive(zCArchiver& arc) override
    {
        arc.ReadByte("byte", byteValue);
        arc.ReadFloat("ratio", ratio);
        arc.ReadBool("flag", flag);
        arc.ReadString("text", text);
        arc.ReadColor("color", color);
        arc.ReadEnum("kind", kind);
        arc.ReadRawFloat("raw", raw, sizeof raw);
        child = DropSelf(arc.ReadObject("child", nullptr));
        second = DropSelf(arc.ReadObject("second", nullptr));
    }
    // A damaged archive may point an object at itself; such a cycle would never be freed.
    zCObject* DropSelf(zCObject* object)
    {
        if (object != this)
            return object;
        object->Release();
        return nullptr;
    }
    void SetChild(zCObject* object)
    {
        if (object)
            object->AddRef();
        child = object;
    }
    void SetSecond(zCObject* object)
    {
        if (object)
            object->AddRef();
        second = object;
    }

    std::uint8_t byteValue = 0;
    float ratio = 0.0f;
    int flag = 0;
    zSTRING text;
    zCOLOR color;
    int kind = 0;
    float raw[2] = {0.0f, 0.0f};
    int number = 0;
    zCObject* child = nullptr;
    zCObject* second = nullptr;
};

// Reads an int too, which only ASCII archives can hold (BINARY ones are never given ints).
class zCTestArcCounted : public zCTestArcItem {
    zCLASS_DECLARATION(zCTestArcCounted)

public:
    void Unarchive(zCArchiver& arc) override
    {
        zCTestArcItem::Unarchive(arc);
        number = arc.ReadInt("number");
    }
};

// Writes a nested chunk that no reader knows, then a value its reader takes.
class zCTestArcPadded : public zCObject {
    zCLASS_DECLARATION(zCTestArcPadded)

public:
    void Archive(zCArchiver& arc) override
    {
        arc.WriteString("name", name);
        arc.WriteChunkStart("extra", "zCTestArcUnknown", 7, 99);
        arc.WriteString("junk", "not for you");
        arc.WriteChunkEnd();
        arc.WriteString("tail", "tail");
    }
    void Unarchive(zCArchiver& arc) override { arc.ReadString("name", name); }

    zSTRING name;
};

// Objects of this class are never archived (class flag bit 1).
class zCTestArcTransient : public zCObject {
    zCLASS_DECLARATION(zCTestArcTransient)
};

zCLASS_DEFINITION(zCTestArcLeaf, zCObject, 0, 1);
zCLASS_DEFINITION(zCTestArcItem, zCObject, 0, 2);
zCLASS_DEFINITION(zCTestArcCounted, zCTestArcItem, 0, 0);
zCLASS_DEFINITION(zCTestArcPadded, zCObject, 0, 0);
zCLASS_DEFINITION(zCTestArcTransient, zCObject, 1u << 1, 0);

// Holds one reference and drops it at the end of the scope.
struct Ref {
    void operator()(zCObject* object) const
    {
        if (object)
            object->Release();
    }
};
template <class T>
using Held = std::unique_ptr<T, Ref>;

template <class T>
Held<T> Make()
{
    return Held<T>(static_cast<T*>(T::classDef.CreateNewInstance()));
}

// The header the fixture's fixed clock and user give.
const std::string kCommonHeader =
    "Tolvan Archive\nver 1\nzCArchiverGeneric\nBINARY\nsaveGame 0\ndate 3.2.2006 9:7:5\nuser tester\nEND\n";

class ArchiverGeneric : public ArchiverFixture {
protected:
    void SetUp() override
    {
        ArchiverFixture::SetUp();
        g_errorReporter.SetFatalHandler(&zERROR::DefaultFatalHandler);
    }

    // Writes an archive through the factory; the body is written by `body`.
    std::string Write(const std::function<void(zCArchiver&)>& body, int mode = zARC_MODE_BINARY, int flags = 0)
    {
        {
            zFILE_VDFS file("\\out.arc");
            EXPECT_EQ(file.Create(), 0);
            zCArchiver* arc = g_archiverFactory.CreateArchiverWrite(&file, mode, 0, flags);
            EXPECT_NE(arc, nullptr);
            try {
                body(*arc);
            } catch (...) {
                arc->Release();
                throw;
            }
            arc->Close();
            arc->Release();
            file.Close();
        }
        return box.Read("out.arc");
    }

    // Reads the bytes as an archive through the factory; true unless a fatal message ended it.
    bool Read(const std::string& bytes, const std::function<void(zCArchiver&)>& body)
    {
        box.Write("in.arc", bytes);
        zFILE_VDFS file("\\in.arc");
        EXPECT_EQ(file.Open(false), 0);
        zCArchiver* arc = nullptr;
        bool finished = false;
        try {
            arc = g_archiverFactory.CreateArchiverRead(&file, 0);
            if (arc)
                body(*arc);
            finished = true;
        } catch (const zTFatalAbort&) {
        }
        if (arc) {
            arc->Close();
            arc->Release();
        }
        file.Close();
        return finished;
    }

    // The last error line (a fatal one is followed by the job's summary).
    std::string LastError() const
    {
        const std::vector<std::string> texts = Texts();
        for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
            if (it->rfind("Error: ", 0) == 0)
                return *it;
        }
        return std::string();
    }
};

// The item of the golden archive: every value kind, a child, and the child again.
Held<zCTestArcItem> GoldenItem()
{
    Held<zCTestArcItem> item = Make<zCTestArcItem>();
    Held<zCTestArcLeaf> leaf = Make<zCTestArcLeaf>();
    leaf->text = "leaf";
    item->byteValue = 0x2A;
    item->ratio = 1.5f;
    item->flag = 1;
    item->text = "a\nb";
    item->color = zCOLOR(1, 2, 3, 4);
    item->kind = 5;
    item->raw[0] = 0.25f;
    item->raw[1] = -2.0f;
    item->SetChild(leaf.get());
    item->SetSecond(leaf.get());
    return item;
}

// Versions are the class's archive-version checksums (2 and 1 over zCObject's 0).
const std::uint16_t kItemVersion = 0xB801;
const std::uint16_t kLeafVersion = 0xFC01;

std::string GoldenBody()
{
    // The item: 26 bytes of chunk start, 23 of values, a 35-byte child and a 19-byte reference.
    return "objects 2        \nEND\n\n" + U32(103) + U16(kItemVersion) + U32(0) +
           std::string("%\0zCTestArcItem\0", 16) +
           std::string("\x2A" "\x00\x00\xC0\x3F" "\x01" "a\nb\0" "\x03\x02\x01\x04" "\x05"
                       "\x00\x00\x80\x3E\x00\x00\x00\xC0",
                       23) +
           U32(35) + U16(kLeafVersion) + U32(1) + std::string("child\0zCTestArcLeaf\0leaf\0", 25) + U32(19) +
           U16(0) + U32(1) + std::string("second\0\xA7\0", 9);
}

// ---- BINARY ----------------------------------------------------------------------

TEST_F(ArchiverGeneric, BinaryGoldenArchive)
{
    Held<zCTestArcItem> item = GoldenItem();
    const std::string bytes = Write([&](zCArchiver& arc) { arc.WriteObject(item.get()); });
    ASSERT_EQ(zCTestArcItem::classDef.GetArchiveVersionSum(), kItemVersion);
    ASSERT_EQ(zCTestArcLeaf::classDef.GetArchiveVersionSum(), kLeafVersion);
    EXPECT_EQ(bytes, kCommonHeader + GoldenBody());
    // Writing keeps no references behind.
    EXPECT_EQ(item->GetRefCtr(), 1);
    EXPECT_EQ(item->child->GetRefCtr(), 2);
}

TEST_F(ArchiverGeneric, BinaryReadsTheGoldenArchiveBack)
{
    Held<zCObject> read;
    EXPECT_TRUE(Read(kCommonHeader + GoldenBody(), [&](zCArchiver& arc) { read.reset(arc.ReadObject(nullptr)); }));
    auto* item = dynamic_cast<zCTestArcItem*>(read.get());
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->byteValue, 0x2A);
    EXPECT_EQ(item->ratio, 1.5f);
    EXPECT_EQ(item->flag, 1);
    EXPECT_EQ(item->text, "a\nb");  // a line feed inside a string reads back whole
    EXPECT_EQ(item->color, zCOLOR(1, 2, 3, 4));
    EXPECT_EQ(item->kind, 5);
    EXPECT_EQ(item->raw[0], 0.25f);
    EXPECT_EQ(item->raw[1], -2.0f);
    auto* leaf = dynamic_cast<zCTestArcLeaf*>(item->child);
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->text, "leaf");
    // The reference yields the same object; each read raised its count, the archiver's went at Close.
    EXPECT_EQ(item->second, item->child);
    EXPECT_EQ(leaf->GetRefCtr(), 2);
    EXPECT_EQ(item->GetRefCtr(), 1);
    EXPECT_TRUE(Texts().empty());
}

TEST_F(ArchiverGeneric, ObjectWrittenTwiceThroughAPointerIsAReference)
{
    Held<zCTestArcLeaf> leaf = Make<zCTestArcLeaf>();
    const std::string bytes = Write([&](zCArchiver& arc) {
        arc.WriteObject("a", leaf.get());
        arc.WriteObject("b", leaf.get());
        arc.WriteObject("c", *leaf);  // through a reference: always in full, under a new index
        arc.WriteObject("d", leaf.get());
    });
    const std::uint16_t version = kLeafVersion;
    const std::string body = "objects 2        \nEND\n\n" + U32(27) + U16(version) + U32(0) +
                             std::string("a\0zCTestArcLeaf\0\0", 17) + U32(14) + U16(0) + U32(0) +
                             std::string("b\0\xA7\0", 4) + U32(27) + U16(version) + U32(1) +
                             std::string("c\0zCTestArcLeaf\0\0", 17) + U32(14) + U16(0) + U32(1) +
                             std::string("d\0\xA7\0", 4);
    EXPECT_EQ(bytes, kCommonHeader + body);

    std::vector<zCObject*> read;
    EXPECT_TRUE(Read(bytes, [&](zCArchiver& arc) {
        for (int i = 0; i < 4; ++i)
            read.push_back(arc.ReadObject(nullptr));
    }));
    ASSERT_EQ(read.size(), 4u);
    EXPECT_NE(read[0], read[2]);
    EXPECT_EQ(read[1], read[0]);
    EXPECT_EQ(read[3], read[2]);
    EXPECT_EQ(read[0]->GetRefCtr(), 2);
    for (zCObject* object : read)
        object->Release();
}

TEST_F(ArchiverGeneric, NullAndTransientObjectsAreNullChunks)
{
    Held<zCTestArcTransient> transient = Make<zCTestArcTransient>();
    const std::string bytes = Write([&](zCArchiver& arc) {
        arc.WriteObject("", static_cast<zCObject*>(nullptr));
        arc.WriteObject("t", transient.get());
    });
    const std::string body = "objects 0        \nEND\n\n" + U32(14) + U16(0) + U32(0) + std::string("%\0%\0", 4) +
                             U32(14) + U16(0) + U32(0) + std::string("t\0%\0", 4);
    EXPECT_EQ(bytes, kCommonHeader + body);
    EXPECT_TRUE(Read(bytes, [&](zCArchiver& arc) {
        EXPECT_EQ(arc.ReadObject(nullptr), nullptr);
        EXPECT_EQ(arc.ReadObject(nullptr), nullptr);
        EXPECT_EQ(arc.ReadObject(nullptr), nullptr);  // the archive's end
    }));
}

TEST_F(ArchiverGeneric, NestedObjectsAndAnUnknownChunkSkipped)
{
    Held<zCTestArcItem> outer = Make<zCTestArcItem>();
    Held<zCTestArcItem> inner = Make<zCTestArcItem>();
    Held<zCTestArcPadded> padded = Make<zCTestArcPadded>();
    padded->name = "padded";
    inner->text = "inner";
    inner->SetChild(padded.get());
    outer->text = "outer";
    outer->SetChild(inner.get());
    outer->SetSecond(padded.get());
    Held<zCTestArcLeaf> after = Make<zCTestArcLeaf>();
    after->text = "after";
    const std::string bytes = Write([&](zCArchiver& arc) {
        arc.WriteObject(outer.get());
        arc.WriteObject(after.get());
    });
    Held<zCObject> first;
    Held<zCObject> second;
    EXPECT_TRUE(Read(bytes, [&](zCArchiver& arc) {
        first.reset(arc.ReadObject(nullptr));
        second.reset(arc.ReadObject(nullptr));
    }));
    auto* readOuter = dynamic_cast<zCTestArcItem*>(first.get());
    ASSERT_NE(readOuter, nullptr);
    auto* readInner = dynamic_cast<zCTestArcItem*>(readOuter->child);
    ASSERT_NE(readInner, nullptr);
    EXPECT_EQ(readInner->text, "inner");
    auto* readPadded = dynamic_cast<zCTestArcPadded*>(readInner->child);
    ASSERT_NE(readPadded, nullptr);
    EXPECT_EQ(readPadded->name, "padded");
    EXPECT_EQ(readOuter->second, readPadded);  // a reference to an object nested deeper
    auto* readAfter = dynamic_cast<zCTestArcLeaf*>(second.get());
    ASSERT_NE(readAfter, nullptr);
    EXPECT_EQ(readAfter->text, "after");
    EXPECT_TRUE(Texts().empty());
}

TEST_F(ArchiverGeneric, BinaryChunkSizesAndWrongChunkRewinds)
{
    const std::string bytes = Write([&](zCArchiver& arc) {
        arc.WriteChunkStart("y", "", 3, 4);
        arc.WriteChunkEnd();
        arc.WriteChunkStart("", "zCFoo", 0, 0);
        arc.WriteChunkEnd();
    });
    const std::string body = "objects 0        \nEND\n\n" + U32(4 + 2 + 4 + 2 + 1) + U16(3) + U32(4) +
                             std::string("y\0\0", 3) + U32(4 + 2 + 4 + 2 + 6) + U16(0) + U32(0) +
                             std::string("%\0zCFoo\0", 8);
    EXPECT_EQ(bytes, kCommonHeader + body);
    EXPECT_TRUE(Read(bytes, [&](zCArchiver& arc) {
        const int start = arc.GetPos();
        EXPECT_EQ(arc.ReadChunkStart("x"), 0);
        EXPECT_EQ(arc.GetPos(), start);
        zSTRING name;
        std::uint16_t version = 0;
        EXPECT_EQ(arc.ReadChunkStart(name, version), 1);
        EXPECT_EQ(name, "y");
        EXPECT_EQ(version, 3);
        arc.SkipOpenChunk();
        EXPECT_EQ(arc.ReadChunkStart("%"), 1);
        arc.SkipOpenChunk();
        EXPECT_EQ(arc.ReadChunkStart(""), 0);  // nothing left
    }));
}

TEST_F(ArchiverGeneric, BinaryOutdatedVersionAndForeignClassAreSkipped)
{
    const std::string body = "objects 2        \nEND\n\n" +
                             // object 0: a leaf of another version
                             U32(27) + U16(0x1234) + U32(0) + std::string("%\0zCTestArcLeaf\0\0", 17) +
                             // object 1: a leaf, read into an item
                             U32(27) + U16(kLeafVersion) + U32(1) + std::string("%\0zCTestArcLeaf\0\0", 17) +
                             // a reference to object 1
                             U32(14) + U16(0) + U32(1) + std::string("%\0\xA7\0", 4) + std::string("tail\0", 5);
    Held<zCTestArcItem> item = Make<zCTestArcItem>();
    EXPECT_TRUE(Read(kCommonHeader + body, [&](zCArchiver& arc) {
        EXPECT_EQ(arc.ReadObject(nullptr), nullptr);
        EXPECT_EQ(arc.ReadObject(item.get()), nullptr);
        // The item was kept under the index all the same.
        zCObject* again = arc.ReadObject(nullptr);
        EXPECT_EQ(again, item.get());
        if (again)
            again->Release();
        zSTRING tail;
        arc.ReadString("", tail);
        EXPECT_EQ(tail, "tail");  // every skipped chunk was left at its end
    }));
    EXPECT_EQ(item->GetRefCtr(), 1);
    const std::vector<std::string> expected = {
        "Warning: zARC: Skipping object-chunk, tried to read object-chunk with out-of-date version: zCTestArcLeaf",
        "Error: zARC: Skipping object-chunk, class from file does not match class from 'objectUseThis' (file: "
        "zCTestArcLeaf, obj: zCTestArcItem)"};
    EXPECT_EQ(Texts(), expected);
}

TEST_F(ArchiverGeneric, ClassTextsNameTheFirstRegisteredClass)
{
    zCArchiverGeneric arc;
    EXPECT_EQ(arc.GetClassDefFromText("zCNoSuchClass:zCArchiverGeneric"), &zCArchiverGeneric::classDef);
    EXPECT_EQ(arc.GetClassDefFromText("zCTestArcCounted:zCTestArcItem"), &zCTestArcCounted::classDef);
    EXPECT_EQ(arc.GetClassDefFromText(":zCArchiverGeneric"), nullptr);
}

TEST_F(ArchiverGeneric, WriteIntIsNotAvailableAndWritesNothing)
{
    const std::string bytes = Write([&](zCArchiver& arc) { arc.WriteInt("count", 7); });
    EXPECT_EQ(bytes, kCommonHeader + "objects 0        \nEND\n\n");
    const std::vector<std::string> expected = {
        "Error: zARC: zCArchiverGeneric::WriteInt is not available; entry 'count' was not written"};
    EXPECT_EQ(Texts(), expected);
}

TEST_F(ArchiverGeneric, AsciiWritesChunksButNoValues)
{
    Held<zCTestArcLeaf> leaf = Make<zCTestArcLeaf>();
    Held<zCTestArcItem> item = Make<zCTestArcItem>();
    item->SetChild(leaf.get());
    const std::string bytes = Write([&](zCArchiver& arc) { arc.WriteObject("lib", item.get()); },
                                    zARC_MODE_ASCII, zARC_FLAG_NO_DATE);
    const std::string header = "Tolvan Archive\nver 1\nzCArchiverGeneric\nASCII\nsaveGame 0\nEND\n";
    const std::string body = "objects 2        \nEND\n\n"
                             "[lib zCTestArcItem 47105 0]\n"
                             "\t[child zCTestArcLeaf 64513 1]\n"
                             "\t[]\n"
                             "\t[second % 0 0]\n"
                             "\t[]\n"
                             "[]\n";
    EXPECT_EQ(bytes, header + body);
    const std::vector<std::string> texts = Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0],
              "Error: zARC: zCArchiverGeneric::WriteASCIILine is not available; entry 'byte' was not written");
}

TEST_F(ArchiverGeneric, ChunkEndWithoutChunkIsFatal)
{
    EXPECT_THROW(Write([&](zCArchiver& arc) { arc.WriteChunkEnd(); }), zTFatalAbort);
    EXPECT_EQ(LastError(), "Error: zARC: Write chunk end with no open chunk!");
}

// Objects the map must tell apart at a size the first table cannot hold.
TEST_F(ArchiverGeneric, HundredThousandObjectsRoundTrip)
{
    const int count = 100000;
    std::vector<Held<zCTestArcLeaf>> leaves;
    leaves.reserve(count);
    for (int i = 0; i < count; ++i)
        leaves.push_back(Make<zCTestArcLeaf>());
    const std::string bytes = Write([&](zCArchiver& arc) {
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < count; ++i)
                arc.WriteObject(leaves[i].get());
        }
    });
    EXPECT_EQ(bytes.substr(kCommonHeader.size(), 17), "objects 100000   ");
    std::vector<zCObject*> read(count, nullptr);
    int references = 0;
    EXPECT_TRUE(Read(bytes, [&](zCArchiver& arc) {
        for (int i = 0; i < count; ++i)
            read[i] = arc.ReadObject(nullptr);
        for (int i = 0; i < count; ++i) {
            zCObject* again = arc.ReadObject(nullptr);
            references += again == read[i];
            if (again)
                again->Release();
        }
        EXPECT_EQ(arc.ReadObject(nullptr), nullptr);
    }));
    EXPECT_EQ(references, count);
    for (zCObject* object : read) {
        ASSERT_NE(object, nullptr);
        object->Release();
    }
}

// ---- ASCII -----------------------------------------------------------------------

const std::string kAsciiHeader = "Tolvan Archive\r\nver 1\r\nzCArchiverGeneric\r\nASCII\r\nsaveGame 0\r\nEND\r\n";

// Entries out of order, tabs, carriage returns, a nested chunk nobody asks for.
const std::string kAsciiBody =
    "objects 2\r\nEND\r\n\r\n"
    "[lib zCTestArcCounted:zCTestArcItem 0 0]\r\n"
    "\ttext=string:two words: and more\r\n"
    "\t[extra zCTestArcUnknown 0 7]\r\n"
    "\t\tnumber=int:999\r\n"
    "\t[]\r\n"
    "\tnumber=int:-17\r\n"
    "\tbyte=int:300\r\n"
    "\tratio=float:0.5\r\n"
    "\tflag=bool:1\r\n"
    "\tcolor=color:10 20 30 40\r\n"
    "\tkind=enum:2\r\n"
    "\traw=rawFloat:1.5 -3 \r\n"
    "\t[child zCTestArcLeaf 0 1]\r\n"
    "\t\ttext=string:leaf\r\n"
    "\t[]\r\n"
    "\t[second \xA7 0 1]\r\n"
    "\t[]\r\n"
    "[]\r\n";

TEST_F(ArchiverGeneric, AsciiReadWithTabsAndCarriageReturns)
{
    Held<zCObject> read;
    EXPECT_TRUE(Read(kAsciiHeader + kAsciiBody, [&](zCArchiver& arc) { read.reset(arc.ReadObject(nullptr)); }));
    auto* item = dynamic_cast<zCTestArcCounted*>(read.get());
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text, "two words: and more");
    EXPECT_EQ(item->number, -17);  // the nested chunk's entry is not taken
    EXPECT_EQ(item->byteValue, 300 & 0xFF);
    EXPECT_EQ(item->ratio, 0.5f);
    EXPECT_EQ(item->flag, 1);
    EXPECT_EQ(item->color, zCOLOR(10, 20, 30, 40));
    EXPECT_EQ(item->kind, 2);
    EXPECT_EQ(item->raw[0], 1.5f);
    EXPECT_EQ(item->raw[1], -3.0f);
    auto* leaf = dynamic_cast<zCTestArcLeaf*>(item->child);
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->text, "leaf");
    EXPECT_EQ(item->second, item->child);
    EXPECT_TRUE(Texts().empty());
}

TEST_F(ArchiverGeneric, AsciiSearchesWrapOnceThenFail)
{
    const std::string body = "objects 0\nEND\n\n"
                             "[a zCTestArcLeaf 0 0]\n"
                             "\tfirst=int:1\n"
                             "\tsecond=int:2\n"
                             "\t[inner % 0 0]\n"
                             "\t[]\n"
                             "[]\n";
    EXPECT_TRUE(Read(kAsciiHeader + body, [&](zCArchiver& arc) {
        ASSERT_EQ(arc.ReadChunkStart("a"), 1);
        EXPECT_EQ(arc.ReadInt("second"), 2);
        EXPECT_EQ(arc.ReadInt("first"), 1);  // found after wrapping to the chunk's start
        int value = 55;
        arc.ReadInt("missing", value);
        EXPECT_EQ(value, 55);
        const int before = arc.GetPos();
        zSTRING line;
        arc.PeekChunk("nothing", line);
        EXPECT_EQ(line, "");
        EXPECT_EQ(arc.GetPos(), before);
        arc.PeekChunk("inner", line);
        EXPECT_EQ(line, "[inner % 0 0]");
    }));
    const std::vector<std::string> expected = {"Warning: zARC: Expected entry not found: missing"};
    EXPECT_EQ(Texts(), expected);
}

// ---- Damaged archives ------------------------------------------------------------

// Reads everything there is; what a reader would do with any archive.
void ReadAll(zCArchiver& arc)
{
    for (int i = 0; i < 8; ++i) {
        zCObject* object = arc.ReadObject(nullptr);
        if (!object && arc.EndOfArchive())
            return;
        if (object)
            object->Release();
    }
}

TEST_F(ArchiverGeneric, TruncatedBinaryArchivesAreRefused)
{
    const std::string whole = kCommonHeader + GoldenBody();
    const std::size_t entriesStart = kCommonHeader.size() + 23;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        host.Clear();
        const bool finished = Read(whole.substr(0, length), ReadAll);
        // Only a cut right before the first entry leaves a whole archive (with no objects).
        EXPECT_EQ(finished, length == entriesStart) << length;
        if (!finished) {
            EXPECT_EQ(LastError().rfind("Error: zARC: ", 0), 0u) << length << ": " << LastError();
        }
    }
}

TEST_F(ArchiverGeneric, TruncatedAsciiArchivesAreRefused)
{
    const std::string whole = kAsciiHeader + kAsciiBody;
    const std::size_t entriesStart = kAsciiHeader.size() + 18;
    // Up to the first character of the last "[]".
    for (std::size_t length = entriesStart + 1; length < whole.size() - 3; ++length) {
        host.Clear();
        EXPECT_FALSE(Read(whole.substr(0, length), ReadAll)) << length;
        EXPECT_EQ(LastError().rfind("Error: zARC: Archive ", 0), 0u) << length << ": " << LastError();
    }
}

// An archive that ends inside a reference leaves nothing behind: the reference taken
// for the caller is dropped with the fault.
TEST_F(ArchiverGeneric, AReferenceCutShortIsReleased)
{
    const std::string whole = kAsciiHeader + "objects 1\nEND\n\n[a zCTestArcLeaf 0 0]\n\ttext=string:x\n[]\n"
                                             "[b \xA7 0 0]\n[]\n";
    for (const std::size_t cut : {whole.size() - 3, whole.size() - 4}) {
        SCOPED_TRACE(cut);
        host.Clear();
        EXPECT_FALSE(Read(whole.substr(0, cut), ReadAll));
        EXPECT_EQ(LastError().rfind("Error: zARC: Archive ", 0), 0u) << LastError();
        EXPECT_EQ(zCTestArcLeaf::classDef.GetNumLivingObjects(), 0);
    }
    EXPECT_TRUE(Read(whole, ReadAll));
    EXPECT_EQ(zCTestArcLeaf::classDef.GetNumLivingObjects(), 0);
}

// The archiver's own part (the common header is the factory's).
TEST_F(ArchiverGeneric, BitFlipsNeverCrash)
{
    const std::string archives[] = {kCommonHeader + GoldenBody(), kAsciiHeader + kAsciiBody};
    const std::size_t ownStart[] = {kCommonHeader.size(), kAsciiHeader.size()};
    for (int a = 0; a < 2; ++a) {
        const std::string& whole = archives[a];
        for (std::size_t byte = ownStart[a]; byte < whole.size(); ++byte) {
            // Digits, brackets and blanks, and the high bit of sizes and indexes.
            for (const int mask : {0x01, 0x04, 0x20, 0x80}) {
                std::string damaged = whole;
                damaged[byte] = static_cast<char>(damaged[byte] ^ mask);
                host.Clear();
                if (!Read(damaged, ReadAll)) {
                    EXPECT_EQ(LastError().rfind("Error: zARC: ", 0), 0u) << byte << "/" << mask << ": " << LastError();
                }
            }
        }
    }
}

TEST_F(ArchiverGeneric, DamagedSizesAndIndexesAreNamed)
{
    const std::string head = kCommonHeader + "objects 1        \nEND\n\n";
    const int at = static_cast<int>(head.size());
    const std::string path = box.Root() + "\\in.arc";
    struct Case {
        std::string body;
        int at;
        std::string message;
    };
    const Case cases[] = {
        {U32(9) + U16(0) + U32(0) + std::string("%\0%\0", 4),
         at, "chunk size 9 does not fit"},
        {U32(0xFFFFFFF0u) + U16(0) + U32(0) + std::string("%\0%\0", 4),
         at, "chunk size 4294967280 does not fit"},
        {U32(27) + U16(0) + U32(0x7FFFFFFF) + std::string("%\0zCTestArcLeaf\0\0", 17),
         at, "object index 2147483647 is out of range"},
        {U32(14) + U16(0) + U32(0) + std::string("%\0%", 3),
         at + 13, "the data ends too early"},
    };
    for (const Case& c : cases) {
        host.Clear();
        EXPECT_FALSE(Read(head + c.body, ReadAll));
        EXPECT_EQ(LastError(), "Error: zARC: Archive '" + path + "' is damaged at byte " +
                                  std::to_string(c.at) + ": " + c.message);
    }
    host.Clear();
    EXPECT_FALSE(Read(kCommonHeader + "objects 99999999999\nEND\n\n", ReadAll));
    EXPECT_EQ(LastError(), "Error: zARC: Archive '" + path + "' is damaged at byte " +
                              std::to_string(kCommonHeader.size()) + ": object count 99999999999 is out of range");
}

TEST_F(ArchiverGeneric, DeepNestingIsRefused)
{
    std::string body = "objects 0\nEND\n\n";
    for (int i = 0; i < 300; ++i)
        body += "[c" + std::to_string(i) + " % 0 0]\n";
    for (int i = 0; i < 300; ++i)
        body += "[]\n";
    EXPECT_FALSE(Read(kAsciiHeader + body, [](zCArchiver& arc) {
        for (int i = 0; i < 300; ++i)
            ASSERT_EQ(arc.ReadChunkStart(""), 1);
    }));
    EXPECT_NE(LastError().find("chunks nested deeper than 256"), std::string::npos) << LastError();
}

} // namespace
