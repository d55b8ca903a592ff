#pragma once
// Log lines of the simulator. Standard output carries only the start-up line,
// so everything else goes to standard error, one whole line at a time even
// when several connections log at once.
#include "common/StrFormat.h"

void SimLogLine(const std::string& strLine);
void SimSetVerbose(bool bVerbose);
bool SimIsVerbose();

#define SIM_LOG(...) SimLogLine(StrFormat(__VA_ARGS__))
#define SIM_VERBOSE(...)                                                                           \
    do                                                                                             \
    {                                                                                              \
        if (SimIsVerbose())                                                                        \
            SimLogLine(StrFormat(__VA_ARGS__));                                                    \
    } while (false)
