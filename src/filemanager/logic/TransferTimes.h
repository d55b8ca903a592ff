#pragma once
// The texts of the "Last Transfer" box: start time, end time and the outcome.
#include <ctime>
#include <string>

enum ETransferStatus
{
    TRANSFER_STATUS_OK = 0,
    TRANSFER_STATUS_FAILED = 1,
    TRANSFER_STATUS_CANCELLED = 2,
};

// "%02d:%02d:%02d".
std::string ClockText(int nHour, int nMinute, int nSecond);
// The local time of day at that moment, as ClockText.
std::string LocalClockText(std::time_t tmWhen);

// The box's next text at the given clock text: an empty box starts with
// "Start Time: ..." (remembered per thread as the start text); otherwise the
// remembered start text is followed by the end time.
std::string NextTimesText(const std::string& strCurrent, const std::string& strClock);

// "Sucess", "Failed" or "Cancelled".
const char* TransferStatusWord(int nStatus);

// The box's final text: the current text followed by the status line.
std::string LastTransferText(const std::string& strCurrent, int nStatus);
