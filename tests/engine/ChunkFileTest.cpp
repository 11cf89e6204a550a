// Chunk files: the chunk framing, little-endian fields, damaged files; and the
// source stamps with their recorded lists.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FileLayerRoot.h"
#include "FileSandbox.h"
#include "JobGlobals.h"
#include "ReporterCapture.h"
#include "zCBinChunkFile.h"
#include "zCObjectFactory.h"
#include "zCOption.h"

namespace {

using Lines = std::vector<std::string>;

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

class ChunkFileBase : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        root = std::make_unique<FileLayerRoot>(box.Root());
        savedJobMode = g_jobMode;
        savedModelKind = g_modelKind;
        ClearRecordedSourceStamps();
    }
    void TearDown() override
    {
        ClearRecordedSourceStamps();
        g_jobMode = savedJobMode;
        g_modelKind = savedModelKind;
        root.reset();
        ReporterCapture::TearDown();
    }

    // A path below the sandbox as the file layer takes it.
    static zSTRING Layer(const std::string& name) { return zSTRING(("\\" + name).c_str()); }

    // Opens bytes written into the sandbox for reading.
    void OpenBytes(zCBinChunkFile& file, const std::string& name, const std::string& bytes)
    {
        box.Write(name, bytes);
        ASSERT_EQ(file.Open(Layer(name)), 0);
    }

    FileSandbox box;
    std::unique_ptr<FileLayerRoot> root;

private:
    int savedJobMode = 0;
    int savedModelKind = 0;
};

using ChunkFile = ChunkFileBase;
using SourceStamp = ChunkFileBase;

TEST_F(ChunkFile, ChunkIsItsHeaderAndBodyWithTheLengthPatched)
{
    {
        zCBinChunkFile file;
        ASSERT_EQ(file.Create(Layer("a.bin")), 0);
        file.StartChunk(0xB100);
        file.WriteBytes("0123456789", 10);
        file.StartChunk(0xB1FF);  // ends the one before, itself empty
    }  // the destructor closes and ends the last chunk
    EXPECT_EQ(box.Read("a.bin"), Bytes({0x00, 0xB1, 0x0A, 0x00, 0x00, 0x00}) + "0123456789" +
                                     Bytes({0xFF, 0xB1, 0x00, 0x00, 0x00, 0x00}));

    // EndChunk leaves the chunk open: a later end covers what was written since.
    zCBinChunkFile file;
    ASSERT_EQ(file.Create(Layer("b.bin")), 0);
    file.StartChunk(0x0102);
    file.WriteU8(7);
    file.EndChunk();
    file.EndChunk();
    file.WriteLine("ab");
    file.Close();
    EXPECT_EQ(box.Read("b.bin"), Bytes({0x02, 0x01, 0x04, 0x00, 0x00, 0x00, 0x07}) + "ab\n");
    EXPECT_EQ(file.GetFile(), nullptr);
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(ChunkFile, WithoutAFileNothingHappens)
{
    zCBinChunkFile file;
    file.StartChunk(0xB100);
    file.WriteU32(5);
    file.WriteLine("text");
    file.EndChunk();
    file.SkipToNextChunk();
    std::uint16_t id = 1;
    std::uint32_t length = 1;
    EXPECT_EQ(file.ReadChunkHeader(id, length), 0);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(length, 0u);
    std::uint32_t value = 9;
    EXPECT_FALSE(file.ReadU32(value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(file.GetBytesLeft(), 0);
    file.Close();
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(ChunkFile, ExternalFileIsLeftOpenToItsOwner)
{
    std::unique_ptr<zFILE> own = zMakeFile(Layer("ext.bin"));
    ASSERT_EQ(own->Create(), 0);
    {
        zCBinChunkFile file;
        file.Attach(own.get(), true);
        file.StartChunk(0x0001);
        file.WriteU16(0xBEEF);
    }
    ASSERT_TRUE(own->IsOpened());
    own->Write("!");
    own->Close();
    EXPECT_EQ(box.Read("ext.bin"), Bytes({0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0xEF, 0xBE}) + "!");
}

TEST_F(ChunkFile, FieldsRoundTripLittleEndianAndChunksAreSkipped)
{
    {
        zCBinChunkFile file;
        ASSERT_EQ(file.Create(Layer("f.bin")), 0);
        file.StartChunk(0xA000);
        file.WriteU8(0x81);
        file.WriteU16(0x1234);
        file.WriteU32(0x89ABCDEFu);
        file.WriteInt(-2);
        file.WriteFloat(-1.5f);
        file.StartChunk(0xA010);
        file.WriteBytes("skipped", 7);
        file.StartChunk(0xA020);
        file.WriteLine("last");
    }
    const std::string bytes = box.Read("f.bin");
    ASSERT_EQ(bytes.size(), 6u + 15u + 6u + 7u + 6u + 5u);
    EXPECT_EQ(bytes.substr(6, 15), Bytes({0x81, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xFE, 0xFF, 0xFF, 0xFF,
                                          0x00, 0x00, 0xC0, 0xBF}));

    zCBinChunkFile file;
    ASSERT_EQ(file.Open(Layer("f.bin")), 0);
    std::vector<std::uint16_t> ids;
    std::uint16_t id;
    std::uint32_t length;
    while (file.ReadChunkHeader(id, length)) {
        ids.push_back(id);
        if (id == 0xA000) {
            std::uint8_t u8;
            std::uint16_t u16;
            std::uint32_t u32;
            std::int32_t i32;
            float f;
            ASSERT_TRUE(file.ReadU8(u8) && file.ReadU16(u16) && file.ReadU32(u32) && file.ReadInt(i32) &&
                        file.ReadFloat(f));
            EXPECT_EQ(u8, 0x81);
            EXPECT_EQ(u16, 0x1234);
            EXPECT_EQ(u32, 0x89ABCDEFu);
            EXPECT_EQ(i32, -2);
            EXPECT_EQ(f, -1.5f);
        } else if (id == 0xA020) {
            zSTRING line;
            ASSERT_TRUE(file.ReadLine(line));
            EXPECT_EQ(line, "last");
        }
        file.SkipToNextChunk();
    }
    EXPECT_EQ(ids, (std::vector<std::uint16_t>{0xA000, 0xA010, 0xA020}));
    EXPECT_FALSE(file.IsDamaged());
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(ChunkFile, DamagedFileIsReportedOnceAndReadingStops)
{
    struct Case {
        const char* what;
        std::string bytes;
        int bodyReads;     // u32 reads tried inside the first chunk
        int goodChunks;    // headers read before the damage
        const char* line;  // the report, after the file name
    };
    const std::string good = Bytes({0x01, 0x00, 0x04, 0x00, 0x00, 0x00, 1, 2, 3, 4});
    const Case cases[] = {
        {"header cut short", good + Bytes({0x02, 0x00, 0x01}), 1, 1,
         "is damaged at byte 10: the data ends too early"},
        {"length beyond the end", good + Bytes({0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 9}), 1, 1,
         "is damaged at byte 10: chunk 0002 claims 4294967295 bytes, but 1 are left"},
        {"length one too long", Bytes({0x03, 0x00, 0x05, 0x00, 0x00, 0x00, 1, 2, 3, 4}), 0, 0,
         "is damaged at byte 0: chunk 0003 claims 5 bytes, but 4 are left"},
        {"body read past the end", Bytes({0x04, 0x00, 0x02, 0x00, 0x00, 0x00, 1, 2}), 3, 1,
         "is damaged at byte 6: the data ends too early"},
        {"a single stray byte", Bytes({0x05}), 0, 0, "is damaged at byte 0: the data ends too early"},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.Clear();
        const std::string name = "bad" + std::to_string(index++) + ".bin";
        zCBinChunkFile file;
        OpenBytes(file, name, c.bytes);
        int chunks = 0;
        int guard = 0;
        std::uint16_t id;
        std::uint32_t length;
        // The model readers' loop, which does not stop on a failed header by itself.
        while (file.GetNextChunkPos() < static_cast<long>(c.bytes.size()) && ++guard < 10) {
            if (file.ReadChunkHeader(id, length)) {
                ++chunks;
                for (int i = 0; i < c.bodyReads; ++i) {
                    std::uint32_t value = 1;
                    file.ReadU32(value);
                }
            }
            file.SkipToNextChunk();
        }
        EXPECT_LT(guard, 10);
        EXPECT_EQ(chunks, c.goodChunks);
        EXPECT_TRUE(file.IsDamaged());
        std::uint32_t value = 1;  // nothing more is read, whatever bytes are left
        EXPECT_FALSE(file.ReadU32(value));
        EXPECT_EQ(value, 0u);
        const Lines texts = Texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].rfind("Error: Chunk file '", 0), 0u) << texts[0];
        EXPECT_NE(texts[0].find(name), std::string::npos) << texts[0];
        EXPECT_NE(texts[0].find(c.line), std::string::npos) << texts[0];
    }
}

TEST_F(ChunkFile, LineStopsAtTheEndOfItsChunk)
{
    // A text chunk without its line feed, then another chunk.
    zCBinChunkFile file;
    OpenBytes(file, "l.bin", Bytes({0x10, 0x00, 0x03, 0x00, 0x00, 0x00}) + std::string("a\0b", 3) +
                                 Bytes({0x11, 0x00, 0x03, 0x00, 0x00, 0x00}) + "c\r\n");
    std::uint16_t id;
    std::uint32_t length;
    zSTRING line;
    ASSERT_EQ(file.ReadChunkHeader(id, length), 1);
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "ab");  // the zero byte dropped
    ASSERT_EQ(file.ReadChunkHeader(id, length), 1);
    EXPECT_EQ(id, 0x11);
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "c");
    EXPECT_FALSE(file.ReadLine(line));  // nothing left in the chunk
    EXPECT_TRUE(file.IsDamaged());
}

TEST_F(SourceStamp, CompileJobTakesTheSourceFoundBelowTheAnimsFolder)
{
    box.Write("ANIMS/HUMANS/HERO.ASC", "*3DSMAX_ASCIIEXPORT 200\n");
    zCOption options;
    zCOption::SetStartDirectory("\\");
    options.Init("", 0);
    zCOption* const savedOptions = g_options;
    g_options = &options;
    g_jobMode = zJOB_COMPILE_MODELS;
    {
        zCBinChunkFile file;
        ASSERT_EQ(file.Create(Layer("s.bin")), 0);
        file.StartChunk(0xD010);
        WriteSourceStamp(file, "hero.asc", 0);
    }
    g_options = savedOptions;
    zCOption::SetStartDirectory("");

    std::unique_ptr<zFILE> source = zMakeFile("\\ANIMS\\HUMANS\\HERO.ASC");
    zTFileStats stats;
    ASSERT_EQ(source->GetStats(stats), 0);
    ASSERT_GT(stats.modifyDate.year, 1999u);

    zCBinChunkFile file;
    ASSERT_EQ(file.Open(Layer("s.bin")), 0);
    std::uint16_t id;
    std::uint32_t length;
    ASSERT_EQ(file.ReadChunkHeader(id, length), 1);
    zTFileDate date;
    zSTRING line;
    ASSERT_TRUE(ReadFileDate(file, date));
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(CompareFileDates(date, stats.modifyDate), 0);
    EXPECT_EQ(line, "\\_WORK\\DATA\\ANIMS\\HUMANS\\HERO.ASC");
    EXPECT_EQ(length, 16u + line.size() + 1);
    EXPECT_EQ(file.GetBytesLeft(), 0);
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(SourceStamp, ConvertJobWritesTheRecordedStampsBackInReadingOrder)
{
    const std::string first = Bytes({0xD7, 0x07, 0, 0, 3, 0, 14, 0, 15, 0, 9, 0, 26, 0, 0x55, 0xAA}) +
                              "\\_WORK\\DATA\\ANIMS\\A.ASC\n";
    const std::string second = Bytes({0xD8, 0x07, 0, 0, 12, 0, 31, 0, 23, 0, 59, 0, 58, 0, 0, 0}) + "B\n";
    g_jobMode = zJOB_CONVERT_MODELS;
    g_modelKind = zMODEL_MORPH_MESH;
    {
        zCBinChunkFile file;
        OpenBytes(file, "in.bin", first + second);
        ASSERT_EQ(ReadSourceStamp(file), 1);
        ASSERT_EQ(ReadSourceStamp(file), 1);
    }
    ASSERT_EQ(g_recordedStampDates.GetNum(), 2);
    ASSERT_EQ(g_recordedStampPaths.GetNum(), 2);
    EXPECT_EQ(g_recordedStampDates[0].year, 2007u);
    EXPECT_EQ(g_recordedStampDates[1].second, 58);
    EXPECT_EQ(g_recordedStampPaths[0], "\\_WORK\\DATA\\ANIMS\\A.ASC");

    // A morph mesh gets the stamps back as they were read.
    {
        zCBinChunkFile file;
        ASSERT_EQ(file.Create(Layer("out.bin")), 0);
        WriteSourceStamp(file, "X.ASC", 0);
        WriteSourceStamp(file, "Y.ASC", 0);
    }
    EXPECT_EQ(box.Read("out.bin"), first + second);
    EXPECT_EQ(g_recordedStampDates.GetNum(), 0);
    EXPECT_EQ(g_recordedStampPaths.GetNum(), 0);

    // Other models keep the recorded date but write the line of their own source.
    g_modelKind = zMODEL_DYNAMIC;
    {
        zCBinChunkFile file;
        OpenBytes(file, "in2.bin", first);
        ASSERT_EQ(ReadSourceStamp(file), 1);
        ASSERT_EQ(file.Create(Layer("out2.bin")), 0);
        WriteSourceStamp(file, "\\ANIMS\\HERO.ASC", 0);
    }
    EXPECT_EQ(box.Read("out2.bin"), first.substr(0, 16) + "\\_WORK\\DATA\\ANIMS\\HERO.ASC\n");
    EXPECT_EQ(g_recordedStampDates.GetNum(), 0);
    EXPECT_EQ(g_recordedStampPaths.GetNum(), 1);  // the line read stays recorded
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(SourceStamp, EmptyRecordedListsWriteAnEmptyStamp)
{
    g_jobMode = zJOB_DECOMPILE_MODELS;
    g_modelKind = zMODEL_MORPH_MESH;
    {
        zCBinChunkFile file;
        ASSERT_EQ(file.Create(Layer("e.bin")), 0);
        WriteSourceStamp(file, "MORPH.ASC", 0);
    }
    EXPECT_EQ(box.Read("e.bin"), std::string(16, '\0') + "\n");
    EXPECT_EQ(g_recordedStampDates.GetNum(), 0);
    EXPECT_EQ(g_recordedStampPaths.GetNum(), 0);

    // The empty stamp reads back as a stamp.
    zCBinChunkFile file;
    ASSERT_EQ(file.Open(Layer("e.bin")), 0);
    EXPECT_EQ(ReadSourceStamp(file), 1);
    ASSERT_EQ(g_recordedStampDates.GetNum(), 1);
    EXPECT_EQ(CompareFileDates(g_recordedStampDates[0], zTFileDate()), 0);
    EXPECT_EQ(g_recordedStampPaths[0], "");
}

TEST_F(SourceStamp, OnlyConvertAndDecompileJobsRecordAndACutStampFails)
{
    const std::string stamp = Bytes({0xD7, 0x07, 0, 0, 3, 0, 14, 0, 15, 0, 9, 0, 26, 0, 0, 0}) + "P\n";
    for (int mode : {0, 1, 4}) {
        g_jobMode = mode;
        zCBinChunkFile file;
        OpenBytes(file, "r.bin", stamp);
        EXPECT_EQ(ReadSourceStamp(file), 1) << mode;
    }
    EXPECT_EQ(g_recordedStampDates.GetNum(), 0);
    EXPECT_EQ(g_recordedStampPaths.GetNum(), 0);
    EXPECT_TRUE(host.GetLines().empty());

    g_jobMode = zJOB_DECOMPILE_MODELS;
    for (std::size_t cut : {std::size_t(10), std::size_t(16)}) {
        host.Clear();
        zCBinChunkFile file;
        OpenBytes(file, "cut.bin", stamp.substr(0, cut));
        EXPECT_EQ(ReadSourceStamp(file), 0) << cut;
        EXPECT_EQ(host.GetLines().size(), 1u) << cut;
        EXPECT_TRUE(HasLine("the data ends too early")) << cut;
    }
    EXPECT_EQ(g_recordedStampDates.GetNum(), 0);
    EXPECT_EQ(g_recordedStampPaths.GetNum(), 0);
}

TEST_F(SourceStamp, ClearingEmptiesTheDatesAloneOrBoth)
{
    zTFileDate date;
    date.year = 2001;
    for (int i = 0; i < 20; ++i) {
        g_recordedStampDates.InsertEnd(date);
        g_recordedStampPaths.InsertEnd("P");
    }
    EXPECT_EQ(g_recordedStampDates.GetNumAlloc(), 24);  // 16, then half of it more
    ClearRecordedStampDates();
    EXPECT_EQ(g_recordedStampDates.GetNum(), 0);
    EXPECT_EQ(g_recordedStampDates.GetNumAlloc(), 0);
    EXPECT_EQ(g_recordedStampPaths.GetNum(), 20);
    ClearRecordedSourceStamps();
    EXPECT_EQ(g_recordedStampPaths.GetNum(), 0);
    EXPECT_EQ(g_recordedStampPaths.GetNumAlloc(), 0);
}

TEST(SourceStampDate, EqualWhenAllButTheUnusedFieldMatch)
{
    zTFileDate base;
    base.year = 2005;
    base.month = 6;
    base.day = 7;
    base.hour = 8;
    base.minute = 9;
    base.second = 10;
    base.unused = 11;
    zTFileDate other = base;
    other.unused = 0;
    EXPECT_EQ(CompareFileDates(base, other), 0);
    std::uint16_t zTFileDate::*const fields[] = {&zTFileDate::month, &zTFileDate::day, &zTFileDate::hour,
                                                  &zTFileDate::minute, &zTFileDate::second};
    for (auto field : fields) {
        other = base;
        ++(other.*field);
        EXPECT_EQ(CompareFileDates(base, other), 1);
    }
    other = base;
    other.year = 2006;
    EXPECT_EQ(CompareFileDates(base, other), 1);
}

} // namespace
