// Automation dates: calendar arithmetic, formatting and parsing.
#include "COleDateTime.h"

#include <cmath>
#include <ctime>
#include <string>

#include "CArchive.h"

namespace {

const long long kSecondsPerDay = 86400;
// 1 January 100 and the day after 31 December 9999, as day numbers.
const double kFirstDay = -657434.0;
const double kEndDay = 2958466.0;
// Day number of 1 January 1970 counted from 30 December 1899.
const long long kUnixEpochDay = 25569;

// Days since 1 January 1970 of a date in the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool ValidDate(int year, int month, int day)
{
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool ValidTime(int hour, int minute, int second)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

DATE MakeDate(int year, int month, int day, int hour, int minute, int second)
{
    const long long dayNumber = DaysFromCivil(year, month, day) + kUnixEpochDay;
    const double fraction = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
    // Before 30 December 1899 the fraction still counts forward, so it carries the day's sign.
    return dayNumber >= 0 ? static_cast<double>(dayNumber) + fraction : static_cast<double>(dayNumber) - fraction;
}

struct Parts {
    int year, month, day, hour, minute, second;
    int dayOfWeek, dayOfYear;
};

bool BreakDown(DATE dt, Parts& p)
{
    if (!(dt > kFirstDay - 1.0 && dt < kEndDay))  // also rejects NaN
        return false;
    const double whole = std::trunc(dt);
    long long dayNumber = static_cast<long long>(whole);
    long long seconds = std::llround(std::fabs(dt - whole) * kSecondsPerDay);
    // Rounding may reach the next midnight; that day always lies forward in time.
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++dayNumber;
    }
    CivilFromDays(dayNumber - kUnixEpochDay, p.year, p.month, p.day);
    if (p.year < 100 || p.year > 9999)
        return false;
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>(seconds / 60 % 60);
    p.second = static_cast<int>(seconds % 60);
    // Day 0 was a Saturday.
    p.dayOfWeek = static_cast<int>(((dayNumber % 7) + 7 + 6) % 7) + 1;
    p.dayOfYear = static_cast<int>(DaysFromCivil(p.year, p.month, p.day) - DaysFromCivil(p.year, 1, 1)) + 1;
    return true;
}

// The moment as a plain number: a negative date's fraction points forward.
double Linear(DATE dt)
{
    const double whole = std::trunc(dt);
    return whole + std::fabs(dt - whole);
}

void AppendNumber(std::string& out, int value, int width)
{
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        out.append(static_cast<size_t>(width) - digits.size(), '0');
    out += digits;
}

// Conversions both C runtimes accept; others would trip the Windows runtime's parameter check.
bool PassedToStrftime(char conversion)
{
    static const char kSafe[] = "aAbBcdHIjmMpSUwWxXyYZ";
    for (const char* c = kSafe; *c; ++c) {
        if (*c == conversion)
            return true;
    }
    return false;
}

} // namespace

COleDateTime::COleDateTime(DATE dt) : m_dt(dt)
{
    Parts parts;
    m_status = BreakDown(dt, parts) ? valid : invalid;
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

#ifdef _WIN32
COleDateTime::COleDateTime(const VARIANT& var)
{
    if (var.vt == VT_DATE) {
        *this = COleDateTime(var.date);
    } else {
        m_dt = 0.0;
        m_status = var.vt == VT_NULL ? null : invalid;
    }
}
#endif

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (!ValidDate(year, month, day) || !ValidTime(hour, minute, second)) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    m_dt = MakeDate(year, month, day, hour, minute, second);
    m_status = valid;
    return 0;
}

int COleDateTime::SetDate(int year, int month, int day)
{
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetTime(int hour, int minute, int second)
{
    return SetDateTime(1899, 12, 30, hour, minute, second);
}

int COleDateTime::GetYear() const
{
    Parts p;
    return m_status == valid && BreakDown(m_dt, p) ? p.year : -1;
}

int COleDateTime::GetMonth() const
{
    Parts p;
    return m_status == valid && BreakDown(m_dt, p) ? p.month : -1;
}

int COleDateTime::GetDay() const
{
    Parts p;
    return m_status == valid && BreakDown(m_dt, p) ? p.day : -1;
}

int COleDateTime::GetHour() const
{
    Parts p;
    return m_status == valid && BreakDown(m_dt, p) ? p.hour : -1;
}

int COleDateTime::GetMinute() const
{
    Parts p;
    return m_status == valid && BreakDown(m_dt, p) ? p.minute : -1;
}

int COleDateTime::GetSecond() const
{
    Parts p;
    return m_status == valid && BreakDown(m_dt, p) ? p.second : -1;
}

int COleDateTime::GetDayOfWeek() const
{
    Parts p;
    return m_status == valid && BreakDown(m_dt, p) ? p.dayOfWeek : -1;
}

int COleDateTime::GetDayOfYear() const
{
    Parts p;
    return m_status == valid && BreakDown(m_dt, p) ? p.dayOfYear : -1;
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return Linear(m_dt) == Linear(other.m_dt);
}

bool COleDateTime::operator!=(const COleDateTime& other) const
{
    return !(*this == other);
}

bool COleDateTime::operator<(const COleDateTime& other) const
{
    return Linear(m_dt) < Linear(other.m_dt);
}

bool COleDateTime::operator>(const COleDateTime& other) const
{
    return Linear(m_dt) > Linear(other.m_dt);
}

bool COleDateTime::operator<=(const COleDateTime& other) const
{
    return Linear(m_dt) <= Linear(other.m_dt);
}

bool COleDateTime::operator>=(const COleDateTime& other) const
{
    return Linear(m_dt) >= Linear(other.m_dt);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    const bool ok = localtime_s(&local, &now) == 0;
#else
    const bool ok = localtime_r(&now, &local) != nullptr;
#endif
    COleDateTime result;
    if (!ok) {
        result.m_status = invalid;
        return result;
    }
    // A leap second reads as the last second of its minute.
    result.SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                       local.tm_sec > 59 ? 59 : local.tm_sec);
    return result;
}

CString COleDateTime::Format(const char* format) const
{
    if (m_status == null)
        return CString();
    Parts p;
    if (m_status != valid || !BreakDown(m_dt, p))
        return CString("Invalid DateTime");
    if (!format)
        return CString();

    std::tm tm{};
    tm.tm_year = p.year - 1900;
    tm.tm_mon = p.month - 1;
    tm.tm_mday = p.day;
    tm.tm_hour = p.hour;
    tm.tm_min = p.minute;
    tm.tm_sec = p.second;
    tm.tm_wday = p.dayOfWeek - 1;
    tm.tm_yday = p.dayOfYear - 1;
    tm.tm_isdst = 0;

    std::string out;
    for (const char* c = format; *c; ++c) {
        if (*c != '%') {
            out += *c;
            continue;
        }
        const char conversion = c[1];
        if (conversion == '\0') {
            out += '%';
            break;
        }
        ++c;
        switch (conversion) {
        case 'Y': AppendNumber(out, p.year, 4); break;
        case 'm': AppendNumber(out, p.month, 2); break;
        case 'd': AppendNumber(out, p.day, 2); break;
        case 'H': AppendNumber(out, p.hour, 2); break;
        case 'M': AppendNumber(out, p.minute, 2); break;
        case 'S': AppendNumber(out, p.second, 2); break;
        case 'y': AppendNumber(out, p.year % 100, 2); break;
        case 'j': AppendNumber(out, p.dayOfYear, 3); break;
        case '%': out += '%'; break;
        default:
            if (PassedToStrftime(conversion)) {
                const char single[] = {'%', conversion, '\0'};
                char buffer[256];
                const size_t length = std::strftime(buffer, sizeof buffer, single, &tm);
                out.append(buffer, length);
            } else {
                // Unknown conversions stay as written.
                out += '%';
                out += conversion;
            }
            break;
        }
    }
    return CString(out.data(), static_cast<int>(out.size()));
}

CArchive& operator<<(CArchive& ar, const COleDateTime& dt)
{
    ar << static_cast<LONG>(dt.m_status);
    ar << static_cast<double>(dt.m_dt);
    return ar;
}

CArchive& operator>>(CArchive& ar, COleDateTime& dt)
{
    LONG status = 0;
    double value = 0.0;
    ar >> status;
    ar >> value;
    if (status != COleDateTime::valid && status != COleDateTime::invalid && status != COleDateTime::null)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    // Kept as stored: a valid status over an out-of-range date still breaks down to -1.
    dt.m_dt = value;
    dt.m_status = static_cast<COleDateTime::DateTimeStatus>(status);
    return ar;
}
