// The card status and card result vocabulary.
#include "link/CardStatus.h"

#include <gtest/gtest.h>

TEST(CardStatusTest, StatusTextsAndErrorRange)
{
    const std::pair<int, const char*> arrCases[] = {
        {0, "Card Present, No Error"},
        {1, "Card Present, Data Acc. ready, No Error"},
        {2, "Processing Data Acc. Init."},
        {3, "Processing File Close"},
        {4, "File Close Complete"},
        {5, "Processing Format"},
        {6, "Format Complete"},
        {7, "Processing Copy File"},
        {128, "Unexpected Error"},
        {129, "No Card"},
        {130, "Card is Write Protected"},
        {131, "Card is Full"},
        {132, "Card Not Formatted"},
        {133, "Data Buff Err"},
        {134, "Data Flush Err"},
        {135, "Data Acc. Not Initialized"},
        {136, "Format Error"},
        {8, ""},
        {127, ""},
        {137, ""},
        {200, ""},
        {255, ""},
    };
    for (const auto& [nCode, pszText] : arrCases)
    {
        bool bError = !(nCode >= 128 && nCode <= 136); // start opposite to catch "not set"
        EXPECT_EQ(GetCardStatusText(static_cast<unsigned char>(nCode), &bError), pszText) << nCode;
        EXPECT_EQ(bError, nCode >= 128 && nCode <= 136) << nCode;
    }
    EXPECT_EQ(GetCardStatusText(131, nullptr), "Card is Full");
}

TEST(CardStatusTest, DeleteAndRenameReasons)
{
    const struct
    {
        unsigned char nResult;
        const char* pszDelete;
        const char* pszRename;
    } arrCases[] = {
        {1, "Source filename invalid", "Source filename invalid"},
        {2, "Source file not found", "New filename invalid"},
        {3, "Unknown", "Filenames are not unique"},
        {4, "Unknown", "Rename failed"},
        {5, "Unknown", "Unknown"},
        {241, "File may be in use.", "File may be in use."},
        {255, "Unknown", "Unknown"},
    };
    for (const auto& c : arrCases)
    {
        EXPECT_EQ(GetCardDeleteResultText(c.nResult), c.pszDelete) << int(c.nResult);
        EXPECT_EQ(GetCardRenameResultText(c.nResult), c.pszRename) << int(c.nResult);
    }
}
