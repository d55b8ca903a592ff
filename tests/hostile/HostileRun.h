#pragma once
// Runs orvak-cli against a hostile panel as a watched child process: with a
// deadline (past it the child is killed and the run marked as hung), optional
// limits on file size and address space, its own system temporary folder, and
// optionally a signal sent as soon as a temporary file shows in a folder.
// Then checks what a failed command must leave: nothing.
#include <filesystem>
#include <string>
#include <vector>

struct SHostileLimits
{
    // A bound that only a command without end reaches (generous for the
    // sanitizer build on a busy machine), not a speed goal.
    int nDeadlineMs = 30000;
    long long nFileSizeLimit = -1;     // RLIMIT_FSIZE in bytes (-1: none)
    long long nAddressSpaceLimit = -1; // RLIMIT_AS in bytes (-1: none)
    int nSignal = 0;                   // sent once a temporary shows in strWatchFolder
    std::string strWatchFolder;
};

struct SHostileRun
{
    bool bHung = false;
    bool bExited = false; // ended by exit (not by a signal)
    int nExit = -1;
    int nSignal = 0; // the signal that ended it
    bool bSignalSent = false;
    long long nElapsedMs = 0;
    std::string strOut;
    std::string strErr;
};

SHostileRun RunHostileCli(const std::vector<std::string>& arrArgs, const std::string& strTempFolder,
                          const SHostileLimits& limits = SHostileLimits());

// The temporaries in a folder: names of the program's pattern, and any other
// hidden file or ".part" file a writer might have left.
std::vector<std::string> LeftoverTemporaries(const std::filesystem::path& folder);

// The command ended in time, by exit status 1, saying strMessage on standard
// error, with no file at finalPath and no temporary in its folder or in the
// run's temporary folder.
void ExpectCleanFailure(const SHostileRun& run, const std::string& strMessage,
                        const std::filesystem::path& finalPath, const std::string& strTempFolder);
