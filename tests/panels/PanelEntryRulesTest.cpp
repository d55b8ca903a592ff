#include "panels/PanelEntryRules.h"
#include "panels/CNameIpRecInfo.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
const unsigned char ADDRESS[4] = {192, 168, 1, 20};
const unsigned char ZERO_ADDRESS[4] = {0, 0, 0, 0};

std::vector<std::string> Names(const CNameIpRecInfo& list)
{
    std::vector<std::string> arrNames;
    for (int i = 0; i < list.GetCount(); ++i)
        arrNames.push_back(list.GetAt(i).m_strName);
    return arrNames;
}
} // namespace

TEST(PanelEntryRules, AcceptedEntryIsTrimmedAndThePortReadLikeAtoi)
{
    const SPanelEntryVerdict verdict = ReadPanelEntry("  Line 3 \t", ADDRESS, "");
    ASSERT_TRUE(verdict.bAccepted);
    EXPECT_EQ(verdict.rec.m_strName, "Line 3");
    EXPECT_EQ(verdict.rec.GetIPText(), "192.168.1.20");
    EXPECT_EQ(verdict.rec.m_nPort, 0);
    // The single blank Quick Add leaves behind becomes an empty name; a
    // line end typed at either end is trimmed away with the blanks.
    EXPECT_EQ(ReadPanelEntry(" ", ADDRESS, "1").rec.m_strName, "");
    EXPECT_TRUE(ReadPanelEntry("Kiln\r\n", ADDRESS, "1").bAccepted);

    const std::pair<const char*, int> arrPorts[] = {{"", 0},
                                                    {"007", 7},
                                                    {" 502x", 502},
                                                    {"x502", 0},
                                                    {"99999999999", INT_MAX},
                                                    {"-99999999999", INT_MIN}};
    for (const auto& [pszText, nPort] : arrPorts)
        EXPECT_EQ(ParsePortText(pszText), nPort) << pszText;
}

TEST(PanelEntryRules, RefusesBlankAddressFirstThenUnstorableName)
{
    SPanelEntryVerdict verdict = ReadPanelEntry("a|b", ZERO_ADDRESS, "10001");
    EXPECT_FALSE(verdict.bAccepted);
    EXPECT_EQ(verdict.strMessage, "Please enter a valid IP address.");
    EXPECT_EQ(verdict.eIcon, EPromptIcon::Stop);
    EXPECT_EQ(verdict.eFocus, EPanelField::Address);

    for (const char* pszName : {"a|b", "|", "Line\n3", "Line\r3"})
    {
        verdict = ReadPanelEntry(pszName, ADDRESS, "10001");
        EXPECT_FALSE(verdict.bAccepted) << pszName;
        EXPECT_EQ(verdict.strMessage, STR_NAME_NOT_STORABLE);
        EXPECT_EQ(verdict.eIcon, EPromptIcon::Stop);
        EXPECT_EQ(verdict.eFocus, EPanelField::Name);
    }
}

TEST(PanelEntryRules, RemoveSelectedRecordsHighestFirst)
{
    CNameIpRecInfo list;
    for (const char* pszName : {"A", "B", "C", "D", "E"})
        list.AddTail(CNameIpRec(pszName, 10, 0, 0, 1, 10001));

    // Rows 1 and 3 of five (from 0: 0 and 2), given in any order, repeated,
    // and with rows that do not exist.
    const std::vector<int> arrRemoved = RemoveSelectedRecords(list, {2, 0, 7, 2, -1});
    EXPECT_EQ(arrRemoved, (std::vector<int>{2, 0}));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"B", "D", "E"}));

    EXPECT_TRUE(RemoveSelectedRecords(list, {}).empty());
    EXPECT_EQ(RemoveSelectedRecords(list, {0, 1, 2}), (std::vector<int>{2, 1, 0}));
    EXPECT_TRUE(list.IsEmpty());
}
