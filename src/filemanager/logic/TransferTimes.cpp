#include "filemanager/logic/TransferTimes.h"

#include "common/StrFormat.h"

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

std::string TimesText(const std::string& strStartClock, const std::string& strEndClock)
{
    const std::string strStart = StrFormat("Start Time: %s", strStartClock.c_str());
    if (strEndClock.empty())
        return strStart;
    return StrFormat("%s\n End Time: %s", strStart.c_str(), strEndClock.c_str());
}

const char* TransferStatusWord(ETransferStatus eStatus)
{
    switch (eStatus)
    {
    case ETransferStatus::Ok:
        return "Sucess";
    case ETransferStatus::Cancelled:
        return "Cancelled";
    case ETransferStatus::Failed:
        break;
    }
    return "Failed";
}

std::string LastTransferText(const std::string& strTimes, ETransferStatus eStatus)
{
    return StrFormat("%s\n   Status: %s", strTimes.c_str(), TransferStatusWord(eStatus));
}
