// The filter set's own rules and leaving the Filters page. Which records each
// condition hides, on every kind of field, is in the golden transcripts.
#include "ViewerTestSupport.h"
#include "viewer/FilterPageRules.h"

#include <gtest/gtest.h>

namespace
{
using Fields = std::vector<std::string>;

bool Hidden(const CFilterSet& filter, const Fields& arrFields)
{
    bool bMs = false;
    return filter.IsHidden(ParseRecordTime(arrFields.data(), arrFields.size(), bMs), arrFields);
}
} // namespace

TEST(FilterSet, OffEmptyAndShortRecords)
{
    CFilterSet filter; // criteria set, but not in force
    filter.m_bDateRange = true;
    filter.m_nDateCondition = FilterEqual;
    filter.m_tmFrom = TimeOf("01/01/30", "00:00:00");
    filter.m_arrTagFilters = {CTagFilter{0, true, FilterNumeric, FilterGreater, 1e9}};
    EXPECT_FALSE(Hidden(filter, {"04/12/26", "08:00:00", "1", "on"}));
    CFilterSet onButEmpty;
    onButEmpty.m_bEnabled = true;
    EXPECT_FALSE(Hidden(onButEmpty, {"04/12/26", "08:00:00", "1", "on"}));
    EXPECT_FALSE(onButEmpty.HasCriteriaInUse());

    // Short records are never read past their fields: a missing field reads
    // as an empty text, so as 0, which Hide hides.
    filter.m_bEnabled = true;
    filter.m_bDateRange = false;
    filter.m_arrTagFilters = {CTagFilter{5, false, FilterNumeric, FilterEqual, 0}};
    EXPECT_TRUE(Hidden(filter, {"d", "t", "1"}));
    filter.m_arrTagFilters = {CTagFilter{65535, true, FilterDiscrete, FilterEqual, 0}};
    EXPECT_FALSE(Hidden(filter, {}));
    CHandLog hand("Date,Time,A,B,C");
    hand.Log().m_Filter = filter;
    hand.Add(1, {"04/12/26", "08:00:00"});
    EXPECT_FALSE(hand.Log().IsRecordHidden(hand.Log().m_Cache.Find(1)));
}

TEST(FilterSet, EqualityDefaultsAndConditionTexts)
{
    // Times count only with a date range; a new tag criterion shows, = 0.
    CFilterSet a;
    CFilterSet b;
    a.m_tmFrom = TimeOf("04/12/26", "08:00:00");
    EXPECT_TRUE(a == b);
    a.m_bDateRange = b.m_bDateRange = true;
    EXPECT_FALSE(a == b);
    b.m_tmFrom = a.m_tmFrom;
    b.m_tmTo.wMilliseconds = 1;
    EXPECT_TRUE(a != b);
    b.m_tmTo = a.m_tmTo;
    a.m_arrTagFilters = {CTagFilter()};
    b.m_arrTagFilters = {CTagFilter{0, true, FilterNumeric, FilterEqual, 0, 0}};
    EXPECT_TRUE(a == b);
    b.m_arrTagFilters[0].m_dLow = 1.5;
    EXPECT_FALSE(a == b);

    // Three spellings of one condition, each where the program shows it.
    EXPECT_STREQ("Out Of Range", GetConditionGridText(5));
    EXPECT_STREQ("Out of range", GetConditionComboText(5));
    EXPECT_STREQ("Out of Range", GetConditionExportText(5));
    EXPECT_STREQ("In the range", GetConditionExportText(4));
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
        CFilterSet current;
        current.m_tmFrom = m_tmStart;
        current.m_tmTo = m_tmEnd;
        m_values = MakeFilterPageValues(current, {"Temp", "Pump", "Level"});
        m_values.bFilterEnabled = true;
    }

    SFilterPageOutcome Validate() const { return ValidateFilterPage(m_values, m_tmStart, m_tmEnd); }
    CFilterSet Accepted() const
    {
        const SFilterPageOutcome outcome = Validate();
        EXPECT_TRUE(outcome.bAccepted) << outcome.message.strText;
        return outcome.filter;
    }

    const SYSTEMTIME m_tmStart = TimeOf("04/12/26", "08:00:00:250");
    const SYSTEMTIME m_tmEnd = TimeOf("04/12/26", "09:00:00:750");
    SFilterPageValues m_values;
};

TEST_F(FilterPage, RefusalsWithTheirMessageIconAndFocus)
{
    const struct
    {
        const char* pszFrom; // the From's time ("": as the page opened), then the To's
        const char* pszTo;
        int nRow; // a ticked tag row (0: none) with its type, condition and limits
        int nDataType, nCondition;
        const char* pszLow;
        const char* pszHigh;
        const char* pszMessage;
        EPromptIcon eIcon;
        int nControl, nFocusColumn;
    } arrCases[] = {
        {"07:59:59", "", 0, 0, 0, "", "", "From date should be between cache start and end date.",
         EPromptIcon::Warning, IDC_FILTER_FROM_DATE, -1},
        {"08:30:00", "09:00:01", 0, 0, 0, "", "",
         "To date should be between cache start and end date.", EPromptIcon::Warning,
         IDC_FILTER_TO_DATE, -1},
        {"08:30:00", "08:29:59", 0, 0, 0, "", "", "To date should not be earlier than from date.",
         EPromptIcon::Warning, IDC_FILTER_TO_DATE, -1},
        {"", "", 2, FilterNumeric, FilterEqual, "", "0", "Low limit is not valid",
         EPromptIcon::None, IDC_FILTER_GRID, FilterColumnLow},
        {"", "", 2, FilterNumeric, FilterEqual, "5x", "0", "Low limit is not valid",
         EPromptIcon::None, IDC_FILTER_GRID, FilterColumnLow},
        {"", "", 2, FilterNumeric, FilterEqual, "5 ", "0", "Low limit is not valid",
         EPromptIcon::None, IDC_FILTER_GRID, FilterColumnLow},
        {"", "", 2, FilterNumeric, FilterEqual, "nan", "0", "Low limit is not valid",
         EPromptIcon::None, IDC_FILTER_GRID, FilterColumnLow},
        {"", "", 2, FilterNumeric, FilterEqual, " 5", "abc", "High limit is not valid.",
         EPromptIcon::None, IDC_FILTER_GRID, FilterColumnHigh},
        {"", "", 2, FilterNumeric, FilterInRange, "5", "4",
         "High value should be greater than Low value for the tag Pump", EPromptIcon::Stop,
         IDC_FILTER_GRID, FilterColumnHigh},
        {"", "", 3, FilterDiscrete, FilterInRange, "2", "x",
         "Value should be 0 or 1 for Discrete Datatype", EPromptIcon::Stop, IDC_FILTER_GRID,
         FilterColumnLow},
    };
    for (const auto& c : arrCases)
    {
        SetUp();
        m_values.bDateRange = c.nRow == 0;
        if (*c.pszFrom)
            m_values.tmFromDate = m_values.tmFromTime = TimeOf("04/12/26", c.pszFrom);
        if (*c.pszTo)
            m_values.tmToTime = TimeOf("04/12/26", c.pszTo);
        if (c.nRow > 0)
        {
            SFilterGridRow& row = m_values.arrRows[static_cast<size_t>(c.nRow - 1)];
            row = {true, row.strTagName, 0, c.nDataType, c.nCondition, c.pszLow, c.pszHigh};
        }
        const SFilterPageOutcome outcome = Validate();
        EXPECT_FALSE(outcome.bAccepted) << c.pszMessage;
        EXPECT_EQ(c.pszMessage, outcome.message.strText);
        EXPECT_EQ(c.eIcon, outcome.message.eIcon) << c.pszMessage;
        EXPECT_EQ(c.nControl, outcome.message.nFocusControl) << c.pszMessage;
        EXPECT_EQ(c.nRow > 0 ? c.nRow : -1, outcome.message.nFocusRow) << c.pszMessage;
        EXPECT_EQ(c.nFocusColumn, outcome.message.nFocusColumn) << c.pszMessage;
    }
    // A From on the next day is outside too.
    SetUp();
    m_values.bDateRange = true;
    m_values.tmFromDate = TimeOf("04/13/26", "00:00:00");
    EXPECT_EQ("From date should be between cache start and end date.", Validate().message.strText);
}

TEST_F(FilterPage, AcceptedValuesMakeTheFilterSet)
{
    // Pickers taken from the cache span pass, although they carry the span's
    // milliseconds and the bounds are checked in whole seconds.
    m_values.bDateRange = true;
    CFilterSet filter = Accepted();
    EXPECT_TRUE(filter.m_bDateRange);
    EXPECT_EQ(m_tmStart, filter.m_tmFrom); // milliseconds kept
    EXPECT_EQ(FilterInRange, filter.m_nDateCondition);
    // The To is not looked at for conditions that do not use it.
    m_values.tmFromDate = m_values.tmFromTime = TimeOf("04/12/26", "08:30:00");
    m_values.tmToTime = TimeOf("04/12/26", "08:29:59");
    m_values.nDateCondition = FilterGreater;
    EXPECT_EQ(30, Accepted().m_tmFrom.wMinute);

    // The order of the limits matters only for ranges; a discrete row is "="
    // with no high limit; unticked rows are not looked at.
    m_values.bDateRange = false;
    m_values.arrRows[0] = {false, "Temp", 0, FilterNumeric, FilterEqual, "x", "x"};
    m_values.arrRows[1] = {true, "Pump", 0, FilterNumeric, FilterOutOfRange, " 5", "5"};
    m_values.arrRows[2] = {true, "Level", 1, FilterDiscrete, FilterInRange, "1", "not read"};
    filter = Accepted();
    ASSERT_EQ(2u, filter.m_arrTagFilters.size());
    const CTagFilter& pump = filter.m_arrTagFilters[0];
    EXPECT_EQ(1, pump.m_nTagIndex);
    EXPECT_TRUE(pump.m_bShow);
    EXPECT_DOUBLE_EQ(5.0, pump.m_dLow);
    EXPECT_DOUBLE_EQ(5.0, pump.m_dHigh);
    EXPECT_EQ(FilterOutOfRange, pump.m_nCondition);
    const CTagFilter& level = filter.m_arrTagFilters[1];
    EXPECT_EQ(2, level.m_nTagIndex);
    EXPECT_EQ(FilterEqual, level.m_nCondition);
    EXPECT_FALSE(level.m_bShow);
    EXPECT_DOUBLE_EQ(0.0, level.m_dHigh);
    m_values.arrRows[1].nCondition = FilterGreater;
    m_values.arrRows[1].strHigh = "4";
    EXPECT_EQ(2u, Accepted().m_arrTagFilters.size());

    // Switched off, only the times are kept, without milliseconds.
    m_values.arrRows[0].bTicked = true; // its "x" is not looked at either
    m_values.bFilterEnabled = false;
    m_values.bDateRange = true;
    filter = Accepted();
    EXPECT_FALSE(filter.m_bEnabled || filter.m_bDateRange);
    EXPECT_TRUE(filter.m_arrTagFilters.empty());
    EXPECT_EQ(0, filter.m_tmFrom.wMilliseconds + filter.m_tmTo.wMilliseconds);
}
