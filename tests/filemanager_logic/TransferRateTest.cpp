// Speed and time left of a transfer on a fake clock.
#include "filemanager/logic/CTransferRate.h"

#include <gtest/gtest.h>

namespace
{
struct SRateRow
{
    int64_t nTimeMs;
    char cStep; // T: start the transfer, F: start a file, U: update
    uint64_t nValue;
    const char* pszFile;
    const char* pszTransfer;
};

TEST(TransferRate, MovingAverageForTheFileAndTheWholeTransfer)
{
    int64_t nNowMs = 0;
    CTransferRate rate([&nNowMs] { return nNowMs; });
    // Two files of 20000 and 10000 bytes.
    const SRateRow arrRows[] = {
        {0, 'T', 30000, "File: --, -- left", "All files: --, -- left"},
        {0, 'F', 20000, "File: --, -- left", "All files: --, -- left"},
        // Half a second of progress is not enough to tell.
        {500, 'U', 1000, "File: --, -- left", "All files: --, -- left"},
        {1000, 'U', 2000, "File: 2.0 KB/s, 0:09 left", "All files: 2.0 KB/s, 0:14 left"},
        {2000, 'U', 20000, "File: 9.8 KB/s, 0:00 left", "All files: 9.8 KB/s, 0:01 left"},
        // The next file starts over; the transfer goes on with its history.
        {2000, 'F', 10000, "File: --, -- left", "All files: 9.8 KB/s, 0:01 left"},
        {3500, 'U', 5000, "File: 3.3 KB/s, 0:02 left", "All files: 7.0 KB/s, 0:01 left"},
        // Six seconds without a byte: only the last five seconds count.
        {9500, 'U', 5000, "File: 0 B/s, -- left", "All files: 0 B/s, -- left"},
        // 5000 bytes in the last five seconds.
        {10500, 'U', 10000, "File: 1000 B/s, 0:00 left", "All files: 1000 B/s, 0:00 left"},
    };
    for (const SRateRow& row : arrRows)
    {
        nNowMs = row.nTimeMs;
        (rate.*(row.cStep == 'T'   ? &CTransferRate::StartTransfer
                : row.cStep == 'F' ? &CTransferRate::StartFile
                                   : &CTransferRate::Update))(row.nValue);
        EXPECT_EQ(rate.FileText() + " | " + rate.TransferText(),
                  std::string(row.pszFile) + " | " + row.pszTransfer)
            << "at " << row.nTimeMs << " ms";
    }
}

TEST(TransferRate, FiguresAtTheBoundsOfTheirUnits)
{
    // The bounds between units and the rounding.
    const std::pair<double, const char*> arrSpeeds[] = {
        {1023.4, "1023 B/s"}, {1048575, "1024.0 KB/s"}, {1.5 * 1048576, "1.5 MB/s"}};
    for (const auto& [dSpeed, pszText] : arrSpeeds)
        EXPECT_EQ(CTransferRate::FormatSpeed(dSpeed), pszText) << dSpeed;

    const std::pair<double, const char*> arrTimes[] = {
        {0.2, "0:01"}, {3599, "59:59"}, {3600, "1:00:00"}, {3725, "1:02:05"}};
    for (const auto& [dSeconds, pszText] : arrTimes)
        EXPECT_EQ(CTransferRate::FormatTimeLeft(dSeconds), pszText) << dSeconds;
}
} // namespace
