// The decisions made from the panel information block, as tables of cases.
#include "link/CCommInterface.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace
{
void StorePanelInfo(int nType, char cLetter, int nNumber, uint32_t nBuild)
{
    std::memset(g_PanelInfo, 0, sizeof(g_PanelInfo));
    g_PanelInfo[0] = static_cast<unsigned char>(nType);
    g_PanelInfo[4] = static_cast<unsigned char>(cLetter);
    g_PanelInfo[5] = static_cast<unsigned char>(nNumber);
    for (int i = 0; i < 4; ++i)
        g_PanelInfo[48 + i] = static_cast<unsigned char>(nBuild >> (8 * i));
}
} // namespace

// Letters first, folded, and outranking any number; numbers are unsigned bytes, compared
// before the case rule; the same letter and number ranks upper case above lower.
TEST(PanelDecisionTest, CompareFirmwareRevision)
{
    std::istringstream in("a1 b1 -1, i200 K0 -2, K3 k3 1, k3 K3 -1, k3 k3 0, k4 K3 1, "
                          "k200 k100 100, I11 i12 -1");
    char c1 = 0, c2 = 0;
    int n1 = 0, n2 = 0, nExpected = 0;
    for (; in >> c1 >> n1 >> c2 >> n2 >> nExpected; in.ignore())
        EXPECT_EQ(CompareFirmwareRevision(c1, static_cast<unsigned char>(n1), c2,
                                          static_cast<unsigned char>(n2)),
                  nExpected)
            << c1 << n1 << " vs " << c2 << n2;
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
            StorePanelInfo(nType, cLetter, nNumber, nBuild);
            EXPECT_EQ(fnDecide(), cAnswer == '+') << pszDecision << ": type " << nType << " "
                                                  << cLetter << nNumber << " build " << nBuild;
        }
    }
}
