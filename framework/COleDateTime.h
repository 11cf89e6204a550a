// A point in time as the automation date: days since 30 December 1899 at midnight,
// the fraction the time of day. For negative values the fraction still counts forward
// from that day's midnight: -1.25 is 29 December 1899 06:00.
#pragma once

#include <cstddef>
#include <cstdint>

#include "CString.h"
#include "WinTypes.h"

#ifdef _WIN32
#include <oaidl.h>
#endif

class CArchive;

class COleDateTime {
public:
    enum DateTimeStatus : std::int32_t { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    // A value outside the years 100..9999 (or not a number) is kept but marked invalid.
    COleDateTime(DATE dt);
    // Invalid when a field is out of range: years 100..9999, month 1..12, the day
    // within the month, hour < 24, minute < 60, second < 60.
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
#ifdef _WIN32
    // A VT_DATE variant gives its date, VT_NULL a null date, any other type an invalid one.
    explicit COleDateTime(const VARIANT& var);
#endif

    // 0 when the fields were valid, else 1 (and the status becomes invalid).
    // SetDate sets midnight; SetTime sets the time on 30 December 1899.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day);
    int SetTime(int hour, int minute, int second);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // The time of day is rounded to the nearest second. Each returns -1 when the
    // date is not valid or lies outside the years 100..9999.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday
    int GetDayOfYear() const;  // 1 = 1 January

    // By the moment in time, so negative dates order correctly; the status is not compared.
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const;
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const;
    bool operator<=(const COleDateTime& other) const;
    bool operator>=(const COleDateTime& other) const;

    operator DATE() const { return m_dt; }

    // The local time, to the second.
    static COleDateTime GetCurrentTime();

    // strftime conversions; %Y (at least four digits) %m %d %H %M %S %y %j %% do not depend
    // on the locale, and conversions the C runtimes do not share stay as written.
    // An invalid date gives "Invalid DateTime", a null one "".
    CString Format(const char* format) const;

    // Callers copy the first 12 bytes: keep these two members first and in this order.
    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;
};

static_assert(sizeof(DATE) == 8, "DATE is a double");
static_assert(sizeof(COleDateTime::DateTimeStatus) == 4, "the status is 32-bit");
static_assert(offsetof(COleDateTime, m_dt) == 0, "m_dt comes first");
static_assert(offsetof(COleDateTime, m_status) == 8, "m_status follows m_dt");

// Stored as the status (32-bit), then the date (64-bit double), little-endian.
// Loading a status other than valid/invalid/null throws CArchiveException(badIndex).
CArchive& operator<<(CArchive& ar, const COleDateTime& dt);
CArchive& operator>>(CArchive& ar, COleDateTime& dt);
