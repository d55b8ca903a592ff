// What the link decides and says without a panel (double blanks are the program's own).
#include "link/CCommInterface.h"
#include "link/CardStatus.h"

#include <cerrno>
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
        // Revisions: letters first, folded, and outranking any number; numbers are unsigned
        // bytes, compared before the case rule; then upper case ranks above lower.
        {"view", CanViewFileData,
         "186 i 14 14 +, 186 i 14 13 -, 176 i 13 999 -, 186 I 13 999 -, 165 i 14 14 +, "
         "165 h 99 999 -, 80 k 5 76 +, 80 k 5 75 -, 80 K 5 0 +, 80 i 14 14 -, 80 k 200 0 +"},
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
    EXPECT_EQ(CompareFirmwareRevision('k', 3, 'K', 3), -1); // no decision compares with capitals
}

TEST(LinkTextsTest, ChannelTextsKeepTheirDoubleBlanks)
{
    const std::string strPacket = "Incorrect Communication Packet  (";
    const std::pair<unsigned long, const char*> arrPacketCases[] = {
        {1, "Checksum Error"},          {7, "Incorrect message number"},
        {9, "Incorrect type"},          {10, "Error in EEPROM program"},
        {11, "Incorrect message load"}, {14, "Program read only error"},
        {16, "Image not found"},        {19, "Protection error"},
        {20, "Incorrect password"},     {21, "Error in INIT"},
        {23, "ERR MSG ECHOED"}};
    for (const auto& [nCode, pszReason] : arrPacketCases) // the table wins over the system's reason
        EXPECT_EQ(CommErrorText(nCode, ECONNRESET), strPacket + pszReason + ").") << nCode;
    const std::pair<unsigned long, const char*> arrCases[] = {
        {6, "Panel is out of memory;  \nPlease delete few objects and try again. If you have "
            "linegraphs in your project, reduce number of samples and try again.  Bitmaps and "
            "linegraphs are objects that may consume lot of memory.  If you are using linegraphs "
            "in your project, reducing the number of samples will reduce memory consumption."},
        {18, "Panel does not have the firmware loaded.  \nPlease load the panel with latest "
             "firmware."},
        {36, "Error C01_1:  Unable to open communication port."},
        {37, "Error C01_3:  communication port is being used by some other application, Access "
             "denied."},
        // Texts of a link without a panel (no cable, no driver) and their odd capitals.
        {30, "Netwyn dll not initialized."},
        {32, "Unable to create thread."},
        {33, "Unable to close communication port."},
        {34, "Netwyn Dll not loaded."},
        {35, "Error in transmitting data."},
        {100, "The starting address does not match."},
        {101, "Error reading driver or hex file."},
    };
    for (const auto& [nCode, pszText] : arrCases)
        EXPECT_EQ(CommErrorText(nCode, ECONNRESET), pszText) << nCode;
}

TEST(LinkTextsTest, CardStatusesFrom128To136AreErrors)
{
    for (const int nCode : {0, 7, 8, 127, 128, 136, 137, 255})
    {
        bool bError = !(nCode >= 128 && nCode <= 136); // start opposite to catch "not set"
        GetCardStatusText(static_cast<unsigned char>(nCode), &bError);
        EXPECT_EQ(bError, nCode >= 128 && nCode <= 136) << nCode;
    }
    EXPECT_EQ(GetCardStatusText(8, nullptr), "");
    EXPECT_EQ(GetCardStatusText(128, nullptr), "Unexpected Error");
    // The reasons of a failed delete and rename share numbers, not texts.
    const std::tuple<unsigned char, const char*, const char*> arrReasons[] = {
        {1, "Source filename invalid", "Source filename invalid"},
        {2, "Source file not found", "New filename invalid"},
        {5, "Unknown", "Unknown"},
        {241, "File may be in use.", "File may be in use."},
    };
    for (const auto& [nResult, pszDelete, pszRename] : arrReasons)
    {
        EXPECT_EQ(GetCardDeleteResultText(nResult), pszDelete) << int(nResult);
        EXPECT_EQ(GetCardRenameResultText(nResult), pszRename) << int(nResult);
    }
}
