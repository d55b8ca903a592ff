#include "SimLog.h"

#include <atomic>
#include <cstdio>
#include <mutex>

namespace
{
std::mutex g_logMutex;
std::atomic<bool> g_bVerbose{false};
} // namespace

void SimLogLine(const std::string& strLine)
{
    std::lock_guard<std::mutex> lock(g_logMutex);
    std::fprintf(stderr, "panelsim: %s\n", strLine.c_str());
    std::fflush(stderr);
}

void SimSetVerbose(bool bVerbose)
{
    g_bVerbose = bVerbose;
}

bool SimIsVerbose()
{
    return g_bVerbose;
}
