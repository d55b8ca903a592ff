#include "CFilterSet.h"

#include "DataLogText.h"
#include "common/StrFormat.h"

#include <cstdlib>

namespace
{
const char* const s_arrGridTexts[FILTER_CONDITION_COUNT] = {"=", "!=",       ">",
                                                            "<", "In Range", "Out Of Range"};
const char* const s_arrComboTexts[FILTER_CONDITION_COUNT] = {"=", "!=",       ">",
                                                             "<", "In Range", "Out of range"};
const char* const s_arrExportTexts[FILTER_CONDITION_COUNT] = {"=", "!=",           ">",
                                                              "<", "In the range", "Out of Range"};

const char* ConditionText(const char* const* pTexts, int nCondition)
{
    return nCondition >= 0 && nCondition < FILTER_CONDITION_COUNT ? pTexts[nCondition] : "";
}
} // namespace

const char* GetConditionGridText(int nCondition)
{
    return ConditionText(s_arrGridTexts, nCondition);
}

const char* GetConditionComboText(int nCondition)
{
    return ConditionText(s_arrComboTexts, nCondition);
}

const char* GetConditionExportText(int nCondition)
{
    return ConditionText(s_arrExportTexts, nCondition);
}

double CTagFilter::ReadValue(std::string_view strText) const
{
    if (m_nDataType == FilterDiscrete)
        return IsOnText(strText) ? 1.0 : 0.0;
    return std::atof(std::string(strText).c_str());
}

bool CTagFilter::IsMet(double dValue) const
{
    switch (m_nCondition)
    {
    case FilterEqual:
        return dValue == m_dLow;
    case FilterNotEqual:
        return dValue != m_dLow;
    case FilterGreater:
        return dValue > m_dLow;
    case FilterLess:
        return dValue < m_dLow;
    case FilterInRange:
        return m_dLow <= dValue && dValue <= m_dHigh;
    case FilterOutOfRange:
        return dValue < m_dLow || dValue > m_dHigh;
    default:
        return false;
    }
}

bool CFilterSet::operator==(const CFilterSet& other) const
{
    if (m_bEnabled != other.m_bEnabled || m_bDateRange != other.m_bDateRange ||
        m_bShowDates != other.m_bShowDates || m_nDateCondition != other.m_nDateCondition)
        return false;
    if (m_bDateRange && (!(m_tmFrom == other.m_tmFrom) || !(m_tmTo == other.m_tmTo)))
        return false;
    return m_arrTagFilters == other.m_arrTagFilters;
}

bool CFilterSet::IsDateMet(const SYSTEMTIME& tmRecord) const
{
    // Field order is file-time order for real times, milliseconds included.
    const int nFrom = CompareRecordTimes(tmRecord, m_tmFrom);
    switch (m_nDateCondition)
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
        return nFrom >= 0 && CompareRecordTimes(tmRecord, m_tmTo) <= 0;
    case FilterOutOfRange:
        return nFrom < 0 || CompareRecordTimes(tmRecord, m_tmTo) > 0;
    default:
        return false;
    }
}

bool CFilterSet::IsHidden(const SYSTEMTIME& tmRecord,
                          const std::vector<std::string>& arrFields) const
{
    return IsHiddenBy(tmRecord,
                      [&arrFields](const CTagFilter& tag)
                      {
                          const size_t nField = static_cast<size_t>(tag.m_nTagIndex) + 2;
                          return tag.ReadValue(nField < arrFields.size()
                                                   ? std::string_view(arrFields[nField])
                                                   : std::string_view());
                      });
}
