// The archiver factory: the archive header written and read, and the archiver it names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstdio>

#include "ArchiverFixture.h"
#include "zCArchiverBinSafe.h"

namespace {

using Strings = std::vector<std::string>;

const char* const kEnd = "END\n";

class ArchiverHeaderTest : public ArchiverFixture {
protected:
    // The header WriteHeader gives for a BIN_SAFE archiver.
    std::string WrittenHeader(int mode, int saveGame, int flags)
    {
        ArchiverHold archiver(zCArchiverFactory::CreateArchiverByMode(zARC_MODE_BIN_SAFE));
        {
            zFILE_VDFS file("\\head.txt");
            EXPECT_EQ(file.Create(), 0);
            zCArchiverFactory::WriteHeader(archiver.get(), mode, saveGame, flags, nullptr, &file);
            file.Close();
        }
        return box.Read("head.txt");
    }

    struct ReadResult {
        bool completed = false;
        std::string archiverClass;  // empty without an archiver
        int mode = -1;
        int saveGame = -1;
        std::string rest;  // the line the header left in place
    };

    ReadResult ReadBack(const std::string& content)
    {
        box.Write("read.txt", content);
        auto file = OpenForReading("read.txt");
        ReadResult result;
        zCArchiver* archiver = nullptr;
        result.completed = RunJob([&] {
            zCArchiverFactory::ReadHeader(0, nullptr, file.get(), archiver, result.mode, result.saveGame);
        });
        if (archiver) {
            result.archiverClass = archiver->GetClassDef()->GetClassName();
            archiver->Release();
        }
        zSTRING line;
        file->ReadLine(line);
        result.rest = line;
        return result;
    }
};

TEST_F(ArchiverHeaderTest, NoDateFlagGivesExactlyMagicVersionClassModeSaveGameEnd)
{
    struct Case {
        int mode;
        int saveGame;
        const char* modeLine;
        const char* saveGameLine;
    };
    const Case cases[] = {
        {zARC_MODE_BINARY, 0, "BINARY", "saveGame 0"},
        {zARC_MODE_ASCII, 1, "ASCII", "saveGame 1"},
        {zARC_MODE_ASCII_PROPS, 0, "ASCII_PROPS", "saveGame 0"},
        {zARC_MODE_BIN_SAFE, -5, "BIN_SAFE", "saveGame 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.modeLine);
        EXPECT_EQ(WrittenHeader(c.mode, c.saveGame, zARC_FLAG_NO_DATE),
                  std::string("Tolvan Archive\nver 1\nzCArchiverBinSafe\n") + c.modeLine + "\n" + c.saveGameLine +
                      "\n" + kEnd);
    }
    EXPECT_EQ(Texts(), Strings{});
}

TEST_F(ArchiverHeaderTest, DateLineHasNoLeadingZerosAndUserFollows)
{
    EXPECT_EQ(WrittenHeader(zARC_MODE_BINARY, 0, 2),
              "Tolvan Archive\nver 1\nzCArchiverBinSafe\nBINARY\nsaveGame 0\n"
              "date 3.2.2006 9:7:5\nuser tester\nEND\n");
}

TEST_F(ArchiverHeaderTest, UserLineOnlyForANameTheSystemCouldGive)
{
    struct Case {
        bool hasUser;
        std::string user;
        bool written;
    };
    const Case cases[] = {
        {true, "Anna Berg", true},
        {true, std::string(199, 'u'), true},
        {false, "tester", false},
        {true, "", false},
        {true, std::string(200, 'u'), false},  // does not fit the 200-character buffer
        {true, "eve\nEND", false},             // would end the header early
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        stamp.hasUser = c.hasUser;
        stamp.user = c.user;
        const std::string expected = "saveGame 0\ndate 3.2.2006 9:7:5\n" + (c.written ? "user " + c.user + "\n" : "") +
                                     kEnd;
        const std::string header = WrittenHeader(zARC_MODE_BINARY, 0, 0);
        EXPECT_EQ(header.substr(header.find("saveGame")), expected);
    }
}

TEST_F(ArchiverHeaderTest, DefaultSourceGivesTheLocalTimeAndTheEnvironmentsUser)
{
    zSetArchiveStampSource(nullptr);
    const std::string header = WrittenHeader(zARC_MODE_BINARY, 0, 0);
#ifdef _WIN32
    const char* user = std::getenv("USERNAME");
#else
    const char* user = std::getenv("USER");
#endif
    const std::string userLine = user && *user ? std::string("user ") + user + "\n" : "";
    const std::string front = "Tolvan Archive\nver 1\nzCArchiverBinSafe\nBINARY\nsaveGame 0\ndate ";
    ASSERT_EQ(header.substr(0, front.size()), front);
    const std::size_t dateEnd = header.find('\n', front.size());
    ASSERT_NE(dateEnd, std::string::npos);
    EXPECT_EQ(header.substr(dateEnd + 1), userLine + kEnd);
    int d = 0, m = 0, y = 0, h = 0, min = 0, s = 0;
    const std::string date = header.substr(front.size(), dateEnd - front.size());
    ASSERT_EQ(std::sscanf(date.c_str(), "%d.%d.%d %d:%d:%d", &d, &m, &y, &h, &min, &s), 6) << date;
    const std::string again = std::to_string(d) + "." + std::to_string(m) + "." + std::to_string(y) + " " +
                              std::to_string(h) + ":" + std::to_string(min) + ":" + std::to_string(s);
    EXPECT_EQ(date, again);  // no leading zeros
    EXPECT_TRUE(d >= 1 && d <= 31 && m >= 1 && m <= 12 && y >= 2000 && h < 24 && min < 60 && s <= 60) << date;
}

TEST_F(ArchiverHeaderTest, ReadingTakesModeAndSaveGameAndIgnoresOtherKeys)
{
    struct Case {
        const char* content;
        const char* archiverClass;
        int mode;
        int saveGame;
    };
    const Case cases[] = {
        {"Tolvan Archive\nver 1\nzCArchiverBinSafe\nBIN_SAFE\nsaveGame 1\ndate 3.2.2006 9:7:5\nuser x\nEND\nrest",
         "zCArchiverBinSafe", 3, 1},
        {"Tolvan Archive\nver 1\nzCArchiverBinSafe\nASCII_PROPS\nfoo bar\nsaveGame 17\ndate\nEND\nrest",
         "zCArchiverBinSafe", 2, 17},
        {"Tolvan Archive\r\nversion 1\r\nzCArchiverBinSafe\r\nASCII\r\nsaveGame -3\r\nEND\r\nrest",
         "zCArchiverBinSafe", 1, -3},
        // A header cut short ends at the end of the file.
        {"Tolvan Archive\nver 1\nzCArchiverBinSafe\nBINARY\nsaveGame 1\n", "zCArchiverBinSafe", 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        const ReadResult result = ReadBack(c.content);
        EXPECT_TRUE(result.completed);
        EXPECT_EQ(result.archiverClass, c.archiverClass);
        EXPECT_EQ(result.mode, c.mode);
        EXPECT_EQ(result.saveGame, c.saveGame);
        if (std::string(c.content).find("rest") != std::string::npos) {
            EXPECT_EQ(result.rest, "rest");
        }
    }
    EXPECT_EQ(Texts(), Strings{});
}

TEST_F(ArchiverHeaderTest, FaultsEndTheJobWithoutAnArchiver)
{
    struct Case {
        std::string content;
        const char* message;
    };
    const Case cases[] = {
        {"", "Error: zARC: File ist not a Tolvan Archive"},
        {"Tolvan archive\nver 1\n", "Error: zARC: File ist not a Tolvan Archive"},
        {"Tolvan Archive\nver 1\nzCNoSuchArchiver\nBINARY\nEND\n", "Error: zARC: Could not create specified archiver"},
        // Registered, but no archiver: never used as one.
        {"Tolvan Archive\nver 1\nzCObjectFactory\nBINARY\nEND\n", "Error: zARC: Could not create specified archiver"},
        {"Tolvan Archive\nver 1\nzCArchiver\nBINARY\nEND\n", "Error: zARC: Could not create specified archiver"},
        {"Tolvan Archive\nver 1\nzCArchiverBinSafe\nbinary\nEND\n", "Error: zARC: Unknown arcMode"},
        {"Tolvan Archive\nver 1\nzCArchiverBinSafe\n\nEND\n", "Error: zARC: Unknown arcMode"},
    };
    const int factoriesBefore = zCObjectFactory::classDef.GetNumLivingObjects();
    const int binSafeBefore = zCArchiverBinSafe::classDef.GetNumLivingObjects();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        host.Clear();
        const ReadResult result = ReadBack(c.content);
        EXPECT_FALSE(result.completed);
        EXPECT_EQ(result.archiverClass, "");
        EXPECT_EQ(result.mode, 0);
        EXPECT_EQ(result.saveGame, 0);
        ASSERT_FALSE(Texts().empty());
        EXPECT_EQ(Texts().front(), c.message);
    }
    EXPECT_EQ(zCObjectFactory::classDef.GetNumLivingObjects(), factoriesBefore);
    EXPECT_EQ(zCArchiverBinSafe::classDef.GetNumLivingObjects(), binSafeBefore);
}

TEST_F(ArchiverHeaderTest, VersionZeroHasNoClassLineAndLeavesTheObjectsLine)
{
    const ReadResult result = ReadBack("Tolvan Archive\nver 0\nBINARY\nsaveGame 1\nobjects 3        \nEND\n");
    if (!zCClassDef::GetClassDef("zCArchiverGeneric")) {
        // The factory asked the registry for the generic archiver, which is not built in yet.
        EXPECT_FALSE(result.completed);
        EXPECT_EQ(Texts().front(), "Error: zARC: Could not create specified archiver");
        GTEST_SKIP() << "zCArchiverGeneric is not registered";
    }
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.archiverClass, "zCArchiverGeneric");
    EXPECT_EQ(result.mode, 0);
    EXPECT_EQ(result.saveGame, 1);
    EXPECT_EQ(result.rest, "objects 3        ");
}

TEST_F(ArchiverHeaderTest, ModeWithoutANameIsRefusedWhenWriting)
{
    for (const int mode : {-1, 4}) {
        host.Clear();
        zCArchiver* archiver = nullptr;
        EXPECT_FALSE(RunJob([&] { archiver = g_archiverFactory.CreateArchiverWriteByName("\\bad.bin", mode, 0, 3); }));
        EXPECT_EQ(archiver, nullptr);
        EXPECT_EQ(Texts().front(), "Error: zARC: Unknown arcMode");
    }
}

TEST_F(ArchiverHeaderTest, FileThatCannotBeCreatedGivesNoArchiver)
{
    g_errorReporter.SetFatalHandler([] {});
    EXPECT_EQ(g_archiverFactory.CreateArchiverWriteByName("\\NO\\DIR\\X.BIN", zARC_MODE_BIN_SAFE, 0, 2), nullptr);
}

TEST_F(ArchiverHeaderTest, WrittenArchiveReadsBackWithItsModeAndSaveGame)
{
    {
        ArchiverHold archiver(g_archiverFactory.CreateArchiverWriteByName("\\a.bin", zARC_MODE_BIN_SAFE, 1, 2));
        ASSERT_NE(archiver.get(), nullptr);
        EXPECT_EQ(archiver->GetClassDef(), &zCArchiverBinSafe::classDef);
    }
    auto file = OpenForReading("a.bin");
    ArchiverHold archiver(g_archiverFactory.CreateArchiverRead(file.get(), 2));
    ASSERT_NE(archiver.get(), nullptr);
    EXPECT_EQ(archiver->GetClassDef(), &zCArchiverBinSafe::classDef);
    EXPECT_EQ(archiver->InSaveGame(), 1);
    EXPECT_EQ(archiver->GetIsProperties(), 0);
}

} // namespace
