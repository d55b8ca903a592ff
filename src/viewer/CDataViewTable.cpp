#include "CDataViewTable.h"

#include "DataLogText.h"
#include "common/StrFormat.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>

namespace
{
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

// Exact comparison of two digit texts by value, however long they are.
int CompareDigitTexts(std::string_view a, std::string_view b)
{
    a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
    b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    const int n = a.compare(b);
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    const size_t nLength = std::min(a.size(), b.size());
    for (size_t i = 0; i < nLength; ++i)
    {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string_view TrimmedView(std::string_view str)
{
    const auto fnBlank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (!str.empty() && fnBlank(str.front()))
        str.remove_prefix(1);
    while (!str.empty() && fnBlank(str.back()))
        str.remove_suffix(1);
    return str;
}

int CompareIndices(uint32_t a, uint32_t b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

// A sort key and the item it belongs to.
struct SKeyed
{
    uint64_t nKey;
    uint32_t nItem;
};

// Stable sort by key, a byte at a time from the lowest; a byte that is the
// same in every key takes no pass.
void RadixSort(std::vector<SKeyed>& arrItems)
{
    std::vector<SKeyed> arrOther(arrItems.size());
    for (int nShift = 0; nShift < 64; nShift += 8)
    {
        size_t arrCounts[256] = {};
        for (const SKeyed& item : arrItems)
            ++arrCounts[(item.nKey >> nShift) & 0xFF];
        if (arrCounts[(arrItems.front().nKey >> nShift) & 0xFF] == arrItems.size())
            continue;
        size_t nTotal = 0;
        for (size_t& nCount : arrCounts)
        {
            const size_t n = nCount;
            nCount = nTotal;
            nTotal += n;
        }
        for (const SKeyed& item : arrItems)
            arrOther[arrCounts[(item.nKey >> nShift) & 0xFF]++] = item;
        arrItems.swap(arrOther);
    }
}

// Byte order of texts compared ignoring case, as std::tolower has it.
class CLowerCase
{
public:
    CLowerCase()
    {
        for (int c = 0; c < 256; ++c)
            m_arrLower[c] = static_cast<unsigned char>(std::tolower(c));
    }
    int Compare(std::string_view a, std::string_view b) const
    {
        const size_t nLength = std::min(a.size(), b.size());
        for (size_t i = 0; i < nLength; ++i)
        {
            const unsigned char ca = m_arrLower[static_cast<unsigned char>(a[i])];
            const unsigned char cb = m_arrLower[static_cast<unsigned char>(b[i])];
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        if (a.size() == b.size())
            return 0;
        return a.size() < b.size() ? -1 : 1;
    }
    // The first eight bytes in lower case, the first one highest, as the
    // start of the comparison above; bWhole: the key holds the whole text.
    uint64_t Prefix(std::string_view str, bool& bWhole) const
    {
        uint64_t nKey = 0;
        bWhole = str.size() <= 8;
        for (size_t i = 0; i < 8; ++i)
        {
            const unsigned char c = i < str.size() ? m_arrLower[static_cast<unsigned char>(str[i])] : 0;
            bWhole = bWhole && (i >= str.size() || c != 0);
            nKey = nKey << 8 | c;
        }
        return nKey;
    }

private:
    unsigned char m_arrLower[256];
};

// A cell prepared for sorting: its trimmed text and, when it is all digits,
// where its significant digits start.
struct SSortCell
{
    std::string_view text;
    bool bDigits;
    uint16_t nLeadingZeros;
};

SSortCell MakeSortCell(std::string_view text)
{
    SSortCell cell{text, IsAllDigits(text), 0};
    if (cell.bDigits)
    {
        const size_t nZeros = std::min(text.find_first_not_of('0'), text.size());
        cell.nLeadingZeros = static_cast<uint16_t>(std::min<size_t>(nZeros, UINT16_MAX));
        cell.bDigits = nZeros <= UINT16_MAX; // past that the text rule decides
    }
    return cell;
}

// CompareCells of two prepared cells.
int CompareSortCells(const SSortCell& a, const SSortCell& b, bool bAscending,
                     const CLowerCase& lower)
{
    if (a.bDigits && b.bDigits)
    {
        const int n = CompareDigitTexts(a.text.substr(a.nLeadingZeros), b.text.substr(b.nLeadingZeros));
        return bAscending ? n : -n;
    }
    const int n = lower.Compare(a.text, b.text);
    return bAscending ? -n : n;
}

// The order of the texts under the comparison of CompareCells, stable;
// fnText(i) gives the text of item i.
template <class FnText>
void SortTexts(size_t nItems, const FnText& fnText, bool bAscending, std::vector<SKeyed>& arrKeys)
{
    size_t nDigitCells = 0;
    bool bShortNumbers = true; // every number fits 64 bits
    for (size_t i = 0; i < nItems; ++i)
    {
        const SSortCell cell = MakeSortCell(fnText(i));
        if (cell.bDigits)
        {
            ++nDigitCells;
            bShortNumbers = bShortNumbers && cell.text.size() - cell.nLeadingZeros <= 19;
        }
    }
    const CLowerCase lower;
    if (nDigitCells == nItems && bShortNumbers)
    {
        // All numbers: by value, upwards when ascending.
        for (size_t i = 0; i < nItems; ++i)
        {
            uint64_t nValue = 0;
            for (const char c : fnText(i))
                nValue = nValue * 10 + static_cast<uint64_t>(c - '0');
            arrKeys[i] = {bAscending ? nValue : ~nValue, static_cast<uint32_t>(i)};
        }
        RadixSort(arrKeys);
        return;
    }
    if (nDigitCells != 0)
    {
        // Numbers among texts: the two rules together order the rows only as
        // a merge sort applying them pair by pair does.
        std::vector<SSortCell> arrCells(nItems);
        for (size_t i = 0; i < nItems; ++i)
        {
            arrCells[i] = MakeSortCell(fnText(i));
            arrKeys[i] = {0, static_cast<uint32_t>(i)};
        }
        std::stable_sort(arrKeys.begin(), arrKeys.end(), [&](const SKeyed& a, const SKeyed& b) {
            return CompareSortCells(arrCells[a.nItem], arrCells[b.nItem], bAscending, lower) < 0;
        });
        return;
    }
    // All texts: by the first eight bytes, downwards when ascending; then the
    // runs of equal starts by their whole texts.
    std::vector<bool> arrWhole(nItems);
    for (size_t i = 0; i < nItems; ++i)
    {
        bool bWhole = false;
        const uint64_t nPrefix = lower.Prefix(fnText(i), bWhole);
        arrWhole[i] = bWhole;
        arrKeys[i] = {bAscending ? ~nPrefix : nPrefix, static_cast<uint32_t>(i)};
    }
    RadixSort(arrKeys);
    for (size_t nStart = 0; nStart < nItems;)
    {
        size_t nEnd = nStart + 1;
        bool bAllWhole = arrWhole[arrKeys[nStart].nItem];
        for (; nEnd < nItems && arrKeys[nEnd].nKey == arrKeys[nStart].nKey; ++nEnd)
            bAllWhole = bAllWhole && arrWhole[arrKeys[nEnd].nItem];
        if (nEnd - nStart > 1 && !bAllWhole)
            std::stable_sort(arrKeys.begin() + static_cast<std::ptrdiff_t>(nStart),
                             arrKeys.begin() + static_cast<std::ptrdiff_t>(nEnd),
                             [&](const SKeyed& a, const SKeyed& b) {
                                 const int n = lower.Compare(fnText(a.nItem), fnText(b.nItem));
                                 return (bAscending ? -n : n) < 0;
                             });
        nStart = nEnd;
    }
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
        const SYSTEMTIME tm = ParseRecordTimeTexts(m_pCache->FieldAt(row.nPosition, 0),
                                                   m_pCache->FieldAt(row.nPosition, 1),
                                                   m_pCache->FieldCountAt(row.nPosition),
                                                   bHasMilliseconds);
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

int CDataViewTable::CompareCells(std::string_view a, std::string_view b, bool bAscending)
{
    if (IsAllDigits(a) && IsAllDigits(b))
    {
        const int n = CompareDigitTexts(a, b);
        return bAscending ? n : -n;
    }
    const int n = CompareNoCase(a, b);
    return bAscending ? -n : n;
}

int CDataViewTable::CompareRowItems(const SRow& a, const SRow& b, int nColumn) const
{
    // "Date & Time" sorts by the record index. The index text ("%lu") is
    // always all digits, so comparing the numbers is what the text rule does.
    if (nColumn <= 1)
    {
        const int n = CompareIndices(a.nIndex, b.nIndex);
        return m_bSortAscending ? n : -n;
    }
    return CompareCells(CellView(a, nColumn), CellView(b, nColumn), m_bSortAscending);
}

int CDataViewTable::CompareRows(int nRowA, int nRowB) const
{
    const std::vector<SRow>& arrRows = Rows();
    return CompareRowItems(arrRows[static_cast<size_t>(nRowA)],
                           arrRows[static_cast<size_t>(nRowB)], m_nSortColumn);
}

bool CDataViewTable::Sort(int nColumn)
{
    if (Rows().size() < 2)
        return false;
    m_bSortAscending = !m_bSortAscending;
    m_nSortColumn = nColumn;
    const std::vector<SRow>& arrRows = Rows();
    std::vector<SKeyed> arrKeys(arrRows.size());
    if (nColumn <= 1)
    {
        for (size_t i = 0; i < arrRows.size(); ++i)
            arrKeys[i] = {m_bSortAscending ? arrRows[i].nIndex : ~uint64_t(arrRows[i].nIndex),
                          static_cast<uint32_t>(i)};
        RadixSort(arrKeys);
    }
    else
        SortTexts(
            arrRows.size(), [&](size_t i) { return CellView(arrRows[i], nColumn); },
            m_bSortAscending, arrKeys);
    std::vector<SRow> arrSorted;
    arrSorted.reserve(arrRows.size());
    for (const SKeyed& key : arrKeys)
        arrSorted.push_back(arrRows[key.nItem]);
    m_arrRows.swap(arrSorted);
    return true;
}

