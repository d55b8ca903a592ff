#include "DataLogText.h"

#include "common/StrFormat.h"

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
        const std::string_view piece =
            str.substr(nStart, nPos == std::string_view::npos ? std::string_view::npos : nPos - nStart);
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
            NextField(arrScratch, nCount).assign(Trimmed(strLine.substr(nFieldStart, i - nFieldStart)));
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
    bHasMilliseconds = false;
    SYSTEMTIME tm;
    if (nCount <= 2)
        return tm;
    std::string_view arrDate[3];
    if (SplitViews(pFields[0], '/', arrDate, 3) != 3)
        return tm;
    std::string_view arrTime[4];
    const int nTimeParts = SplitViews(pFields[1], ':', arrTime, 4);
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
        strText = FormatCalendarTime(tm.wYear, tm.wMonth, tm.wDay, tm.wHour, tm.wMinute,
                                     tm.wSecond, "%a, %b %d, %Y, %X");
    else
        strText = "Invalid DateTime";
    if (bWithMilliseconds)
        strText = StrFormat("%s:%03d", strText.c_str(), static_cast<int>(tm.wMilliseconds));
    return strText;
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
