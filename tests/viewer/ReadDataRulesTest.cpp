#include "viewer/ReadDataRules.h"

#include <gtest/gtest.h>

namespace
{
SReadDataValues FromNumber(const std::string& strFrom, const std::string& strNumber)
{
    SReadDataValues values;
    values.nChoice = ReadChoiceFrom;
    values.bToChecked = false;
    values.strFrom = strFrom;
    values.strNumber = strNumber;
    return values;
}

SReadDataValues FromTo(const std::string& strFrom, const std::string& strTo)
{
    SReadDataValues values;
    values.nChoice = ReadChoiceFrom;
    values.strFrom = strFrom;
    values.strTo = strTo;
    return values;
}

SReadDataValues Count(int nChoice, const std::string& strNumber)
{
    SReadDataValues values;
    values.nChoice = nChoice;
    (nChoice == ReadChoiceFirst ? values.strFirst : values.strLast) = strNumber;
    return values;
}

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
    SReadDataValues values;
    values.nChoice = ReadChoiceAll;
    values.strFirst = values.strLast = "";
    SAddRecordsRequest request = Accepted(values, 100);
    EXPECT_EQ(LoadAll, request.eMode);
    EXPECT_FALSE(request.bSetWindowSize);

    request = Accepted(Count(ReadChoiceFirst, "2"), 100);
    EXPECT_EQ(LoadFirst, request.eMode);
    EXPECT_EQ(2u, request.nWindowSize);
    request = Accepted(Count(ReadChoiceLast, "100"), 100);
    EXPECT_EQ(LoadLast, request.eMode);
    EXPECT_EQ(100u, request.nWindowSize);

    ExpectRefused(Count(ReadChoiceFirst, "1"), 100, "Number of Records  must be between 2 and 100.",
                  IDC_READ_FIRST);
    ExpectRefused(Count(ReadChoiceLast, "101"), 100,
                  "Number of Records  must be between 2 and 100.", IDC_READ_LAST);
    ExpectRefused(Count(ReadChoiceLast, ""), 100, "Number of Records  is not specified.",
                  IDC_READ_LAST);
}

TEST(ReadDataPage, FromAndTo)
{
    SAddRecordsRequest request = Accepted(FromTo("10", "12"), 100);
    EXPECT_EQ(LoadFrom, request.eMode);
    EXPECT_EQ(10u, request.nIndex);
    EXPECT_EQ(3u, request.nWindowSize);

    ExpectRefused(FromTo("10", "11"), 100, "To Record Index must be between 12 and 100.",
                  IDC_READ_TO);
    ExpectRefused(FromTo("10", ""), 100, "To Record Index is not specified.", IDC_READ_TO);
    ExpectRefused(FromTo("", "12"), 100, "From Record Index is not specified.", IDC_READ_FROM);
    ExpectRefused(FromTo("0", "12"), 100, "From Record Index must be between 1 and 100.",
                  IDC_READ_FROM);
    ExpectRefused(FromTo("101", "102"), 100, "From Record Index must be between 1 and 100.",
                  IDC_READ_FROM);
}

TEST(ReadDataPage, FromAndNumber)
{
    SAddRecordsRequest request = Accepted(FromNumber("50", "-5"), 100);
    EXPECT_EQ(LoadFrom, request.eMode);
    EXPECT_EQ(46u, request.nIndex);
    EXPECT_EQ(5u, request.nWindowSize);
    request = Accepted(FromNumber("5", "-5"), 100);
    EXPECT_EQ(1u, request.nIndex);
    request = Accepted(FromNumber("91", " 10 "), 100);
    EXPECT_EQ(91u, request.nIndex);
    EXPECT_EQ(10u, request.nWindowSize);

    ExpectRefused(FromNumber("1", "-1"), 100, "Previous records cannot be read from the index 1.",
                  IDC_READ_NUMBER);
    ExpectRefused(FromNumber("5", "-6"), 100, "Number of Records must be between -1 and -5",
                  IDC_READ_NUMBER);
    ExpectRefused(FromNumber("91", "11"), 100, "Number of Records must be between 1 and 10.",
                  IDC_READ_NUMBER);
    ExpectRefused(FromNumber("91", "0"), 100, "Number of Records must be between 1 and 10.",
                  IDC_READ_NUMBER);
    ExpectRefused(FromNumber("5", ""), 100, "Number of Records is not specified.", IDC_READ_NUMBER);
    for (const char* pszInvalid : {"1-2", "+3", "3a", "--1", "1 2"})
        ExpectRefused(FromNumber("5", pszInvalid), 100, "Number of Records is invalid.",
                      IDC_READ_NUMBER);
    // The From index is checked before the Number.
    ExpectRefused(FromNumber("", "x"), 100, "From Record Index is not specified.", IDC_READ_FROM);
}
