#include "CDataViewTable.h"

#include "CellTextSort.h"
#include "DataLogText.h"
#include "common/StrFormat.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>

namespace
{
std::string_view TrimmedView(std::string_view str)
{
    const auto fnBlank = [](char c)
    { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; };
    while (!str.empty() && fnBlank(str.front()))
        str.remove_prefix(1);
    while (!str.empty() && fnBlank(str.back()))
        str.remove_suffix(1);
    return str;
}

} // namespace

void CDataViewTable::Clear()
{
    m_arrRows.clear();
    m_arrHeaders.clear();
}

void CDataViewTable::Load(CDataLogFile& log, CProgressSink* pProgress)
{
    Clear();
    m_nCacheGeneration = log.GetCacheGeneration();
    m_pCache = &log.m_Cache;
    m_nLayout = log.m_Cache.GetLayout();
    m_nClears = log.m_Cache.GetClearCount();
    std::vector<std::string> arrColumns;
    log.GetHeaderFields(arrColumns);
    m_arrHeaders = {"#", "Date & Time"};
    for (size_t i = 2; i < arrColumns.size(); ++i)
        m_arrHeaders.push_back(arrColumns[i]);
    const size_t nCached = log.GetCachedCount();
    if (nCached == 0)
        return;

    const int nTotal = static_cast<int>(std::min<size_t>(nCached, INT_MAX));
    if (pProgress != nullptr)
    {
        pProgress->SetRange(0, nTotal);
        pProgress->SetText(StrFormat("Data View - Loading 1 of %d records...", nTotal));
    }
    m_arrRows.reserve(nCached);
    for (size_t nPos = 0; nPos < nCached; ++nPos)
    {
        if (log.m_Cache.FieldCountAt(nPos) > 2 && !log.IsRecordHidden(nPos))
            m_arrRows.push_back({log.m_Cache.IndexAt(nPos), static_cast<uint32_t>(nPos)});
        // One progress step per 256 records keeps a million-row load from
        // spending its time in the progress window.
        const int k = static_cast<int>(std::min<size_t>(nPos, INT_MAX));
        if (pProgress != nullptr && (k % 256 == 0 || k + 1 == nTotal))
        {
            pProgress->SetText(StrFormat("Data View - Loading %d of %d records...", k, nTotal));
            pProgress->SetPos(k);
        }
    }
    m_arrRows.shrink_to_fit();
}

const std::vector<CDataViewTable::SRow>& CDataViewTable::Rows() const
{
    // Records added to the cache since the load move the positions of those
    // after them; the rows keep their records.
    if (m_pCache != nullptr && m_nClears != m_pCache->GetClearCount())
        m_arrRows.clear();
    else if (m_pCache != nullptr && m_nLayout != m_pCache->GetLayout())
    {
        for (SRow& row : m_arrRows)
            row.nPosition = static_cast<uint32_t>(m_pCache->Find(row.nIndex));
        m_nLayout = m_pCache->GetLayout();
    }
    return m_arrRows;
}

std::string_view CDataViewTable::CellView(const SRow& row, int nColumn) const
{
    return TrimmedView(m_pCache->FieldAt(row.nPosition, static_cast<size_t>(nColumn)));
}

std::string CDataViewTable::GetCellText(int nRow, int nColumn) const
{
    if (nRow < 0 || nRow >= GetRowCount() || nColumn < 0)
        return std::string();
    const SRow& row = Rows()[static_cast<size_t>(nRow)];
    if (nColumn == 0)
        return StrFormat("%lu", static_cast<unsigned long>(row.nIndex));
    if (nColumn == 1)
    {
        // The record's own milliseconds decide, as when the row was added
        // right after its time was parsed.
        bool bHasMilliseconds = false;
        const SYSTEMTIME tm = ParseRecordTimeTexts(
            m_pCache->FieldAt(row.nPosition, 0), m_pCache->FieldAt(row.nPosition, 1),
            m_pCache->FieldCountAt(row.nPosition), bHasMilliseconds);
        return FormatRecordTimeText(tm, bHasMilliseconds);
    }
    return std::string(CellView(row, nColumn));
}

void CDataViewTable::AppendCellText(int nRow, int nColumn, CRecordTimeFormatter& formatter,
                                    std::string& strOut) const
{
    if (nRow < 0 || nRow >= GetRowCount() || nColumn < 0)
        return;
    const SRow& row = Rows()[static_cast<size_t>(nRow)];
    if (nColumn == 0)
    {
        char szBuffer[16];
        const auto result = std::to_chars(szBuffer, szBuffer + sizeof(szBuffer), row.nIndex);
        strOut.append(szBuffer, result.ptr);
        return;
    }
    if (nColumn == 1)
    {
        bool bHasMilliseconds = false;
        const SYSTEMTIME tm = m_pCache->TimeAt(row.nPosition, bHasMilliseconds);
        formatter.Append(tm, bHasMilliseconds, strOut);
        return;
    }
    strOut += CellView(row, nColumn);
}

bool CDataViewTable::Sort(int nColumn)
{
    const std::vector<SRow>& arrRows = Rows();
    if (arrRows.size() < 2)
        return false;
    m_bSortAscending = !m_bSortAscending;
    m_nSortColumn = nColumn;
    std::vector<uint32_t> arrOrder;
    if (nColumn <= 1)
    {
        std::vector<uint32_t> arrIndices(arrRows.size());
        for (size_t i = 0; i < arrRows.size(); ++i)
            arrIndices[i] = arrRows[i].nIndex;
        arrOrder = OrderIndices(arrIndices, m_bSortAscending);
    }
    else
        arrOrder = OrderCellTexts(
            arrRows.size(), [&](size_t i) { return CellView(arrRows[i], nColumn); },
            m_bSortAscending);
    std::vector<SRow> arrSorted;
    arrSorted.reserve(arrRows.size());
    for (const uint32_t nItem : arrOrder)
        arrSorted.push_back(arrRows[nItem]);
    m_arrRows.swap(arrSorted);
    return true;
}
