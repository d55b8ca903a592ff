#include "panels/PanelEntryRules.h"
#include "PanelListNames.h"

#include <gtest/gtest.h>

#include <climits>

TEST(PanelEntryRules, AcceptsTrimmedNamesAndReadsThePortLikeAtoi)
{
    const unsigned char ADDRESS[4] = {192, 168, 1, 20};
    EXPECT_EQ(ReadPanelEntry("  Line 3 \t", ADDRESS, "").rec.FormatLine(),
              "Line 3|192.168.1.20|0|\r\r\n");
    // The single blank Quick Add leaves behind becomes an empty name; a
    // line end typed at either end is trimmed away with the blanks.
    EXPECT_EQ(ReadPanelEntry(" ", ADDRESS, "1").rec.m_strName, "");
    EXPECT_TRUE(ReadPanelEntry("Kiln\r\n", ADDRESS, "1").bAccepted);
    EXPECT_EQ(ParsePortText("99999999999"), INT_MAX);
    EXPECT_EQ(ParsePortText("-99999999999"), INT_MIN);
    for (const auto& [pszText, nPort] : {std::pair{"", 0}, {"007", 7}, {" 502x", 502}, {"x502", 0}})
        EXPECT_EQ(ParsePortText(pszText), nPort) << pszText;

    // Refused: a blank address first, then a name the list file cannot hold.
    const unsigned char ZERO_ADDRESS[4] = {0, 0, 0, 0};
    const std::tuple<const char*, const unsigned char*, const char*, EPanelField> arrRefused[] = {
        {"a|b", ZERO_ADDRESS, "Please enter a valid IP address.", EPanelField::Address},
        {"a|b", ADDRESS, STR_NAME_NOT_STORABLE, EPanelField::Name},
        {"|", ADDRESS, STR_NAME_NOT_STORABLE, EPanelField::Name},
        {"Line\n3", ADDRESS, STR_NAME_NOT_STORABLE, EPanelField::Name},
        {"Line\r3", ADDRESS, STR_NAME_NOT_STORABLE, EPanelField::Name}};
    for (const auto& [pszName, pAddress, pszMessage, eFocus] : arrRefused)
    {
        const SPanelEntryVerdict verdict = ReadPanelEntry(pszName, pAddress, "10001");
        EXPECT_FALSE(verdict.bAccepted) << pszName;
        EXPECT_EQ(verdict.strMessage, pszMessage);
        EXPECT_EQ(verdict.eIcon, EPromptIcon::Stop);
        EXPECT_EQ(verdict.eFocus, eFocus);
    }
}

TEST(PanelEntryRules, RemoveSelectedRecordsHighestFirst)
{
    CNameIpRecInfo list;
    for (const char* pszName : {"A", "B", "C", "D", "E"})
        list.AddTail(CNameIpRec(pszName, 10, 0, 0, 1, 10001));
    // Rows 0 and 2 in any order, repeated, and rows that do not exist.
    EXPECT_EQ(RemoveSelectedRecords(list, {2, 0, 7, 2, -1}), (std::vector<int>{2, 0}));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"B", "D", "E"}));
    EXPECT_TRUE(RemoveSelectedRecords(list, {}).empty());
    EXPECT_EQ(RemoveSelectedRecords(list, {0, 1, 2}), (std::vector<int>{2, 1, 0}));
    EXPECT_TRUE(list.IsEmpty());
}
