#include "support/CliRunner.h"

#include "support/ChildProcess.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#ifndef ORVAK_CLI_PATH
#error "ORVAK_CLI_PATH must name the orvak-cli binary"
#endif

namespace
{
void SetLimit(int nResource, long long nBytes)
{
    const rlimit limit{static_cast<rlim_t>(nBytes), static_cast<rlim_t>(nBytes)};
    if (nBytes >= 0)
        setrlimit(nResource, &limit);
}
} // namespace

SCliResult RunCli(const std::vector<std::string>& arrArgs, const SCliOptions& options)
{
    std::vector<std::string> arrArgv = {ORVAK_CLI_PATH};
    arrArgv.insert(arrArgv.end(), arrArgs.begin(), arrArgs.end());
    const int nTerminal =
        options.bErrorsOnTerminal ? posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
    const bool bTerminal = nTerminal >= 0 && grantpt(nTerminal) == 0 && unlockpt(nTerminal) == 0;
    const std::string strTerminal = bTerminal ? ptsname(nTerminal) : "";
    if (bTerminal)
        fcntl(nTerminal, F_SETFL, O_NONBLOCK);
    CChildProcess child(arrArgv,
                        [&]
                        {
                            if (!options.strWorkDir.empty() && chdir(options.strWorkDir.c_str()))
                                _exit(126);
                            // The child's own copies: putenv keeps the pointer it is given.
                            for (const std::string& strEntry : options.arrEnv)
                                putenv(strdup(strEntry.c_str()));
                            SetLimit(RLIMIT_FSIZE, options.nFileSizeLimit);
                            SetLimit(RLIMIT_AS, options.nAddressSpaceLimit);
                            if (bTerminal)
                                dup2(open(strTerminal.c_str(), O_RDWR), STDERR_FILENO);
                        });
    SCliResult result;
    const auto fnDrainTerminal = [&]
    {
        char arrBuffer[512];
        for (ssize_t n; bTerminal && (n = read(nTerminal, arrBuffer, sizeof(arrBuffer))) > 0;)
            result.strErr.append(arrBuffer, static_cast<size_t>(n));
    };
    result.bHung =
        !child.Wait(options.nDeadlineMs,
                    [&]
                    {
                        fnDrainTerminal();
                        if (options.fnSignalWhen && !result.bSignalSent && options.fnSignalWhen())
                        {
                            child.Signal(options.nSignal);
                            result.bSignalSent = true;
                        }
                    });
    child.Kill();
    fnDrainTerminal();
    if (nTerminal >= 0)
        close(nTerminal);
    result.nExit = child.ExitCode();
    result.nSignal = child.EndSignal();
    result.strOut = child.Output();
    if (!bTerminal)
        result.strErr = child.Errors();
    return result;
}
