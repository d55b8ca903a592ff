#pragma once
// Small time value types shared by the panel link and the data-log viewer:
// the eight-field broken-down time the panel's records are parsed into, and a
// calendar date-time with a validity flag (a day count since 1899-12-30, as the
// listing and the viewer compare and show them).
#include <cstdint>
#include <optional>
#include <string>

struct SYSTEMTIME
{
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;

    bool operator==(const SYSTEMTIME&) const = default;
};

// Ticks of 100 ns since 1601-01-01 00:00:00, as the record filters and the
// chart time stamps use them. Empty when the fields are out of range (year
// before 1601, month, day, hour, minute, second or milliseconds out of range,
// or a day past the end of its month).
std::optional<uint64_t> SystemTimeToFileTime(const SYSTEMTIME& st);

// True when year, month and day form a real calendar date.
bool IsRealDate(int nYear, int nMonth, int nDay);
int DaysInMonth(int nYear, int nMonth);
// 0 = Sunday ... 6 = Saturday, for a real date.
int DayOfWeek(int nYear, int nMonth, int nDay);

class CDateTime
{
public:
    CDateTime() = default; // invalid, value 0

    // Valid only when the six fields form a real date and time that converts
    // back to the same six fields (31 February or hour 24 are invalid).
    static CDateTime FromFields(int nYear, int nMonth, int nDay, int nHour, int nMinute,
                                int nSecond);

    bool IsValid() const { return m_bValid; }
    // Seconds since 1899-12-30 00:00:00 (0 when invalid).
    int64_t GetSeconds() const { return m_nSeconds; }
    // The day count with the time as its fraction.
    double GetValue() const { return static_cast<double>(m_nSeconds) / 86400.0; }

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 0 = Sunday

    // strftime of the date-time into at most 255 characters, or
    // "Invalid DateTime" when the value is not valid.
    std::string Format(const char* pszFormat) const;

    // Equal validity and equal value.
    bool operator==(const CDateTime& other) const
    {
        return m_bValid == other.m_bValid && m_nSeconds == other.m_nSeconds;
    }
    // A pair with an invalid member never counts as later.
    bool IsLaterThan(const CDateTime& other) const
    {
        return m_bValid && other.m_bValid && m_nSeconds > other.m_nSeconds;
    }

private:
    bool m_bValid = false;
    int64_t m_nSeconds = 0;
};

// strftime of six calendar fields (and the weekday they give) into at most 255
// characters. The caller has checked that the fields form a real date.
std::string FormatCalendarTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond,
                               const char* pszFormat);
