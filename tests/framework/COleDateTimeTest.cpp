// Dates: calendar arithmetic both ways, limits, rounding, order, text and the stored form.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>
#include <vector>

#include "CArchive.h"
#include "CMemFile.h"
#include "COleDateTime.h"

namespace {

std::vector<BYTE> Stored(const COleDateTime& dt)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << dt;
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

COleDateTime Loaded(std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    COleDateTime dt(1.0);
    ar >> dt;
    return dt;
}

TEST(COleDateTimeCalendar, FieldsAndSerialAgreeBothWays)
{
    const struct {
        int year, month, day, hour, minute, second;
        DATE serial;
        int dayOfWeek, dayOfYear;
    } cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0, 7, 364},
        {1899, 12, 31, 0, 0, 0, 1.0, 1, 365},
        {1900, 1, 1, 0, 0, 0, 2.0, 2, 1},
        {1900, 3, 1, 0, 0, 0, 61.0, 5, 60},
        {1899, 12, 30, 6, 0, 0, 0.25, 7, 364},
        // Before day 0 the fraction still counts forward from midnight.
        {1899, 12, 29, 6, 0, 0, -1.25, 6, 363},
        {1899, 12, 29, 0, 0, 0, -1.0, 6, 363},
        {1752, 9, 14, 18, 0, 0, -53797.75, 5, 258},
        {2000, 2, 29, 12, 0, 0, 36585.5, 3, 60},
        {2024, 12, 31, 0, 0, 0, 45657.0, 3, 366},
        {100, 1, 1, 0, 0, 0, -657434.0, 6, 1},
        {9999, 12, 31, 23, 59, 59, 2958465.0 + 86399.0 / 86400.0, 6, 365},
    };
    for (const auto& c : cases) {
        const COleDateTime made(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(made.GetStatus(), COleDateTime::valid) << c.serial;
        EXPECT_DOUBLE_EQ(made.m_dt, c.serial);

        const COleDateTime read(c.serial);
        EXPECT_EQ(read.GetStatus(), COleDateTime::valid) << c.serial;
        EXPECT_EQ(read.GetYear(), c.year) << c.serial;
        EXPECT_EQ(read.GetMonth(), c.month) << c.serial;
        EXPECT_EQ(read.GetDay(), c.day) << c.serial;
        EXPECT_EQ(read.GetHour(), c.hour) << c.serial;
        EXPECT_EQ(read.GetMinute(), c.minute) << c.serial;
        EXPECT_EQ(read.GetSecond(), c.second) << c.serial;
        EXPECT_EQ(read.GetDayOfWeek(), c.dayOfWeek) << c.serial;
        EXPECT_EQ(read.GetDayOfYear(), c.dayOfYear) << c.serial;
    }
}

TEST(COleDateTimeCalendar, OutOfRangeFieldsAreInvalid)
{
    const struct {
        int year, month, day, hour, minute, second;
    } bad[] = {
        {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0}, {2000, 0, 1, 0, 0, 0},  {2000, 13, 1, 0, 0, 0},
        {2000, 1, 0, 0, 0, 0},  {2000, 4, 31, 0, 0, 0}, {2001, 2, 29, 0, 0, 0},  {1900, 2, 29, 0, 0, 0},
        {2000, 2, 30, 0, 0, 0}, {2000, 1, 1, 24, 0, 0}, {2000, 1, 1, 0, 60, 0},  {2000, 1, 1, 0, 0, 60},
        {2000, 1, 1, -1, 0, 0}, {2000, 1, 1, 0, -1, 0}, {2000, 1, 1, 0, 0, -1},
    };
    for (const auto& b : bad) {
        COleDateTime dt(36526.0);
        EXPECT_EQ(dt.SetDateTime(b.year, b.month, b.day, b.hour, b.minute, b.second), 1)
            << b.year << '-' << b.month << '-' << b.day << ' ' << b.hour << ':' << b.minute << ':' << b.second;
        EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(dt.GetYear(), -1);
        EXPECT_EQ(dt.GetDayOfWeek(), -1);
        EXPECT_EQ(COleDateTime(b.year, b.month, b.day, b.hour, b.minute, b.second).GetStatus(),
                  COleDateTime::invalid);
    }
    COleDateTime dt;
    EXPECT_EQ(dt.SetDate(2000, 2, 29), 0);
    EXPECT_DOUBLE_EQ(dt.m_dt, 36585.0);
    EXPECT_EQ(dt.SetTime(6, 0, 0), 0);
    EXPECT_DOUBLE_EQ(dt.m_dt, 0.25);
    EXPECT_EQ(dt.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(dt.SetTime(6, 60, 0), 1);
    EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
}

TEST(COleDateTimeCalendar, SerialsOutsideTheYearsAreInvalid)
{
    const DATE bad[] = {-657435.0, -700000.0, 2958466.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        // Rounds up into the year 10000.
                        2958465.0 + 86399.9 / 86400.0};
    for (DATE serial : bad) {
        const COleDateTime dt(serial);
        EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid) << serial;
        EXPECT_EQ(dt.GetMonth(), -1) << serial;
        EXPECT_STREQ(dt.Format("%Y"), "Invalid DateTime") << serial;
    }
    // Noon of the first day still lies in the year 100.
    const COleDateTime first(-657434.5);
    EXPECT_EQ(first.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(first.GetYear(), 100);
    EXPECT_EQ(first.GetHour(), 12);

    // Forcing the status does not make a broken-down out-of-range value readable.
    COleDateTime forced(5e6);
    forced.SetStatus(COleDateTime::valid);
    EXPECT_EQ(forced.GetYear(), -1);
    EXPECT_STREQ(forced.Format("%Y"), "Invalid DateTime");
}

TEST(COleDateTimeCalendar, TimeRoundsToTheNearestSecond)
{
    const struct {
        DATE serial;
        int year, month, day, hour, minute, second;
    } cases[] = {
        {10.0 * 3600 / 86400, 1899, 12, 30, 10, 0, 0},
        {1.0 / 3.0, 1899, 12, 30, 8, 0, 0},
        {2.0 + 59.6 / 86400, 1900, 1, 1, 0, 1, 0},
        {2.0 + 59.4 / 86400, 1900, 1, 1, 0, 0, 59},
        // Close to midnight the carry reaches the next day, forward in time also for negative days.
        {2.0 + 86399.6 / 86400, 1900, 1, 2, 0, 0, 0},
        {-1.0 - 86399.6 / 86400, 1899, 12, 30, 0, 0, 0},
        {-2.0 - 86399.6 / 86400, 1899, 12, 29, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const COleDateTime dt(c.serial);
        const int got[] = {dt.GetYear(), dt.GetMonth(), dt.GetDay(), dt.GetHour(), dt.GetMinute(), dt.GetSecond()};
        const int want[] = {c.year, c.month, c.day, c.hour, c.minute, c.second};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(got[i], want[i]) << c.serial << " field " << i;
    }
    EXPECT_EQ(COleDateTime(-1.0 - 86399.6 / 86400).GetDayOfWeek(), 7);
}

TEST(COleDateTimeOrder, ComparesMomentsAlsoBeforeDayZero)
{
    const COleDateTime dec29Midnight(-1.0);
    const COleDateTime dec29Morning(-1.25);
    const COleDateTime dec29Evening(-1.75);
    const COleDateTime dec30Noon(0.5);
    EXPECT_TRUE(dec29Midnight < dec29Morning);
    EXPECT_TRUE(dec29Morning < dec29Evening);
    EXPECT_TRUE(dec29Evening < dec30Noon);
    EXPECT_TRUE(dec30Noon > dec29Evening);
    EXPECT_TRUE(dec29Morning >= dec29Midnight);
    EXPECT_TRUE(dec29Midnight <= dec29Morning);
    EXPECT_FALSE(dec29Morning <= dec29Midnight);
    EXPECT_TRUE(dec29Morning != dec29Evening);
    // A fraction of day 0 written with a minus sign is the same moment.
    EXPECT_TRUE(COleDateTime(-0.25) == COleDateTime(0.25));
    EXPECT_TRUE(COleDateTime(36526.5) == COleDateTime(2000, 1, 1, 12, 0, 0));
    EXPECT_DOUBLE_EQ(static_cast<DATE>(dec29Morning), -1.25);
}

TEST(COleDateTimeText, FormatsByTable)
{
    const COleDateTime leap(2000, 2, 29, 7, 5, 9);
    const struct {
        const char* format;
        const char* expected;
    } cases[] = {
        {"%Y-%m-%d %H:%M:%S", "2000-02-29 07:05:09"},
        {"%y/%j %%", "00/060 %"},
        {"%A %d %B", "Tuesday 29 February"},
        {"%a %b", "Tue Feb"},
        {"at %q or %E", "at %q or %E"},
        {"ends with %", "ends with %"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(leap.Format(c.format), c.expected) << c.format;
    EXPECT_STREQ(COleDateTime(100, 1, 1, 0, 0, 0).Format("%Y %y"), "0100 00");
    EXPECT_STREQ(leap.Format(nullptr), "");

    COleDateTime dt(leap);
    dt.SetStatus(COleDateTime::invalid);
    EXPECT_STREQ(dt.Format("%Y"), "Invalid DateTime");
    dt.SetStatus(COleDateTime::null);
    EXPECT_STREQ(dt.Format("%Y"), "");
}

TEST(COleDateTimeText, CurrentTimeIsTheLocalTime)
{
    const std::time_t before = std::time(nullptr);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    const std::time_t after = std::time(nullptr);
    ASSERT_EQ(now.GetStatus(), COleDateTime::valid);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &before);
#else
    localtime_r(&before, &local);
#endif
    const COleDateTime expected(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                local.tm_sec);
    EXPECT_GE(now, expected);
    EXPECT_LE(now.m_dt - expected.m_dt, static_cast<double>(after - before + 1) / 86400.0);
}

TEST(COleDateTimeArchive, GoldenBytesAndRoundTrip)
{
    EXPECT_EQ(Stored(COleDateTime(2000, 1, 1, 12, 0, 0)),
              (std::vector<BYTE>{0, 0, 0, 0, 0x00, 0x00, 0x00, 0x00, 0xd0, 0xd5, 0xe1, 0x40}));
    COleDateTime null(-1.25);
    null.SetStatus(COleDateTime::null);
    const std::vector<BYTE> nullBytes{2, 0, 0, 0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xf4, 0xbf};
    EXPECT_EQ(Stored(null), nullBytes);

    const COleDateTime back = Loaded(nullBytes);
    EXPECT_EQ(back.GetStatus(), COleDateTime::null);
    EXPECT_DOUBLE_EQ(back.m_dt, -1.25);
    // An out-of-range value is kept as stored.
    const COleDateTime odd = Loaded(Stored(COleDateTime(5e6)));
    EXPECT_EQ(odd.GetStatus(), COleDateTime::invalid);
    EXPECT_DOUBLE_EQ(odd.m_dt, 5e6);
}

TEST(COleDateTimeArchive, DamagedInputThrowsAndLeavesTheDate)
{
    const struct {
        std::vector<BYTE> bytes;
        int cause;
    } cases[] = {
        {{3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xf0, 0x3f}, CArchiveException::badIndex},
        {{0xff, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0, 0, 0xf0, 0x3f}, CArchiveException::badIndex},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xf0}, CArchiveException::endOfFile},
        {{}, CArchiveException::endOfFile},
    };
    for (const auto& c : cases) {
        std::vector<BYTE> bytes = c.bytes;
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        COleDateTime dt(2.5);
        try {
            ar >> dt;
            ADD_FAILURE() << "no exception for " << bytes.size() << " bytes";
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, c.cause) << bytes.size() << " bytes";
            e->Delete();
        }
        EXPECT_DOUBLE_EQ(dt.m_dt, 2.5);
        EXPECT_EQ(dt.GetStatus(), COleDateTime::valid);
    }
}

#ifdef _WIN32
TEST(COleDateTimeVariant, TakesTheDateOutOfAVariant)
{
    VARIANT var;
    VariantInit(&var);
    var.vt = VT_DATE;
    var.date = 36585.5;
    const COleDateTime dt(var);
    EXPECT_EQ(dt.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(dt.GetDay(), 29);
    EXPECT_EQ(dt.GetHour(), 12);
    var.vt = VT_NULL;
    EXPECT_EQ(COleDateTime(var).GetStatus(), COleDateTime::null);
    var.vt = VT_I4;
    var.lVal = 5;
    EXPECT_EQ(COleDateTime(var).GetStatus(), COleDateTime::invalid);
}
#endif

} // namespace
