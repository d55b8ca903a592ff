#include "SysTime.h"

#include <ctime>

namespace
{
// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t yy = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

// 1899-12-30 in days since 1970-01-01.
constexpr int64_t kOleEpochDays = -25569;
// 1601-01-01 in days since 1970-01-01.
constexpr int64_t kFileTimeEpochDays = -134774;

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
} // namespace

bool IsRealDate(int nYear, int nMonth, int nDay)
{
    return nMonth >= 1 && nMonth <= 12 && nDay >= 1 && nDay <= DaysInMonth(nYear, nMonth);
}

int DaysInMonth(int nYear, int nMonth)
{
    static const int s_arrDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (nMonth < 1 || nMonth > 12)
        return 0;
    const bool bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
    return s_arrDays[nMonth - 1] + (nMonth == 2 && bLeap ? 1 : 0);
}

int DayOfWeek(int nYear, int nMonth, int nDay)
{
    const int64_t nDays =
        DaysFromCivil(nYear, static_cast<unsigned>(nMonth), static_cast<unsigned>(nDay));
    // 1970-01-01 was a Thursday (4).
    return static_cast<int>(((nDays % 7) + 7 + 4) % 7);
}

std::optional<uint64_t> SystemTimeToFileTime(const SYSTEMTIME& st)
{
    if (st.wYear < 1601 || st.wYear > 30827 || !IsRealDate(st.wYear, st.wMonth, st.wDay) ||
        st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 || st.wMilliseconds > 999)
        return std::nullopt;
    const int64_t nDays = DaysFromCivil(st.wYear, st.wMonth, st.wDay) - kFileTimeEpochDays;
    const int64_t nSeconds = nDays * 86400 + st.wHour * 3600 + st.wMinute * 60 + st.wSecond;
    return static_cast<uint64_t>(nSeconds) * 10000000ULL +
           static_cast<uint64_t>(st.wMilliseconds) * 10000ULL;
}

CDateTime CDateTime::FromFields(int nYear, int nMonth, int nDay, int nHour, int nMinute,
                                int nSecond)
{
    CDateTime dt;
    if (nYear < 100 || nYear > 9999 || !IsRealDate(nYear, nMonth, nDay) || nHour < 0 ||
        nHour > 23 || nMinute < 0 || nMinute > 59 || nSecond < 0 || nSecond > 59)
        return dt;
    const int64_t nDays =
        DaysFromCivil(nYear, static_cast<unsigned>(nMonth), static_cast<unsigned>(nDay)) -
        kOleEpochDays;
    dt.m_nSeconds = nDays * 86400 + nHour * 3600 + nMinute * 60 + nSecond;
    dt.m_bValid = true;
    return dt;
}

int CDateTime::GetYear() const
{
    int y, m, d;
    CivilFromDays(FloorDiv(m_nSeconds, 86400) + kOleEpochDays, y, m, d);
    return y;
}

int CDateTime::GetMonth() const
{
    int y, m, d;
    CivilFromDays(FloorDiv(m_nSeconds, 86400) + kOleEpochDays, y, m, d);
    return m;
}

int CDateTime::GetDay() const
{
    int y, m, d;
    CivilFromDays(FloorDiv(m_nSeconds, 86400) + kOleEpochDays, y, m, d);
    return d;
}

int CDateTime::GetHour() const
{
    return static_cast<int>((m_nSeconds - FloorDiv(m_nSeconds, 86400) * 86400) / 3600);
}

int CDateTime::GetMinute() const
{
    return static_cast<int>((m_nSeconds - FloorDiv(m_nSeconds, 86400) * 86400) % 3600 / 60);
}

int CDateTime::GetSecond() const
{
    return static_cast<int>((m_nSeconds - FloorDiv(m_nSeconds, 86400) * 86400) % 60);
}

int CDateTime::GetDayOfWeek() const
{
    return DayOfWeek(GetYear(), GetMonth(), GetDay());
}

std::string CDateTime::Format(const char* pszFormat) const
{
    if (!m_bValid)
        return "Invalid DateTime";
    return FormatCalendarTime(GetYear(), GetMonth(), GetDay(), GetHour(), GetMinute(), GetSecond(),
                              pszFormat);
}

std::string FormatCalendarTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond,
                               const char* pszFormat)
{
    std::tm tmValue{};
    tmValue.tm_year = nYear - 1900;
    tmValue.tm_mon = nMonth - 1;
    tmValue.tm_mday = nDay;
    tmValue.tm_hour = nHour;
    tmValue.tm_min = nMinute;
    tmValue.tm_sec = nSecond;
    tmValue.tm_wday = DayOfWeek(nYear, nMonth, nDay);
    tmValue.tm_isdst = -1;
    char szBuffer[256];
    const size_t nLength = std::strftime(szBuffer, sizeof(szBuffer), pszFormat, &tmValue);
    return std::string(szBuffer, nLength);
}
