// The Read Data page's refusals, the load window it places, the record set it shows.
#include "ViewerTestSupport.h"
#include "viewer/LoadWindow.h"

#include <gtest/gtest.h>

TEST(ReadDataPage, RefusalsWithTheirMessageAndFocus)
{
    const int F = ReadChoiceFrom, N = -1; // N: From with Number of Records
    const struct
    {
        int nChoice;
        const char *pszA, *pszB; // the count or From, then To or Number
        const char* pszMessage;
        int nControl;
    } arrCases[] = {
        {ReadChoiceFirst, "1", "", "Number of Records  must be between 2 and 100.", IDC_READ_FIRST},
        {ReadChoiceLast, "101", "", "Number of Records  must be between 2 and 100.", IDC_READ_LAST},
        {ReadChoiceLast, "", "", "Number of Records  is not specified.", IDC_READ_LAST},
        {F, "10", "11", "To Record Index must be between 12 and 100.", IDC_READ_TO},
        {F, "10", "", "To Record Index is not specified.", IDC_READ_TO},
        {F, "", "12", "From Record Index is not specified.", IDC_READ_FROM},
        {F, "0", "12", "From Record Index must be between 1 and 100.", IDC_READ_FROM},
        {F, "101", "102", "From Record Index must be between 1 and 100.", IDC_READ_FROM},
        {N, "1", "-1", "Previous records cannot be read from the index 1.", IDC_READ_NUMBER},
        {N, "5", "-6", "Number of Records must be between -1 and -5", IDC_READ_NUMBER},
        {N, "91", "11", "Number of Records must be between 1 and 10.", IDC_READ_NUMBER},
        {N, "91", "0", "Number of Records must be between 1 and 10.", IDC_READ_NUMBER},
        {N, "5", "", "Number of Records is not specified.", IDC_READ_NUMBER},
        {N, "5", "1-2", "Number of Records is invalid.", IDC_READ_NUMBER},
        {N, "5", "+3", "Number of Records is invalid.", IDC_READ_NUMBER},
        {N, "5", "3a", "Number of Records is invalid.", IDC_READ_NUMBER},
        {N, "5", "--1", "Number of Records is invalid.", IDC_READ_NUMBER},
        {N, "5", "1 2", "Number of Records is invalid.", IDC_READ_NUMBER},
        {N, "", "x", "From Record Index is not specified.", IDC_READ_FROM}, // From comes first
    };
    for (const auto& c : arrCases)
    {
        const SReadDataValues values{
            c.nChoice == N ? F : c.nChoice, c.pszA, c.pszA, c.pszA, c.pszB, c.pszB, c.nChoice != N};
        const SAddRecordsOutcome outcome = EvaluateAddRecords(values, 100, true);
        SCOPED_TRACE(c.pszMessage);
        EXPECT_FALSE(outcome.bAccepted);
        EXPECT_EQ(c.pszMessage, outcome.message.strText);
        EXPECT_EQ(EPromptIcon::Stop, outcome.message.eIcon);
        EXPECT_EQ(c.nControl, outcome.message.nFocusControl);
    }
    // Counts past 32 bits never wrap into the range.
    uint32_t nValue = 0;
    std::string strMessage;
    EXPECT_TRUE(ValidateNumber("X", " 12abc", 1, 20, false, nValue, strMessage));
    EXPECT_EQ(12u, nValue);
    for (const char* pszText : {"4294967301", "99999999999999999999999999999"})
        EXPECT_FALSE(ValidateNumber("X", pszText, 1, 5, false, nValue, strMessage)) << pszText;
    EXPECT_FALSE(ValidateNumber("X", "-4294967297", 1, 5, true, nValue, strMessage));
    EXPECT_EQ("X must be between -1 and -5", strMessage);
}

TEST(LoadWindow, PlacementPerMode)
{
    const struct
    {
        LoadMode eMode;
        uint32_t nIndex, nCount, nSize, nStart, nPlacedSize;
    } arrCases[] = {
        {LoadLast, 0, 7, 10, 1, 10}, // a file no longer than the window starts at 1
        {LoadFrom, 5, 10, 10, 1, 10},   {LoadFirst, 0, 0, 10, 1, 10},
        {LoadAll, 0, 0, 10, 1, 0},      {LoadFrom, 0, 100, 10, 1, 10},
        {LoadFrom, 95, 100, 5, 95, 5},  {LoadFrom, 97, 100, 5, 96, 5},
        {LoadFrom, 100, 100, 5, 96, 5}, {LoadFrom, 500, 100, 5, 96, 5}, // pulled back to fit
    };
    for (const auto& c : arrCases)
    {
        const SLoadWindow window = PlaceLoadWindow(c.eMode, c.nIndex, c.nCount, c.nSize);
        SCOPED_TRACE(StrFormat("%d %u %u", c.eMode, c.nIndex, c.nCount));
        EXPECT_EQ(c.nStart, window.nStart);
        EXPECT_EQ(c.nPlacedSize, window.nSize);
    }
    const SReadSpan span =
        TrimCachedEnds({1, 10}, [](uint32_t n) { return n == 1 || n == 5 || n == 10; });
    EXPECT_EQ(2u, span.nFirst);
    EXPECT_EQ(10u, span.nEnd); // a gap inside is read again as a whole
}

TEST(RecordSetText, LastIndicesAndEmptiedCache)
{
    CHandLog hand;
    for (uint32_t n : {5u, 4294967294u, 4294967295u})
        hand.Add(n, {"04/12/26", "08:00:00", "1", "on"});
    hand.Log().UpdateRecordSetText();
    EXPECT_EQ("(5) & (4294967294 - 4294967295)", hand.Log().GetRecordSetText());
    hand.Log().EmptyCache();
    EXPECT_EQ("", hand.Log().GetRecordSetText());
    EXPECT_EQ("", hand.Log().m_strRecordSet);
}
