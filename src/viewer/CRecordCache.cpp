#include "CRecordCache.h"

#include "DataLogText.h"

#include <algorithm>

namespace
{
constexpr uint16_t MILLISECONDS_FLAG = 0x8000;
}

std::string_view CRecordCache::FieldAt(size_t nPos, size_t nField) const
{
    const SRecord& record = m_arrRecords[nPos];
    if (nField >= record.nFields)
        return std::string_view();
    const size_t nSlot = record.nFirstField + nField;
    const size_t nStart = nSlot == 0 ? 0 : m_arrFieldEnds[nSlot - 1];
    return std::string_view(m_strText).substr(nStart, m_arrFieldEnds[nSlot] - nStart);
}

std::vector<std::string> CRecordCache::FieldsAt(size_t nPos) const
{
    std::vector<std::string> arrFields;
    for (size_t i = 0; i < FieldCountAt(nPos); ++i)
        arrFields.emplace_back(FieldAt(nPos, i));
    return arrFields;
}

size_t CRecordCache::LowerBound(uint32_t nIndex) const
{
    const auto it =
        std::lower_bound(m_arrRecords.begin(), m_arrRecords.end(), nIndex,
                         [](const SRecord& record, uint32_t n) { return record.nIndex < n; });
    return static_cast<size_t>(it - m_arrRecords.begin());
}

size_t CRecordCache::Find(uint32_t nIndex) const
{
    const size_t nPos = LowerBound(nIndex);
    return nPos < m_arrRecords.size() && m_arrRecords[nPos].nIndex == nIndex ? nPos : npos;
}

void CRecordCache::Reserve(size_t nRecords, size_t nFields, size_t nTextBytes)
{
    m_arrStaged.reserve(nRecords);
    m_arrFieldEnds.reserve(m_arrFieldEnds.size() + nFields);
    m_strText.reserve(m_strText.size() + nTextBytes);
}

void CRecordCache::AppendFields(const std::string_view* pFields, size_t nCount, SRecord& record)
{
    record.nFirstField = static_cast<uint32_t>(m_arrFieldEnds.size());
    record.nFields = static_cast<uint32_t>(nCount);
    for (size_t i = 0; i < nCount; ++i)
    {
        m_strText += pFields[i];
        m_arrFieldEnds.push_back(static_cast<uint32_t>(m_strText.size()));
    }
}

void CRecordCache::Stage(uint32_t nIndex, const std::string_view* pFields, size_t nCount)
{
    SRecord record{nIndex, 0, 0};
    AppendFields(pFields, nCount, record);
    m_arrStaged.push_back(record);
}

void CRecordCache::Commit()
{
    if (m_arrStaged.empty())
        return;
    if (m_arrRecords.empty() || m_arrRecords.back().nIndex < m_arrStaged.front().nIndex)
    {
        if (m_arrRecords.empty())
            m_arrRecords.swap(m_arrStaged);
        else
            m_arrRecords.insert(m_arrRecords.end(), m_arrStaged.begin(), m_arrStaged.end());
    }
    else
    {
        std::vector<SRecord> arrMerged;
        arrMerged.reserve(m_arrRecords.size() + m_arrStaged.size());
        std::merge(m_arrRecords.begin(), m_arrRecords.end(), m_arrStaged.begin(), m_arrStaged.end(),
                   std::back_inserter(arrMerged),
                   [](const SRecord& a, const SRecord& b) { return a.nIndex < b.nIndex; });
        m_arrRecords.swap(arrMerged);
    }
    m_arrStaged.clear();
    m_arrStaged.shrink_to_fit();
    // A load reserves for the whole run read; what the refused lines and the
    // trimmed blanks did not use is given back when it is much (giving back
    // copies the buffer, which for a large load costs more memory at once
    // than a little slack kept).
    if (m_strText.capacity() > m_strText.size() + m_strText.size() / 4)
        m_strText.shrink_to_fit();
    if (m_arrFieldEnds.capacity() > m_arrFieldEnds.size() + m_arrFieldEnds.size() / 4)
        m_arrFieldEnds.shrink_to_fit();
    if (m_arrRecords.capacity() > m_arrRecords.size() + m_arrRecords.size() / 4)
        m_arrRecords.shrink_to_fit();
    Changed();
}

void CRecordCache::Put(uint32_t nIndex, const std::vector<std::string>& arrFields)
{
    SRecord record{nIndex, 0, 0};
    const std::vector<std::string_view> arrViews(arrFields.begin(), arrFields.end());
    AppendFields(arrViews.data(), arrViews.size(), record);
    const auto it = m_arrRecords.begin() + static_cast<std::ptrdiff_t>(LowerBound(nIndex));
    if (it != m_arrRecords.end() && it->nIndex == nIndex)
        *it = record;
    else
        m_arrRecords.insert(it, record);
    Changed();
}

void CRecordCache::Clear()
{
    m_strText = std::string();
    m_arrFieldEnds = std::vector<uint32_t>();
    m_arrRecords = std::vector<SRecord>();
    m_arrStaged = std::vector<SRecord>();
    ++m_nClears;
    Changed();
}

void CRecordCache::Changed()
{
    ++m_nLayout;
    m_arrTimes = std::vector<SYSTEMTIME>();
    m_arrNumbers = std::vector<std::vector<double>>();
}

void CRecordCache::BuildTimes() const
{
    m_arrTimes.resize(m_arrRecords.size());
    for (size_t nPos = 0; nPos < m_arrRecords.size(); ++nPos)
    {
        bool bHasMilliseconds = false;
        SYSTEMTIME& tm = m_arrTimes[nPos];
        tm = ParseRecordTimeTexts(FieldAt(nPos, 0), FieldAt(nPos, 1), FieldCountAt(nPos),
                                  bHasMilliseconds);
        if (bHasMilliseconds)
            tm.wDayOfWeek |= MILLISECONDS_FLAG;
    }
}

SYSTEMTIME CRecordCache::TimeAt(size_t nPos, bool& bHasMilliseconds) const
{
    if (m_arrTimes.size() != m_arrRecords.size())
        BuildTimes();
    SYSTEMTIME tm = m_arrTimes[nPos];
    bHasMilliseconds = (tm.wDayOfWeek & MILLISECONDS_FLAG) != 0;
    tm.wDayOfWeek &= static_cast<uint16_t>(~MILLISECONDS_FLAG);
    return tm;
}

void CRecordCache::BuildNumbers(size_t nField) const
{
    if (m_arrNumbers.size() <= nField)
        m_arrNumbers.resize(nField + 1);
    std::vector<double>& arrColumn = m_arrNumbers[nField];
    arrColumn.resize(m_arrRecords.size());
    const bool bDot = IsDecimalPointDot();
    for (size_t nPos = 0; nPos < m_arrRecords.size(); ++nPos)
        arrColumn[nPos] = ReadLeadingNumber(FieldAt(nPos, nField), bDot);
}

double CRecordCache::NumberAt(size_t nPos, size_t nField) const
{
    if (nField >= m_arrNumbers.size() || m_arrNumbers[nField].size() != m_arrRecords.size())
        BuildNumbers(nField);
    return m_arrNumbers[nField][nPos];
}

size_t CRecordCache::HeapBytes() const
{
    size_t nBytes = m_strText.capacity() + m_arrFieldEnds.capacity() * sizeof(uint32_t) +
                    m_arrRecords.capacity() * sizeof(SRecord) +
                    m_arrStaged.capacity() * sizeof(SRecord) +
                    m_arrTimes.capacity() * sizeof(SYSTEMTIME);
    for (const std::vector<double>& arrColumn : m_arrNumbers)
        nBytes += arrColumn.capacity() * sizeof(double);
    return nBytes;
}
