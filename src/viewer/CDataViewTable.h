#pragma once
// The Data View's table without its widget: one row per cached record that
// passes the filter, the cell texts, and the sort by a clicked column. Rows
// point into the record cache instead of copying it, so a million rows cost
// eight bytes each; the table is rebuilt when the cache changes (the view
// flag) and shows nothing once the cache has been emptied under it. The data
// log must outlive the table.
#include "CDataLogFile.h"
#include "DataLogText.h"
#include "common/CProgressSink.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CDataViewTable
{
public:
    // LoadList: the rows of the cached records that pass the filter, in cache
    // order; records with two fields or fewer are left out.
    void Load(CDataLogFile& log, CProgressSink* pProgress = nullptr);
    void Clear();

    // Valid while the cache the rows point into has not been emptied.
    bool IsCurrent(const CDataLogFile& log) const
    {
        return log.GetCacheGeneration() == m_nCacheGeneration;
    }

    int GetRowCount() const { return static_cast<int>(Rows().size()); }
    int GetColumnCount() const { return static_cast<int>(m_arrHeaders.size()); }
    // "#", "Date & Time", then the tag names.
    const std::vector<std::string>& GetHeaders() const { return m_arrHeaders; }
    uint32_t GetRecordIndex(int nRow) const { return Rows()[static_cast<size_t>(nRow)].nIndex; }
    // Column 0 the record index, 1 the record time's display text, 2 onward
    // the record's field of the same index (empty when the record lacks it).
    std::string GetCellText(int nRow, int nColumn) const;
    // The same text appended to strOut, for writing every cell in a row; the
    // formatter keeps the time texts already made.
    void AppendCellText(int nRow, int nColumn, CRecordTimeFormatter& formatter,
                        std::string& strOut) const;

    // A click on column nColumn: with two rows or more, flips the direction
    // and sorts; returns whether it sorted.
    bool Sort(int nColumn);
    bool m_bSortAscending = false;
    int m_nSortColumn = 0;

private:
    struct SRow
    {
        uint32_t nIndex;
        uint32_t nPosition; // in the cache, as it was laid out at m_nLayout
    };
    // The rows' cache positions, found again when records were added since;
    // no rows once the cache has been emptied.
    const std::vector<SRow>& Rows() const;
    std::string_view CellView(const SRow& row, int nColumn) const;

    const CRecordCache* m_pCache = nullptr;
    mutable uint64_t m_nLayout = 0;
    uint64_t m_nClears = 0;
    mutable std::vector<SRow> m_arrRows;
    std::vector<std::string> m_arrHeaders;
    uint64_t m_nCacheGeneration = UINT64_MAX;
};
