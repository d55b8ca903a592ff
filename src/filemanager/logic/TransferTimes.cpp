#include "filemanager/logic/TransferTimes.h"

#include "common/StrFormat.h"

namespace
{
// The start time must survive between updates of the box, whose text is
// rewritten with the end time at every step of a transfer. One per thread, as
// each thread runs its own transfer.
std::string& StartText()
{
    thread_local std::string s_strStartText;
    return s_strStartText;
}
} // namespace

std::string ClockText(int nHour, int nMinute, int nSecond)
{
    return StrFormat("%02d:%02d:%02d", nHour, nMinute, nSecond);
}

std::string LocalClockText(std::time_t tmWhen)
{
    std::tm tmLocal{};
    localtime_r(&tmWhen, &tmLocal);
    return ClockText(tmLocal.tm_hour, tmLocal.tm_min, tmLocal.tm_sec);
}

std::string NextTimesText(const std::string& strCurrent, const std::string& strClock)
{
    if (strCurrent.empty())
    {
        StartText() = StrFormat("Start Time: %s", strClock.c_str());
        return StartText();
    }
    return StrFormat("%s\n End Time: %s", StartText().c_str(), strClock.c_str());
}

const char* TransferStatusWord(int nStatus)
{
    switch (nStatus)
    {
    case TRANSFER_STATUS_OK:
        return "Sucess";
    case TRANSFER_STATUS_CANCELLED:
        return "Cancelled";
    default:
        return "Failed";
    }
}

std::string LastTransferText(const std::string& strCurrent, int nStatus)
{
    return StrFormat("%s\n   Status: %s", strCurrent.c_str(), TransferStatusWord(nStatus));
}
