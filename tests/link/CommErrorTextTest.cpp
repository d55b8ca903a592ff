// The channel's failure texts, exactly as the user sees them.
#include "link/CCommInterface.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace
{
const char* const UNKNOWN_TEXT =
    "Error C01_4:  Unknown communication error. Please check the cable and connection.";
}

TEST(CommErrorTextTest, FixedTexts)
{
    const std::pair<unsigned long, const char*> arrCases[] = {
        {1, "Incorrect Communication Packet  (Checksum Error)."},
        {2, "Incorrect Communication Packet  (Time Out Error). \nCheck cable and communication "
            "port."},
        {3, "Incorrect Communication Packet  (Incorrect message code)."},
        {6, "Panel is out of memory;  \nPlease delete few objects and try again. If you have "
            "linegraphs in your project, reduce number of samples and try again.  Bitmaps and "
            "linegraphs are objects that may consume lot of memory.  If you are using linegraphs "
            "in your project, reducing the number of samples will reduce memory consumption."},
        {7, "Incorrect Communication Packet  (Incorrect message number)."},
        {8, "Incorrect Communication Packet  (Incorrect message length)."},
        {9, "Incorrect Communication Packet  (Incorrect type)."},
        {10, "Incorrect Communication Packet  (Error in EEPROM program)."},
        {11, "Incorrect Communication Packet  (Incorrect message load)."},
        {14, "Incorrect Communication Packet  (Program read only error)."},
        {15, "Incorrect Communication Packet  (Incorrect Format)."},
        {16, "Incorrect Communication Packet  (Image not found)."},
        {17, "There is a Port conflict. Check the ports."},
        {18, "Panel does not have the firmware loaded.  \nPlease load the panel with latest "
             "firmware."},
        {19, "Incorrect Communication Packet  (Protection error)."},
        {20, "Incorrect Communication Packet  (Incorrect password)."},
        {21, "Incorrect Communication Packet  (Error in INIT)."},
        {23, "Incorrect Communication Packet  (ERR MSG ECHOED)."},
        {24, "File System Error."},
        {30, "Netwyn dll not initialized."},
        {31, "Invalid argument type."},
        {32, "Unable to create thread."},
        {33, "Unable to close communication port."},
        {34, "Netwyn Dll not loaded."},
        {35, "Error in transmitting data."},
        {36, "Error C01_1:  Unable to open communication port."},
        {37, "Error C01_3:  communication port is being used by some other application, Access "
             "denied."},
        {39, "Error C01_5:  Unable to Connect to host device.\nPlease check the cable and "
             "connection."},
        {100, "The starting address does not match."},
        {101, "Error reading driver or hex file."},
        {212, "User aborted communication."},
    };
    for (const auto& [nCode, pszText] : arrCases)
    {
        EXPECT_EQ(CommErrorText(nCode, 0), pszText) << nCode;
        // The saved error number only matters outside the table.
        EXPECT_EQ(CommErrorText(nCode, ECONNRESET), pszText) << nCode;
    }
}

TEST(CommErrorTextTest, OtherCodesTakeTheSystemMessagePath)
{
    const unsigned long arrCodes[] = {4,  5,  12, 13, 22,  25,  26,  27,  28,
                                      29, 38, 40, 99, 102, 150, 211, 213, 100000};
    for (const unsigned long nCode : arrCodes)
    {
        EXPECT_EQ(CommErrorText(nCode, 0), UNKNOWN_TEXT) << nCode;
        EXPECT_EQ(CommErrorText(nCode, ECONNRESET), std::strerror(ECONNRESET)) << nCode;
    }
}

TEST(CommErrorTextTest, SetCommErrorKeepsTextOnSuccessCode)
{
    CCommInterface comm("127.0.0.1", 1);
    comm.SetCommError(0);
    EXPECT_EQ(comm.GetError(), "");
    comm.SetCommError(24);
    EXPECT_EQ(comm.GetError(), "File System Error.");
    comm.SetCommError(0);
    EXPECT_EQ(comm.GetError(), "File System Error.");
    comm.SetCommError(4); // nothing failed yet: no error number saved
    EXPECT_EQ(comm.GetError(), UNKNOWN_TEXT);
}
