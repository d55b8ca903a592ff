#include "ViewerTestSupport.h"

#include <gtest/gtest.h>

namespace
{
void ExpectRefused(const SReadDataValues& values, uint32_t nCount, const std::string& strText,
                   int nControl)
{
    const SAddRecordsOutcome outcome = EvaluateAddRecords(values, nCount, true);
    EXPECT_FALSE(outcome.bAccepted);
    EXPECT_EQ(strText, outcome.message.strText);
    EXPECT_EQ(EPromptIcon::Stop, outcome.message.eIcon);
    EXPECT_EQ(nControl, outcome.message.nFocusControl);
}

SAddRecordsRequest Accepted(const SReadDataValues& values, uint32_t nCount)
{
    const SAddRecordsOutcome outcome = EvaluateAddRecords(values, nCount, false);
    EXPECT_TRUE(outcome.bAccepted) << outcome.message.strText;
    return outcome.request;
}
} // namespace

TEST(ValidateNumber, RangeAndOverflow)
{
    uint32_t nValue = 0;
    std::string strMessage;
    EXPECT_TRUE(ValidateNumber("X", " 12abc", 1, 20, false, nValue, strMessage));
    EXPECT_EQ(12u, nValue);
    EXPECT_TRUE(ValidateNumber("X", "-5", 1, 5, true, nValue, strMessage));
    EXPECT_EQ(5u, nValue);
    EXPECT_FALSE(ValidateNumber("X", "", 1, 5, false, nValue, strMessage));
    EXPECT_EQ("X is not specified.", strMessage);
    EXPECT_FALSE(ValidateNumber("X", "abc", 1, 5, false, nValue, strMessage));
    EXPECT_EQ("X must be between 1 and 5.", strMessage);
    // 4294967301 wraps to 5 as an unsigned 32-bit number; it must not pass.
    EXPECT_FALSE(ValidateNumber("X", "4294967301", 1, 5, false, nValue, strMessage));
    EXPECT_FALSE(
        ValidateNumber("X", "99999999999999999999999999999", 1, 100, false, nValue, strMessage));
    EXPECT_FALSE(ValidateNumber("X", "-4294967297", 1, 5, true, nValue, strMessage));
    EXPECT_EQ("X must be between -1 and -5", strMessage);
}

TEST(ReadDataPage, AllFirstAndLast)
{
    SAddRecordsRequest request = Accepted(ReadChoice(ReadChoiceAll, ""), 100);
    EXPECT_EQ(LoadAll, request.eMode);
    EXPECT_FALSE(request.bSetWindowSize);

    request = Accepted(ReadChoice(ReadChoiceFirst, "2"), 100);
    EXPECT_EQ(LoadFirst, request.eMode);
    EXPECT_EQ(2u, request.nWindowSize);
    request = Accepted(ReadChoice(ReadChoiceLast, "100"), 100);
    EXPECT_EQ(LoadLast, request.eMode);
    EXPECT_EQ(100u, request.nWindowSize);

    ExpectRefused(ReadChoice(ReadChoiceFirst, "1"), 100,
                  "Number of Records  must be between 2 and 100.", IDC_READ_FIRST);
    ExpectRefused(ReadChoice(ReadChoiceLast, "101"), 100,
                  "Number of Records  must be between 2 and 100.", IDC_READ_LAST);
    ExpectRefused(ReadChoice(ReadChoiceLast, ""), 100, "Number of Records  is not specified.",
                  IDC_READ_LAST);
}

TEST(ReadDataPage, FromAndTo)
{
    SAddRecordsRequest request = Accepted(ReadFromTo("10", "12"), 100);
    EXPECT_EQ(LoadFrom, request.eMode);
    EXPECT_EQ(10u, request.nIndex);
    EXPECT_EQ(3u, request.nWindowSize);

    ExpectRefused(ReadFromTo("10", "11"), 100, "To Record Index must be between 12 and 100.",
                  IDC_READ_TO);
    ExpectRefused(ReadFromTo("10", ""), 100, "To Record Index is not specified.", IDC_READ_TO);
    ExpectRefused(ReadFromTo("", "12"), 100, "From Record Index is not specified.", IDC_READ_FROM);
    ExpectRefused(ReadFromTo("0", "12"), 100, "From Record Index must be between 1 and 100.",
                  IDC_READ_FROM);
    ExpectRefused(ReadFromTo("101", "102"), 100, "From Record Index must be between 1 and 100.",
                  IDC_READ_FROM);
}

TEST(ReadDataPage, FromAndNumber)
{
    SAddRecordsRequest request = Accepted(ReadFromNumber("50", "-5"), 100);
    EXPECT_EQ(LoadFrom, request.eMode);
    EXPECT_EQ(46u, request.nIndex);
    EXPECT_EQ(5u, request.nWindowSize);
    request = Accepted(ReadFromNumber("5", "-5"), 100);
    EXPECT_EQ(1u, request.nIndex);
    request = Accepted(ReadFromNumber("91", " 10 "), 100);
    EXPECT_EQ(91u, request.nIndex);
    EXPECT_EQ(10u, request.nWindowSize);

    ExpectRefused(ReadFromNumber("1", "-1"), 100,
                  "Previous records cannot be read from the index 1.", IDC_READ_NUMBER);
    ExpectRefused(ReadFromNumber("5", "-6"), 100, "Number of Records must be between -1 and -5",
                  IDC_READ_NUMBER);
    ExpectRefused(ReadFromNumber("91", "11"), 100, "Number of Records must be between 1 and 10.",
                  IDC_READ_NUMBER);
    ExpectRefused(ReadFromNumber("91", "0"), 100, "Number of Records must be between 1 and 10.",
                  IDC_READ_NUMBER);
    ExpectRefused(ReadFromNumber("5", ""), 100, "Number of Records is not specified.",
                  IDC_READ_NUMBER);
    for (const char* pszInvalid : {"1-2", "+3", "3a", "--1", "1 2"})
        ExpectRefused(ReadFromNumber("5", pszInvalid), 100, "Number of Records is invalid.",
                      IDC_READ_NUMBER);
    // The From index is checked before the Number.
    ExpectRefused(ReadFromNumber("", "x"), 100, "From Record Index is not specified.",
                  IDC_READ_FROM);
}
