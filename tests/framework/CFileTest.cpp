// Disk files, memory files and CR LF text files.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CFile.h"
#include "CMemFile.h"
#include "CStdioFile.h"

namespace {

// A path in the test's temporary directory, removed afterwards.
class TempPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = ::testing::TempDir() + "tavrelin_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
        std::remove(m_path.c_str());
    }
    void TearDown() override { std::remove(m_path.c_str()); }

    std::string Contents() const
    {
        std::string data;
        if (std::FILE* f = std::fopen(m_path.c_str(), "rb")) {
            int ch;
            while ((ch = std::fgetc(f)) != EOF)
                data.push_back(static_cast<char>(ch));
            std::fclose(f);
        }
        return data;
    }

    void SetContents(const std::string& data) const
    {
        std::FILE* f = std::fopen(m_path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(data.data(), 1, data.size(), f);
        std::fclose(f);
    }

    std::string m_path;
};

std::string ReadAll(CFile& file, UINT chunk = 4096)
{
    std::string data;
    std::vector<char> buf(chunk);
    UINT n;
    while ((n = file.Read(buf.data(), chunk)) > 0)
        data.append(buf.data(), n);
    return data;
}

using CFileDisk = TempPath;
using CStdioFileText = TempPath;

} // namespace

TEST_F(CFileDisk, ReadWriteSeekAndLength)
{
    CFile file;
    ASSERT_TRUE(file.Open(m_path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.GetFilePath(), m_path.c_str());
    EXPECT_EQ(file.GetFileName(), "tavrelin_ReadWriteSeekAndLength.bin");
    file.Write("0123456789", 10);
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.GetPosition(), 10u);
    EXPECT_EQ(file.Seek(2, CFile::begin), 2u);
    char buf[4] = {};
    EXPECT_EQ(file.Read(buf, 3), 3u);
    EXPECT_EQ(std::string(buf, 3), "234");
    // Writing straight after reading needs the stream repositioned underneath.
    file.Write("ab", 2);
    EXPECT_EQ(file.GetPosition(), 7u);
    EXPECT_EQ(file.Seek(-1, CFile::end), 9u);
    EXPECT_EQ(file.Read(buf, 4), 1u);
    EXPECT_EQ(file.Read(buf, 4), 0u);
    file.SetLength(4);
    EXPECT_EQ(file.GetLength(), 4u);
    file.SeekToBegin();
    EXPECT_EQ(ReadAll(file), "0123");
    EXPECT_EQ(file.SeekToEnd(), 4u);
    try {
        file.Seek(-5, CFile::end);
        ADD_FAILURE() << "seek before the start";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::badSeek);
        e->Delete();
    }
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(Contents(), "0123");
}

TEST_F(CFileDisk, CreateTruncatesUnlessNoTruncate)
{
    SetContents("old data");
    {
        CFile file(m_path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 8u);
        file.Write("new", 3);
    }
    EXPECT_EQ(Contents(), "new data");
    {
        CFile file(m_path.c_str(), CFile::modeRead);
        EXPECT_EQ(ReadAll(file, 3), "new data");
    }
    {
        CFile file(m_path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 0u);
    }
    EXPECT_EQ(Contents(), "");
    std::remove(m_path.c_str());
    {
        CFile file(m_path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        file.Write("x", 1);
    }
    EXPECT_EQ(Contents(), "x");
}

TEST_F(CFileDisk, OpenFailureNamesCauseAndFile)
{
    std::string missing = m_path + ".missing";
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(missing.c_str(), CFile::modeRead, &error));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_strFileName, missing.c_str());
    EXPECT_NE(error.GetErrorText().Find(missing.c_str()), -1) << static_cast<const char*>(error.GetErrorText());
    // The message is cut to the buffer and always terminated.
    char small[8];
    UINT help = 99;
    EXPECT_TRUE(error.GetErrorMessage(small, sizeof small, &help));
    EXPECT_EQ(std::strlen(small), 7u);
    EXPECT_EQ(help, 0u);
    EXPECT_EQ(CString(small), error.GetErrorText().Left(7));

    try {
        CFile thrown(missing.c_str(), CFile::modeRead);
        ADD_FAILURE() << "opened a missing file";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e->m_strFileName, missing.c_str());
        e->Delete();
    }

    // A closed file reports itself rather than touching a null stream.
    char buf[1];
    try {
        file.Read(buf, 1);
        ADD_FAILURE() << "read from a closed file";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::invalidFile);
        e->Delete();
    }
}

TEST(CMemFileGrowth, CapacityGrowsInWholeSteps)
{
    CMemFile file(100);
    EXPECT_EQ(file.GetBufferSize(), 0u);
    file.Write("a", 1);
    EXPECT_EQ(file.GetBufferSize(), 100u);
    std::vector<BYTE> block(150, 0x55);
    file.Write(block.data(), 150);
    EXPECT_EQ(file.GetBufferSize(), 200u);
    block.assign(1000, 0x66);
    file.Write(block.data(), 1000);
    EXPECT_EQ(file.GetBufferSize(), 1200u);
    EXPECT_EQ(file.GetLength(), 1151u);

    // A write past the end fills the gap with zeros.
    file.Seek(1160, CFile::begin);
    file.Write("z", 1);
    EXPECT_EQ(file.GetLength(), 1161u);
    BYTE tail[10];
    file.Seek(1151, CFile::begin);
    EXPECT_EQ(file.Read(tail, 10), 10u);
    EXPECT_EQ(std::vector<BYTE>(tail, tail + 10), (std::vector<BYTE>{0, 0, 0, 0, 0, 0, 0, 0, 0, 'z'}));
    file.SetLength(3);
    EXPECT_EQ(file.GetLength(), 3u);
    EXPECT_EQ(file.GetPosition(), 1161u);
    EXPECT_EQ(file.Read(tail, 10), 0u);
}

TEST(CMemFileGrowth, SizesNeverWrap)
{
    CMemFile file;
    EXPECT_EQ(file.Seek(0xFFFFFFF0u, CFile::begin), 0xFFFFFFF0u);
    try {
        file.Write("0123456789abcdefXYZ", 19);
        ADD_FAILURE() << "a write past 4 GiB was taken";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_EQ(file.GetLength(), 0u);
    for (LONGLONG off : {-1LL, 0x100000000LL, LLONG_MIN, LLONG_MAX}) {
        try {
            file.Seek(off, CFile::begin);
            ADD_FAILURE() << off;
        } catch (CFileException* e) {
            EXPECT_EQ(e->m_cause, CFileException::badSeek);
            e->Delete();
        }
    }
    EXPECT_EQ(file.Seek(-0x10, CFile::current), 0xFFFFFFE0u);
}

TEST(CMemFileBuffer, DetachHandsOverTheMallocBlock)
{
    CMemFile file(16);
    file.Write("abc", 3);
    ASSERT_EQ(file.GetLength(), 3u);
    BYTE* data = file.Detach();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::memcmp(data, "abc", 3), 0);
    std::free(data);  // the sanitizer checks it was malloc'ed
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(file.GetPosition(), 0u);
    // The file goes on with a block of its own, freed with it.
    file.Write("de", 2);
    file.SeekToBegin();
    EXPECT_EQ(ReadAll(file), "de");
}

TEST(CMemFileBuffer, FixedBufferTakesNoMoreThanItHolds)
{
    BYTE buffer[6] = {'h', 'e', 'l', 'l', 'o', '!'};
    CMemFile file(buffer, 6);
    EXPECT_EQ(file.GetLength(), 6u);
    EXPECT_EQ(ReadAll(file, 4), "hello!");
    file.Seek(1, CFile::begin);
    file.Write("EL", 2);
    EXPECT_EQ(buffer[1], 'E');
    file.Seek(4, CFile::begin);
    try {
        file.Write("xyz", 3);
        ADD_FAILURE() << "the fixed buffer grew";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    // The failed write changed nothing.
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 6), "hELlo!");
    EXPECT_EQ(file.GetLength(), 6u);
    try {
        file.SetLength(7);
        ADD_FAILURE() << "the fixed buffer grew";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_EQ(file.Detach(), buffer);
}

TEST(CMemFileBuffer, GrowableAttachedBufferMovesToOwnBlock)
{
    BYTE buffer[4] = {'a', 'b', 'c', 'd'};
    CMemFile file(buffer, 4, 8);
    file.SeekToEnd();
    file.Write("ef", 2);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), "abcd");
    file.SeekToBegin();
    EXPECT_EQ(ReadAll(file), "abcdef");
    EXPECT_EQ(file.GetBufferSize(), 8u);
    BYTE* data = file.Detach();
    EXPECT_NE(data, buffer);
    std::free(data);
}

TEST_F(CStdioFileText, WritesCrLfAndReadsEitherLineEnd)
{
    {
        CStdioFile file(m_path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("one\ntwo\n\nlast");
    }
    EXPECT_EQ(Contents(), "one\r\ntwo\r\n\r\nlast");

    SetContents("a\r\nb\nc\rd\r\n\nend");
    CStdioFile file(m_path.c_str(), CFile::modeRead | CFile::typeText);
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back(static_cast<const char*>(line));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c\rd", "", "end"}));
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
}

TEST_F(CStdioFileText, EmptyFileAndFinalLineEnd)
{
    SetContents("");
    CString line = "stale";
    {
        CStdioFile file(m_path.c_str(), CFile::modeRead);
        EXPECT_FALSE(file.ReadString(line));
        EXPECT_TRUE(line.IsEmpty());
    }
    SetContents("only\r\n");
    CStdioFile file(m_path.c_str(), CFile::modeRead);
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "only");
    EXPECT_FALSE(file.ReadString(line));
}
