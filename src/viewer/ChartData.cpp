#include "ChartData.h"

#include "DataLogText.h"
#include "common/StrFormat.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
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
bool IsBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Writes the value text of a field at pOut and returns its length, which is
// at most the field's length, and 1 for an empty field.
size_t WriteChartValue(char* pOut, std::string_view strField)
{
    while (!strField.empty() && IsBlankChar(strField.front()))
        strField.remove_prefix(1);
    while (!strField.empty() && IsBlankChar(strField.back()))
        strField.remove_suffix(1);
    if (strField.empty())
    {
        *pOut = '0';
        return 1;
    }
    if (IsOnText(strField))
    {
        *pOut = '1';
        return 1;
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
        *pOut = '0';
        return 1;
    }
    // JSON allows no leading zeros: "007" is written 7, "-00.5" -0.5.
    size_t nSignificant = nIntegerStart;
    while (nSignificant + 1 < nIntegerEnd && strField[nSignificant] == '0')
        ++nSignificant;
    size_t nLength = 0;
    if (bNegative)
        pOut[nLength++] = '-';
    std::memcpy(pOut + nLength, strField.data() + nSignificant, strField.size() - nSignificant);
    return nLength + strField.size() - nSignificant;
}

void AppendChartValue(std::string& strOut, std::string_view strField)
{
    const size_t nStart = strOut.size();
    strOut.resize(nStart + std::max<size_t>(1, strField.size()));
    strOut.resize(nStart + WriteChartValue(strOut.data() + nStart, strField));
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
    // them out once per record, as the text that opens a point ("[stamp,"),
    // then walk the records once per series.
    const CRecordCache& cache = log.m_Cache;
    struct SPoint
    {
        uint32_t nPosition; // in the cache
        uint32_t nOpenEnd;  // where its opening text ends in strOpenings
    };
    std::vector<SPoint> arrPoints;
    arrPoints.reserve(nCached);
    std::string strOpenings;
    strOpenings.reserve(nCached * 16);
    for (size_t nPos = 0; nPos < nCached; ++nPos)
    {
        if (cache.FieldCountAt(nPos) <= 2 || log.IsRecordHidden(nPos))
            continue;
        bool bHasMilliseconds = false;
        const std::optional<int64_t> nStamp =
            ChartTimeStamp(cache.TimeAt(nPos, bHasMilliseconds), nUtcOffset);
        if (!nStamp)
            continue;
        strOpenings += '[';
        AppendInteger(strOpenings, *nStamp);
        strOpenings += ',';
        arrPoints.push_back(
            {static_cast<uint32_t>(nPos), static_cast<uint32_t>(strOpenings.size())});
    }

    // The text is written in place: room for the longest it can be (every
    // series' openings and brackets, and at most every field text of the
    // cache, one byte for an empty one), cut to what was written at the end.
    const size_t nSeries = static_cast<size_t>(nColumns - 2);
    size_t nBound = 64 + cache.TextBytes() + nSeries * (strOpenings.size() + arrPoints.size() * 4);
    for (int k = 2; k < nColumns; ++k)
        nBound += 16 + 6 * arrColumns[static_cast<size_t>(k)].size();
    std::string strData;
    strData.resize(nBound);
    char* pOut = strData.data();
    const auto fnWrite = [&pOut](std::string_view text)
    {
        std::memcpy(pOut, text.data(), text.size());
        pOut += text.size();
    };
    *pOut++ = '[';
    for (int k = 2; k < nColumns; ++k)
    {
        fnWrite("{\"name\":");
        fnWrite(JsonQuote(arrColumns[static_cast<size_t>(k)]));
        fnWrite(",\"data\":[");
        bool bFirstPoint = true;
        size_t nOpenStart = 0;
        for (size_t nPoint = 0; nPoint < arrPoints.size(); ++nPoint)
        {
            const SPoint& point = arrPoints[nPoint];
            const std::string_view opening(strOpenings.data() + nOpenStart,
                                           point.nOpenEnd - nOpenStart);
            nOpenStart = point.nOpenEnd;
            if (static_cast<size_t>(k) >= cache.FieldCountAt(point.nPosition))
                continue; // never read outside the record
            if (!bFirstPoint)
                *pOut++ = ',';
            bFirstPoint = false;
            fnWrite(opening);
            pOut += WriteChartValue(pOut, cache.FieldAt(point.nPosition, static_cast<size_t>(k)));
            *pOut++ = ']';
            if (pProgress != nullptr && ((nPoint + 1) % 256 == 0 || nPoint + 1 == arrPoints.size()))
            {
                pProgress->SetText(StrFormat("Graph View - Loading %d of %d records...",
                                             static_cast<int>(point.nPosition), nRecords));
                pProgress->SetPos(static_cast<int>(std::min<int64_t>(
                    static_cast<int64_t>(k) * nRecords + point.nPosition, INT_MAX)));
            }
        }
        fnWrite("]}");
        if (k != nColumns - 1)
            *pOut++ = ',';
    }
    *pOut++ = ']';
    strData.resize(static_cast<size_t>(pOut - strData.data()));
    return strData;
}
