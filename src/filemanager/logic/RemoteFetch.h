#pragma once
// Brings one remote file into a local file, the one way every transfer does:
// through the file commands (message code 143: open, blocks of at most 254
// bytes, close) on panels that take them, by TFTP on the others or when the
// user asks for it. The main window's transfers and orvak-cli's get, pull and
// collect all fetch here; each shows the outcome its own way.
#include <cstdint>
#include <functional>
#include <string>

class CPanelFileCommands;

struct SRemoteFetch
{
    std::string strRemoteName;
    int64_t nListedSize = -1;    // the listing's size, negative when no listing was read
    std::string strLocalPath;    // an existing file, written from its start
    std::string strPanelAddress; // TFTP only: the panel and its server
    int nTftpPort = 69;
    int nTftpTimeoutMs = 0;  // 0: the TFTP client's own
    bool bTftpAsked = false; // TFTP even where the file commands would do
};

enum class EFetchResult
{
    Done,
    Failed,
    Stopped, // the progress callback asked to stop
};

struct SFetchOutcome
{
    EFetchResult eResult = EFetchResult::Done;
    // The text the user is told on failure ("Unable to open file A.CSV").
    std::string strMessage;
    // For a failed local write, the system's reason (for logs and the CLI).
    std::string strReason;
    // The channel's failure lines belong before strMessage (the panel did not
    // deliver); otherwise strMessage stands alone.
    bool bLinkFailure = false;
};

// Bytes fetched so far, after each block; false asks the fetch to stop.
using FetchProgressFn = std::function<bool(uint64_t nBytes)>;

// True when the connected panel's file is fetched by TFTP.
bool FetchUsesTftp(bool bTftpAsked);

// The file commands go through files (whose channel and lines the caller
// reports on a link failure); TFTP needs only the addresses in fetch.
SFetchOutcome FetchRemoteFile(CPanelFileCommands& files, const SRemoteFetch& fetch,
                              const FetchProgressFn& fnProgress);
