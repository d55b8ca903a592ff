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

    const int nRecords = static_cast<int>(std::min<size_t>(log.m_mapCache.size(), INT_MAX / 2));
    const int64_t nRange = static_cast<int64_t>(nColumns) * nRecords;
    if (pProgress != nullptr)
    {
        pProgress->SetRange(0, static_cast<int>(std::min<int64_t>(nRange, INT_MAX)));
        pProgress->SetText(StrFormat("Graph View - Loading 0 of %d records...", nRecords));
    }

    // The filter and the time stamps are the same for every series: work
    // them out once per record, then walk the records once per series.
    struct SPoint
    {
        int64_t nStamp;
        const CDataLogFile::RecordFields* pFields;
        int nOrdinal; // the record's position in the cache
    };
    std::vector<SPoint> arrPoints;
    arrPoints.reserve(log.m_mapCache.size());
    int nOrdinal = 0;
    for (auto it = log.m_mapCache.begin(); it != log.m_mapCache.end(); ++it, ++nOrdinal)
    {
        if (it->second.size() <= 2 || log.IsRecordHidden(it))
            continue;
        bool bHasMilliseconds = false;
        const SYSTEMTIME tm = ParseRecordTime(it->second.data(), it->second.size(), bHasMilliseconds);
        const std::optional<int64_t> nStamp = ChartTimeStamp(tm, nUtcOffset);
        if (nStamp)
            arrPoints.push_back({*nStamp, &it->second, nOrdinal});
    }

    std::string strData = "[";
    strData.reserve(64 + arrPoints.size() * static_cast<size_t>(nColumns - 2) * 24);
    for (int k = 2; k < nColumns; ++k)
    {
        strData += "{\"name\":";
        strData += JsonQuote(arrColumns[static_cast<size_t>(k)]);
        strData += ",\"data\":[";
        bool bFirstPoint = true;
        size_t nPoint = 0;
        for (const SPoint& point : arrPoints)
        {
            ++nPoint;
            const CDataLogFile::RecordFields& arrFields = *point.pFields;
            if (static_cast<size_t>(k) >= arrFields.size())
                continue; // never read outside the record
            if (!bFirstPoint)
                strData += ',';
            bFirstPoint = false;
            strData += '[';
            AppendInteger(strData, point.nStamp);
            strData += ',';
            AppendChartValue(strData, arrFields[static_cast<size_t>(k)]);
            strData += ']';
            if (pProgress != nullptr && (nPoint % 256 == 0 || nPoint == arrPoints.size()))
            {
                pProgress->SetText(StrFormat("Graph View - Loading %d of %d records...",
                                             point.nOrdinal, nRecords));
                pProgress->SetPos(static_cast<int>(
                    std::min<int64_t>(static_cast<int64_t>(k) * nRecords + point.nOrdinal, INT_MAX)));
            }
        }
        strData += "]}";
        if (k != nColumns - 1)
            strData += ',';
    }
    strData += "]";
    return strData;
}
