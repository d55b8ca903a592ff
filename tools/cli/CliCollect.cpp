// collect: `pull` from every panel of a panel list at once, each panel's files
// into a folder of its own below DIR, for the nightly collection of data logs.
// Ends with one line per panel and a total; the exit status is 1 when any
// panel or file failed.
#include "CliCollectRun.h"
#include "CliTftpPort.h"
#include "PanelFolderNames.h"
#include "app/CAppShell.h"
#include "common/NumberText.h"
#include "common/StrFormat.h"
#include "panels/CNameIpRecInfo.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace
{
constexpr int DEFAULT_JOBS = 4;
constexpr int MAX_JOBS = 64;

int UsageError(const std::string& strText)
{
    std::fprintf(stderr, "orvak-cli collect: %s\n", strText.c_str());
    return CLI_EXIT_USAGE;
}

struct SCollectArgs
{
    std::string strPanelsFile; // empty: the program's own list
    SPullOptions options;
    int nJobs = DEFAULT_JOBS;
};

// Fills args from the words after "collect"; an empty text when they are good.
std::string ParseCollectArgs(CCliContext& ctx, SCollectArgs& args)
{
    std::vector<std::string> arrPositional;
    const std::vector<std::string>& arrArgs = ctx.m_arrArgs;
    for (size_t i = 0; i < arrArgs.size(); ++i)
    {
        const std::string& strArg = arrArgs[i];
        std::string strError;
        const EPullArg eArg = TakePullOption(arrArgs, i, args.options, strError);
        if (eArg == EPullArg::Bad)
            return strError;
        if (eArg == EPullArg::Taken)
            continue;
        const bool bHasValue = i + 1 < arrArgs.size();
        if (strArg == "--jobs")
        {
            long nJobs = 0;
            if (!bHasValue || !ParseIntInRange(arrArgs[++i], 1, MAX_JOBS, nJobs))
                return StrFormat("--jobs takes a number from 1 to %d", MAX_JOBS);
            args.nJobs = static_cast<int>(nJobs);
        }
        else if (strArg == "--timeout")
        {
            int nMs = 0;
            if (!bHasValue || !ParseCliSeconds(arrArgs[++i], nMs))
                return "--timeout needs a number of seconds above 0";
            SetCliReplyTimeout(ctx, nMs);
        }
        else if (strArg.rfind("--", 0) == 0)
            return "unknown option " + strArg;
        else
            arrPositional.push_back(strArg);
    }
    if (arrPositional.size() < 2 || arrPositional.size() > 3)
        return "usage: orvak-cli collect [PANELS_FILE] PATTERN DIR [OPTIONS]";
    if (arrPositional.size() == 3)
        args.strPanelsFile = arrPositional[0];
    args.options.strPattern = arrPositional[arrPositional.size() - 2];
    args.options.strRootFolder = arrPositional.back();
    return std::string();
}

// The named list, or the program's own from its data folder.
bool LoadPanels(const std::string& strFile, CNameIpRecInfo& list, std::string& strPath)
{
    if (strFile.empty())
    {
        const CAppShell shell;
        CNameIpRecInfo::SetDataFolder(shell.GetAppDataFolder());
        strPath = CNameIpRecInfo::GetPanelListPath();
    }
    else
        strPath = strFile;
    return list.LoadFrom(strPath);
}

// One job per record; a record without an address or port, or whose folder
// cannot be made, is not tried and fails with the reason.
std::vector<SCollectPanel> PlanPanels(const CNameIpRecInfo& list, const std::string& strDir)
{
    std::vector<std::string> arrNames;
    for (int i = 0; i < list.GetCount(); ++i)
        arrNames.push_back(list.GetAt(i).m_strName);
    const std::vector<std::string> arrFolders = PanelFolderNames(arrNames);
    std::vector<SCollectPanel> arrPanels;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        const CNameIpRec& rec = list.GetAt(i);
        SCollectPanel panel;
        panel.strName = rec.m_strName;
        panel.strHost = rec.GetIPText();
        panel.nPort = rec.m_nPort;
        panel.strFolder = (fs::path(strDir) / arrFolders[static_cast<size_t>(i)]).string();
        std::error_code ec;
        if (rec.IsBlankAddress())
            panel.strProblem = "Error: the panel list gives no address for this panel.";
        else if (rec.m_nPort < 1 || rec.m_nPort > 65535)
            panel.strProblem = StrFormat("Error: port %d is not a port.", rec.m_nPort);
        else if (!fs::create_directory(panel.strFolder, ec) && !fs::is_directory(panel.strFolder))
            panel.strProblem = StrFormat(
                "Error: cannot create the folder %s: %s", panel.strFolder.c_str(),
                ec ? ec.message().c_str() : "something that is not a folder has its name");
        arrPanels.push_back(panel);
    }
    return arrPanels;
}

std::string FirstLine(const std::string& strText)
{
    return strText.substr(0, strText.find('\n'));
}

std::string ResultText(const SCollectResult& result)
{
    const SPullResult& pull = result.pull;
    if (!result.bTried && pull.strError.empty())
        return "not started";
    if (!pull.bListed)
        return "failed: " + FirstLine(pull.strError);
    if (pull.eOutcome == ETransferStatus::Cancelled)
        return "cancelled";
    if (!pull.bOk)
        return pull.counts.nNotAttempted > 0
                   ? StrFormat("failed (%d not attempted)", pull.counts.nNotAttempted)
                   : "failed";
    return "ok";
}

void PrintSummary(const std::vector<SCollectPanel>& arrPanels,
                  const std::vector<SCollectResult>& arrResults, double dSeconds)
{
    const char* pszRow = "%-20s %-21s %6d %7d %6d %12llu %8.2f  %s\n";
    std::printf("\n%-20s %-21s %6s %7s %6s %12s %8s  %s\n", "Panel", "Address", "Copied", "Skipped",
                "Failed", "Bytes", "Seconds", "Result");
    STransferCounts total;
    unsigned long long nBytes = 0;
    int nGood = 0;
    for (size_t i = 0; i < arrPanels.size(); ++i)
    {
        const SCollectPanel& panel = arrPanels[i];
        const SCollectResult& result = arrResults[i];
        const STransferCounts& counts = result.pull.counts;
        const std::string strAddress = StrFormat("%s:%d", panel.strHost.c_str(), panel.nPort);
        std::printf(pszRow, panel.strName.c_str(), strAddress.c_str(), counts.nCopied,
                    counts.nSkipped, counts.nFailed,
                    static_cast<unsigned long long>(result.pull.nBytes), result.dSeconds,
                    ResultText(result).c_str());
        total.nCopied += counts.nCopied;
        total.nSkipped += counts.nSkipped;
        total.nFailed += counts.nFailed;
        nBytes += result.pull.nBytes;
        nGood += result.pull.bOk ? 1 : 0;
    }
    const std::string strPanels = StrFormat("%d panels", static_cast<int>(arrPanels.size()));
    const std::string strGood =
        StrFormat("%d of %d panels ok", nGood, static_cast<int>(arrPanels.size()));
    std::printf(pszRow, "Total", strPanels.c_str(), total.nCopied, total.nSkipped, total.nFailed,
                nBytes, dSeconds, strGood.c_str());
}

int RunCollectCommand(const CCliContext& ctxMain)
{
    CCliContext ctx = ctxMain;
    SCollectArgs args;
    const std::string strUsage = ParseCollectArgs(ctx, args);
    if (!strUsage.empty())
        return UsageError(strUsage);
    if (!GetTftpPortOption(ctx, args.options.nTftpPort))
        return UsageError("bad TFTP port " + ctx.GetOption("--tftp-port", ""));
    std::error_code ec;
    if (!fs::is_directory(args.options.strRootFolder, ec))
    {
        std::fprintf(stderr, "Error: %s is not a folder.\n", args.options.strRootFolder.c_str());
        return CLI_EXIT_FAILED;
    }
    CNameIpRecInfo list;
    std::string strListPath;
    if (!LoadPanels(args.strPanelsFile, list, strListPath))
    {
        std::fprintf(stderr, "Error: no panels in the panel list %s.\n", strListPath.c_str());
        return CLI_EXIT_FAILED;
    }

    const std::vector<SCollectPanel> arrPanels = PlanPanels(list, args.options.strRootFolder);
    CatchPullInterrupts();
    const auto tmStart = std::chrono::steady_clock::now();
    const std::vector<SCollectResult> arrResults =
        RunCollect(ctx, args.options, arrPanels, args.nJobs);
    const double dSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - tmStart).count();
    PrintSummary(arrPanels, arrResults, dSeconds);
    for (const SCollectResult& result : arrResults)
        if (!result.pull.bOk)
            return CLI_EXIT_FAILED;
    return CLI_EXIT_OK;
}

constexpr const char* COLLECT_DETAILS =
    "collect reads the panel list PANELS_FILE (lines name|a.b.c.d|port|), by default the\n"
    "program's own PanelsList.INI in its data folder, and copies the files matching\n"
    "PATTERN from every panel into DIR/<panel name>/ as pull does, N panels at a time.\n"
    "A panel name that cannot be a folder name has its unsafe bytes written as %XX;\n"
    "two panels whose folder names meet get \" (2)\", \" (3)\"... One panel's failure\n"
    "never stops the others. It ends with one line per panel and a total.\n"
    "Collect options:\n"
    "  --jobs N                     panels at a time (default 4, at most 64)\n"
    "  --auto-folders               file each copy in the dated folder tree its name gives\n"
    "  --csv-ext                    add .CSV to copied file names\n"
    "  --on-conflict ACTION         an existing local file: skip (default), overwrite or\n"
    "                               rename (name_N.ext)\n"
    "  --keep-going                 after a failed file, go on with the panel's next file\n"
    "  --timeout SECONDS            reply time-out for every panel\n";

CCliCommandRegistrar s_collect("collect", "collect [PANELS_FILE] PATTERN DIR [OPTIONS]",
                               "Copy matching files from every listed panel into "
                               "DIR/<panel name>/",
                               &RunCollectCommand, 2, -1, false, COLLECT_DETAILS);
} // namespace
