#pragma once
// How a transfer ended and what became of its rows.

enum class ETransferStatus
{
    Ok, // running well, idle, or ended with every file dealt with
    Failed,
    Cancelled,
};

// What became of the selected rows in the last transfer.
struct STransferCounts
{
    int nCopied = 0;
    int nSkipped = 0; // conflict answered Skip, or the conflict dialog cancelled
    int nLeftOut = 0; // folders and empty files
    int nFailed = 0;
    int nNotAttempted = 0; // rows after the transfer ended early
};
