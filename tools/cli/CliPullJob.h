#pragma once
// What `pull` does for one panel, shared with `collect`: list the files that
// match a pattern and copy them into a local folder with the program's own
// transfer engine (auto folders, CSV extension, conflicts, temporary files).
#include "CliCommand.h"
#include "CliProgressLine.h"
#include "filemanager/logic/CTransferEngine.h"
#include "filemanager/logic/ConflictRules.h"
#include "filemanager/logic/TransferTimes.h"

#include <cstdint>
#include <string>
#include <vector>

class CPrompt;

struct SPullOptions
{
    std::string strPattern; // as typed; panels list names in capitals
    std::string strRootFolder;
    bool bAutoFolders = false;
    bool bCsvExt = false;
    EConflictAction eConflictAction = EConflictAction::Skip;
    bool bKeepGoing = false;   // after a failed file, go on with the next one
    int nTftpPort = 69;        // the panel's TFTP port
    std::string strLinePrefix; // put before every progress line
    // The terminal's progress line (speed, time left), when one panel is
    // pulled at a time; null for none.
    CCliProgressLine* pProgress = nullptr;
    // The engine's messages and questions; null: the installed prompt.
    CPrompt* pPrompt = nullptr;
};

struct SPullResult
{
    bool bListed = false; // the panel was reached, accepted and gave its listing
    bool bOk = false;     // listed, and every file copied, skipped by choice or left out
    int nListed = 0;
    STransferCounts counts;
    uint64_t nBytes = 0;                            // bytes of the copied files
    ETransferStatus eOutcome = ETransferStatus::Ok; // as the transfer ended
    std::string strError;                           // why the listing failed
};

enum class EPullArg
{
    Taken,
    NotMine,
    Bad,
};

// Takes the copy option at arrArgs[i] (--auto-folders, --csv-ext, --keep-going,
// --on-conflict skip|overwrite|rename), leaving i on its last word; strError
// says what is wrong with a Bad one.
EPullArg TakePullOption(const std::vector<std::string>& arrArgs, size_t& i, SPullOptions& options,
                        std::string& strError);

// SIGINT and SIGTERM from now on cancel running transfers at their next block,
// as the window's "Cancel Transfer" does, so no temporary file is left behind.
void CatchPullInterrupts();
bool IsPullInterrupted();

// Connects to ctx's panel, lists and copies. Progress lines go to standard
// output; the engine's messages go to the options' prompt.
SPullResult RunPullJob(const CCliContext& ctx, const SPullOptions& options);
