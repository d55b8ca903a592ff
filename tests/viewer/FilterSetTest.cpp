#include "ViewerTestSupport.h"
#include "viewer/DataLogText.h"
#include "viewer/FilterPageRules.h"

#include <gtest/gtest.h>

namespace
{
using Fields = std::vector<std::string>;

SYSTEMTIME TimeOf(const std::string& strDate, const std::string& strTime)
{
    bool bMs = false;
    const Fields arrFields = {strDate, strTime, "x"};
    return ParseRecordTime(arrFields.data(), arrFields.size(), bMs);
}

bool Hidden(const CFilterSet& filter, const Fields& arrFields)
{
    bool bMs = false;
    return filter.IsHidden(ParseRecordTime(arrFields.data(), arrFields.size(), bMs), arrFields);
}
} // namespace

TEST(FilterSet, SwitchedOffOrWithoutCriteriaShowsEverything)
{
    CFilterSet filter;
    filter.m_bDateRange = true;
    filter.m_nDateCondition = FilterEqual;
    filter.m_tmFrom = TimeOf("01/01/30", "00:00:00");
    filter.m_arrTagFilters.push_back(MakeTagFilter(0, true, FilterNumeric, FilterGreater, 1e9));
    EXPECT_FALSE(Hidden(filter, {"04/12/26", "08:00:00", "1", "on"}));

    CFilterSet onButEmpty;
    onButEmpty.m_bEnabled = true;
    EXPECT_FALSE(Hidden(onButEmpty, {"04/12/26", "08:00:00", "1", "on"}));
    EXPECT_FALSE(onButEmpty.HasCriteriaInUse());
}

TEST(FilterSet, DateConditionsWithMilliseconds)
{
    CFilterSet filter;
    filter.m_bEnabled = true;
    filter.m_bDateRange = true;
    filter.m_tmFrom = TimeOf("04/12/26", "08:00:10:500");
    filter.m_tmTo = filter.m_tmFrom;
    const Fields atInstant = {"04/12/26", "08:00:10:500", "1"};
    const Fields msLater = {"04/12/26", "08:00:10:501", "1"};
    const Fields earlier = {"04/12/26", "08:00:10", "1"};

    filter.m_nDateCondition = FilterInRange; // From = To: exactly that instant
    EXPECT_FALSE(Hidden(filter, atInstant));
    EXPECT_TRUE(Hidden(filter, msLater));
    EXPECT_TRUE(Hidden(filter, earlier));
    filter.m_bShowDates = false; // Hide what meets it
    EXPECT_TRUE(Hidden(filter, atInstant));
    EXPECT_FALSE(Hidden(filter, msLater));
    filter.m_bShowDates = true;

    filter.m_nDateCondition = FilterEqual;
    EXPECT_FALSE(Hidden(filter, atInstant));
    filter.m_nDateCondition = FilterNotEqual;
    EXPECT_TRUE(Hidden(filter, atInstant));
    filter.m_nDateCondition = FilterGreater;
    EXPECT_FALSE(Hidden(filter, msLater));
    EXPECT_TRUE(Hidden(filter, earlier));
    filter.m_nDateCondition = FilterLess;
    EXPECT_FALSE(Hidden(filter, earlier));
    filter.m_tmTo = TimeOf("04/12/26", "08:00:11");
    filter.m_nDateCondition = FilterOutOfRange;
    EXPECT_FALSE(Hidden(filter, earlier));
    EXPECT_TRUE(Hidden(filter, msLater));
    EXPECT_FALSE(Hidden(filter, {"04/12/26", "08:00:12", "1"}));
    filter.m_nDateCondition = 6; // never met
    EXPECT_TRUE(Hidden(filter, atInstant));
}

TEST(FilterSet, NumericAndDiscreteTags)
{
    CFilterSet filter;
    filter.m_bEnabled = true;
    filter.m_arrTagFilters = {MakeTagFilter(0, true, FilterNumeric, FilterGreater, 10)};
    EXPECT_TRUE(Hidden(filter, {"04/12/26", "08:00:00", "abc", "on"})); // reads as 0
    EXPECT_FALSE(Hidden(filter, {"04/12/26", "08:00:00", "10.5kg", "on"}));
    EXPECT_TRUE(Hidden(filter, {"04/12/26", "08:00:00", "10", "on"}));

    filter.m_arrTagFilters = {MakeTagFilter(0, true, FilterNumeric, FilterInRange, 5, 5)};
    EXPECT_FALSE(Hidden(filter, {"d", "t", "5", ""}));
    EXPECT_TRUE(Hidden(filter, {"d", "t", "5.01", ""}));
    filter.m_arrTagFilters = {MakeTagFilter(0, true, FilterNumeric, FilterOutOfRange, 1, 2)};
    EXPECT_FALSE(Hidden(filter, {"d", "t", "0.5", ""}));
    EXPECT_TRUE(Hidden(filter, {"d", "t", "2", ""}));
    filter.m_arrTagFilters = {MakeTagFilter(0, false, FilterNumeric, FilterLess, 0)};
    EXPECT_TRUE(Hidden(filter, {"d", "t", "-3", ""}));
    EXPECT_FALSE(Hidden(filter, {"d", "t", "3", ""}));

    filter.m_arrTagFilters = {MakeTagFilter(1, true, FilterDiscrete, FilterEqual, 1)};
    for (const char* pszOn : {"ON", "On", "on"})
        EXPECT_FALSE(Hidden(filter, {"d", "t", "0", pszOn})) << pszOn;
    for (const char* pszOther : {"off", "1", ""})
        EXPECT_TRUE(Hidden(filter, {"d", "t", "0", pszOther})) << pszOther;

    // Every criterion must let a record through.
    filter.m_arrTagFilters = {MakeTagFilter(0, true, FilterNumeric, FilterGreater, 10),
                              MakeTagFilter(1, true, FilterDiscrete, FilterEqual, 1)};
    EXPECT_FALSE(Hidden(filter, {"d", "t", "11", "on"}));
    EXPECT_TRUE(Hidden(filter, {"d", "t", "11", "off"}));
    EXPECT_TRUE(Hidden(filter, {"d", "t", "9", "on"}));
}

TEST(FilterSet, ShortRecordsAreNeverReadPastTheirFields)
{
    CFilterSet filter;
    filter.m_bEnabled = true;
    filter.m_arrTagFilters = {MakeTagFilter(5, false, FilterNumeric, FilterEqual, 0)};
    // Field 7 is missing: it reads as an empty text, so as 0, which Hide hides.
    EXPECT_TRUE(Hidden(filter, {"d", "t", "1"}));
    filter.m_arrTagFilters = {MakeTagFilter(65535, true, FilterDiscrete, FilterEqual, 0)};
    EXPECT_FALSE(Hidden(filter, {}));

    CHandLog hand("Date,Time,A,B,C");
    hand.Log().m_Filter = filter;
    hand.Add(1, {"04/12/26", "08:00:00"});
    EXPECT_FALSE(hand.Log().IsRecordHidden(hand.Log().m_Cache.Find(1)));
}

TEST(FilterSet, EqualityLooksAtTimesOnlyWithADateRange)
{
    CFilterSet a;
    CFilterSet b;
    a.m_tmFrom = TimeOf("04/12/26", "08:00:00");
    EXPECT_TRUE(a == b);
    a.m_bDateRange = b.m_bDateRange = true;
    EXPECT_FALSE(a == b);
    b.m_tmFrom = a.m_tmFrom;
    EXPECT_TRUE(a == b);
    b.m_tmTo.wMilliseconds = 1;
    EXPECT_TRUE(a != b);
    b.m_tmTo = a.m_tmTo;
    a.m_arrTagFilters = {MakeTagFilter(0, true, FilterNumeric, FilterEqual, 1)};
    b.m_arrTagFilters = {MakeTagFilter(0, true, FilterNumeric, FilterEqual, 1.5)};
    EXPECT_FALSE(a == b);
    b.m_arrTagFilters[0].m_dLow = 1;
    EXPECT_TRUE(a == b);
    b.m_nDateCondition = FilterEqual;
    EXPECT_FALSE(a == b);
}

TEST(FilterSet, ConditionTexts)
{
    EXPECT_STREQ("Out Of Range", GetConditionGridText(5));
    EXPECT_STREQ("Out of range", GetConditionComboText(5));
    EXPECT_STREQ("In the range", GetConditionExportText(4));
    EXPECT_STREQ("Out of Range", GetConditionExportText(5));
    EXPECT_STREQ("!=", GetConditionExportText(1));
    EXPECT_STREQ("", GetConditionExportText(6));
    EXPECT_STREQ("", GetConditionGridText(-1));
}

// ---- Leaving the Filters page ----

class FilterPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tmStart = TimeOf("04/12/26", "08:00:00:250");
        m_tmEnd = TimeOf("04/12/26", "09:00:00:750");
        CFilterSet current;
        current.m_tmFrom = m_tmStart;
        current.m_tmTo = m_tmEnd;
        m_values = MakeFilterPageValues(current, {"Temp", "Pump", "Level"});
        m_values.bFilterEnabled = true;
    }

    void ExpectRefused(const std::string& strText, EPromptIcon eIcon, int nControl, int nRow = -1,
                       int nColumn = -1)
    {
        const SFilterPageOutcome outcome = ValidateFilterPage(m_values, m_tmStart, m_tmEnd);
        EXPECT_FALSE(outcome.bAccepted);
        EXPECT_EQ(strText, outcome.message.strText);
        EXPECT_EQ(eIcon, outcome.message.eIcon);
        EXPECT_EQ(nControl, outcome.message.nFocusControl);
        EXPECT_EQ(nRow, outcome.message.nFocusRow);
        EXPECT_EQ(nColumn, outcome.message.nFocusColumn);
    }

    CFilterSet Accepted()
    {
        const SFilterPageOutcome outcome = ValidateFilterPage(m_values, m_tmStart, m_tmEnd);
        EXPECT_TRUE(outcome.bAccepted) << outcome.message.strText;
        return outcome.filter;
    }

    SYSTEMTIME m_tmStart, m_tmEnd;
    SFilterPageValues m_values;
};

TEST_F(FilterPage, DateRangeBounds)
{
    m_values.bDateRange = true;
    // Pickers taken from the cache span pass, although they carry the span's
    // milliseconds and the bounds are checked in whole seconds.
    CFilterSet filter = Accepted();
    EXPECT_TRUE(filter.m_bDateRange);
    EXPECT_EQ(m_tmStart, filter.m_tmFrom); // milliseconds kept
    EXPECT_EQ(FilterInRange, filter.m_nDateCondition);

    m_values.tmFromTime = TimeOf("04/12/26", "07:59:59");
    ExpectRefused("From date should be between cache start and end date.", EPromptIcon::Warning,
                  IDC_FILTER_FROM_DATE);
    m_values.tmFromDate = TimeOf("04/13/26", "00:00:00");
    m_values.tmFromTime = TimeOf("04/13/26", "08:30:00");
    ExpectRefused("From date should be between cache start and end date.", EPromptIcon::Warning,
                  IDC_FILTER_FROM_DATE);

    m_values.tmFromDate = m_values.tmFromTime = TimeOf("04/12/26", "08:30:00");
    m_values.tmToTime = TimeOf("04/12/26", "09:00:01");
    ExpectRefused("To date should be between cache start and end date.", EPromptIcon::Warning,
                  IDC_FILTER_TO_DATE);
    m_values.tmToTime = TimeOf("04/12/26", "08:29:59");
    ExpectRefused("To date should not be earlier than from date.", EPromptIcon::Warning,
                  IDC_FILTER_TO_DATE);
    // The To is not looked at for conditions that do not use it.
    m_values.nDateCondition = FilterGreater;
    filter = Accepted();
    EXPECT_EQ(FilterGreater, filter.m_nDateCondition);
    EXPECT_EQ(30, filter.m_tmFrom.wMinute);
}

TEST_F(FilterPage, SwitchedOffKeepsOnlyTheTimes)
{
    m_values.bFilterEnabled = false;
    m_values.bDateRange = true;
    m_values.arrRows[0].bTicked = true;
    m_values.arrRows[0].strLow = "nonsense";
    const CFilterSet filter = Accepted();
    EXPECT_FALSE(filter.m_bEnabled);
    EXPECT_FALSE(filter.m_bDateRange);
    EXPECT_TRUE(filter.m_arrTagFilters.empty());
    EXPECT_EQ(0, filter.m_tmFrom.wMilliseconds);
    EXPECT_EQ(0, filter.m_tmTo.wMilliseconds);
}

TEST_F(FilterPage, TagLimits)
{
    SFilterGridRow& row = m_values.arrRows[1];
    row.bTicked = true;
    for (const char* pszBad : {"", "5x", "x", "5 "})
    {
        row.strLow = pszBad;
        ExpectRefused("Low limit is not valid", EPromptIcon::None, IDC_FILTER_GRID, 2,
                      FilterColumnLow);
    }
    row.strLow = " 5";
    row.strHigh = "abc";
    ExpectRefused("High limit is not valid.", EPromptIcon::None, IDC_FILTER_GRID, 2,
                  FilterColumnHigh);
    row.strHigh = "4";
    row.nCondition = FilterInRange;
    ExpectRefused("High value should be greater than Low value for the tag Pump", EPromptIcon::Stop,
                  IDC_FILTER_GRID, 2, FilterColumnHigh);
    row.nCondition = FilterGreater; // the order of the limits matters only for ranges
    EXPECT_EQ(1u, Accepted().m_arrTagFilters.size());
    row.nCondition = FilterOutOfRange;
    row.strHigh = "5";
    const CFilterSet filter = Accepted();
    ASSERT_EQ(1u, filter.m_arrTagFilters.size());
    const CTagFilter& tag = filter.m_arrTagFilters[0];
    EXPECT_EQ(1, tag.m_nTagIndex);
    EXPECT_TRUE(tag.m_bShow);
    EXPECT_DOUBLE_EQ(5.0, tag.m_dLow);
    EXPECT_DOUBLE_EQ(5.0, tag.m_dHigh);
    EXPECT_EQ(FilterOutOfRange, tag.m_nCondition);
    row.strLow = "nan";
    ExpectRefused("Low limit is not valid", EPromptIcon::None, IDC_FILTER_GRID, 2, FilterColumnLow);
}

TEST_F(FilterPage, DiscreteRows)
{
    SFilterGridRow& row = m_values.arrRows[2];
    row.bTicked = true;
    row.nDataType = FilterDiscrete;
    row.nCondition = FilterInRange;
    row.nShowHide = 1;
    row.strHigh = "not read";
    row.strLow = "2";
    ExpectRefused("Value should be 0 or 1 for Discrete Datatype", EPromptIcon::Stop,
                  IDC_FILTER_GRID, 3, FilterColumnLow);
    row.strLow = "1";
    const CFilterSet filter = Accepted();
    ASSERT_EQ(1u, filter.m_arrTagFilters.size());
    EXPECT_EQ(FilterEqual, filter.m_arrTagFilters[0].m_nCondition);
    EXPECT_FALSE(filter.m_arrTagFilters[0].m_bShow);
    EXPECT_DOUBLE_EQ(0.0, filter.m_arrTagFilters[0].m_dHigh);
    EXPECT_EQ(2, filter.m_arrTagFilters[0].m_nTagIndex);
}

TEST_F(FilterPage, UntickedRowsAreNotPartOfTheSetEvenWhenInvalid)
{
    m_values.arrRows[0].strLow = "x";
    m_values.arrRows[2].bTicked = true;
    const CFilterSet filter = Accepted();
    ASSERT_EQ(1u, filter.m_arrTagFilters.size());
    EXPECT_EQ(2, filter.m_arrTagFilters[0].m_nTagIndex);
}

TEST_F(FilterPage, StaleFlagsOnlyWhenTheSetChanges)
{
    CHandLog hand;
    CDataLogFile& log = hand.Log();
    log.m_Filter.m_tmFrom = m_tmStart;
    log.m_Filter.m_tmTo = m_tmEnd;
    // Leaving the page untouched: the filter stays off, nothing is stale.
    SFilterPageValues untouched = MakeFilterPageValues(log.m_Filter, {"Temp", "Pump"});
    SFilterPageOutcome outcome = ValidateFilterPage(untouched, m_tmStart, m_tmEnd);
    ASSERT_TRUE(outcome.bAccepted);
    ApplyFilterSet(log, outcome.filter);
    EXPECT_FALSE(log.m_bDataViewStale);
    EXPECT_FALSE(log.m_bGraphViewStale);

    untouched.bFilterEnabled = true;
    outcome = ValidateFilterPage(untouched, m_tmStart, m_tmEnd);
    ApplyFilterSet(log, outcome.filter);
    EXPECT_TRUE(log.m_bDataViewStale);
    EXPECT_TRUE(log.m_bGraphViewStale);
    EXPECT_TRUE(log.m_Filter.m_bEnabled);
}
