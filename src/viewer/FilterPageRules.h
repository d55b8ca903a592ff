#pragma once
// Leaving the Filters page, without its widgets: the page's values become a
// new filter set, or the message that keeps the user on the page.
#include "CDataLogFile.h"
#include "CFilterSet.h"
#include "ViewerMessage.h"

#include <string>
#include <vector>

// Control identifiers of the page (dialog 2000).
enum EFilterControl
{
    IDC_FILTER_FROM_DATE = 1064,
    IDC_FILTER_TO_DATE = 1065,
    IDC_FILTER_GRID = 1091,
};

// Grid columns of a tag row.
enum EFilterGridColumn
{
    FilterColumnTag = 0,
    FilterColumnShowHide = 1,
    FilterColumnDataType = 2,
    FilterColumnCondition = 3,
    FilterColumnLow = 4,
    FilterColumnHigh = 5,
};

// One tag row of the grid as the page holds it.
struct SFilterGridRow
{
    bool bTicked = false;
    std::string strTagName;
    int nShowHide = 0; // 0 Show, 1 Hide
    int nDataType = FilterNumeric;
    int nCondition = FilterEqual;
    std::string strLow = "0";
    std::string strHigh = "0";
};

struct SFilterPageValues
{
    bool bFilterEnabled = false; // 1085
    bool bDateRange = false;     // 1092
    bool bShowDates = true;      // "Show" radio
    int nDateCondition = FilterInRange;
    // Each picker carries its own part of the time: the date pickers the year,
    // month, day of week and day, the time pickers the rest.
    SYSTEMTIME tmFromDate, tmFromTime, tmToDate, tmToTime;
    std::vector<SFilterGridRow> arrRows; // grid rows 1..n
};

struct SFilterPageOutcome
{
    bool bAccepted = false;
    CFilterSet filter;
    SViewerMessage message; // when refused
};

// The values as the page shows them for a filter set: pickers from its From
// and To, every tag row unticked with the grid's defaults.
SFilterPageValues MakeFilterPageValues(const CFilterSet& filter,
                                       const std::vector<std::string>& arrTagNames);

// tmCacheStart and tmCacheEnd are the span the From and To must lie in
// (CDataLogFile::GetCacheSpan).
SFilterPageOutcome ValidateFilterPage(const SFilterPageValues& values,
                                      const SYSTEMTIME& tmCacheStart, const SYSTEMTIME& tmCacheEnd);

// Puts an accepted filter set in force; marks both views stale when it
// differs from the one in force.
void ApplyFilterSet(CDataLogFile& log, const CFilterSet& filter);

// Reads a limit as the page does: a number with nothing left after it
// (leading blanks allowed); an empty text is not a number.
bool ReadLimit(const std::string& strText, double& dValue);
