#pragma once
// The arguments of "orvak-cli HOST view FILE ...": the Read Data requests in
// their order, the filter as the Filters page would be filled, and what to
// print or write.
#include "viewer/ReadDataRules.h"

#include <string>
#include <vector>

struct SCliViewStep
{
    bool bClear = false;    // --clear: the page's "Clear Cache"
    SReadDataValues values; // --add: the page's values for "Add Records"
};

struct SCliTagFilter
{
    std::string strName;
    bool bShow = true;
    int nDataType = 0;
    int nCondition = 0;
    std::string strLow;
    std::string strHigh = "0"; // the grid's default text
};

struct SCliViewArgs
{
    std::string strFile;
    std::vector<SCliViewStep> arrSteps;
    bool bDateFilter = false;
    bool bShowDates = true;
    int nDateCondition = 4;
    SYSTEMTIME tmFrom;
    bool bHasTo = false;
    SYSTEMTIME tmTo;
    std::vector<SCliTagFilter> arrTagFilters;
    bool bSummary = false;
    std::string strCsvPath;
    bool bJson = false;
};

// False with strError set on a usage error.
bool ParseCliViewArgs(const std::vector<std::string>& arrArgs, SCliViewArgs& args,
                      std::string& strError);

// "MM/DD/YYYY HH:MM:SS" as a real date and time.
bool ParseCliTime(const std::string& strText, SYSTEMTIME& tm);
