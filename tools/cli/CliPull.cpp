// pull: copy every remote file that matches a pattern into a local folder with
// the program's own transfer engine (auto folders, CSV extension, conflicts,
// temporary files), for scheduled collection of data logs. Ends with one
// summary line; the exit status is 1 when the transfer did not fully succeed.
// Without --keep-going the first failed file ends the pull, as the program's
// Copy does; with it every file is tried and each failure reported.
#include "CliProgressLine.h"
#include "CliPullJob.h"
#include "CliTftpPort.h"
#include "common/CPrompt.h"

#include <cstdio>
#include <filesystem>

namespace
{
// Messages start on a line of their own, below the progress line.
class CCliPullPrompt : public CStderrPrompt
{
public:
    explicit CCliPullPrompt(CCliProgressLine& progress)
        : CStderrPrompt(EPromptAnswer::Yes), m_progress(progress)
    {
    }
    EPromptAnswer Show(const std::string& strText, EPromptIcon eIcon,
                       EPromptButtons eButtons) override
    {
        m_progress.Clear();
        return CStderrPrompt::Show(strText, eIcon, eButtons);
    }

private:
    CCliProgressLine& m_progress;
};

int UsageError(const std::string& strText)
{
    std::fprintf(stderr, "orvak-cli pull: %s\n", strText.c_str());
    return CLI_EXIT_USAGE;
}

int RunPull(const CCliContext& ctx)
{
    SPullOptions options;
    options.strPattern = ctx.m_arrArgs[0];
    options.strRootFolder = ctx.m_arrArgs[1];
    for (size_t i = 2; i < ctx.m_arrArgs.size(); ++i)
    {
        std::string strError;
        const EPullArg eArg = TakePullOption(ctx.m_arrArgs, i, options, strError);
        if (eArg == EPullArg::Bad)
            return UsageError(strError);
        if (eArg == EPullArg::NotMine)
            return UsageError("unknown argument " + ctx.m_arrArgs[i]);
    }
    if (!GetTftpPortOption(ctx, options.nTftpPort))
        return UsageError("bad TFTP port " + ctx.GetOption("--tftp-port", ""));
    std::error_code ec;
    if (!std::filesystem::is_directory(options.strRootFolder, ec))
    {
        std::fprintf(stderr, "Error: %s is not a folder.\n", options.strRootFolder.c_str());
        return CLI_EXIT_FAILED;
    }

    // Messages go to standard error; the one question (copy a file whose name
    // does not give folders into the root folder instead) is answered Yes, so
    // one odd name does not stop a scheduled collection.
    // On a terminal, standard error carries a progress line with speed and
    // time left.
    CCliProgressLine progress(stderr, CCliProgressLine::IsTerminal(stderr));
    options.pProgress = &progress;
    CCliPullPrompt prompt(progress);
    CScopedPrompt scopedPrompt(prompt);
    options.pPrompt = &prompt;
    CatchPullInterrupts();
    const SPullResult result = RunPullJob(ctx, options);
    progress.Clear();
    if (!result.bListed)
    {
        std::fprintf(stderr, "%s\n", result.strError.c_str());
        return CLI_EXIT_FAILED;
    }
    const STransferCounts& counts = result.counts;
    std::printf("pull: %d of %d copied, %d skipped, %d left out, %d failed, %d not attempted; "
                "Status: %s\n",
                counts.nCopied, result.nListed, counts.nSkipped, counts.nLeftOut, counts.nFailed,
                counts.nNotAttempted, TransferStatusWord(result.eOutcome));
    return result.bOk ? CLI_EXIT_OK : CLI_EXIT_FAILED;
}

CCliCommandRegistrar s_pull("pull", "pull PATTERN LOCALDIR [OPTIONS]",
                            "Copy matching files into LOCALDIR (--auto-folders, --csv-ext, "
                            "--on-conflict skip|overwrite|rename, --keep-going: try every "
                            "file even after one fails)",
                            &RunPull, 2, 7);
} // namespace
