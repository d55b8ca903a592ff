// Texts and entry fields the link builds without a panel: the channel's
// failure texts (their double blanks are the program's own), the card status
// range that counts as an error, the reasons of failed card commands, and
// a listing's out-of-range entries.
#include "link/CCommInterface.h"
#include "link/CDirData.h"
#include "link/CardStatus.h"

#include <cerrno>
#include <gtest/gtest.h>

TEST(LinkTextsTest, ChannelTextsKeepTheirDoubleBlanks)
{
    const std::string strPacket = "Incorrect Communication Packet  (";
    const std::pair<unsigned long, const char*> arrPacketCases[] = {
        {1, "Checksum Error"},           {3, "Incorrect message code"},
        {7, "Incorrect message number"}, {8, "Incorrect message length"},
        {9, "Incorrect type"},           {10, "Error in EEPROM program"},
        {11, "Incorrect message load"},  {14, "Program read only error"},
        {15, "Incorrect Format"},        {16, "Image not found"},
        {19, "Protection error"},        {20, "Incorrect password"},
        {21, "Error in INIT"},           {23, "ERR MSG ECHOED"},
    };
    for (const auto& [nCode, pszReason] : arrPacketCases) // the table wins over the system's reason
        EXPECT_EQ(CommErrorText(nCode, ECONNRESET), strPacket + pszReason + ").") << nCode;
    const std::pair<unsigned long, const char*> arrCases[] = {
        {2, "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication "
            "port."},
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
        {3, "Unknown", "Filenames are not unique"},
        {4, "Unknown", "Rename failed"},
        {5, "Unknown", "Unknown"},
        {241, "File may be in use.", "File may be in use."},
    };
    for (const auto& [nResult, pszDelete, pszRename] : arrReasons)
    {
        EXPECT_EQ(GetCardDeleteResultText(nResult), pszDelete) << int(nResult);
        EXPECT_EQ(GetCardRenameResultText(nResult), pszRename) << int(nResult);
    }
}

// (Names, sizes and dates of entries are shown by the listings against the simulator.)
TEST(LinkTextsTest, EntriesOutOfRangeAreEmpty)
{
    CDirData list;
    list.Add(MakeDirEntry("A.CSV", 1, 2024, 2, 29, 23, 59, 58));
    for (const int nIndex : {-1, 1})
        EXPECT_EQ(list.GetAt(nIndex).strName, "");
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}
