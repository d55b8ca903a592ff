// The decisions made from the panel information block, as tables of cases.
#include "link/CCommInterface.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace
{
struct SPanel
{
    unsigned char nType;
    char cLetter;
    unsigned char nNumber;
    uint32_t nBuild;
};

void StorePanelInfo(const SPanel& panel)
{
    std::memset(g_PanelInfo, 0, sizeof(g_PanelInfo));
    g_PanelInfo[0] = panel.nType;
    g_PanelInfo[4] = static_cast<unsigned char>(panel.cLetter);
    g_PanelInfo[5] = panel.nNumber;
    for (int i = 0; i < 4; ++i)
        g_PanelInfo[48 + i] = static_cast<unsigned char>(panel.nBuild >> (8 * i));
}
} // namespace

TEST(PanelDecisionTest, CompareFirmwareRevision)
{
    const struct
    {
        char c1;
        unsigned char n1;
        char c2;
        unsigned char n2;
        int nExpected;
    } arrCases[] = {
        {'a', 1, 'b', 1, 'A' - 'B'},   // letters first, folded
        {'i', 200, 'K', 0, 'I' - 'K'}, // the letter outranks any number
        {'K', 3, 'k', 3, 1},           // same letter and number: upper above lower
        {'k', 3, 'K', 3, -1},          {'k', 3, 'k', 3, 0},
        {'k', 4, 'K', 3, 1},       // the number before the case rule
        {'k', 200, 'k', 100, 100}, // numbers are unsigned bytes
        {'I', 11, 'i', 12, -1},
    };
    for (const auto& c : arrCases)
        EXPECT_EQ(CompareFirmwareRevision(c.c1, c.n1, c.c2, c.n2), c.nExpected)
            << c.c1 << int(c.n1) << " vs " << c.c2 << int(c.n2);
}

TEST(PanelDecisionTest, AcceptanceBackupAndViewing)
{
    // Each panel as "type letter number build", then + (yes) or - (no).
    const std::tuple<const char*, std::function<bool()>, const char*> arrDecisions[] = {
        // Type 186 always; equal revision needs the build; upper-case I ranks
        // above i11; lists 1 and 2 without a revision rule; group A outside them.
        {"accepted", IsPanelAccepted,
         "186 a 0 0 +, 177 i 11 39 -, 177 i 11 40 +, 177 I 11 0 +, 177 i 10 999 -, 183 k 1 0 +, "
         "80 a 0 0 +, 190 a 0 0 +, 169 k 9 999 -, 0 k 9 999 -"},
        // Group A and file command panels; group C from k3 build 149 (K3 above k3).
        {"backup", CanBackupCsvFiles,
         "92 a 0 0 +, 176 a 0 0 +, 161 k 3 149 +, 161 k 3 148 -, 163 k 4 0 +, 171 k 2 999 -, "
         "180 K 3 0 +, 100 z 99 999 -"},
        // File command panels and group A from i14 build 14, everyone else from k5 build 76.
        {"view", CanViewFileData,
         "186 i 14 14 +, 186 i 14 13 -, 176 i 13 999 -, 165 i 14 14 +, 165 h 99 999 -, "
         "80 k 5 76 +, 80 k 5 75 -, 80 K 5 0 +, 80 i 14 14 -"},
    };
    for (const auto& [pszDecision, fnDecide, pszPanels] : arrDecisions)
    {
        std::istringstream in(pszPanels);
        int nType = 0, nNumber = 0;
        uint32_t nBuild = 0;
        char cLetter = 0, cAnswer = 0;
        for (; in >> nType >> cLetter >> nNumber >> nBuild >> cAnswer; in.ignore())
        {
            StorePanelInfo({static_cast<unsigned char>(nType), cLetter,
                            static_cast<unsigned char>(nNumber), nBuild});
            EXPECT_EQ(fnDecide(), cAnswer == '+') << pszDecision << ": type " << nType << " "
                                                  << cLetter << nNumber << " build " << nBuild;
        }
    }
}
