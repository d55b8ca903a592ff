#include "DataLogText.h"

#include "common/StrFormat.h"

#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tuple>

namespace
{
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trimmed(std::string_view str)
{
    size_t nFirst = 0;
    while (nFirst < str.size() && IsBlank(str[nFirst]))
        ++nFirst;
    size_t nEnd = str.size();
    while (nEnd > nFirst && IsBlank(str[nEnd - 1]))
        --nEnd;
    return str.substr(nFirst, nEnd - nFirst);
}

std::string& NextField(std::vector<std::string>& arrScratch, int& nCount)
{
    if (static_cast<size_t>(nCount) == arrScratch.size())
        arrScratch.emplace_back();
    return arrScratch[static_cast<size_t>(nCount++)];
}

// Splits at a single character into at most nMax views; returns the total
// number of pieces (which may exceed nMax).
int SplitViews(std::string_view str, char cDelimiter, std::string_view* pOut, int nMax)
{
    int nPieces = 0;
    size_t nStart = 0;
    while (true)
    {
        const size_t nPos = str.find(cDelimiter, nStart);
        const std::string_view piece = str.substr(
            nStart, nPos == std::string_view::npos ? std::string_view::npos : nPos - nStart);
        if (nPieces < nMax)
            pOut[nPieces] = piece;
        ++nPieces;
        if (nPos == std::string_view::npos)
            return nPieces;
        nStart = nPos + 1;
    }
}

// Leading decimal digits after optional blanks; anything unreadable is 0.
uint16_t ReadTimePart(std::string_view str)
{
    size_t i = 0;
    while (i < str.size() && IsBlank(str[i]))
        ++i;
    uint32_t nValue = 0;
    for (; i < str.size() && str[i] >= '0' && str[i] <= '9'; ++i)
    {
        nValue = nValue * 10 + static_cast<uint32_t>(str[i] - '0');
        if (nValue > 0xFFFFFF)
            nValue = 0xFFFFFF; // keeps the product small; the value is invalid anyway
    }
    return static_cast<uint16_t>(nValue > 0xFFFF ? 0xFFFF : nValue);
}
} // namespace

int SplitCsvFieldsInto(std::string_view strLine, std::vector<std::string>& arrScratch)
{
    int nCount = 0;
    const size_t nLength = strLine.size();
    size_t nFieldStart = 0; // first character since the last field end
    size_t i = 0;
    while (i < nLength)
    {
        const char c = strLine[i];
        if (c == ',')
        {
            NextField(arrScratch, nCount)
                .assign(Trimmed(strLine.substr(nFieldStart, i - nFieldStart)));
            nFieldStart = ++i;
            continue;
        }
        if (c != '"')
        {
            ++i;
            continue;
        }
        // A quote starts a quoted field; what the field held before it is dropped.
        const size_t nQuotedStart = i + 1;
        std::string& strField = NextField(arrScratch, nCount);
        strField.clear();
        size_t j = nQuotedStart;
        bool bClosed = false;
        while (j < nLength)
        {
            const size_t nQuote = strLine.find('"', j);
            if (nQuote == std::string_view::npos)
            {
                j = nLength;
                break;
            }
            strField.append(strLine.substr(j, nQuote - j));
            if (nQuote + 1 < nLength && strLine[nQuote + 1] == '"')
            {
                strField.push_back('"');
                j = nQuote + 2;
                continue;
            }
            j = nQuote;
            bClosed = true;
            break;
        }
        if (!bClosed)
        {
            // Unterminated: the text after the quote as it stands.
            strField.assign(Trimmed(strLine.substr(nQuotedStart)));
            return nCount;
        }
        const std::string_view trimmed = Trimmed(strField);
        if (trimmed.size() != strField.size())
            strField = std::string(trimmed);
        // The character after the closing quote (normally the comma) is skipped.
        i = j + 2;
        nFieldStart = i;
    }
    if (nFieldStart < nLength)
        NextField(arrScratch, nCount).assign(Trimmed(strLine.substr(nFieldStart)));
    return nCount;
}

int SplitPlainCsvFields(std::string_view strLine, std::string_view* pOut, int nMax)
{
    int nCount = 0;
    size_t nFieldStart = 0;
    const char* pszLine = strLine.data();
    for (size_t i = 0; i < strLine.size(); ++i)
    {
        if (pszLine[i] == '"')
            return -1;
        if (pszLine[i] != ',')
            continue;
        if (nCount < nMax)
            pOut[nCount] = Trimmed(strLine.substr(nFieldStart, i - nFieldStart));
        ++nCount;
        nFieldStart = i + 1;
    }
    // What follows the last comma is a field only when there is something.
    if (nFieldStart < strLine.size())
    {
        if (nCount < nMax)
            pOut[nCount] = Trimmed(strLine.substr(nFieldStart));
        ++nCount;
    }
    return nCount;
}

int SplitCsvFields(std::string_view strLine, std::vector<std::string>& arrOut)
{
    const int nCount = SplitCsvFieldsInto(strLine, arrOut);
    arrOut.resize(static_cast<size_t>(nCount));
    return nCount;
}

int SplitAtDelimiter(std::string_view strText, std::string_view strDelimiter,
                     std::vector<std::string>& arrOut)
{
    arrOut.clear();
    if (strDelimiter.empty())
    {
        arrOut.emplace_back(strText);
        return 1;
    }
    size_t nStart = 0;
    while (true)
    {
        const size_t nPos = strText.find(strDelimiter, nStart);
        if (nPos == std::string_view::npos)
        {
            arrOut.emplace_back(strText.substr(nStart));
            return static_cast<int>(arrOut.size());
        }
        arrOut.emplace_back(strText.substr(nStart, nPos - nStart));
        nStart = nPos + strDelimiter.size();
    }
}

SYSTEMTIME ParseRecordTime(const std::string* pFields, size_t nCount, bool& bHasMilliseconds)
{
    if (nCount <= 2)
    {
        bHasMilliseconds = false;
        return SYSTEMTIME();
    }
    return ParseRecordTimeTexts(pFields[0], pFields[1], nCount, bHasMilliseconds);
}

SYSTEMTIME ParseRecordTimeTexts(std::string_view strDate, std::string_view strTime, size_t nCount,
                                bool& bHasMilliseconds)
{
    bHasMilliseconds = false;
    SYSTEMTIME tm;
    if (nCount <= 2)
        return tm;
    std::string_view arrDate[3];
    if (SplitViews(strDate, '/', arrDate, 3) != 3)
        return tm;
    std::string_view arrTime[4];
    const int nTimeParts = SplitViews(strTime, ':', arrTime, 4);
    if (nTimeParts < 3)
        return tm;

    tm.wMonth = ReadTimePart(arrDate[0]);
    tm.wDay = ReadTimePart(arrDate[1]);
    tm.wYear = ReadTimePart(arrDate[2]);
    if (arrDate[2].size() == 2)
        tm.wYear = static_cast<uint16_t>(tm.wYear + 2000);
    tm.wHour = ReadTimePart(arrTime[0]);
    tm.wMinute = ReadTimePart(arrTime[1]);
    tm.wSecond = ReadTimePart(arrTime[2]);
    if (tm.wYear >= 1900 && tm.wHour < 24 && tm.wMinute < 60 && tm.wSecond < 60 &&
        IsRealDate(tm.wYear, tm.wMonth, tm.wDay))
        tm.wDayOfWeek = static_cast<uint16_t>(DayOfWeek(tm.wYear, tm.wMonth, tm.wDay));
    if (nTimeParts >= 4)
    {
        tm.wMilliseconds = ReadTimePart(arrTime[3]);
        bHasMilliseconds = true;
    }
    return tm;
}

std::string FormatRecordTimeText(const SYSTEMTIME& tm, bool bWithMilliseconds)
{
    std::string strText;
    if (CDateTime::FromFields(tm.wYear, tm.wMonth, tm.wDay, tm.wHour, tm.wMinute, tm.wSecond)
            .IsValid())
        strText = FormatCalendarTime(tm.wYear, tm.wMonth, tm.wDay, tm.wHour, tm.wMinute, tm.wSecond,
                                     "%a, %b %d, %Y, %X");
    else
        strText = "Invalid DateTime";
    if (bWithMilliseconds)
        strText = StrFormat("%s:%03d", strText.c_str(), static_cast<int>(tm.wMilliseconds));
    return strText;
}

void CRecordTimeFormatter::Append(const SYSTEMTIME& tm, bool bWithMilliseconds, std::string& strOut)
{
    if (!CDateTime::FromFields(tm.wYear, tm.wMonth, tm.wDay, tm.wHour, tm.wMinute, tm.wSecond)
             .IsValid())
        strOut += "Invalid DateTime";
    else
    {
        // "%a, %b %d, %Y, %X" is the day's conversions, then the time's.
        const uint32_t nDay = static_cast<uint32_t>(tm.wYear) << 16 | tm.wMonth << 8 | tm.wDay;
        if (nDay != m_nDay)
        {
            m_nDay = nDay;
            m_strDay = FormatCalendarTime(tm.wYear, tm.wMonth, tm.wDay, tm.wHour, tm.wMinute,
                                          tm.wSecond, "%a, %b %d, %Y, ");
        }
        if (m_arrTimesOfDay.empty())
            m_arrTimesOfDay.resize(86400);
        std::string& strTime = m_arrTimesOfDay[tm.wHour * 3600u + tm.wMinute * 60u + tm.wSecond];
        if (strTime.empty())
            strTime = FormatCalendarTime(tm.wYear, tm.wMonth, tm.wDay, tm.wHour, tm.wMinute,
                                         tm.wSecond, "%X");
        if (m_strDay.size() + strTime.size() <= 200)
        {
            strOut += m_strDay;
            strOut += strTime;
        }
        else // past what one strftime call may write: let it decide
            strOut += FormatRecordTimeText(tm, false);
    }
    if (bWithMilliseconds)
    {
        char szBuffer[16];
        const int nLength =
            std::snprintf(szBuffer, sizeof(szBuffer), ":%03d", static_cast<int>(tm.wMilliseconds));
        strOut.append(szBuffer, static_cast<size_t>(nLength));
    }
}

int CompareRecordTimes(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    const auto keyA =
        std::tie(a.wYear, a.wMonth, a.wDay, a.wHour, a.wMinute, a.wSecond, a.wMilliseconds);
    const auto keyB =
        std::tie(b.wYear, b.wMonth, b.wDay, b.wHour, b.wMinute, b.wSecond, b.wMilliseconds);
    if (keyA < keyB)
        return -1;
    return keyB < keyA ? 1 : 0;
}

bool IsOnText(std::string_view strText)
{
    return strText.size() == 2 && std::tolower(static_cast<unsigned char>(strText[0])) == 'o' &&
           std::tolower(static_cast<unsigned char>(strText[1])) == 'n';
}

bool IsDecimalPointDot()
{
    return std::strcmp(std::localeconv()->decimal_point, ".") == 0;
}

double ReadLeadingNumber(std::string_view strText, bool bDecimalPointIsDot)
{
    // [+-]digits[.digits] or [+-].digits, at most 15 digits in all, ending
    // the text: the digits make an integer below 2^53 and the fraction a
    // power of ten that a double holds exactly, so one division rounds
    // exactly as strtod does.
    static const double s_arrPowers[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    const bool bNegative = !strText.empty() && strText[0] == '-';
    if (!strText.empty() && (strText[0] == '-' || strText[0] == '+'))
        ++i;
    uint64_t nMantissa = 0;
    int nDigits = 0;
    int nFraction = 0;
    for (; i < strText.size() && strText[i] >= '0' && strText[i] <= '9'; ++i, ++nDigits)
        nMantissa = nMantissa * 10 + static_cast<uint64_t>(strText[i] - '0');
    if (i < strText.size() && strText[i] == '.')
    {
        for (++i; i < strText.size() && strText[i] >= '0' && strText[i] <= '9'; ++i, ++nFraction)
            nMantissa = nMantissa * 10 + static_cast<uint64_t>(strText[i] - '0');
    }
    if (bDecimalPointIsDot && i == strText.size() && nDigits + nFraction > 0 &&
        nDigits + nFraction <= 15)
    {
        const double dValue = static_cast<double>(nMantissa) / s_arrPowers[nFraction];
        return bNegative ? -dValue : dValue;
    }
    return std::atof(std::string(strText).c_str());
}
