// orvak-cli: the panel's card from a shell. Options and HOST[:PORT] are parsed
// here; every command comes from the self-registering table of CliCommand.h.
#include "CliCommand.h"
#include "common/CTempFile.h"
#include "common/NumberText.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace
{
constexpr const char* OPTION_TIMEOUT = "--timeout";

// Usage and summary on one line, or the summary on the next one when the
// usage is long.
void PrintCommand(FILE* pOut, const CCliCommand& command)
{
    if (command.m_strUsage.size() > 28)
        std::fprintf(pOut, "  %s\n  %-28s %s\n", command.m_strUsage.c_str(), "",
                     command.m_strSummary.c_str());
    else
        std::fprintf(pOut, "  %-28s %s\n", command.m_strUsage.c_str(),
                     command.m_strSummary.c_str());
}

void PrintUsage(FILE* pOut)
{
    std::fprintf(pOut, "Usage: orvak-cli [--timeout SECONDS]");
    for (const auto& [strName, option] : CliOptions())
        std::fprintf(pOut, option.m_strValueName.empty() ? " [%s]" : " [%s %s]", strName.c_str(),
                     option.m_strValueName.c_str());
    std::fprintf(pOut, " HOST[:PORT] COMMAND [ARGS...]\n"
                       "   or: orvak-cli [--timeout SECONDS] COMMAND [ARGS...]   (commands for "
                       "many panels)\n\nCommands on one panel:\n");
    for (const bool bNeedsHost : {true, false})
    {
        if (!bNeedsHost)
            std::fprintf(pOut, "\nCommands for many panels:\n");
        for (const auto& [strName, command] : CliCommands())
            if (command.m_bNeedsHost == bNeedsHost)
                PrintCommand(pOut, command);
    }
    std::fprintf(pOut,
                 "\nOptions:\n"
                 "  --timeout SECONDS            reply time-out (default 10; connecting waits "
                 "at most 3)\n");
    for (const auto& [strName, option] : CliOptions())
    {
        const std::string strLeft = strName + " " + option.m_strValueName;
        std::fprintf(pOut, "  %-28s %s\n", strLeft.c_str(), option.m_strHelp.c_str());
    }
    std::fprintf(pOut, "  %-28s %s\n  %-28s %s\n", "--help", "show this help and exit", "--version",
                 "show the version and exit");
    for (const auto& [strName, command] : CliCommands())
        if (!command.m_strDetails.empty())
            std::fprintf(pOut, "\n%s", command.m_strDetails.c_str());
    std::fprintf(pOut, "\nThe port defaults to %d. Exit status: 0 success, 1 failure, 2 usage.\n",
                 CLI_DEFAULT_PORT);
}

int UsageError(const std::string& strText)
{
    std::fprintf(stderr, "orvak-cli: %s\n", strText.c_str());
    std::fprintf(stderr, "Try 'orvak-cli --help'.\n");
    return CLI_EXIT_USAGE;
}

// Runs the command; an allocation that fails anywhere in it (a panel's claim
// taken for a size, say) ends the command with a message, never an abort.
int RunCommand(const CCliCommand& command, const CCliContext& ctx)
{
    try
    {
        return command.m_pfnRun(ctx);
    }
    catch (const std::bad_alloc&)
    {
        std::fprintf(stderr, "Error: Not enough memory for the command %s.\n",
                     command.m_strName.c_str());
        return CLI_EXIT_FAILED;
    }
}
} // namespace

int main(int argc, char** argv)
{
    // Interrupted or killed by the file-size limit, a command leaves no
    // temporary file behind.
    InstallTempFileCleanup();
    CCliContext ctx;
    int i = 1;
    for (; i < argc; ++i)
    {
        std::string strArg = argv[i];
        if (strArg == "--help" || strArg == "-h")
        {
            PrintUsage(stdout);
            return CLI_EXIT_OK;
        }
        if (strArg == "--version")
        {
            std::printf("orvak-cli %s\n", ORVAK_VERSION);
            return CLI_EXIT_OK;
        }
        if (strArg.rfind("--", 0) != 0)
            break;
        // "--name VALUE" or "--name=VALUE"; a flag (no value name) takes none.
        std::string strValue;
        const size_t nEquals = strArg.find('=');
        const auto itOption = CliOptions().find(strArg);
        if (itOption != CliOptions().end() && itOption->second.m_strValueName.empty())
            strValue = "1";
        else if (nEquals != std::string::npos)
        {
            strValue = strArg.substr(nEquals + 1);
            strArg.resize(nEquals);
        }
        else if (i + 1 < argc)
            strValue = argv[++i];
        else
            return UsageError("option " + strArg + " needs a value");
        if (strArg == OPTION_TIMEOUT)
        {
            int nMs = 0;
            if (!ParseCliSeconds(strValue, nMs))
                return UsageError("--timeout needs a number of seconds above 0");
            SetCliReplyTimeout(ctx, nMs);
        }
        else if (CliOptions().count(strArg))
            ctx.m_mapOptions[strArg] = strValue;
        else
            return UsageError("unknown option " + strArg);
    }
    // A command for many panels comes first, without HOST.
    const auto itHostless = i < argc ? CliCommands().find(argv[i]) : CliCommands().end();
    const bool bHostless = itHostless != CliCommands().end() && !itHostless->second.m_bNeedsHost;
    if (!bHostless && argc - i < 2)
        return UsageError("HOST and a command are needed");
    if (!bHostless && !ParseHostAndPort(argv[i], ctx.m_strHost, ctx.m_nPort))
        return UsageError(std::string("bad HOST[:PORT] ") + argv[i]);
    const auto it = bHostless ? itHostless : CliCommands().find(argv[i + 1]);
    if (it == CliCommands().end())
        return UsageError(std::string("unknown command ") + argv[i + 1]);
    if (!bHostless && !it->second.m_bNeedsHost)
        return UsageError(it->first + " takes no HOST: orvak-cli [options] " +
                          it->second.m_strUsage);
    const CCliCommand& command = it->second;
    ctx.m_arrArgs.assign(argv + i + (bHostless ? 1 : 2), argv + argc);
    const int nArgs = static_cast<int>(ctx.m_arrArgs.size());
    if (nArgs < command.m_nMinArgs || (command.m_nMaxArgs >= 0 && nArgs > command.m_nMaxArgs))
        return UsageError(std::string("usage: orvak-cli [options] ") +
                          (bHostless ? "" : "HOST[:PORT] ") + command.m_strUsage);
    return RunCommand(command, ctx);
}
