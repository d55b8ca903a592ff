#pragma once
// The texts of the "Last Transfer" box: start time, end time and the outcome.
#include "filemanager/logic/TransferStatus.h"

#include <ctime>
#include <string>

// "%02d:%02d:%02d".
std::string ClockText(int nHour, int nMinute, int nSecond);
// The local time of day at that moment, as ClockText.
std::string LocalClockText(std::time_t tmWhen);

// "Start Time: <start>", followed by the end time once there is one.
std::string TimesText(const std::string& strStartClock, const std::string& strEndClock = {});

// "Sucess", "Failed" or "Cancelled".
const char* TransferStatusWord(ETransferStatus eStatus);

// The box's final text: the times text followed by the status line.
std::string LastTransferText(const std::string& strTimes, ETransferStatus eStatus);
