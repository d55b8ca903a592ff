#pragma once
// The user's filter over the cached records: a global switch, an optional
// date-range criterion and per-tag criteria. A record is shown only when every
// criterion in use lets it through.
#include "common/SysTime.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Condition index shared by the date and the tag criteria (the index is what
// is stored); an index outside 0..5 is never met.
enum FilterCondition : int
{
    FilterEqual = 0,
    FilterNotEqual = 1,
    FilterGreater = 2,
    FilterLess = 3,
    FilterInRange = 4,
    FilterOutOfRange = 5,
};
constexpr int FILTER_CONDITION_COUNT = 6;

// Texts of a condition index ("" outside 0..5).
const char* GetConditionGridText(int nCondition);   // the tag grid's list
const char* GetConditionComboText(int nCondition);  // the date condition combo
const char* GetConditionExportText(int nCondition); // CSV export and print header

enum FilterDataType : int
{
    FilterNumeric = 0,
    FilterDiscrete = 1,
};

class CTagFilter
{
public:
    uint16_t m_nTagIndex = 0; // the tag's column in a record minus 2
    bool m_bShow = true;      // Show (true) or Hide (false) the records that meet it
    int32_t m_nDataType = FilterNumeric;
    int32_t m_nCondition = FilterEqual;
    double m_dLow = 0.0;
    double m_dHigh = 0.0;

    bool operator==(const CTagFilter&) const = default;

    // The value a field text stands for under this entry's data type.
    double ReadValue(std::string_view strText) const;
    bool IsMet(double dValue) const;
};

class CFilterSet
{
public:
    bool m_bEnabled = false;
    bool m_bDateRange = false;
    bool m_bShowDates = true;
    int32_t m_nDateCondition = FilterInRange;
    SYSTEMTIME m_tmFrom;
    SYSTEMTIME m_tmTo;
    std::vector<CTagFilter> m_arrTagFilters;

    // The From and To times count only while the date range is in use.
    bool operator==(const CFilterSet& other) const;
    bool operator!=(const CFilterSet& other) const { return !(*this == other); }

    // True when the record (its time and its field texts: date, time, tags)
    // is filtered out. A tag criterion whose field the record lacks reads an
    // empty text, never a field outside the record.
    bool IsHidden(const SYSTEMTIME& tmRecord, const std::vector<std::string>& arrFields) const;
    // The same test with the value of each tag criterion given by
    // fnTagValue(const CTagFilter&), as ReadValue reads the record's field.
    template <class FnTagValue>
    bool IsHiddenBy(const SYSTEMTIME& tmRecord, const FnTagValue& fnTagValue) const
    {
        if (!m_bEnabled)
            return false;
        bool bHidden = false;
        if (m_bDateRange)
        {
            const bool bMet = IsDateMet(tmRecord);
            bHidden = m_bShowDates ? !bMet : bMet;
        }
        for (const CTagFilter& tag : m_arrTagFilters)
        {
            if (bHidden)
                break;
            const bool bMet = tag.IsMet(fnTagValue(tag));
            bHidden = tag.m_bShow ? !bMet : bMet;
        }
        return bHidden;
    }

    // Whether the filter writes a filter table (export, print header).
    bool HasCriteriaInUse() const
    {
        return m_bEnabled && (m_bDateRange || !m_arrTagFilters.empty());
    }

private:
    bool IsDateMet(const SYSTEMTIME& tmRecord) const;
};
