#include "ChartData.h"

#include "DataLogText.h"
#include "common/StrFormat.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <ctime>

namespace
{
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Ticks of 100 ns from 1601-01-01 to 1970-01-01.
constexpr uint64_t FILETIME_UNIX_EPOCH = 116444736000000000ULL;

void AppendInteger(std::string& strOut, int64_t nValue)
{
    char szBuffer[24];
    const auto result = std::to_chars(szBuffer, szBuffer + sizeof(szBuffer), nValue);
    strOut.append(szBuffer, result.ptr);
}
} // namespace

int32_t GetLocalUtcOffset()
{
    const std::time_t nNow = std::time(nullptr);
    std::tm tmLocal{};
    std::tm tmUtc{};
    localtime_r(&nNow, &tmLocal);
    gmtime_r(&nNow, &tmUtc); // tm_isdst 0: read back as standard local time
    return static_cast<int32_t>(std::mktime(&tmLocal) - std::mktime(&tmUtc));
}

std::optional<int64_t> ChartTimeStamp(const SYSTEMTIME& tm, int32_t nUtcOffset)
{
    const std::optional<uint64_t> nFileTime = SystemTimeToFileTime(tm);
    if (!nFileTime)
        return std::nullopt;
    // Times before 1970 stay negative instead of wrapping around.
    const int64_t nMilliseconds =
        *nFileTime >= FILETIME_UNIX_EPOCH
            ? static_cast<int64_t>((*nFileTime - FILETIME_UNIX_EPOCH) / 10000)
            : -static_cast<int64_t>((FILETIME_UNIX_EPOCH - *nFileTime + 9999) / 10000);
    return nMilliseconds - static_cast<int64_t>(nUtcOffset) * 1000;
}

namespace
{
bool EqualsNoCaseView(std::string_view a, const char* pszLower)
{
    size_t i = 0;
    for (; i < a.size() && pszLower[i] != '\0'; ++i)
    {
        if (std::tolower(static_cast<unsigned char>(a[i])) != pszLower[i])
            return false;
    }
    return i == a.size() && pszLower[i] == '\0';
}

void AppendChartValue(std::string& strOut, std::string_view strField)
{
    const char* pszBlanks = " \t\n\v\f\r";
    const size_t nFirst = strField.find_first_not_of(pszBlanks);
    if (nFirst == std::string_view::npos)
    {
        strOut += '0';
        return;
    }
    strField = strField.substr(nFirst, strField.find_last_not_of(pszBlanks) - nFirst + 1);
    if (EqualsNoCaseView(strField, "on"))
    {
        strOut += '1';
        return;
    }

    // -?digits(.digits)? ; everything else, "off" included, is 0.
    size_t i = 0;
    const bool bNegative = strField[0] == '-';
    if (bNegative)
        ++i;
    const size_t nIntegerStart = i;
    while (i < strField.size() && IsDigit(strField[i]))
        ++i;
    const size_t nIntegerEnd = i;
    bool bNumber = nIntegerEnd > nIntegerStart;
    if (bNumber && i < strField.size() && strField[i] == '.')
    {
        const size_t nFractionStart = ++i;
        while (i < strField.size() && IsDigit(strField[i]))
            ++i;
        bNumber = i > nFractionStart;
    }
    if (!bNumber || i != strField.size())
    {
        strOut += '0';
        return;
    }
    // JSON allows no leading zeros: "007" is written 7, "-00.5" -0.5.
    size_t nSignificant = nIntegerStart;
    while (nSignificant + 1 < nIntegerEnd && strField[nSignificant] == '0')
        ++nSignificant;
    if (bNegative)
        strOut += '-';
    strOut.append(strField.substr(nSignificant));
}
} // namespace

std::string ChartValueText(std::string_view strField)
{
    std::string strOut;
    AppendChartValue(strOut, strField);
    return strOut;
}

std::string JsonQuote(std::string_view strText)
{
    static const char s_szHex[] = "0123456789abcdef";
    std::string strOut = "\"";
    for (const char c : strText)
    {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c)
        {
        case '"':
            strOut += "\\\"";
            break;
        case '\\':
            strOut += "\\\\";
            break;
        case '\n':
            strOut += "\\n";
            break;
        case '\r':
            strOut += "\\r";
            break;
        case '\t':
            strOut += "\\t";
            break;
        default:
            if (u < 0x20 || u >= 0x7F)
            {
                // Control characters, and the single-byte characters past
                // ASCII as the Latin-1 code points they stand for.
                strOut += "\\u00";
                strOut += s_szHex[u >> 4];
                strOut += s_szHex[u & 0xF];
            }
            else
                strOut += c;
        }
    }
    strOut += "\"";
    return strOut;
}

std::optional<std::string> BuildChartData(CDataLogFile& log, int32_t nUtcOffset,
                                          CProgressSink* pProgress)
{
    std::vector<std::string> arrColumns;
    const int nColumns = log.GetHeaderFields(arrColumns);
    if (nColumns <= 2 || !EqualsNoCase(arrColumns[0], "Date") ||
        !EqualsNoCase(arrColumns[1], "Time"))
        return std::nullopt;

    const size_t nCached = log.GetCachedCount();
    const int nRecords = static_cast<int>(std::min<size_t>(nCached, INT_MAX / 2));
    const int64_t nRange = static_cast<int64_t>(nColumns) * nRecords;
    if (pProgress != nullptr)
    {
        pProgress->SetRange(0, static_cast<int>(std::min<int64_t>(nRange, INT_MAX)));
        pProgress->SetText(StrFormat("Graph View - Loading 0 of %d records...", nRecords));
    }

    // The filter and the time stamps are the same for every series: work
    // them out once per record (the stamps as text, one after the other),
    // then walk the records once per series.
    const CRecordCache& cache = log.m_Cache;
    struct SPoint
    {
        uint32_t nPosition;  // in the cache
        uint32_t nStampEnd;  // in strStamps
    };
    std::vector<SPoint> arrPoints;
    arrPoints.reserve(nCached);
    std::string strStamps;
    strStamps.reserve(nCached * 14);
    for (size_t nPos = 0; nPos < nCached; ++nPos)
    {
        if (cache.FieldCountAt(nPos) <= 2 || log.IsRecordHidden(nPos))
            continue;
        bool bHasMilliseconds = false;
        const std::optional<int64_t> nStamp =
            ChartTimeStamp(log.m_Cache.TimeAt(nPos, bHasMilliseconds), nUtcOffset);
        if (!nStamp)
            continue;
        AppendInteger(strStamps, *nStamp);
        arrPoints.push_back({static_cast<uint32_t>(nPos), static_cast<uint32_t>(strStamps.size())});
    }

    std::string strData = "[";
    strData.reserve(64 + (strStamps.size() + arrPoints.size() * 8) * static_cast<size_t>(nColumns - 2));
    for (int k = 2; k < nColumns; ++k)
    {
        strData += "{\"name\":";
        strData += JsonQuote(arrColumns[static_cast<size_t>(k)]);
        strData += ",\"data\":[";
        bool bFirstPoint = true;
        size_t nStampStart = 0;
        for (size_t nPoint = 0; nPoint < arrPoints.size(); ++nPoint)
        {
            const SPoint& point = arrPoints[nPoint];
            const std::string_view stamp(strStamps.data() + nStampStart, point.nStampEnd - nStampStart);
            nStampStart = point.nStampEnd;
            if (static_cast<size_t>(k) >= cache.FieldCountAt(point.nPosition))
                continue; // never read outside the record
            if (!bFirstPoint)
                strData += ',';
            bFirstPoint = false;
            strData += '[';
            strData += stamp;
            strData += ',';
            AppendChartValue(strData, cache.FieldAt(point.nPosition, static_cast<size_t>(k)));
            strData += ']';
            if (pProgress != nullptr && ((nPoint + 1) % 256 == 0 || nPoint + 1 == arrPoints.size()))
            {
                pProgress->SetText(StrFormat("Graph View - Loading %d of %d records...",
                                             static_cast<int>(point.nPosition), nRecords));
                pProgress->SetPos(static_cast<int>(std::min<int64_t>(
                    static_cast<int64_t>(k) * nRecords + point.nPosition, INT_MAX)));
            }
        }
        strData += "]}";
        if (k != nColumns - 1)
            strData += ',';
    }
    strData += "]";
    return strData;
}
