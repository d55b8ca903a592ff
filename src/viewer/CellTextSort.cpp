#include "CellTextSort.h"

#include <algorithm>
#include <cctype>

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
            const unsigned char c =
                i < str.size() ? m_arrLower[static_cast<unsigned char>(str[i])] : 0;
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

// CompareCellTexts of two prepared cells.
int CompareSortCells(const SSortCell& a, const SSortCell& b, bool bAscending,
                     const CLowerCase& lower)
{
    if (a.bDigits && b.bDigits)
    {
        const int n =
            CompareDigitTexts(a.text.substr(a.nLeadingZeros), b.text.substr(b.nLeadingZeros));
        return bAscending ? n : -n;
    }
    const int n = lower.Compare(a.text, b.text);
    return bAscending ? -n : n;
}

// The order of the texts under the comparison of CompareCellTexts, stable;
// fnText(i) gives the text of item i.
void SortTexts(size_t nItems, const std::function<std::string_view(size_t)>& fnText,
               bool bAscending, std::vector<SKeyed>& arrKeys)
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
        std::stable_sort(arrKeys.begin(), arrKeys.end(),
                         [&](const SKeyed& a, const SKeyed& b) {
                             return CompareSortCells(arrCells[a.nItem], arrCells[b.nItem],
                                                     bAscending, lower) < 0;
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
                             [&](const SKeyed& a, const SKeyed& b)
                             {
                                 const int n = lower.Compare(fnText(a.nItem), fnText(b.nItem));
                                 return (bAscending ? -n : n) < 0;
                             });
        nStart = nEnd;
    }
}
} // namespace

int CompareCellTexts(std::string_view a, std::string_view b, bool bAscending)
{
    if (IsAllDigits(a) && IsAllDigits(b))
    {
        const int n = CompareDigitTexts(a, b);
        return bAscending ? n : -n;
    }
    const int n = CompareNoCase(a, b);
    return bAscending ? -n : n;
}

namespace
{
std::vector<uint32_t> ItemsInOrder(const std::vector<SKeyed>& arrKeys)
{
    std::vector<uint32_t> arrOrder(arrKeys.size());
    for (size_t i = 0; i < arrKeys.size(); ++i)
        arrOrder[i] = arrKeys[i].nItem;
    return arrOrder;
}
} // namespace

std::vector<uint32_t> OrderIndices(const std::vector<uint32_t>& arrIndices, bool bAscending)
{
    // Rows in cache order (or the reverse), as a load leaves them, need no
    // sorting: indices are unique, so the order is that one or its reverse.
    if (std::is_sorted(arrIndices.begin(), arrIndices.end()))
    {
        std::vector<uint32_t> arrOrder(arrIndices.size());
        for (size_t i = 0; i < arrOrder.size(); ++i)
            arrOrder[i] = static_cast<uint32_t>(bAscending ? i : arrOrder.size() - 1 - i);
        return arrOrder;
    }
    std::vector<SKeyed> arrKeys(arrIndices.size());
    for (size_t i = 0; i < arrIndices.size(); ++i)
        arrKeys[i] = {bAscending ? arrIndices[i] : ~uint64_t(arrIndices[i]),
                      static_cast<uint32_t>(i)};
    if (!arrKeys.empty())
        RadixSort(arrKeys);
    return ItemsInOrder(arrKeys);
}

std::vector<uint32_t> OrderCellTexts(size_t nItems,
                                     const std::function<std::string_view(size_t)>& fnText,
                                     bool bAscending)
{
    std::vector<SKeyed> arrKeys(nItems);
    if (nItems != 0)
        SortTexts(nItems, fnText, bAscending, arrKeys);
    return ItemsInOrder(arrKeys);
}
