#include "panels/CNameIpRec.h"
#include "panels/PanelEntryRules.h"

#include <gtest/gtest.h>

#include <climits>

TEST(NameIpRec, DefaultsCopySamePanelAndLenientLines)
{
    CNameIpRec rec("Press Line", 192, 168, 1, 20, 502);
    CNameIpRec copy;
    copy.CopyFrom(rec);
    EXPECT_EQ(copy.FormatLine(), "Press Line|192.168.1.20|502|\r\r\n");
    // The same panel: the name's case aside, everything equal (only the first).
    const CNameIpRec arrOthers[] = {{"PRESS line", 192, 168, 1, 20, 502},
                                    {"Press Line ", 192, 168, 1, 20, 502},
                                    {"Press Lane", 192, 168, 1, 20, 502},
                                    {"Press Line", 192, 168, 1, 20, 503},
                                    {"Press Line", 192, 168, 1, 21, 502}};
    for (const CNameIpRec& other : arrOthers)
        EXPECT_EQ(rec.IsSamePanel(other), &other == arrOthers) << other.FormatLine();
    rec.ResetToDefault();
    EXPECT_TRUE(rec.IsBlankAddress());
    EXPECT_EQ(rec.FormatLine(), "|0.0.0.0|10001|\r\r\n");

    // Lines parse leniently; a refused line keeps what was set before the fault.
    const std::tuple<const char*, bool, const char*> arrCases[] = {
        {"  Kiln 2 |10.1.2.3|502|", true, "  Kiln 2 |10.1.2.3|502|\r\r\n"},
        {"Kiln|10.1.2.3|502", true, "Kiln|10.1.2.3|502|\r\r\n"}, // the port is the remainder
        // Address bytes wrap modulo 256 and read like atoi; extra pieces ignored.
        {"x|300.1.2.3|1|", true, "x|44.1.2.3|1|\r\r\n"},
        // 10^20 - 1 leaves 255 modulo 256, as a byte of that many digits wraps.
        {"x|-1. 7z.abc.99999999999999999999.5|12ab|any|more", true, "x|255.7.0.255|12|\r\r\n"},
        {"x|1.2.3.4|99999999999|", true, "x|1.2.3.4|2147483647|\r\r\n"},
        {"", false, "|0.0.0.0|10001|\r\r\n"},
        {"name only|1.2.3.4", false, "|0.0.0.0|10001|\r\r\n"},
        {"Short|1.2.3|77|", false, "Short|0.0.0.0|10001|\r\r\n"}, // the name is taken first
    };
    for (const auto& [pszLine, bAccepted, pszRecord] : arrCases)
    {
        CNameIpRec rec;
        EXPECT_EQ(rec.ParseLine(pszLine), bAccepted) << pszLine;
        EXPECT_EQ(rec.FormatLine(), pszRecord) << pszLine;
    }
}

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
