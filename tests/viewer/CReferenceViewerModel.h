#pragma once
// A reference model of the viewer's core, in its first plain form: an ordered
// map from record index to the record's field texts, read from the file's
// bytes line by line; the Data View rows point into the map and are ordered
// by a stable sort with the cell comparison; the filter test, the CSV and the
// chart series are worked out from the field texts on every call. The
// equivalence test runs it beside the real record cache (fixed-size slots,
// radix sort, cached values) on the same logs and compares every text, order
// and byte. The rules of single cells (the comparison, the quoting, a chart
// value, a time's text) are the program's own, tested on their own.
#include "common/StrFormat.h"
#include "viewer/CDataViewTable.h"
#include "viewer/CFilterSet.h"
#include "viewer/ChartData.h"
#include "viewer/CsvExport.h"
#include "viewer/DataLogText.h"
#include "viewer/LoadWindow.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CReferenceViewerModel
{
public:
    using Fields = std::vector<std::string>;

    std::string m_strFileName;
    std::string m_strHeader;
    std::string m_strFile; // the whole file, header line included
    uint32_t m_nRecordLength = 0;
    uint32_t m_nWindowSize = 10;
    bool m_bHasMilliseconds = false;
    bool m_bSortAscending = false;
    int m_nSortColumn = 0;
    CFilterSet m_Filter;
    std::map<uint32_t, Fields> m_mapCache;

    void Open(const std::string& strFileName, const std::string& strFile)
    {
        m_strFileName = strFileName;
        m_strFile = strFile;
        const size_t nHeaderEnd = strFile.find('\n');
        m_strHeader = strFile.substr(0, nHeaderEnd);
        m_nRecordLength = static_cast<uint32_t>(strFile.find('\n', nHeaderEnd + 1) - nHeaderEnd);
    }

    // The window placed and its cached ends skipped as the program does, the
    // rest read as one buffer split at its line feeds: every line of the
    // record length and of the header's field count is cached.
    void Load(LoadMode eMode, uint32_t nIndex)
    {
        const uint32_t nCount =
            static_cast<uint32_t>((m_strFile.size() - m_strHeader.size() - 1) / m_nRecordLength);
        if (eMode == LoadAll)
            m_nWindowSize = nCount;
        SReadSpan span = TrimCachedEnds(PlaceLoadWindow(eMode, nIndex, nCount, m_nWindowSize),
                                        [this](uint32_t n) { return m_mapCache.count(n) != 0; });
        span.nEnd = static_cast<uint32_t>(std::min<uint64_t>(span.nEnd, nCount + 1ull));
        if (span.Count() == 0)
            return;
        std::vector<std::string> arrLines;
        SplitAtDelimiter(
            m_strFile.substr((span.nFirst - 1ull) * m_nRecordLength + m_strHeader.size() + 1,
                             static_cast<size_t>(m_nRecordLength) * span.Count()),
            "\n", arrLines);
        Fields arrHeader;
        const int nColumns = SplitCsvFields(m_strHeader, arrHeader);
        for (size_t j = 0; j < arrLines.size(); ++j)
        {
            Fields arrFields;
            if (arrLines[j].size() == m_nRecordLength - 1 &&
                SplitCsvFields(arrLines[j], arrFields) == nColumns)
                m_mapCache.emplace(span.nFirst + static_cast<uint32_t>(j),
                                   arrFields); // never replaces
        }
    }

    std::string RecordSetText() const
    {
        std::string strText;
        for (auto it = m_mapCache.begin(); it != m_mapCache.end();)
        {
            const uint32_t nFirst = it->first;
            uint32_t nLast = nFirst;
            while (++it != m_mapCache.end() && it->first == nLast + 1)
                nLast = it->first;
            strText += (strText.empty() ? "(" : " & (") + std::to_string(nFirst) +
                       (nLast != nFirst ? " - " + std::to_string(nLast) : "") + ")";
        }
        return strText;
    }

    // Each time read sets the milliseconds flag, as the first form did.
    std::string CacheSummary()
    {
        std::string strFirst, strLast;
        if (!m_mapCache.empty())
        {
            const SYSTEMTIME tmFirst = RecordTime(m_mapCache.begin()->second);
            strFirst = FormatRecordTimeText(tmFirst, m_bHasMilliseconds);
            const SYSTEMTIME tmLast = RecordTime(m_mapCache.rbegin()->second);
            strLast = FormatRecordTimeText(tmLast, m_bHasMilliseconds);
        }
        return StrFormat(
            "Total Records: %zu\n\nFirst record logged at: %s\nLast record logged at: %s",
            m_mapCache.size(), strFirst.c_str(), strLast.c_str());
    }

    bool IsRecordHidden(const Fields& arrFields)
    {
        const SYSTEMTIME tm = RecordTime(arrFields);
        return m_Filter.IsHidden(tm, arrFields);
    }

    // The Data View.
    void LoadTable()
    {
        m_arrRows.clear();
        Fields arrColumns;
        SplitCsvFields(m_strHeader, arrColumns);
        m_arrHeaders = {"#", "Date & Time"};
        m_arrHeaders.insert(m_arrHeaders.end(),
                            arrColumns.begin() + std::min<size_t>(2, arrColumns.size()),
                            arrColumns.end());
        for (const auto& [nIndex, arrFields] : m_mapCache)
            if (arrFields.size() > 2 && !IsRecordHidden(arrFields))
                m_arrRows.push_back({nIndex, &arrFields});
    }
    int RowCount() const { return static_cast<int>(m_arrRows.size()); }
    uint32_t RowIndex(int nRow) const { return m_arrRows[static_cast<size_t>(nRow)].nIndex; }
    const Fields& Headers() const { return m_arrHeaders; }

    std::string CellText(int nRow, int nColumn) const
    {
        if (nRow < 0 || nRow >= RowCount() || nColumn < 0)
            return std::string();
        const SRow& row = m_arrRows[static_cast<size_t>(nRow)];
        if (nColumn == 0)
            return std::to_string(row.nIndex);
        if (nColumn == 1)
        {
            bool bHasMilliseconds = false;
            const SYSTEMTIME tm =
                ParseRecordTime(row.pFields->data(), row.pFields->size(), bHasMilliseconds);
            return FormatRecordTimeText(tm, bHasMilliseconds); // the record's own flag
        }
        const size_t nField = static_cast<size_t>(nColumn);
        return nField < row.pFields->size() ? TrimBlanks((*row.pFields)[nField]) : std::string();
    }

    bool SortTable(int nColumn)
    {
        if (m_arrRows.size() < 2)
            return false;
        m_bSortAscending = !m_bSortAscending;
        m_nSortColumn = nColumn;
        std::stable_sort(
            m_arrRows.begin(), m_arrRows.end(),
            [this](const SRow& a, const SRow& b)
            {
                if (m_nSortColumn <= 1)
                    return m_bSortAscending ? a.nIndex < b.nIndex : a.nIndex > b.nIndex;
                const size_t nField = static_cast<size_t>(m_nSortColumn);
                auto Text = [nField](const SRow& row) {
                    return nField < row.pFields->size() ? TrimBlanks((*row.pFields)[nField])
                                                        : std::string();
                };
                return CDataViewTable::CompareCells(Text(a), Text(b), m_bSortAscending) < 0;
            });
        return true;
    }

    std::string CsvExport() const
    {
        const std::string EOL = "\r\n";
        std::string strOut = "FileName:," + DoubleQuotes(m_strFileName) + EOL;
        if (m_Filter.m_bEnabled && (m_Filter.m_bDateRange || !m_Filter.m_arrTagFilters.empty()))
            strOut += "Filters,Show/Hide,DataType,Condition,Low Limit,High Limit" + EOL;
        if (m_Filter.m_bEnabled && m_Filter.m_bDateRange)
            strOut +=
                std::string("DateRange,") + (m_Filter.m_bShowDates ? "show" : "hide") + ",Data," +
                GetConditionExportText(m_Filter.m_nDateCondition) + "," +
                EncloseQuoted(FormatRecordTimeText(m_Filter.m_tmFrom, m_bHasMilliseconds)) + "," +
                EncloseQuoted(FormatRecordTimeText(m_Filter.m_tmTo, m_bHasMilliseconds)) + EOL;
        Fields arrColumns;
        SplitCsvFields(m_strHeader, arrColumns);
        for (const CTagFilter& tag :
             m_Filter.m_bEnabled ? m_Filter.m_arrTagFilters : std::vector<CTagFilter>())
        {
            const size_t nColumn = static_cast<size_t>(tag.m_nTagIndex) + 2;
            strOut += EncloseQuoted(nColumn < arrColumns.size() ? arrColumns[nColumn] : "") + "," +
                      EncloseQuoted(tag.m_bShow ? "Show" : "Hide") + "," +
                      EncloseQuoted(tag.m_nDataType == FilterDiscrete ? "Discrete" : "Numeric") +
                      "," + EncloseQuoted(GetConditionExportText(tag.m_nCondition)) + "," +
                      EncloseQuoted(StrFormat("%f", tag.m_dLow)) + "," +
                      EncloseQuoted(StrFormat("%f", tag.m_dHigh)) + EOL;
        }
        if (RowCount() == 0)
            return strOut;
        strOut += EOL + EOL;
        for (size_t i = 0; i < m_arrHeaders.size(); ++i)
            strOut += (i > 0 ? "," : "") + EncloseQuoted(m_arrHeaders[i].substr(0, 255));
        strOut += EOL;
        for (int nRow = 0; nRow < RowCount(); ++nRow)
        {
            for (size_t nColumn = 0; nColumn < m_arrHeaders.size(); ++nColumn)
                strOut += (nColumn > 0 ? "," : "") +
                          EncloseQuoted(CellText(nRow, static_cast<int>(nColumn)));
            strOut += EOL;
        }
        return strOut;
    }

    std::optional<std::string> ChartData(int32_t nUtcOffset)
    {
        Fields arrColumns;
        const size_t nColumns = static_cast<size_t>(SplitCsvFields(m_strHeader, arrColumns));
        if (nColumns <= 2 || !EqualsNoCase(arrColumns[0], "Date") ||
            !EqualsNoCase(arrColumns[1], "Time"))
            return std::nullopt;
        std::string strData = "[";
        for (size_t k = 2; k < nColumns; ++k)
        {
            std::string strPoints;
            for (const auto& [nIndex, arrFields] : m_mapCache)
            {
                if (arrFields.size() <= 2 || IsRecordHidden(arrFields))
                    continue;
                const std::optional<int64_t> nStamp = ChartTimeStamp(TimeOf(arrFields), nUtcOffset);
                if (!nStamp || k >= arrFields.size())
                    continue;
                strPoints += (strPoints.empty() ? "[" : ",[") + std::to_string(*nStamp) + "," +
                             ChartValueText(arrFields[k]) + "]";
            }
            strData += (k > 2 ? "," : "") + std::string("{\"name\":") + JsonQuote(arrColumns[k]) +
                       ",\"data\":[" + strPoints + "]}";
        }
        return strData + "]";
    }

private:
    struct SRow
    {
        uint32_t nIndex;
        const Fields* pFields;
    };

    SYSTEMTIME RecordTime(const Fields& arrFields)
    {
        return ParseRecordTime(arrFields.data(), arrFields.size(), m_bHasMilliseconds);
    }
    static SYSTEMTIME TimeOf(const Fields& arrFields)
    {
        bool bHasMilliseconds = false;
        return ParseRecordTime(arrFields.data(), arrFields.size(), bHasMilliseconds);
    }

    std::vector<SRow> m_arrRows;
    Fields m_arrHeaders;
};
