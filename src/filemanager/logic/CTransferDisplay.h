#pragma once
// What the transfer engine tells whoever follows a transfer, as it happens.
// The follower decides what to show: the main window its lines, bars, cursor
// and "Last Transfer" box; the command-line tool its lines and progress line;
// tests record the events. The engine reads nothing back.
#include "filemanager/logic/TransferStatus.h"

#include <cstdint>
#include <string>

class CTransferDisplay
{
public:
    virtual ~CTransferDisplay() = default;

    // The transfer starts: nRows selected rows whose files hold nTotalBytes.
    virtual void TransferStarted(int nRows, uint64_t nTotalBytes) = 0;
    // The "Last Transfer" text changed: the start time, then the end time as
    // the transfer goes on.
    virtual void TimesChanged(const std::string& strText) = 0;
    // The file of row nRow (from 0) of nRows is next, before any question
    // about its folder. Folders and empty files never come up.
    virtual void FileReached(int nRow, int nRows) = 0;
    // Its folder is settled: the file's name and size, before any question
    // about an existing target.
    virtual void FileBegins(const std::string& strName, uint64_t nSize) = 0;
    // Its bytes are being fetched; the progress steps come in between.
    virtual void FetchStarted() = 0;
    virtual void FetchEnded() = 0;
    // A progress step: the current file's bytes so far, and their percent of
    // its size (0..100).
    virtual void BytesTransferred(uint64_t nBytes, int nPercent) = 0;
    // Once per progress step, the moment a Cancel request can reach the
    // engine (the window hands over one pending event; its "Cancel Transfer"
    // button calls CTransferEngine::AskCancel). True cancels at once.
    virtual bool PollCancel() = 0;
    // Every selected row has been gone through; the copies are in this folder.
    virtual void RowsDone(const std::string& strLocalFolder) = 0;
    // The transfer ended: what became of the rows, how it ended and the final
    // "Last Transfer" text.
    virtual void TransferFinished(const STransferCounts& counts, ETransferStatus eStatus,
                                  const std::string& strLastTransferText) = 0;
};
