#pragma once
// A reference model of the viewer's core, kept as it was first built: an
// ordered map from record index to a vector of field texts, the filter test
// that parses a record's time and values on every call, the Data View rows
// that point into the map and their sort, the CSV export and the chart
// series. The equivalence test runs it beside the real record cache on the
// same logs and compares every text, order and byte. Used only by the tests.
#include "viewer/CFilterSet.h"
#include "viewer/LoadWindow.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CReferenceViewerModel
{
public:
    using Fields = std::vector<std::string>;

    // The log as the reader holds it: the file's bytes stand in for the panel.
    std::string m_strFileName;
    std::string m_strHeader;
    std::string m_strFile; // the whole file, header line included
    uint32_t m_nRecordLength = 0;
    uint32_t m_nWindowSize = 10;
    bool m_bHasMilliseconds = false;
    CFilterSet m_Filter;
    std::map<uint32_t, Fields> m_mapCache;

    // The file's header line, record length and the cache emptied.
    void Open(const std::string& strFileName, const std::string& strFile);
    uint32_t RecordCount() const;
    void ReadRecords(uint32_t nFirst, uint32_t nCount);
    void Load(LoadMode eMode, uint32_t nIndex);

    std::string RecordSetText() const;
    void CacheSpan(SYSTEMTIME& tmStart, SYSTEMTIME& tmEnd);
    std::string CacheSummary();
    std::string FormatTime(const SYSTEMTIME& tm) const;
    SYSTEMTIME RecordTime(const Fields& arrFields);
    bool IsRecordHidden(const Fields& arrFields);

    // The Data View.
    void LoadTable();
    bool SortTable(int nColumn);
    int RowCount() const { return static_cast<int>(m_arrRows.size()); }
    uint32_t RowIndex(int nRow) const { return m_arrRows[static_cast<size_t>(nRow)].nIndex; }
    std::string CellText(int nRow, int nColumn) const;
    const std::vector<std::string>& Headers() const { return m_arrHeaders; }
    bool m_bSortAscending = false;
    int m_nSortColumn = 0;

    std::string CsvExport();
    std::optional<std::string> ChartData(int32_t nUtcOffset);

private:
    struct SRow
    {
        uint32_t nIndex;
        const Fields* pFields;
    };
    int CompareRowItems(const SRow& a, const SRow& b, int nColumn) const;
    bool IsDateMet(const SYSTEMTIME& tm) const;

    std::vector<SRow> m_arrRows;
    std::vector<std::string> m_arrHeaders;
};
