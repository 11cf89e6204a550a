// Engine files: path parts, the full-path rules, reading and writing, buffers,
// copies, backups, moves and the disk-error reports.
#include <gtest/gtest.h>

#include <cerrno>

#include "ErrorBoxCatcher.h"
#include "FileSandbox.h"
#include "HostFileSystem.h"
#include "ReporterCapture.h"
#include "zERROR.h"
#include "zFILE_VDFS.h"
#include "zFileSystem.h"
#include "zPATH.h"

namespace {

using Strings = std::vector<std::string>;

// Root and current directory as a test leaves them for the next one.
class LayerState {
public:
    LayerState() : root(g_rootDirectory), current(g_currentDirectory), filter(g_errorReporter.GetFilterLevel()) {}
    ~LayerState()
    {
        g_rootDirectory = root;
        g_currentDirectory = current;
        g_errorReporter.SetFilterLevel(filter);
        g_errorReporter.SetFatalHandler(&zERROR::DefaultFatalHandler);
    }

private:
    zSTRING root;
    zSTRING current;
    int filter;
};

class FileTest : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        g_rootDirectory = box.Root();
        g_currentDirectory = "\\";
    }

    std::string Full(const std::string& enginePath) const { return box.Root() + enginePath; }

    LayerState state;
    FileSandbox box;
};

void IgnoreFatal()
{
}

// Records the blocks that pass through Read and Write.
class CountingFile : public zFILE_VDFS {
public:
    using zFILE_VDFS::Write;
    explicit CountingFile(const zSTRING& path, long giveOutAfter = -1) : zFILE_VDFS(path), limit(giveOutAfter) {}
    long Read(void* data, long count) override
    {
        if (limit >= 0 && static_cast<long>(reads.size()) >= limit)
            return 0;
        const long got = zFILE_VDFS::Read(data, count);
        reads.push_back(got);
        return got;
    }
    int Write(const void* data, long count) override
    {
        writes.push_back(count);
        return zFILE_VDFS::Write(data, count);
    }
    std::vector<long> reads;
    std::vector<long> writes;

private:
    long limit;
};

TEST(FilePath, FullPathFollowsRootAndCurrentDirectory)
{
    LayerState state;
    struct Case {
        const char* root;
        const char* current;
        const char* path;
        const char* full;
    };
    const Case cases[] = {
        {"C:\\GAME", "\\", "\\DATA\\A.TXT", "C:\\GAME\\DATA\\A.TXT"},
        {"C:\\GAME", "\\", "D:X.TXT", "D:X.TXT"},
        {"", "\\", "A.TXT", "\\A.TXT"},
        {"C:\\GAME", "\\ANIMS\\", "X.MDL", "C:\\GAME\\ANIMS\\X.MDL"},
        {"C:\\GAME", "\\", "data/Sub/a.txt", "C:\\GAME\\data\\Sub\\a.txt"},
    };
    for (const Case& c : cases) {
        g_rootDirectory = c.root;
        g_currentDirectory = c.current;
        EXPECT_EQ(zFILE_VDFS(c.path).GetFullPath(), c.full) << c.path;
    }
}

TEST(FilePath, PartsSplitAndRebuild)
{
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* file;
        const char* filename;
        const char* ext;
        const char* whole;
        const char* dirPath;
    };
    const Case cases[] = {
        {"C:\\GAME\\DATA\\A.TXT", "C", "\\GAME\\DATA\\", "A.TXT", "A", "TXT", "C:\\GAME\\DATA\\A.TXT", "C:\\GAME\\DATA\\"},
        {"D:X.TXT", "D", "", "X.TXT", "X", "TXT", "D:X.TXT", "D:"},
        {"Scripts/Ai/main.src", "", "Scripts\\Ai\\", "main.src", "main", "src", "Scripts\\Ai\\main.src", "Scripts\\Ai\\"},
        {"\\A\\B\\..\\C.TXT", "", "\\A\\", "C.TXT", "C", "TXT", "\\A\\C.TXT", "\\A\\"},
        {"..\\X\\.\\Y.D", "", "..\\X\\", "Y.D", "Y", "D", "..\\X\\Y.D", "..\\X\\"},
        {"\\ANIMS\\", "", "\\ANIMS\\", "", "", "", "\\ANIMS\\", "\\ANIMS\\"},
        {"ARCHIVE.TAR.GZ", "", "", "ARCHIVE.TAR.GZ", "ARCHIVE.TAR", "GZ", "ARCHIVE.TAR.GZ", ""},
    };
    for (const Case& c : cases) {
        const zFILE_VDFS f(c.path);
        EXPECT_EQ(f.GetDrive(), c.drive) << c.path;
        EXPECT_EQ(f.GetDir(), c.dir) << c.path;
        EXPECT_EQ(f.GetFile(), c.file) << c.path;
        EXPECT_EQ(f.GetFilename(), c.filename) << c.path;
        EXPECT_EQ(f.GetExt(), c.ext) << c.path;
        EXPECT_EQ(f.GetPath(), c.whole) << c.path;
        EXPECT_EQ(f.GetDirPath(), c.dirPath) << c.path;
    }

    zFILE_VDFS f("C:\\GAME\\A.TXT");
    f.SetExt("bak");
    EXPECT_EQ(f.GetPath(), "C:\\GAME\\A.bak");
    f.SetFilename("B");
    EXPECT_EQ(f.GetPath(), "C:\\GAME\\B.bak");
    f.SetDir("\\X");
    EXPECT_EQ(f.GetPath(), "C:\\X\\B.bak");
    f.SetFile("c.d");
    EXPECT_EQ(f.GetPath(), "C:\\X\\c.d");

    const zPATH path("C:\\GAME\\ANIMS\\HUM.MDS");
    EXPECT_EQ(path.GetDrive(), "C");
    EXPECT_EQ(path.GetDir(), "\\GAME\\ANIMS\\");
    EXPECT_EQ(path.GetDirPath(), "C:\\GAME\\ANIMS\\");
    EXPECT_EQ(path.GetFile(), "HUM.MDS");
    EXPECT_EQ(path.GetFilename(), "HUM");
    EXPECT_EQ(path.GetExt(), "MDS");
    EXPECT_EQ(path.GetPath(), "C:\\GAME\\ANIMS\\HUM.MDS");
    EXPECT_EQ(path.GetFullPath(), "C:\\GAME\\ANIMS\\HUM.MDS");
    EXPECT_EQ(zPATH().GetPath(), "");
}

TEST(FilePath, SetDriveIsAStub)
{
    const ErrorBoxCatcher catcher;
    zFILE_VDFS f("C:\\A.TXT");
    try {
        f.SetDrive("D");
        ADD_FAILURE() << "the stub returned";
    } catch (const ErrorBoxShown& e) {
        EXPECT_STREQ(e.what(), "zFILE_FILE::SetDrive not found");
    }
}

TEST_F(FileTest, PathOfAnOpenFileStaysAsItIs)
{
    zFILE_VDFS f("\\A.TXT");
    ASSERT_EQ(f.Create(), 0);
    EXPECT_EQ(f.SetPath("\\B.TXT"), zERR_FILE_OPENED);
    EXPECT_EQ(f.SetExt("bak"), zERR_FILE_OPENED);
    EXPECT_EQ(f.GetPath(), "\\A.TXT");
    EXPECT_EQ(Texts(), (Strings{"Warning: Don't set new filename while file is opened.",
                                "Warning: Don't set new filename while file is opened."}));
    f.Close();
    EXPECT_EQ(f.SetPath("\\B.TXT"), 0);
}

TEST_F(FileTest, WriteThenReadBackWithPositions)
{
    box.MakeDir("DATA");
    const int openBefore = GetOpenFileCount();
    zFILE_VDFS f("\\DATA\\A.BIN");
    ASSERT_EQ(f.Create(), 0);
    EXPECT_TRUE(f.IsOpened());
    EXPECT_EQ(GetOpenFileCount(), openBefore + 1);
    EXPECT_EQ(f.Write("hello"), 0);
    EXPECT_EQ(f.Write(zSTRING(" world")), 0);
    EXPECT_EQ(f.Write("\0\1\2", 3), 0);
    EXPECT_EQ(f.Size(), 14);
    EXPECT_EQ(f.Pos(), 14);
    EXPECT_EQ(f.Close(), 0);
    EXPECT_FALSE(f.IsOpened());
    EXPECT_EQ(GetOpenFileCount(), openBefore);
    EXPECT_EQ(box.Read("DATA/A.BIN"), std::string("hello world\0\1\2", 14));

    ASSERT_EQ(f.Open(false), 0);
    char text[16] = {};
    EXPECT_EQ(f.Read(text, 5), 5);
    EXPECT_STREQ(text, "hello");
    EXPECT_EQ(f.Pos(), 5);
    EXPECT_EQ(f.Seek(6), 0);
    EXPECT_FALSE(f.Eof());
    EXPECT_EQ(f.Read(text, 16), 8);
    EXPECT_TRUE(f.Eof());
    EXPECT_TRUE(f.Exists());
    EXPECT_EQ(f.Reset(), 0);
    EXPECT_EQ(f.Pos(), 0);
    // A second Open of an open file warns and changes nothing.
    EXPECT_EQ(f.Open(true), 0);
    EXPECT_EQ(Texts(), (Strings{"Warning: File is still opened"}));
    f.Close();
    EXPECT_TRUE(zFILE_VDFS("\\DATA\\A.BIN").Exists());
    EXPECT_FALSE(zFILE_VDFS("\\DATA\\B.BIN").Exists());
}

TEST_F(FileTest, ReadLineDropsLineEndsAndNulBytesAtAnyLength)
{
    const std::string longLine(3000, 'x');
    box.Write("lines.txt", std::string("one\r\ntwo\n\nth\0ree\r\r\n", 19) + longLine + "\nlast");
    zFILE_VDFS f("\\lines.txt");
    ASSERT_EQ(f.Open(false), 0);
    zSTRING line;
    for (const std::string& expected : Strings{"one", "two", "", "three", longLine}) {
        EXPECT_EQ(f.ReadLine(line), 0);
        EXPECT_EQ(line, expected);
        EXPECT_FALSE(f.Eof());
    }
    // A last line without a line end comes whole, and the end shows at once.
    EXPECT_EQ(f.ReadLine(line), 0);
    EXPECT_EQ(line, "last");
    EXPECT_TRUE(f.Eof());
    EXPECT_EQ(f.ReadLine(line), 1);
    EXPECT_EQ(line, "");

    f.Reset();
    EXPECT_EQ(f.ReadLineContaining("hre"), "three");
    EXPECT_EQ(f.ReadNextLine(), longLine);
    EXPECT_EQ(f.ReadLineContaining("nowhere"), "");
    EXPECT_TRUE(f.Eof());
}

TEST_F(FileTest, FailedOpenIsFatalAndLeavesTheObjectClosed)
{
    const int openBefore = GetOpenFileCount();
    const int buffersBefore = GetWriteBuffersInUse();
    zFILE_VDFS f("\\NOPE.TXT");
    f.SetUseBuffer(1);
    EXPECT_THROW(f.Open(true), zTFatalAbort);
    const Strings lines = Texts();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "Error: zDISK: No such file or directory. (ENOENT) in Open \"" + Full("\\NOPE.TXT") + "\"");
    EXPECT_FALSE(f.IsOpened());
    EXPECT_EQ(GetOpenFileCount(), openBefore);
    EXPECT_EQ(GetWriteBuffersInUse(), buffersBefore);

    // With a handler that lets the job go on, the codes come back.
    g_errorReporter.SetFatalHandler(&IgnoreFatal);
    EXPECT_EQ(f.Open(false), zERR_FILE_NOT_FOUND);
    EXPECT_EQ(zFILE_VDFS("\\NO\\DIR\\X.TXT").Create(), zERR_FILE_NOT_FOUND);
    EXPECT_EQ(GetOpenFileCount(), openBefore);

    host.Clear();
    zFILE_VDFS nameless("\\FOLDER\\");
    EXPECT_EQ(nameless.Open(false), zERR_FILE_NO_NAME);
    EXPECT_EQ(nameless.Create(), zERR_FILE_NO_NAME);
    EXPECT_EQ(Texts(), (Strings{"Warning: There is no file specified to be opened.", "Warning: No Filename specified."}));
}

#ifndef _WIN32
TEST_F(FileTest, DriveLetterPathsAreNotFoundOffWindows)
{
    g_errorReporter.SetFatalHandler(&IgnoreFatal);
    EXPECT_EQ(zFILE_VDFS("C:\\GAME\\A.TXT").Create(), zERR_FILE_NOT_FOUND);
    EXPECT_EQ(Texts()[0], "Error: zDISK: No such file or directory. (ENOENT) in Create \"C:\\GAME\\A.TXT\"");
}
#endif

// A folder the system spells (the start folder: a drive on Windows, '/' first
// elsewhere) stays where it is whatever the root, as the tool's System folder must.
TEST_F(FileTest, AFolderSpelledByTheHostLiesOutsideTheRoot)
{
    FileSandbox tool;
    tool.Write("System/Sys.dsc", "x");
    for (const char* rest : {"\\System\\Sys.dsc", "\\System\\..\\System\\Sys.dsc", "/System/Sys.dsc"}) {
        SCOPED_TRACE(rest);
        zFILE_VDFS file(tool.Root() + rest);
        EXPECT_TRUE(file.Exists());
        ASSERT_EQ(file.Open(false), 0);
        file.Close();
    }
    zFILE_VDFS folder;
    folder.SetDir(tool.Root() + "\\System");
    folder.SetFile("sys.dsc");
    EXPECT_TRUE(folder.Exists());
}

TEST_F(FileTest, ErrorCodesAndReportForm)
{
    struct Case {
        int errorNumber;
        int code;
    };
    const Case cases[] = {
        {EACCES, 5101}, {EEXIST, 5102}, {EINVAL, 5103}, {EBADF, 5104},  {EMFILE, 5105}, {ENOENT, 5106},
        {ENOEXEC, 5107}, {ENOSPC, 5108}, {EXDEV, 5109}, {5110, 5110},   {E2BIG, 5100},  {0, 5100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileErrorCode(c.errorNumber), c.code) << c.errorNumber;

    g_errorReporter.SetFilterLevel(7);
    errno = EACCES;
    EXPECT_EQ(ReportFileError(zFILE_OP_WRITE, "", 1), 5101);
    EXPECT_TRUE(Texts().empty());
    g_errorReporter.SetFilterLevel(8);
    errno = EACCES;
    EXPECT_EQ(ReportFileError(zFILE_OP_WRITE, "", 1), 5101);
    errno = EBADF;
    EXPECT_EQ(ReportFileError(zFILE_OP_CLOSE, "x.d", 3), 5104);
    errno = EXDEV;
    ReportFileError(zFILE_OP_REMOVE_FILE, "y", 2);
    EXPECT_EQ(Texts(), (Strings{
                           "zDISK: Permission denied. (EACCES) in Write",
                           "Error: zDISK: Bad file number. Possibly the file handle is not valid. (EBADF) in Close \"x.d\"",
                           "Warning: zDISK: Cross-device link. An attempt was made to move a file to a different "
                           "device. (EXDEV) in Remove file \"y\"",
                       }));
}

TEST_F(FileTest, ZeroByteWriteWarnsAndWritesNothing)
{
    zFILE_VDFS f("\\z.bin");
    ASSERT_EQ(f.Create(), 0);
    EXPECT_EQ(f.Write("abc", 0), 0);
    EXPECT_EQ(f.Write(zSTRING()), 0);  // an empty text is nothing to warn about
    EXPECT_EQ(f.Size(), 0);
    f.Close();
    EXPECT_EQ(Texts(), (Strings{"Warning: Write: 0 bytes to be written?!"}));
}

TEST_F(FileTest, UnopenedFileReportsAndLeavesTheDiskAlone)
{
    zFILE_VDFS f("\\never.txt");
    char data[4];
    zSTRING line = "old";
    EXPECT_EQ(f.Size(), 0);
    EXPECT_EQ(f.Read(data, 4), 0);
    EXPECT_EQ(f.ReadLine(line), 1);
    EXPECT_EQ(line, "");
    EXPECT_EQ(f.Write("x"), zERR_FILE_BAD_HANDLE);
    EXPECT_TRUE(f.Eof());
    EXPECT_EQ(f.Close(), 0);
    EXPECT_FALSE(box.Exists("never.txt"));
    ASSERT_EQ(Texts().size(), 4u);
    EXPECT_EQ(Texts()[0], "Error: File not open: " + Full("\\never.txt"));
}

TEST_F(FileTest, SeventhBufferedWriterGoesOnUnbuffered)
{
    ASSERT_EQ(GetWriteBuffersInUse(), 0);
    std::vector<std::unique_ptr<zFILE_VDFS>> files;
    for (int i = 0; i < 7; ++i) {
        files.push_back(std::make_unique<zFILE_VDFS>("\\w" + std::to_string(i) + ".txt"));
        files.back()->SetUseBuffer(1);
        ASSERT_EQ(files.back()->Create(), 0);
        EXPECT_EQ(GetWriteBuffersInUse(), std::min(i + 1, 6));
    }
    Strings tooMany;
    for (const std::string& text : Texts()) {
        if (text.find("Too many") != std::string::npos)
            tooMany.push_back(text);
    }
    EXPECT_EQ(tooMany, (Strings{"Warning: Too many files (6) are open."}));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(files[i]->Write("file " + std::to_string(i)), 0);
    for (auto& file : files)
        EXPECT_EQ(file->Close(), 0);
    EXPECT_EQ(GetWriteBuffersInUse(), 0);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(box.Read("w" + std::to_string(i) + ".txt"), "file " + std::to_string(i));
}

TEST_F(FileTest, BufferedWritesKeepPositionsAndSizesRight)
{
    zFILE_VDFS f("\\b.bin");
    f.SetUseBuffer(1);
    ASSERT_EQ(f.Create(), 0);
    f.Write("0123456789");
    EXPECT_EQ(f.Pos(), 10);
    EXPECT_EQ(f.Seek(2), 0);
    f.Write("AB");
    EXPECT_EQ(f.Size(), 10);
    // More than the buffer holds goes through whole.
    const std::string big(150000, 'q');
    f.Seek(10);
    f.Write(zSTRING(big));
    f.Write("end");
    EXPECT_EQ(f.Close(), 0);
    EXPECT_EQ(box.Read("b.bin"), "01AB456789" + big + "end");
}

TEST_F(FileTest, CopyGoesInBlocksOf100000Bytes)
{
    std::string content(250000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i * 7 % 251);
    box.Write("src.bin", content);
    CountingFile source("\\src.bin");
    CountingFile target("\\dst.bin");
    EXPECT_TRUE(source.FileCopy(&target));
    EXPECT_EQ(source.reads, (std::vector<long>{100000, 100000, 50000}));
    EXPECT_EQ(target.writes, (std::vector<long>{100000, 100000, 50000}));
    EXPECT_FALSE(source.IsOpened());
    EXPECT_FALSE(target.IsOpened());
    EXPECT_EQ(box.Read("dst.bin"), content);
}

TEST_F(FileTest, CopyOntoItselfKeepsTheFile)
{
    box.Write("SRC.BIN", "content");
    zFILE_VDFS source("\\SRC.BIN");
    zFILE_VDFS target("\\src.bin");
    EXPECT_TRUE(source.FileCopy(&target));
    EXPECT_EQ(box.Read("SRC.BIN"), "content");
}

TEST_F(FileTest, CopyEndsWhenTheSourceGivesOutEarly)
{
    box.Write("src.bin", std::string(250000, 's'));
    CountingFile source("\\src.bin", 1);
    zFILE_VDFS target("\\dst.bin");
    EXPECT_FALSE(source.FileCopy(&target));
    EXPECT_EQ(source.reads, (std::vector<long>{100000}));
    EXPECT_FALSE(source.IsOpened());
    EXPECT_FALSE(target.IsOpened());
}

TEST_F(FileTest, UpdateReplacesAPartThroughABackup)
{
    box.Write("src.d", "HELLO WORLD!");
    zFILE_VDFS f("\\src.d");
    g_errorReporter.SetFilterLevel(4);
    EXPECT_EQ(f.UpdateThroughBackup(6, "THERE", 5), 0);
    EXPECT_EQ(box.Read("src.d"), "HELLO THERE!");
    EXPECT_EQ(box.Read("src.bak"), "HELLO WORLD!");
    EXPECT_FALSE(f.IsOpened());
    EXPECT_EQ(Texts(), (Strings{"Updating Source (0.013kb)"}));

    // A position past the end appends; nothing is read beyond the backup.
    EXPECT_EQ(f.UpdateThroughBackup(100, " BYE", 3), 0);
    EXPECT_EQ(box.Read("src.d"), "HELLO THERE! BYE");
    EXPECT_EQ(box.Read("src.bak"), "HELLO THERE!");
}

TEST_F(FileTest, MoveRenameAndDelete)
{
    box.Write("a.txt", "A");
    box.Write("b.txt", "B");
    box.MakeDir("OUT/Story");

    zFILE_VDFS a("\\a.txt");
    EXPECT_TRUE(a.FileMove("\\OUT\\"));  // into the folder, under its own name
    EXPECT_EQ(a.GetPath(), "\\OUT\\a.txt");
    EXPECT_EQ(box.Read("OUT/a.txt"), "A");
    EXPECT_TRUE(a.FileMove("\\OUT\\Story\\Renamed.d"));  // and the file object follows
    EXPECT_EQ(a.GetPath(), "\\OUT\\Story\\Renamed.d");
    EXPECT_EQ(box.Read("OUT/Story/Renamed.d"), "A");
    EXPECT_FALSE(a.FileMove("\\MISSING\\"));
    EXPECT_EQ(a.GetPath(), "\\OUT\\Story\\Renamed.d");

    zFILE_VDFS b("\\b.txt");
    zFILE_VDFS onto("\\OUT\\Story\\Renamed.d");
    EXPECT_FALSE(b.FileRename(&onto));  // never over an existing file
    EXPECT_EQ(box.Read("b.txt"), "B");
    EXPECT_EQ(box.Read("OUT/Story/Renamed.d"), "A");

    ASSERT_EQ(b.Open(false), 0);
    EXPECT_TRUE(b.FileDelete());  // closes first
    EXPECT_FALSE(b.IsOpened());
    EXPECT_FALSE(box.Exists("b.txt"));
    EXPECT_FALSE(b.FileDelete());
}

TEST_F(FileTest, DirectoriesAndSearch)
{
    zFILE_VDFS dir("\\NEW\\");
    EXPECT_TRUE(dir.DirCreate());
    EXPECT_FALSE(dir.DirCreate());
    EXPECT_TRUE(zFILE_VDFS("\\NEW\\SUB\\x.txt").DirCreate());
    EXPECT_TRUE(box.Exists("NEW/SUB"));
    EXPECT_FALSE(dir.DirRemove());  // not empty
    EXPECT_TRUE(zFILE_VDFS("\\NEW\\SUB\\").DirRemove());
    EXPECT_TRUE(dir.DirRemove());
    EXPECT_FALSE(box.Exists("NEW"));

    box.Write("ANIMS/Humans/Deep.ASC", "x");
    box.Write("ANIMS/top.asc", "y");
    zFILE_VDFS found;
    EXPECT_EQ(found.SearchFile("C:\\ELSEWHERE\\deep.asc", "\\ANIMS", true), 0);
    EXPECT_EQ(found.GetPath(), "\\ANIMS\\Humans\\Deep.ASC");
    EXPECT_TRUE(found.Exists());
    EXPECT_EQ(found.SearchFile("TOP.ASC", "\\ANIMS\\", false), 0);
    EXPECT_EQ(found.GetPath(), "\\ANIMS\\top.asc");
    EXPECT_EQ(found.SearchFile("deep.asc", "\\ANIMS\\", false), zERR_FILE_NOT_FOUND);
    EXPECT_EQ(found.SearchFile("none.asc", "\\ANIMS\\", true), zERR_FILE_NOT_FOUND);
    EXPECT_EQ(found.GetPath(), "\\ANIMS\\top.asc");
}

TEST_F(FileTest, CurrentDirectoryOfTheLayer)
{
    const std::string processDir = HostGetCurrentDir();
    zFILE_VDFS("\\ANIMS\\X.MDL").SetCurrentDir();
    EXPECT_EQ(g_currentDirectory, "\\ANIMS\\");
    zFILE_VDFS("Humans\\Y.MDL").SetCurrentDir();
    EXPECT_EQ(g_currentDirectory, "\\ANIMS\\Humans\\");
    zFILE_VDFS("C:\\OTHER\\Z.MDL").SetCurrentDir();
    EXPECT_EQ(g_currentDirectory, "\\ANIMS\\Humans\\");
    EXPECT_EQ(HostGetCurrentDir(), processDir);

    box.Write("ANIMS/Humans/Y.MDL", "y");
    zFILE_VDFS y("Y.MDL");
    EXPECT_TRUE(y.Exists());
}

TEST_F(FileTest, StatsGiveSizeAndLocalDate)
{
    box.Write("s.txt", std::string(123, 's'));
    zTFileStats stats;
    ASSERT_EQ(zFILE_VDFS("\\s.txt").GetStats(stats), 0);
    EXPECT_EQ(stats.size, 123);
    std::tm now{};
    ASSERT_TRUE(HostLocalTime(std::time(nullptr), now));
    EXPECT_EQ(stats.modifyDate.year, static_cast<unsigned>(now.tm_year + 1900));
    EXPECT_GE(stats.modifyDate.month, 1);
    EXPECT_LE(stats.modifyDate.month, 12);
    EXPECT_GE(stats.modifyDate.day, 1);
    EXPECT_EQ(zFILE_VDFS("\\none.txt").GetStats(stats), zERR_FILE_NOT_FOUND);
    EXPECT_EQ(Texts(), (Strings{"Warning: zDISK: No such file or directory. (ENOENT) in Read \"" +
                                Full("\\none.txt") + "\""}));
}

TEST_F(FileTest, ShutDownWarnsAboutFilesStillOpen)
{
    g_errorReporter.SetFilterLevel(3);
    EXPECT_TRUE(InitFileSystem());
    EXPECT_TRUE(IsFileSystemInitialised());
    zFILE_VDFS f("\\open.txt");
    ASSERT_EQ(f.Create(), 0);
    DeinitFileSystem();
    EXPECT_FALSE(IsFileSystemInitialised());
    f.Close();
    DeinitFileSystem();
    EXPECT_EQ(Texts(), (Strings{"Initialize file system", "Warning: 1 files are still open!"}));
}

} // namespace
