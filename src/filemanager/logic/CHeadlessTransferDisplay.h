#pragma once
// A transfer display that shows nothing and never cancels: the base of the
// command-line tool's display (which picks the events it prints) and the
// display of runs that want no output at all.
#include "filemanager/logic/CTransferDisplay.h"

class CHeadlessTransferDisplay : public CTransferDisplay
{
public:
    void TransferStarted(int /*nRows*/, uint64_t /*nTotalBytes*/) override {}
    void TimesChanged(const std::string& /*strText*/) override {}
    void FileReached(int /*nRow*/, int /*nRows*/) override {}
    void FileBegins(const std::string& /*strName*/, uint64_t /*nSize*/) override {}
    void FetchStarted() override {}
    void FetchEnded() override {}
    void BytesTransferred(uint64_t /*nBytes*/, int /*nPercent*/) override {}
    bool PollCancel() override { return false; }
    void RowsDone(const std::string& /*strLocalFolder*/) override {}
    void TransferFinished(const STransferCounts& /*counts*/, ETransferStatus /*eStatus*/,
                          const std::string& /*strLastTransferText*/) override
    {
    }
};
