#include "FilterPageRules.h"

#include "DataLogText.h"
#include "common/StrFormat.h"

#include <cmath>
#include <cstdlib>

namespace
{
SYSTEMTIME CombineDateAndTime(const SYSTEMTIME& tmDate, const SYSTEMTIME& tmTime)
{
    SYSTEMTIME tm = tmDate;
    tm.wHour = tmTime.wHour;
    tm.wMinute = tmTime.wMinute;
    tm.wSecond = tmTime.wSecond;
    tm.wMilliseconds = tmTime.wMilliseconds;
    return tm;
}

SYSTEMTIME WholeSeconds(SYSTEMTIME tm)
{
    tm.wMilliseconds = 0;
    return tm;
}

SFilterPageOutcome Refuse(std::string strText, EPromptIcon eIcon, int nControl, int nRow = -1,
                          int nColumn = -1)
{
    SFilterPageOutcome outcome;
    outcome.message.strText = std::move(strText);
    outcome.message.eIcon = eIcon;
    outcome.message.nFocusControl = nControl;
    outcome.message.nFocusRow = nRow;
    outcome.message.nFocusColumn = nColumn;
    return outcome;
}
} // namespace

bool ReadLimit(const std::string& strText, double& dValue)
{
    const char* pszStart = strText.c_str();
    char* pszEnd = nullptr;
    dValue = std::strtod(pszStart, &pszEnd);
    // Infinities and NaN are numbers to strtod but no limit a value can meet.
    return pszEnd != pszStart && *pszEnd == '\0' && std::isfinite(dValue);
}

SFilterPageValues MakeFilterPageValues(const CFilterSet& filter,
                                       const std::vector<std::string>& arrTagNames)
{
    SFilterPageValues values;
    values.tmFromDate = values.tmFromTime = filter.m_tmFrom;
    values.tmToDate = values.tmToTime = filter.m_tmTo;
    for (const std::string& strName : arrTagNames)
    {
        SFilterGridRow row;
        row.strTagName = strName;
        values.arrRows.push_back(row);
    }
    return values;
}

SFilterPageOutcome ValidateFilterPage(const SFilterPageValues& values,
                                      const SYSTEMTIME& tmCacheStart, const SYSTEMTIME& tmCacheEnd)
{
    const SYSTEMTIME tmFrom = CombineDateAndTime(values.tmFromDate, values.tmFromTime);
    const SYSTEMTIME tmTo = CombineDateAndTime(values.tmToDate, values.tmToTime);

    SFilterPageOutcome outcome;
    CFilterSet& filter = outcome.filter;
    filter.m_tmFrom = WholeSeconds(tmFrom);
    filter.m_tmTo = WholeSeconds(tmTo);
    filter.m_bEnabled = values.bFilterEnabled;
    if (!filter.m_bEnabled)
    {
        outcome.bAccepted = true;
        return outcome;
    }

    filter.m_bShowDates = values.bShowDates;
    filter.m_bDateRange = values.bDateRange;
    if (filter.m_bDateRange)
    {
        filter.m_nDateCondition = values.nDateCondition;
        // The pickers carry no fraction of a second: a From taken from the
        // cache start must pass, so the bounds are checked in whole seconds.
        const SYSTEMTIME tmStart = WholeSeconds(tmCacheStart);
        const SYSTEMTIME tmEnd = WholeSeconds(tmCacheEnd);
        const SYSTEMTIME tmFromSeconds = WholeSeconds(tmFrom);
        const SYSTEMTIME tmToSeconds = WholeSeconds(tmTo);
        if (CompareRecordTimes(tmFromSeconds, tmStart) < 0 ||
            CompareRecordTimes(tmFromSeconds, tmEnd) > 0)
            return Refuse("From date should be between cache start and end date.",
                          EPromptIcon::Warning, IDC_FILTER_FROM_DATE);
        if (values.nDateCondition == FilterInRange || values.nDateCondition == FilterOutOfRange)
        {
            if (CompareRecordTimes(tmToSeconds, tmStart) < 0 ||
                CompareRecordTimes(tmToSeconds, tmEnd) > 0)
                return Refuse("To date should be between cache start and end date.",
                              EPromptIcon::Warning, IDC_FILTER_TO_DATE);
            if (CompareRecordTimes(tmTo, tmFrom) < 0)
                return Refuse("To date should not be earlier than from date.", EPromptIcon::Warning,
                              IDC_FILTER_TO_DATE);
        }
        filter.m_tmFrom = tmFrom;
        filter.m_tmTo = tmTo;
    }

    for (size_t i = 0; i < values.arrRows.size(); ++i)
    {
        const SFilterGridRow& row = values.arrRows[i];
        if (!row.bTicked)
            continue;
        const int nRow = static_cast<int>(i) + 1;
        CTagFilter tag;
        tag.m_nTagIndex = static_cast<uint16_t>(i);
        tag.m_bShow = row.nShowHide == 0;
        tag.m_nDataType = row.nDataType;
        tag.m_nCondition = row.nCondition;
        if (!ReadLimit(row.strLow, tag.m_dLow))
            return Refuse("Low limit is not valid", EPromptIcon::None, IDC_FILTER_GRID, nRow,
                          FilterColumnLow);
        if (row.nDataType == FilterDiscrete)
        {
            tag.m_nCondition = FilterEqual;
            if (tag.m_dLow != 0.0 && tag.m_dLow != 1.0)
                return Refuse("Value should be 0 or 1 for Discrete Datatype", EPromptIcon::Stop,
                              IDC_FILTER_GRID, nRow, FilterColumnLow);
        }
        else
        {
            if (!ReadLimit(row.strHigh, tag.m_dHigh))
                return Refuse("High limit is not valid.", EPromptIcon::None, IDC_FILTER_GRID, nRow,
                              FilterColumnHigh);
            if ((row.nCondition == FilterInRange || row.nCondition == FilterOutOfRange) &&
                tag.m_dHigh < tag.m_dLow)
                return Refuse(
                    StrFormat("High value should be greater than Low value for the tag %s",
                              row.strTagName.c_str()),
                    EPromptIcon::Stop, IDC_FILTER_GRID, nRow, FilterColumnHigh);
        }
        filter.m_arrTagFilters.push_back(tag);
    }
    outcome.bAccepted = true;
    return outcome;
}

void ApplyFilterSet(CDataLogFile& log, const CFilterSet& filter)
{
    if (filter != log.m_Filter)
    {
        log.m_bDataViewStale = true;
        log.m_bGraphViewStale = true;
    }
    log.m_Filter = filter;
}
