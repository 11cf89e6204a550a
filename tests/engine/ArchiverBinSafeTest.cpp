// The binary-safe archiver: entries, string table, chunks and objects, written and
// read back, and archives that are damaged.
#include <gtest/gtest.h>

#include <climits>

#include "ArchiverFixture.h"
#include "ErrorBoxCatcher.h"
#include "zCArchiverBinSafe.h"

// Two values, read back in the other order.
class zCBinSafeTestNote : public zCObject {
    zCLASS_DECLARATION(zCBinSafeTestNote)

public:
    void Archive(zCArchiver& archiver) override
    {
        archiver.WriteInt("value", value);
        archiver.WriteString("text", text);
    }
    void Unarchive(zCArchiver& archiver) override
    {
        archiver.ReadString("text", text);
        archiver.ReadInt("value", value);
    }

    int value = 0;
    zSTRING text;
};

zCLASS_DEFINITION(zCBinSafeTestNote, zCObject, 0, 3);

// One value of every kind the archiver writes, and a child; read back in reverse.
class zCBinSafeTestNode : public zCObject {
    zCLASS_DECLARATION(zCBinSafeTestNode)

public:
    ~zCBinSafeTestNode() override { SetChild(nullptr); }
    void SetChild(zCObject* object)
    {
        if (child)
            child->Release();
        child = object;
    }
    void Archive(zCArchiver& archiver) override
    {
        archiver.WriteInt("number", number);
        archiver.WriteFloat("weight", weight);
        archiver.WriteBool("flag", flag);
        archiver.WriteString("label", label);
        archiver.WriteEnum("kind", "", kind);
        archiver.WriteObject("child", child);
    }
    void Unarchive(zCArchiver& archiver) override
    {
        SetChild(archiver.ReadObject("child", nullptr));
        archiver.ReadEnum("kind", kind);
        archiver.ReadString("label", label);
        archiver.ReadBool("flag", flag);
        archiver.ReadFloat("weight", weight);
        archiver.ReadInt("number", number);
    }

    int number = 0;
    float weight = 0.0f;
    int flag = 0;
    zSTRING label;
    int kind = 0;
    zCObject* child = nullptr;
};

zCLASS_DEFINITION(zCBinSafeTestNode, zCObject, 0, 1);

namespace {

using Strings = std::vector<std::string>;

const std::string kTextHeader = "Tolvan Archive\nver 1\nzCArchiverBinSafe\nBIN_SAFE\nsaveGame 0\nEND\n";

// The archive of GoldenArchiveIsWrittenByteForByte: an int, a string and an object.
const std::string kGolden =
    std::string("Tolvan Archive\nver 1\nzCArchiverBinSafe\nBIN_SAFE\nsaveGame 0\ndate 3.2.2006 9:7:5\n"
                "user tester\nEND\n") +                              // 95 bytes
    Bytes({0x02, 0x00, 0x00, 0x00}) +                                // format version 2
    Bytes({0x01, 0x00, 0x00, 0x00}) +                                // 1 object
    Bytes({0xB4, 0x00, 0x00, 0x00}) +                                // string table at 180
    Bytes({0x12, 0x00, 0x00, 0x00, 0x00, 0x02, 0x05, 0x00, 0x00, 0x00}) +  // key 0 "abc", int 5
    Bytes({0x12, 0x01, 0x00, 0x00, 0x00, 0x01, 0x02, 0x00}) + "hi" +       // key 1 "s", string
    Bytes({0x01, 0x1B, 0x00}) + "[obj zCBinSafeTestNote 3 0]" +            // chunk start
    Bytes({0x12, 0x02, 0x00, 0x00, 0x00, 0x02, 0xFF, 0xFF, 0xFF, 0xFF}) +  // key 2 "value", int -1
    Bytes({0x12, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00}) +              // key 3 "text", ""
    Bytes({0x01, 0x02, 0x00}) + "[]" +                                     // chunk end
    Bytes({0x04, 0x00, 0x00, 0x00}) +                                      // 4 strings, by bucket:
    Bytes({0x05, 0x00, 0x02, 0x00, 0x0C, 0x00, 0x00, 0x00}) + "value" +    // bucket 12
    Bytes({0x04, 0x00, 0x03, 0x00, 0x0D, 0x00, 0x00, 0x00}) + "text" +     // bucket 13
    Bytes({0x01, 0x00, 0x01, 0x00, 0x12, 0x00, 0x00, 0x00}) + "s" +        // bucket 18
    Bytes({0x03, 0x00, 0x00, 0x00, 0x23, 0x00, 0x00, 0x00}) + "abc";       // bucket 35

// A BIN_SAFE archive put together entry by entry, for what the archiver never writes.
class ArchiveBuilder {
public:
    ArchiveBuilder& Version(std::uint32_t value)
    {
        version = value;
        return *this;
    }
    ArchiveBuilder& Objects(std::uint32_t count)
    {
        objects = count;
        return *this;
    }
    ArchiveBuilder& Key(const std::string& name)
    {
        std::size_t index = 0;
        while (index < names.size() && names[index] != name)
            ++index;
        if (index == names.size())
            names.push_back(name);
        entries += Bytes({zBINSAFE_KEY}) + U32(static_cast<std::uint32_t>(index));
        return *this;
    }
    // The 16-bit length goes before the data of strings and raw entries.
    ArchiveBuilder& Entry(int type, const std::string& data)
    {
        entries += Bytes({type});
        if (type == zBINSAFE_STRING || type == zBINSAFE_RAW || type == zBINSAFE_RAW_FLOAT)
            entries += U16(static_cast<std::uint32_t>(data.size()));
        entries += data;
        return *this;
    }
    ArchiveBuilder& Text(const std::string& text) { return Entry(zBINSAFE_STRING, text); }
    ArchiveBuilder& Raw(const std::string& bytes)
    {
        entries += bytes;
        return *this;
    }

    static int EntriesStart() { return static_cast<int>(kTextHeader.size()) + 12; }
    int TablePos() const { return EntriesStart() + static_cast<int>(entries.size()); }

    std::string Build() const
    {
        std::string table = U32(static_cast<std::uint32_t>(names.size()));
        for (std::size_t i = 0; i < names.size(); ++i) {
            table += U16(static_cast<std::uint32_t>(names[i].size())) + U16(static_cast<std::uint32_t>(i)) +
                     U32(zCArchiverBinSafe::HashName(names[i]) % 97) + names[i];
        }
        return kTextHeader + U32(version) + U32(objects) + U32(static_cast<std::uint32_t>(TablePos())) + entries +
               table;
    }

private:
    std::uint32_t version = 2;
    std::uint32_t objects = 0;
    std::string entries;
    std::vector<std::string> names;
};

class ArchiverBinSafeTest : public ArchiverFixture {
protected:
    // Writes through the factory with the program's flags and gives the file's bytes.
    std::string Write(const std::function<void(zCArchiver&)>& body, int flags = 2)
    {
        {
            ArchiverHold archiver(
                g_archiverFactory.CreateArchiverWriteByName("\\w.bin", zARC_MODE_BIN_SAFE, 0, flags));
            EXPECT_NE(archiver.get(), nullptr);
            if (archiver.get()) {
                body(*archiver.get());
                archiver->Close();
            }
        }
        return box.Read("w.bin");
    }

    // Reads the bytes as an archive; false when a fatal message ended the job.
    bool Read(const std::string& bytes, const std::function<void(zCArchiverBinSafe&)>& body)
    {
        box.Write("r.bin", bytes);
        auto file = OpenForReading("r.bin");
        if (!file)
            return false;
        return RunJob([&] {
            ArchiverHold archiver(g_archiverFactory.CreateArchiverRead(file.get(), 2));
            if (auto* binSafe = dynamic_cast<zCArchiverBinSafe*>(archiver.get()))
                body(*binSafe);
        });
    }

    // The line of a damage report: file, position and reason.
    static std::string DamageLine(int position, const std::string& reason)
    {
        const std::string path = zFILE_VDFS("\\r.bin").GetFullPath();
        return path + "(" + std::to_string(position) + "):   Error: " + reason;
    }
    static std::string Corrupted()
    {
        return "File '" + zFILE_VDFS("\\r.bin").GetFullPath() + "' not found or corrupted";
    }
};

TEST_F(ArchiverBinSafeTest, GoldenArchiveIsWrittenByteForByte)
{
    auto* note = new zCBinSafeTestNote;
    note->value = -1;
    const std::string bytes = Write([note](zCArchiver& archiver) {
        archiver.WriteInt("abc", 5);
        archiver.WriteString("s", "hi");
        archiver.WriteObject("obj", note);
    });
    note->Release();
    EXPECT_EQ(bytes, kGolden);
    EXPECT_EQ(Texts(), Strings{});
}

TEST_F(ArchiverBinSafeTest, GoldenArchiveReadsBackInAnyOrder)
{
    zSTRING text;
    int number = 0;
    zCObject* object = nullptr;
    EXPECT_TRUE(Read(kGolden, [&](zCArchiverBinSafe& archiver) {
        archiver.ReadString("s", text);
        number = archiver.ReadInt("abc");  // behind the one read before
        object = archiver.ReadObject("obj", nullptr);
        EXPECT_EQ(archiver.ReadObject("obj", nullptr), nullptr);  // there is only one
    }));
    EXPECT_EQ(text, "hi");
    EXPECT_EQ(number, 5);
    auto* note = dynamic_cast<zCBinSafeTestNote*>(object);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->value, -1);
    EXPECT_EQ(note->text, "");
    EXPECT_EQ(note->GetRefCtr(), 1);  // the archiver's reference went with it
    note->Release();
    EXPECT_EQ(Texts(), Strings{});
}

TEST_F(ArchiverBinSafeTest, NamesHashOverSignedCharacters)
{
    struct Case {
        std::string name;
        std::uint32_t hash;
        std::uint32_t bucket;
    };
    const Case cases[] = {
        {"", 0, 0},
        {"abc", 108966, 35},
        {"\xFF", 0xFFFFFFFFu, 34},
        {"Ab\x80", 73891, 74},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zCArchiverBinSafe::HashName(c.name), c.hash) << c.name;
        EXPECT_EQ(zCArchiverBinSafe::HashName(c.name) % zCArchiverBinSafe::zNUM_BUCKETS, c.bucket) << c.name;
    }
}

TEST_F(ArchiverBinSafeTest, EveryWrittenTypeReadsBack)
{
    struct Case {
        int number;
        float weight;
        int flag;
        std::string label;
        int kind;
        int readFlag;
    };
    const Case cases[] = {
        {INT_MIN, -0.5f, 1, "", 0, 1},
        {INT_MAX, 1e30f, 7, "with blanks", -7, 1},
        {0, 0.0f, 0, std::string(65535, 'x'), INT_MAX, 0},
        {42, 3.25f, 0, "[laughs", 1, 0},  // a text value that looks like a chunk start
        {43, 3.5f, 1, "[]", 2, 1},        // ... and one like a chunk end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label.substr(0, 20));
        auto* node = new zCBinSafeTestNode;
        node->number = c.number;
        node->weight = c.weight;
        node->flag = c.flag;
        node->label = c.label;
        node->kind = c.kind;
        auto* child = new zCBinSafeTestNode;
        child->label = "child of " + c.label.substr(0, 5);
        node->SetChild(child);
        const std::string bytes = Write([node](zCArchiver& archiver) {
            archiver.WriteObject(node);
            archiver.WriteObject("second", node);  // a reference behind the values
        });
        node->Release();

        zCObject* first = nullptr;
        zCObject* second = nullptr;
        EXPECT_TRUE(Read(bytes, [&](zCArchiverBinSafe& archiver) {
            first = archiver.ReadObject(nullptr);
            second = archiver.ReadObject("second", nullptr);
        }));
        auto* read = dynamic_cast<zCBinSafeTestNode*>(first);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(second, first);
        EXPECT_EQ(read->number, c.number);
        EXPECT_EQ(read->weight, c.weight);
        EXPECT_EQ(read->flag, c.readFlag);
        EXPECT_EQ(read->label, c.label);
        EXPECT_EQ(read->kind, c.kind);
        auto* readChild = dynamic_cast<zCBinSafeTestNode*>(read->child);
        ASSERT_NE(readChild, nullptr);
        EXPECT_EQ(readChild->label, "child of " + c.label.substr(0, 5));
        EXPECT_EQ(readChild->child, nullptr);
        EXPECT_EQ(read->GetRefCtr(), 2);  // one per read
        first->Release();
        second->Release();
    }
    EXPECT_EQ(Texts(), Strings{});
}

TEST_F(ArchiverBinSafeTest, EntriesItNeverWritesAreReadOrSkippedByType)
{
    const std::string bytes = ArchiveBuilder()
                                  .Key("word")
                                  .Entry(zBINSAFE_WORD, U16(7))
                                  .Raw(Bytes({10, 11, 12, 13, 14, 15}))  // types without data
                                  .Key("vec")
                                  .Entry(zBINSAFE_VEC3, F32(1) + F32(2) + F32(3))
                                  .Key("raw")
                                  .Entry(zBINSAFE_RAW, "abc")
                                  .Key("byte")
                                  .Entry(zBINSAFE_BYTE, Bytes({0xFE}))
                                  .Key("color")
                                  .Entry(zBINSAFE_COLOR, Bytes({1, 2, 3, 4}))
                                  .Key("floats")
                                  .Entry(zBINSAFE_RAW_FLOAT, F32(1.5f) + F32(-2.0f))
                                  .Text("a line without key")
                                  .Build();
    EXPECT_TRUE(Read(bytes, [](zCArchiverBinSafe& archiver) {
        EXPECT_EQ(archiver.ReadColor("color"), zCOLOR(3, 2, 1, 4));
        EXPECT_EQ(archiver.ReadByte("byte"), 0xFE);
        float two[2] = {};
        archiver.ReadRawFloat("floats", two, sizeof two);
        EXPECT_EQ(two[0], 1.5f);
        EXPECT_EQ(two[1], -2.0f);
        float one = 9.0f;  // the stored bytes beyond the buffer are skipped
        archiver.ReadRawFloat("floats", &one, sizeof one);
        EXPECT_EQ(one, 1.5f);
        float three[3] = {0.0f, 0.0f, 9.0f};  // ... and the buffer beyond the stored bytes is kept
        archiver.ReadRawFloat("floats", three, sizeof three);
        EXPECT_EQ(three[1], -2.0f);
        EXPECT_EQ(three[2], 9.0f);
        int wrongType = 42;  // a word is no int: skipped, the target keeps its value
        archiver.ReadInt("word", wrongType);
        EXPECT_EQ(wrongType, 42);
        EXPECT_EQ(archiver.ReadInt("vec"), 0);
        zSTRING line;
        archiver.ReadLine(line);  // behind "vec": the raw entry with its key
        EXPECT_EQ(line, "");
    }));
    EXPECT_EQ(Texts(), Strings{});
}

TEST_F(ArchiverBinSafeTest, SearchWrapsOnceThenFailsAndKeepsThePosition)
{
    auto* note = new zCBinSafeTestNote;
    note->value = 12;
    const std::string bytes = Write([note](zCArchiver& archiver) {
        archiver.WriteObject("obj", note);
        archiver.WriteInt("outside", 1);
    });
    note->Release();
    EXPECT_TRUE(Read(bytes, [](zCArchiverBinSafe& archiver) {
        ASSERT_EQ(archiver.ReadChunkStart("obj"), 1);
        int value = 9;
        archiver.ReadInt("outside", value);
        EXPECT_EQ(value, 9);
        EXPECT_EQ(archiver.GetSearchedThrough(), 1);
        archiver.ReadInt("nowhere", value);
        EXPECT_EQ(archiver.ReadInt("value"), 12);
        archiver.SkipOpenChunk();
        EXPECT_EQ(archiver.ReadInt("outside"), 1);
    }));
    EXPECT_EQ(Texts(), (Strings{"Warning: zARC: SkippChunk - (numCycles==1) expected entry not found: outside",
                                "Warning: zARC: Expected entry not found: nowhere"}));
}

TEST_F(ArchiverBinSafeTest, PeekChunkWithAnAbsentNameFindsNothingAndStays)
{
    auto* note = new zCBinSafeTestNote;
    const std::string bytes = Write([note](zCArchiver& archiver) {
        archiver.WriteChunkStart("outer", "x", 0, 0);
        archiver.WriteObject("inner", note);
        archiver.WriteChunkEnd();
    });
    note->Release();
    EXPECT_TRUE(Read(bytes, [](zCArchiverBinSafe& archiver) {
        zSTRING name;
        std::uint16_t version = 9;
        ASSERT_EQ(archiver.ReadChunkStart(name, version), 1);
        EXPECT_EQ(name, "outer");
        EXPECT_EQ(version, 0);
        const int position = archiver.GetPos();
        zSTRING line = "old";
        archiver.PeekChunk("absent", line);
        EXPECT_EQ(line, "");
        EXPECT_EQ(archiver.GetPos(), position);
        archiver.PeekChunk("inner", line);
        EXPECT_EQ(line, "[inner zCBinSafeTestNote 3 0]");
    }));
}

TEST_F(ArchiverBinSafeTest, VersionsBelowTwoAreRefused)
{
    for (const std::uint32_t version : {0u, 1u, 0xFFFFFFFFu}) {
        host.Clear();
        EXPECT_FALSE(Read(ArchiveBuilder().Version(version).Build(), [](zCArchiverBinSafe&) {}));
        EXPECT_EQ(Texts().front(), "Error: zARC: ReadHeader - old and defect version of ArchiverBinSafe found. "
                                   "This version is no longer supported. V" +
                                       std::to_string(static_cast<std::int32_t>(version)));
    }
}

TEST_F(ArchiverBinSafeTest, FlagsBelowTwoStillWriteAReadableVersion)
{
    for (const int flags : {0, 1}) {
        const std::string bytes = Write([](zCArchiver& archiver) { archiver.WriteInt("n", 3); }, flags);
        const std::size_t body = bytes.find("END\n") + 4;
        EXPECT_EQ(bytes.substr(body, 4), U32(2));
        EXPECT_TRUE(Read(bytes, [](zCArchiverBinSafe& archiver) { EXPECT_EQ(archiver.ReadInt("n"), 3); }));
    }
}

TEST_F(ArchiverBinSafeTest, NamesWithChunkCharactersAreReportedAndStillWritten)
{
    struct Case {
        const char* text;
        int valid;
    };
    const Case cases[] = {{"plain name", 1}, {"", 1}, {"a%b", 0}, {"[a", 0}, {"a]", 0}, {"x\xA7", 0}};
    zCArchiverBinSafe archiver;
    for (const Case& c : cases)
        EXPECT_EQ(archiver.IsStringValid(c.text), c.valid) << c.text;

    const std::string bytes = Write([](zCArchiver& writer) { writer.WriteInt("a[b", 7); });
    EXPECT_EQ(Texts(), Strings{"Error: zARC: String contains illegal characters: a[b /  7"});
    EXPECT_TRUE(Read(bytes, [](zCArchiverBinSafe& reader) { EXPECT_EQ(reader.ReadInt("a[b"), 7); }));
}

TEST_F(ArchiverBinSafeTest, ANameIsStoredOnceAndEmptyTextsNotAtAll)
{
    const std::string bytes = Write([](zCArchiver& archiver) {
        archiver.WriteInt("n", 1);
        archiver.WriteText("");
        archiver.WriteLine("");
        archiver.WriteInt("n", 2);
    });
    const std::string body = bytes.substr(bytes.find("END\n") + 4);
    const int tablePos = static_cast<int>(bytes.size()) - 4 - 8 - 1;
    EXPECT_EQ(body, U32(2) + U32(0) + U32(static_cast<std::uint32_t>(tablePos)) +  //
                        Bytes({0x12, 0, 0, 0, 0, 0x02, 1, 0, 0, 0}) +                   // key 0, 1
                        Bytes({0x12, 0, 0, 0, 0, 0x02, 2, 0, 0, 0}) +                   // key 0, 2
                        U32(1) + U16(1) + U16(0) + U32('n' % 97) + "n");
}

TEST_F(ArchiverBinSafeTest, TextsBeyondSixteenBitLengthsAreCutAndReported)
{
    const std::string bytes = Write([](zCArchiver& archiver) {
        archiver.WriteString("long", std::string(70000, 'y'));
        archiver.WriteInt("after", 5);
    });
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_NE(Texts().front().find("not found or corrupted"), std::string::npos);
    EXPECT_TRUE(Read(bytes, [](zCArchiverBinSafe& archiver) {
        EXPECT_EQ(archiver.ReadString("long"), std::string(65535, 'y'));
        EXPECT_EQ(archiver.ReadInt("after"), 5);
    }));
}

TEST_F(ArchiverBinSafeTest, NullObjectsReadAsNull)
{
    const std::string bytes = Write([](zCArchiver& archiver) { archiver.WriteObject("none", nullptr); });
    EXPECT_NE(bytes.find("[none % 0 0]"), std::string::npos);
    EXPECT_TRUE(Read(bytes, [](zCArchiverBinSafe& archiver) {
        auto* keep = new zCBinSafeTestNote;
        EXPECT_EQ(archiver.ReadObject("none", keep), nullptr);
        keep->Release();
    }));
}

TEST_F(ArchiverBinSafeTest, UseThisIsFilledOrKeptWhenItsClassDiffers)
{
    auto* right = new zCBinSafeTestNote;
    auto* wrong = new zCBinSafeTestNode;
    EXPECT_TRUE(Read(kGolden, [&](zCArchiverBinSafe& archiver) {
        EXPECT_EQ(archiver.ReadObject("obj", wrong), wrong);
        EXPECT_EQ(wrong->GetRefCtr(), 2);  // held by the archiver's table
        archiver.SetPos(95 + 12);  // the golden archive's first entry
        EXPECT_EQ(archiver.ReadObject("obj", right), right);
    }));
    EXPECT_EQ(right->value, -1);
    EXPECT_EQ(right->GetRefCtr(), 1);
    EXPECT_EQ(wrong->GetRefCtr(), 1);
    EXPECT_EQ(Texts(), Strings{"Error: zARC: Skipping object-chunk, class from file does not match class from "
                               "'objectUseThis' (file: zCBinSafeTestNote, obj: zCBinSafeTestNode)"});
    right->Release();
    wrong->Release();
}

TEST_F(ArchiverBinSafeTest, AnObjectReplacedAtItsIndexIsReleased)
{
    auto* note = new zCBinSafeTestNote;
    note->value = 1;
    const std::string bytes = Write([note](zCArchiver& archiver) {
        archiver.WriteObject("first", note);
        archiver.WriteChunkStart("again", "zCBinSafeTestNote", 3, 0);  // the same object index
        archiver.WriteInt("value", 2);
        archiver.WriteChunkEnd();
    });
    note->Release();
    zCObject* first = nullptr;
    zCObject* again = nullptr;
    EXPECT_TRUE(Read(bytes, [&](zCArchiverBinSafe& archiver) {
        first = archiver.ReadObject(nullptr);
        EXPECT_EQ(first->GetRefCtr(), 2);
        again = archiver.ReadObject(nullptr);
        EXPECT_EQ(first->GetRefCtr(), 1);
    }));
    EXPECT_EQ(static_cast<zCBinSafeTestNote*>(again)->value, 2);
    EXPECT_EQ(again->GetRefCtr(), 1);
    first->Release();
    again->Release();
}

TEST_F(ArchiverBinSafeTest, OperationsItLacksShowTheirNames)
{
    ErrorBoxCatcher catcher;
    const std::pair<const char*, std::function<void(zCArchiver&)>> cases[] = {
        {"zCArchiverBinSafe::WriteByte not found", [](zCArchiver& a) { a.WriteByte("b", 1); }},
        {"zCArchiverBinSafe::WriteColor not found", [](zCArchiver& a) { a.WriteColor("c", zCOLOR()); }},
        {"zCArchiverBinSafe::WriteRawFloat not found", [](zCArchiver& a) { a.WriteRawFloat("r", nullptr, 0); }},
        {"zCArchiverBinSafe::WriteGroupBegin not found", [](zCArchiver& a) { a.WriteGroupBegin("g"); }},
        {"zCArchiverBinSafe::WriteGroupEnd not found", [](zCArchiver& a) { a.WriteGroupEnd("g"); }},
    };
    zCArchiverBinSafe archiver;
    for (const auto& c : cases) {
        try {
            c.second(archiver);
            ADD_FAILURE() << c.first << ": the stub returned";
        } catch (const ErrorBoxShown& e) {
            EXPECT_STREQ(e.what(), c.first);
        }
    }
}

TEST_F(ArchiverBinSafeTest, ChunkEndWithoutChunkIsFatal)
{
    EXPECT_FALSE(RunJob([this] { Write([](zCArchiver& archiver) { archiver.WriteChunkEnd(); }); }));
    EXPECT_EQ(Texts().front(), "Error: zARC: Write chunk end with no open chunk!");
}

TEST_F(ArchiverBinSafeTest, DamageIsReportedOnceWithFileAndPosition)
{
    const int start = ArchiveBuilder::EntriesStart();
    const int table = start + 10;  // of the archive holding just the int "v"
    const std::string note = "[obj zCBinSafeTestNote 3 0]";
    const auto patched = [](int at, const std::string& bytes) {
        std::string archive = ArchiveBuilder().Key("v").Entry(zBINSAFE_INT, U32(1)).Build();
        return archive.replace(static_cast<std::size_t>(at), bytes.size(), bytes);
    };
    struct Case {
        const char* what;
        std::string bytes;
        std::string line;
    };
    const Case cases[] = {
        {"unknown type",
         ArchiveBuilder().Key("a").Entry(zBINSAFE_INT, U32(1)).Raw(Bytes({40})).Key("v").Build(),
         DamageLine(start + 10, "Found unhandled type = 40;")},
        {"length into the string table",
         ArchiveBuilder().Key("a").Raw(Bytes({zBINSAFE_STRING}) + U16(500) + "x").Key("v").Build(),
         DamageLine(start + 8, "Unexpected end of file.")},
        {"table beyond the end", patched(start - 4, U32(5000)), DamageLine(start - 4, Corrupted())},
        {"more objects than bytes", patched(start - 8, U32(0x40000000)), DamageLine(start - 8, Corrupted())},
        {"more strings than bytes", patched(table, U32(0xFFFFFFF0)), DamageLine(table, Corrupted())},
        {"string index outside the table", patched(table + 6, U16(7)), DamageLine(table + 4, Corrupted())},
        {"string in another bucket", patched(table + 8, U32(96)), DamageLine(table + 4, Corrupted())},
        {"chunk without end",
         ArchiveBuilder().Objects(1).Text(note).Key("text").Text("t").Key("value").Entry(zBINSAFE_INT, U32(1)).Build(),
         DamageLine(start + 3 + static_cast<int>(note.size()) + 5 + 4 + 10, "Unexpected end of file.")},
        {"object index beyond the count",
         ArchiveBuilder().Objects(1).Text("[obj zCBinSafeTestNote 3 1]").Text("[]").Key("v").Build(),
         DamageLine(start + 3 + static_cast<int>(note.size()), "zARC: objRef, illegal object index: 1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.Clear();
        EXPECT_TRUE(Read(c.bytes, [](zCArchiverBinSafe& archiver) {
            if (zCObject* object = archiver.ReadObject("obj", nullptr))
                object->Release();
            int value = 99;
            archiver.ReadInt("v", value);
            archiver.ReadInt("v", value);
            EXPECT_TRUE(archiver.EndOfArchive());
        }));
        EXPECT_EQ(Texts(), Strings{c.line});
    }
}

TEST_F(ArchiverBinSafeTest, NestingBeyondTheLimitIsDamage)
{
    ArchiveBuilder builder;
    const int depth = zCArchiverBinSafe::zMAX_CHUNK_DEPTH + 10;
    builder.Objects(static_cast<std::uint32_t>(depth));
    for (int i = 0; i < depth; ++i)
        builder.Text("[child zCBinSafeTestNode 1 " + std::to_string(i) + "]");
    for (int i = 0; i < depth; ++i)
        builder.Text("[]");
    zCObject* object = nullptr;
    EXPECT_TRUE(Read(builder.Objects(static_cast<std::uint32_t>(depth)).Build(),
                     [&](zCArchiverBinSafe& archiver) { object = archiver.ReadObject("child", nullptr); }));
    ASSERT_NE(object, nullptr);
    object->Release();
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_NE(Texts().front().find(Corrupted()), std::string::npos);
}

// Every cut of the golden archive, and every byte of it flipped: reading never
// crashes or hangs, and a cut archive is always reported.
TEST_F(ArchiverBinSafeTest, TruncatedAndFlippedArchivesAreReadSafely)
{
    const auto readAll = [](zCArchiverBinSafe& archiver) {
        zSTRING text;
        archiver.ReadString("s", text);
        archiver.ReadInt("abc");
        zCObject* object = archiver.ReadObject("obj", nullptr);
        if (object)
            object->Release();
        while (!archiver.EndOfArchive()) {
            zCObject* more = archiver.ReadObject(nullptr);
            if (!more)
                break;
            more->Release();
        }
    };
    for (std::size_t length = 0; length < kGolden.size(); ++length) {
        host.Clear();
        Read(kGolden.substr(0, length), readAll);
        EXPECT_TRUE(HasLine("Error: ")) << "cut at " << length;
    }
    for (std::size_t at = 0; at < kGolden.size(); ++at) {
        for (const int mask : {0x01, 0x80, 0xFF}) {
            std::string flipped = kGolden;
            flipped[at] = static_cast<char>(flipped[at] ^ mask);
            host.Clear();
            Read(flipped, readAll);
        }
    }
}

} // namespace
