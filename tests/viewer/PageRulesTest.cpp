// The Read Data and Filters pages' rules, the load window and the filter set's own
// rules (what each filter hides is golden).
#include "ViewerTestSupport.h"
#include "viewer/FilterPageRules.h"
#include "viewer/LoadWindow.h"

#include <gtest/gtest.h>

namespace
{
using Fields = std::vector<std::string>;

bool Hidden(const CFilterSet& filter, const Fields& arrFields)
{
    bool bMs = false;
    return filter.IsHidden(ParseRecordTime(arrFields.data(), arrFields.size(), bMs), arrFields);
}

// A page's outcome as the user meets it: accepted, text, icon, focused control, row and column.
template <typename TOutcome> auto Shown(const TOutcome& outcome)
{
    const SViewerMessage& msg = outcome.message;
    return std::make_tuple(outcome.bAccepted, msg.strText, msg.eIcon, msg.nFocusControl,
                           msg.nFocusRow, msg.nFocusColumn);
}
} // namespace

class FilterPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const CFilterSet current{false, false, true, FilterInRange, m_tmStart, m_tmEnd, {}};
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

// The filter set's own rules, then the page's refusals and the set it accepts.
TEST_F(FilterPage, SetRulesRefusalsWithMessageIconAndFocusAndTheAcceptedSet)
{
    // Short records are never read past: a missing field reads as 0, which Hide hides.
    CFilterSet filter{
        true, false, true, FilterEqual, {}, {}, {{5, false, FilterNumeric, FilterEqual, 0}}};
    EXPECT_TRUE(Hidden(filter, {"d", "t", "1"}));
    const CFilterSet onButEmpty{true, false, true, 0, {}, {}, {}};
    EXPECT_FALSE(onButEmpty.HasCriteriaInUse());
    filter.m_arrTagFilters = {CTagFilter{65535, true, FilterDiscrete, FilterEqual, 0}};
    EXPECT_FALSE(Hidden(filter, {}));
    CHandLog hand("Date,Time,A,B,C");
    hand.Log().m_Filter = filter;
    hand.Add(1, {"04/12/26", "08:00:00"});
    EXPECT_FALSE(hand.Log().IsRecordHidden(hand.Log().m_Cache.Find(1)));

    // The record set's text at the last indices, and once the cache is emptied.
    for (uint32_t n : {4294967294u, 4294967295u})
        hand.Add(n, {"04/12/26", "08:00:00", "1", "on"});
    hand.Log().UpdateRecordSetText();
    EXPECT_EQ("(1) & (4294967294 - 4294967295)", hand.Log().GetRecordSetText());
    hand.Log().EmptyCache();
    EXPECT_EQ("", hand.Log().GetRecordSetText() + hand.Log().m_strRecordSet);

    // Times count only with a date range, to the millisecond.
    CFilterSet a, b;
    b.m_tmTo.wMilliseconds = 1;
    EXPECT_TRUE(a == b);
    a.m_bDateRange = b.m_bDateRange = true;
    EXPECT_TRUE(a != b);

    // Three spellings of one condition, each where the program shows it.
    EXPECT_STREQ("Out Of Range", GetConditionGridText(5));
    EXPECT_STREQ("Out of range", GetConditionComboText(5));
    EXPECT_STREQ("Out of Range", GetConditionExportText(5));
    EXPECT_STREQ("", GetConditionExportText(6));
    EXPECT_STREQ("", GetConditionGridText(-1));

    const auto Expect =
        [this](const char* pszMessage, EPromptIcon eIcon, int nControl, int nRow, int nColumn)
    {
        EXPECT_EQ(std::make_tuple(false, std::string(pszMessage), eIcon, nControl, nRow, nColumn),
                  Shown(Validate()));
    };
    // The From's date and time (the date alone decides on the next day), then the To's time.
    const char* const OUTSIDE = "date should be between cache start and end date.";
    const std::tuple<const char*, const char*, const char*, std::string, int> arrDates[] = {
        {"04/12/26", "07:59:59", "", std::string("From ") + OUTSIDE, IDC_FILTER_FROM_DATE},
        {"04/13/26", "08:30:00", "", std::string("From ") + OUTSIDE, IDC_FILTER_FROM_DATE},
        {"04/12/26", "08:30:00", "09:00:01", std::string("To ") + OUTSIDE, IDC_FILTER_TO_DATE},
        {"04/12/26", "08:30:00", "08:29:59", "To date should not be earlier than from date.",
         IDC_FILTER_TO_DATE},
    };
    for (const auto& [pszDate, pszFrom, pszTo, strMessage, nControl] : arrDates)
    {
        SetUp();
        m_values.bDateRange = true;
        m_values.tmFromDate = TimeOf(pszDate, pszFrom);
        m_values.tmFromTime = TimeOf("04/12/26", pszFrom);
        if (*pszTo)
            m_values.tmToTime = TimeOf("04/12/26", pszTo);
        Expect(strMessage.c_str(), EPromptIcon::Warning, nControl, -1, -1);
    }
    // A ticked tag row (Level when discrete, else Pump): type, condition, limits.
    const auto Tag = [&](int nType, int nCondition, const char* pszLow, const char* pszHigh)
    {
        SetUp();
        SFilterGridRow& row = m_values.arrRows[nType == FilterDiscrete ? 2 : 1];
        row = {true, row.strTagName, 0, nType, nCondition, pszLow, pszHigh};
    };
    for (const char* pszLow : {"", "5x", "5 ", "nan"})
    {
        Tag(FilterNumeric, FilterEqual, pszLow, "0");
        Expect("Low limit is not valid", EPromptIcon::None, IDC_FILTER_GRID, 2, FilterColumnLow);
    }
    Tag(FilterNumeric, FilterEqual, " 5", "abc");
    Expect("High limit is not valid.", EPromptIcon::None, IDC_FILTER_GRID, 2, FilterColumnHigh);
    Tag(FilterNumeric, FilterInRange, "5", "4");
    Expect("High value should be greater than Low value for the tag Pump", EPromptIcon::Stop,
           IDC_FILTER_GRID, 2, FilterColumnHigh);
    Tag(FilterDiscrete, FilterInRange, "2", "x");
    Expect("Value should be 0 or 1 for Discrete Datatype", EPromptIcon::Stop, IDC_FILTER_GRID, 3,
           FilterColumnLow);

    // Accepted: pickers with the cache span's milliseconds pass; bounds are whole seconds.
    SetUp();
    m_values.bDateRange = true;
    EXPECT_EQ(m_tmStart, Accepted().m_tmFrom); // milliseconds kept
    // The To is not looked at for conditions that do not use it.
    m_values.tmFromDate = m_values.tmFromTime = TimeOf("04/12/26", "08:30:00");
    m_values.tmToTime = TimeOf("04/12/26", "08:29:59");
    m_values.nDateCondition = FilterGreater;
    EXPECT_EQ(30, Accepted().m_tmFrom.wMinute);

    // Limits in any order but for ranges; discrete is "=" and no high; unticked is ignored.
    m_values.bDateRange = false;
    m_values.arrRows[0] = {false, "Temp", 0, FilterNumeric, FilterEqual, "x", "x"};
    m_values.arrRows[1] = {true, "Pump", 0, FilterNumeric, FilterOutOfRange, " 5", "5"};
    m_values.arrRows[2] = {true, "Level", 1, FilterDiscrete, FilterInRange, "1", "not read"};
    CFilterSet expected = Accepted();
    expected.m_arrTagFilters = {{1, true, FilterNumeric, FilterOutOfRange, 5, 5},
                                {2, false, FilterDiscrete, FilterEqual, 1, 0}};
    EXPECT_TRUE(expected == Accepted()); // the filter compares its tag criteria too
    m_values.arrRows[1].nCondition = FilterGreater;
    m_values.arrRows[1].strHigh = "4";
    EXPECT_EQ(2u, Accepted().m_arrTagFilters.size());

    // Switched off, only the times are kept, without milliseconds.
    m_values.arrRows[0].bTicked = true; // its "x" is not looked at either
    m_values.bFilterEnabled = false;
    m_values.bDateRange = true;
    const CFilterSet off = Accepted();
    EXPECT_FALSE(off.m_bEnabled || off.m_bDateRange);
    EXPECT_TRUE(off.m_arrTagFilters.empty());
    EXPECT_EQ(0, off.m_tmFrom.wMilliseconds + off.m_tmTo.wMilliseconds);
}

TEST(ReadDataPage, RefusalsWithTheirMessageAndFocusThenTheLoadWindow)
{
    // The choice (N: From with Number of Records), the count or From, then To or Number.
    const int F = ReadChoiceFrom, N = -1;
    const std::tuple<int, const char*, const char*, const char*, int> arrCases[] = {
        {ReadChoiceFirst, "1", "", "Number of Records  must be between 2 and 100.", IDC_READ_FIRST},
        {ReadChoiceLast, "101", "", "Number of Records  must be between 2 and 100.", IDC_READ_LAST},
        {ReadChoiceLast, "", "", "Number of Records  is not specified.", IDC_READ_LAST},
        {F, "10", "11", "To Record Index must be between 12 and 100.", IDC_READ_TO},
        {F, "10", "", "To Record Index is not specified.", IDC_READ_TO},
        {F, "", "12", "From Record Index is not specified.", IDC_READ_FROM},
        {F, "0", "12", "From Record Index must be between 1 and 100.", IDC_READ_FROM},
        {N, "1", "-1", "Previous records cannot be read from the index 1.", IDC_READ_NUMBER},
        {N, "5", "-6", "Number of Records must be between -1 and -5", IDC_READ_NUMBER},
        {N, "91", "11", "Number of Records must be between 1 and 10.", IDC_READ_NUMBER},
        {N, "5", "", "Number of Records is not specified.", IDC_READ_NUMBER},
        {N, "5", "1-2", "Number of Records is invalid.", IDC_READ_NUMBER},
        {N, "5", "3a", "Number of Records is invalid.", IDC_READ_NUMBER},
        {N, "5", "1 2", "Number of Records is invalid.", IDC_READ_NUMBER},
        {N, "", "x", "From Record Index is not specified.", IDC_READ_FROM}, // From comes first
    };
    for (const auto& [nChoice, pszA, pszB, pszMessage, nControl] : arrCases)
        EXPECT_EQ(
            std::make_tuple(false, std::string(pszMessage), EPromptIcon::Stop, nControl, -1, -1),
            Shown(EvaluateAddRecords(
                {nChoice == N ? F : nChoice, pszA, pszA, pszA, pszB, pszB, nChoice != N}, 100,
                true)));
    // Counts past 32 bits never wrap into the range.
    uint32_t nValue = 0;
    std::string strMessage;
    EXPECT_TRUE(ValidateNumber("X", " 12abc", 1, 20, false, nValue, strMessage));
    EXPECT_EQ(12u, nValue);
    for (const char* pszText : {"4294967301", "99999999999999999999999999999"})
        EXPECT_FALSE(ValidateNumber("X", pszText, 1, 5, false, nValue, strMessage)) << pszText;
    EXPECT_FALSE(ValidateNumber("X", "-4294967297", 1, 5, true, nValue, strMessage));
    EXPECT_EQ("X must be between -1 and -5", strMessage);

    // Mode, index, count, window size; then the placed start and size.
    const std::tuple<LoadMode, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t> arrWindows[] = {
        {LoadLast, 0, 7, 10, 1, 10}, // a file no longer than the window starts at 1
        {LoadFrom, 5, 10, 10, 1, 10},   {LoadFirst, 0, 0, 10, 1, 10},
        {LoadAll, 0, 0, 10, 1, 0},      {LoadFrom, 0, 100, 10, 1, 10},
        {LoadFrom, 95, 100, 5, 95, 5},  {LoadFrom, 97, 100, 5, 96, 5},
        {LoadFrom, 100, 100, 5, 96, 5}, {LoadFrom, 500, 100, 5, 96, 5}, // pulled back to fit
    };
    for (const auto& [eMode, nIndex, nCount, nSize, nStart, nPlacedSize] : arrWindows)
    {
        const SLoadWindow window = PlaceLoadWindow(eMode, nIndex, nCount, nSize);
        EXPECT_EQ(std::make_pair(nStart, nPlacedSize), std::make_pair(window.nStart, window.nSize))
            << eMode << " " << nIndex << " " << nCount;
    }
    const SReadSpan span =
        TrimCachedEnds({1, 10}, [](uint32_t n) { return n == 1 || n == 5 || n == 10; });
    // A gap inside is read again as a whole.
    EXPECT_EQ(std::make_pair(2u, 10u), std::make_pair(span.nFirst, span.nEnd));
}
