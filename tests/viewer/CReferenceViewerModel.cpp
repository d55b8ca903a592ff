#include "CReferenceViewerModel.h"

#include "common/StrFormat.h"
#include "viewer/ChartData.h"
#include "viewer/DataLogText.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace
{
const char* const EOL = "\r\n";

bool IsAllDigits(std::string_view str)
{
    if (str.empty())
        return false;
    for (char c : str)
    {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

std::string_view TrimmedView(std::string_view str)
{
    const char* pszBlanks = " \t\n\v\f\r";
    const size_t nFirst = str.find_first_not_of(pszBlanks);
    if (nFirst == std::string_view::npos)
        return std::string_view();
    return str.substr(nFirst, str.find_last_not_of(pszBlanks) - nFirst + 1);
}

int CompareBytes(std::string_view a, std::string_view b)
{
    const int n = a.compare(b);
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

bool IsTagMet(const CTagFilter& tag, double dValue)
{
    switch (tag.m_nCondition)
    {
    case FilterEqual:
        return dValue == tag.m_dLow;
    case FilterNotEqual:
        return dValue != tag.m_dLow;
    case FilterGreater:
        return dValue > tag.m_dLow;
    case FilterLess:
        return dValue < tag.m_dLow;
    case FilterInRange:
        return tag.m_dLow <= dValue && dValue <= tag.m_dHigh;
    case FilterOutOfRange:
        return dValue < tag.m_dLow || dValue > tag.m_dHigh;
    default:
        return false;
    }
}

void AppendDoubled(std::string& strOut, const std::string& strText)
{
    for (char c : strText)
    {
        strOut.push_back(c);
        if (c == '"')
            strOut.push_back('"');
    }
}

void AppendQuoted(std::string& strOut, const std::string& strText)
{
    strOut.push_back('"');
    AppendDoubled(strOut, strText);
    strOut.push_back('"');
}

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

std::string ChartValue(std::string_view strField)
{
    strField = TrimmedView(strField);
    if (strField.empty())
        return "0";
    if (EqualsNoCaseView(strField, "on"))
        return "1";
    size_t i = 0;
    const bool bNegative = strField[0] == '-';
    if (bNegative)
        ++i;
    const size_t nIntegerStart = i;
    while (i < strField.size() && strField[i] >= '0' && strField[i] <= '9')
        ++i;
    const size_t nIntegerEnd = i;
    bool bNumber = nIntegerEnd > nIntegerStart;
    if (bNumber && i < strField.size() && strField[i] == '.')
    {
        const size_t nFractionStart = ++i;
        while (i < strField.size() && strField[i] >= '0' && strField[i] <= '9')
            ++i;
        bNumber = i > nFractionStart;
    }
    if (!bNumber || i != strField.size())
        return "0";
    size_t nSignificant = nIntegerStart;
    while (nSignificant + 1 < nIntegerEnd && strField[nSignificant] == '0')
        ++nSignificant;
    return (bNegative ? "-" : "") + std::string(strField.substr(nSignificant));
}
} // namespace

void CReferenceViewerModel::Open(const std::string& strFileName, const std::string& strFile)
{
    m_strFileName = strFileName;
    m_strFile = strFile;
    const size_t nHeaderEnd = strFile.find('\n');
    m_strHeader = strFile.substr(0, nHeaderEnd);
    const size_t nFirstEnd = strFile.find('\n', nHeaderEnd + 1);
    m_nRecordLength = static_cast<uint32_t>(nFirstEnd - nHeaderEnd);
    m_mapCache.clear();
    m_nWindowSize = 10;
}

uint32_t CReferenceViewerModel::RecordCount() const
{
    return static_cast<uint32_t>((m_strFile.size() - m_strHeader.size() - 1) / m_nRecordLength);
}

void CReferenceViewerModel::ReadRecords(uint32_t nFirst, uint32_t nCount)
{
    const size_t nOffset =
        static_cast<size_t>(nFirst - 1) * m_nRecordLength + m_strHeader.size() + 1;
    const std::string strBuffer =
        m_strFile.substr(nOffset, static_cast<size_t>(m_nRecordLength) * nCount);
    Fields arrHeader;
    const int nColumns = SplitCsvFields(m_strHeader, arrHeader);
    std::vector<std::string> arrLines;
    SplitAtDelimiter(strBuffer, "\n", arrLines);
    for (size_t j = 0; j < arrLines.size(); ++j)
    {
        Fields arrFields;
        if (arrLines[j].size() != m_nRecordLength - 1 ||
            SplitCsvFields(arrLines[j], arrFields) != nColumns)
            continue;
        m_mapCache.emplace(nFirst + static_cast<uint32_t>(j), arrFields); // never replaces
    }
}

void CReferenceViewerModel::Load(LoadMode eMode, uint32_t nIndex)
{
    const uint32_t nCount = RecordCount();
    if (eMode == LoadAll)
        m_nWindowSize = nCount;
    const SLoadWindow window = PlaceLoadWindow(eMode, nIndex, nCount, m_nWindowSize);
    SReadSpan span =
        TrimCachedEnds(window, [this](uint32_t nRecord) { return m_mapCache.count(nRecord) != 0; });
    if (span.nEnd > static_cast<uint64_t>(nCount) + 1)
        span.nEnd = nCount + 1;
    if (span.Count() != 0)
        ReadRecords(span.nFirst, span.Count());
}

std::string CReferenceViewerModel::RecordSetText() const
{
    if (m_mapCache.empty())
        return std::string();
    const uint32_t nHighest = m_mapCache.rbegin()->first;
    auto it = m_mapCache.begin();
    uint32_t nPrevious = it->first;
    uint32_t nRunStart = nPrevious;
    std::string strText = StrFormat("(%u", nPrevious);
    for (++it; it != m_mapCache.end(); ++it)
    {
        const uint32_t nRecord = it->first;
        if (nRecord == nPrevious + 1)
        {
            if (nRecord == nHighest)
                strText += StrFormat(" - %u", nHighest);
        }
        else
        {
            if (nPrevious != nRunStart)
                strText += StrFormat(" - %u", nPrevious);
            strText += StrFormat(") & (%u", nRecord);
            nRunStart = nRecord;
        }
        nPrevious = nRecord;
    }
    return strText + ")";
}

SYSTEMTIME CReferenceViewerModel::RecordTime(const Fields& arrFields)
{
    return ParseRecordTime(arrFields.data(), arrFields.size(), m_bHasMilliseconds);
}

std::string CReferenceViewerModel::FormatTime(const SYSTEMTIME& tm) const
{
    return FormatRecordTimeText(tm, m_bHasMilliseconds);
}

void CReferenceViewerModel::CacheSpan(SYSTEMTIME& tmStart, SYSTEMTIME& tmEnd)
{
    if (m_mapCache.empty())
        return;
    tmStart = RecordTime(m_mapCache.begin()->second);
    tmEnd = RecordTime(m_mapCache.rbegin()->second);
}

std::string CReferenceViewerModel::CacheSummary()
{
    std::string strFirst;
    std::string strLast;
    if (!m_mapCache.empty())
    {
        strFirst = FormatTime(RecordTime(m_mapCache.begin()->second));
        strLast = FormatTime(RecordTime(m_mapCache.rbegin()->second));
    }
    return StrFormat("Total Records: %lu\n\nFirst record logged at: %s\nLast record logged at: %s",
                     static_cast<unsigned long>(m_mapCache.size()), strFirst.c_str(),
                     strLast.c_str());
}

bool CReferenceViewerModel::IsDateMet(const SYSTEMTIME& tm) const
{
    const int nFrom = CompareRecordTimes(tm, m_Filter.m_tmFrom);
    switch (m_Filter.m_nDateCondition)
    {
    case FilterEqual:
        return nFrom == 0;
    case FilterNotEqual:
        return nFrom != 0;
    case FilterGreater:
        return nFrom > 0;
    case FilterLess:
        return nFrom < 0;
    case FilterInRange:
        return nFrom >= 0 && CompareRecordTimes(tm, m_Filter.m_tmTo) <= 0;
    case FilterOutOfRange:
        return nFrom < 0 || CompareRecordTimes(tm, m_Filter.m_tmTo) > 0;
    default:
        return false;
    }
}

bool CReferenceViewerModel::IsRecordHidden(const Fields& arrFields)
{
    const SYSTEMTIME tm = RecordTime(arrFields);
    if (!m_Filter.m_bEnabled)
        return false;
    bool bHidden = false;
    if (m_Filter.m_bDateRange)
    {
        const bool bMet = IsDateMet(tm);
        bHidden = m_Filter.m_bShowDates ? !bMet : bMet;
    }
    for (const CTagFilter& tag : m_Filter.m_arrTagFilters)
    {
        if (bHidden)
            break;
        const size_t nField = static_cast<size_t>(tag.m_nTagIndex) + 2;
        const std::string strText = nField < arrFields.size() ? arrFields[nField] : std::string();
        const double dValue = tag.m_nDataType == FilterDiscrete
                                  ? (EqualsNoCase(strText, "on") ? 1.0 : 0.0)
                                  : std::atof(strText.c_str());
        const bool bMet = IsTagMet(tag, dValue);
        bHidden = tag.m_bShow ? !bMet : bMet;
    }
    return bHidden;
}

void CReferenceViewerModel::LoadTable()
{
    m_arrRows.clear();
    Fields arrColumns;
    SplitCsvFields(m_strHeader, arrColumns);
    m_arrHeaders = {"#", "Date & Time"};
    for (size_t i = 2; i < arrColumns.size(); ++i)
        m_arrHeaders.push_back(arrColumns[i]);
    for (const auto& [nIndex, arrFields] : m_mapCache)
    {
        if (arrFields.size() > 2 && !IsRecordHidden(arrFields))
            m_arrRows.push_back({nIndex, &arrFields});
    }
}

std::string CReferenceViewerModel::CellText(int nRow, int nColumn) const
{
    if (nRow < 0 || nRow >= RowCount() || nColumn < 0)
        return std::string();
    const SRow& row = m_arrRows[static_cast<size_t>(nRow)];
    if (nColumn == 0)
        return StrFormat("%lu", static_cast<unsigned long>(row.nIndex));
    if (nColumn == 1)
    {
        bool bHasMilliseconds = false;
        const SYSTEMTIME tm =
            ParseRecordTime(row.pFields->data(), row.pFields->size(), bHasMilliseconds);
        return FormatRecordTimeText(tm, bHasMilliseconds);
    }
    const size_t nField = static_cast<size_t>(nColumn);
    return nField < row.pFields->size() ? TrimBlanks((*row.pFields)[nField]) : std::string();
}

int CReferenceViewerModel::CompareRowItems(const SRow& a, const SRow& b, int nColumn) const
{
    if (nColumn <= 1)
    {
        const int n = a.nIndex < b.nIndex ? -1 : (a.nIndex > b.nIndex ? 1 : 0);
        return m_bSortAscending ? n : -n;
    }
    const size_t nField = static_cast<size_t>(nColumn);
    const std::string_view textA =
        nField < a.pFields->size() ? TrimmedView((*a.pFields)[nField]) : std::string_view();
    const std::string_view textB =
        nField < b.pFields->size() ? TrimmedView((*b.pFields)[nField]) : std::string_view();
    if (IsAllDigits(textA) && IsAllDigits(textB))
    {
        const std::string_view digitsA =
            textA.substr(std::min(textA.find_first_not_of('0'), textA.size()));
        const std::string_view digitsB =
            textB.substr(std::min(textB.find_first_not_of('0'), textB.size()));
        int n = 0;
        if (digitsA.size() != digitsB.size())
            n = digitsA.size() < digitsB.size() ? -1 : 1;
        else
            n = CompareBytes(digitsA, digitsB);
        return m_bSortAscending ? n : -n;
    }
    std::string strA(textA);
    std::string strB(textB);
    for (char& c : strA)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : strB)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const int n = CompareBytes(strA, strB);
    return m_bSortAscending ? -n : n;
}

bool CReferenceViewerModel::SortTable(int nColumn)
{
    if (m_arrRows.size() < 2)
        return false;
    m_bSortAscending = !m_bSortAscending;
    m_nSortColumn = nColumn;
    std::stable_sort(m_arrRows.begin(), m_arrRows.end(),
                     [this](const SRow& a, const SRow& b)
                     { return CompareRowItems(a, b, m_nSortColumn) < 0; });
    return true;
}

std::string CReferenceViewerModel::CsvExport()
{
    std::string strOut = "FileName:,";
    AppendDoubled(strOut, m_strFileName);
    strOut += EOL;
    if (m_Filter.m_bEnabled && (m_Filter.m_bDateRange || !m_Filter.m_arrTagFilters.empty()))
    {
        strOut += "Filters,Show/Hide,DataType,Condition,Low Limit,High Limit";
        strOut += EOL;
    }
    if (m_Filter.m_bEnabled && m_Filter.m_bDateRange)
    {
        strOut += "DateRange,";
        strOut += m_Filter.m_bShowDates ? "show" : "hide";
        strOut += ",Data,";
        strOut += GetConditionExportText(m_Filter.m_nDateCondition);
        strOut += ",";
        AppendQuoted(strOut, FormatTime(m_Filter.m_tmFrom));
        strOut += ",";
        AppendQuoted(strOut, FormatTime(m_Filter.m_tmTo));
        strOut += EOL;
    }
    if (m_Filter.m_bEnabled)
    {
        Fields arrColumns;
        SplitCsvFields(m_strHeader, arrColumns);
        for (const CTagFilter& tag : m_Filter.m_arrTagFilters)
        {
            const size_t nColumn = static_cast<size_t>(tag.m_nTagIndex) + 2;
            AppendQuoted(strOut, nColumn < arrColumns.size() ? arrColumns[nColumn] : std::string());
            strOut += ",";
            AppendQuoted(strOut, tag.m_bShow ? "Show" : "Hide");
            strOut += ",";
            AppendQuoted(strOut, tag.m_nDataType == FilterDiscrete ? "Discrete" : "Numeric");
            strOut += ",";
            AppendQuoted(strOut, GetConditionExportText(tag.m_nCondition));
            strOut += ",";
            AppendQuoted(strOut, StrFormat("%f", tag.m_dLow));
            strOut += ",";
            AppendQuoted(strOut, StrFormat("%f", tag.m_dHigh));
            strOut += EOL;
        }
    }
    if (RowCount() > 0)
    {
        strOut += EOL;
        strOut += EOL;
        for (size_t i = 0; i < m_arrHeaders.size(); ++i)
        {
            if (i > 0)
                strOut += ",";
            AppendQuoted(strOut, m_arrHeaders[i].substr(0, 255));
        }
        strOut += EOL;
        for (int nRow = 0; nRow < RowCount(); ++nRow)
        {
            for (size_t nColumn = 0; nColumn < m_arrHeaders.size(); ++nColumn)
            {
                if (nColumn > 0)
                    strOut += ",";
                AppendQuoted(strOut, CellText(nRow, static_cast<int>(nColumn)));
            }
            strOut += EOL;
        }
    }
    return strOut;
}

std::optional<std::string> CReferenceViewerModel::ChartData(int32_t nUtcOffset)
{
    Fields arrColumns;
    const int nColumns = SplitCsvFields(m_strHeader, arrColumns);
    if (nColumns <= 2 || !EqualsNoCase(arrColumns[0], "Date") ||
        !EqualsNoCase(arrColumns[1], "Time"))
        return std::nullopt;
    std::string strData = "[";
    for (int k = 2; k < nColumns; ++k)
    {
        strData += "{\"name\":" + JsonQuote(arrColumns[static_cast<size_t>(k)]) + ",\"data\":[";
        bool bFirstPoint = true;
        for (const auto& [nIndex, arrFields] : m_mapCache)
        {
            if (arrFields.size() <= 2 || IsRecordHidden(arrFields))
                continue;
            bool bHasMilliseconds = false;
            const SYSTEMTIME tm =
                ParseRecordTime(arrFields.data(), arrFields.size(), bHasMilliseconds);
            const std::optional<int64_t> nStamp = ChartTimeStamp(tm, nUtcOffset);
            if (!nStamp || static_cast<size_t>(k) >= arrFields.size())
                continue;
            if (!bFirstPoint)
                strData += ',';
            bFirstPoint = false;
            strData += "[" + std::to_string(*nStamp) + "," +
                       ChartValue(arrFields[static_cast<size_t>(k)]) + "]";
        }
        strData += "]}";
        if (k != nColumns - 1)
            strData += ',';
    }
    return strData + "]";
}
