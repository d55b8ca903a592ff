#include "CDataViewTable.h"

#include "DataLogText.h"
#include "common/StrFormat.h"

#include <algorithm>
#include <cctype>
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
    const char* pszBlanks = " \t\n\v\f\r";
    const size_t nFirst = str.find_first_not_of(pszBlanks);
    if (nFirst == std::string_view::npos)
        return std::string_view();
    return str.substr(nFirst, str.find_last_not_of(pszBlanks) - nFirst + 1);
}

int CompareIndices(uint32_t a, uint32_t b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
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
    std::vector<std::string> arrColumns;
    log.GetHeaderFields(arrColumns);
    m_arrHeaders = {"#", "Date & Time"};
    for (size_t i = 2; i < arrColumns.size(); ++i)
        m_arrHeaders.push_back(arrColumns[i]);
    if (log.m_mapCache.empty())
        return;

    const int nTotal = static_cast<int>(std::min<size_t>(log.m_mapCache.size(), INT_MAX));
    if (pProgress != nullptr)
    {
        pProgress->SetRange(0, nTotal);
        pProgress->SetText(StrFormat("Data View - Loading 1 of %d records...", nTotal));
    }
    m_arrRows.reserve(log.m_mapCache.size());
    int k = 0;
    for (auto it = log.m_mapCache.begin(); it != log.m_mapCache.end(); ++it, ++k)
    {
        if (it->second.size() > 2 && !log.IsRecordHidden(it))
            m_arrRows.push_back({it->first, &it->second});
        // One progress step per 256 records keeps a million-row load from
        // spending its time in the progress window.
        if (pProgress != nullptr && (k % 256 == 0 || k + 1 == nTotal))
        {
            pProgress->SetText(StrFormat("Data View - Loading %d of %d records...", k, nTotal));
            pProgress->SetPos(k);
        }
    }
    m_arrRows.shrink_to_fit();
}

std::string CDataViewTable::GetCellText(int nRow, int nColumn) const
{
    if (nRow < 0 || nRow >= GetRowCount() || nColumn < 0)
        return std::string();
    const SRow& row = m_arrRows[static_cast<size_t>(nRow)];
    if (nColumn == 0)
        return StrFormat("%lu", static_cast<unsigned long>(row.nIndex));
    const CDataLogFile::RecordFields& arrFields = *row.pFields;
    if (nColumn == 1)
    {
        // The record's own milliseconds decide, as when the row was added
        // right after its time was parsed.
        bool bHasMilliseconds = false;
        const SYSTEMTIME tm = ParseRecordTime(arrFields.data(), arrFields.size(), bHasMilliseconds);
        return FormatRecordTimeText(tm, bHasMilliseconds);
    }
    const size_t nField = static_cast<size_t>(nColumn);
    return nField < arrFields.size() ? TrimBlanks(arrFields[nField]) : std::string();
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
    const size_t nField = static_cast<size_t>(nColumn);
    const std::string_view textA =
        nField < a.pFields->size() ? TrimmedView((*a.pFields)[nField]) : std::string_view();
    const std::string_view textB =
        nField < b.pFields->size() ? TrimmedView((*b.pFields)[nField]) : std::string_view();
    return CompareCells(textA, textB, m_bSortAscending);
}

int CDataViewTable::CompareRows(int nRowA, int nRowB) const
{
    return CompareRowItems(m_arrRows[static_cast<size_t>(nRowA)],
                           m_arrRows[static_cast<size_t>(nRowB)], m_nSortColumn);
}

namespace
{
// A cell prepared for sorting: its trimmed text in lower case (digits stay
// as they are), kept inline for short texts, so comparing two keys touches
// no record. Ordering keys is ordering their cells with CompareCells.
struct SSortKey
{
    uint32_t nRow;
    uint16_t nLeadingZeros; // of an all-digits text, for the comparison by value
    bool bDigits;
    std::string strText;
};

int CompareBytes(std::string_view a, std::string_view b)
{
    const int n = a.compare(b);
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

int CompareKeys(const SSortKey& a, const SSortKey& b, bool bAscending)
{
    if (a.bDigits && b.bDigits)
    {
        const std::string_view digitsA = std::string_view(a.strText).substr(a.nLeadingZeros);
        const std::string_view digitsB = std::string_view(b.strText).substr(b.nLeadingZeros);
        int n = 0;
        if (digitsA.size() != digitsB.size())
            n = digitsA.size() < digitsB.size() ? -1 : 1;
        else
            n = CompareBytes(digitsA, digitsB);
        return bAscending ? n : -n;
    }
    const int n = CompareBytes(a.strText, b.strText); // both already in lower case
    return bAscending ? -n : n;
}
} // namespace

bool CDataViewTable::Sort(int nColumn)
{
    if (m_arrRows.size() < 2)
        return false;
    m_bSortAscending = !m_bSortAscending;
    m_nSortColumn = nColumn;
    if (nColumn <= 1)
    {
        std::stable_sort(m_arrRows.begin(), m_arrRows.end(), [this](const SRow& a, const SRow& b) {
            return CompareRowItems(a, b, m_nSortColumn) < 0;
        });
        return true;
    }

    const size_t nField = static_cast<size_t>(nColumn);
    std::vector<SSortKey> arrKeys(m_arrRows.size());
    for (size_t i = 0; i < m_arrRows.size(); ++i)
    {
        const CDataLogFile::RecordFields& arrFields = *m_arrRows[i].pFields;
        const std::string_view text =
            nField < arrFields.size() ? TrimmedView(arrFields[nField]) : std::string_view();
        SSortKey& key = arrKeys[i];
        key.nRow = static_cast<uint32_t>(i);
        key.bDigits = IsAllDigits(text);
        key.nLeadingZeros = 0;
        if (key.bDigits)
        {
            const size_t nZeros = std::min(text.find_first_not_of('0'), text.size());
            key.nLeadingZeros = static_cast<uint16_t>(std::min<size_t>(nZeros, UINT16_MAX));
            key.bDigits = nZeros <= UINT16_MAX;
        }
        key.strText.assign(text);
        for (char& c : key.strText)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const bool bAscending = m_bSortAscending;
    std::stable_sort(arrKeys.begin(), arrKeys.end(), [bAscending](const SSortKey& a, const SSortKey& b) {
        return CompareKeys(a, b, bAscending) < 0;
    });
    std::vector<SRow> arrSorted;
    arrSorted.reserve(m_arrRows.size());
    for (const SSortKey& key : arrKeys)
        arrSorted.push_back(m_arrRows[key.nRow]);
    m_arrRows.swap(arrSorted);
    return true;
}
