#pragma once
// orvak-cli run to its end as a user runs it: its exit status and what it
// printed, with the conditions a test puts it under.
#include <functional>
#include <string>
#include <vector>

struct SCliOptions
{
    std::string strWorkDir = {};          // empty: the test's own
    std::vector<std::string> arrEnv = {}; // "NAME=VALUE" entries added
    // A bound only a command without end reaches (generous for the sanitizer
    // build on a busy machine), not a speed goal.
    int nDeadlineMs = 60000;
    long long nFileSizeLimit = -1;     // RLIMIT_FSIZE in bytes (-1: none)
    long long nAddressSpaceLimit = -1; // RLIMIT_AS in bytes (-1: none)
    int nSignal = 0;                   // sent once fnSignalWhen says so
    std::function<bool()> fnSignalWhen = {};
    bool bErrorsOnTerminal = false; // standard error on a pseudo-terminal
};

struct SCliResult
{
    int nExit = -1;     // -1 unless it ended by exit
    int nSignal = 0;    // the signal that ended it
    bool bHung = false; // killed at the deadline
    bool bSignalSent = false;
    std::string strOut;
    std::string strErr; // or what the terminal showed
};

SCliResult RunCli(const std::vector<std::string>& arrArgs, const SCliOptions& options = {});
