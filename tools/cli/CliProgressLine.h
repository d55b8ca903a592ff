#pragma once
// The progress line of a long command on a terminal: the file on its way, its
// percentage, and speed and time left for the file and for the whole
// transfer, rewritten in place on standard error. Off the terminal (a pipe, a
// log file, a scheduled job) it writes nothing at all.
#include "filemanager/logic/CTransferRate.h"

#include <cstdio>
#include <string>

class CCliProgressLine
{
public:
    // bShow: whether the stream is a terminal (see IsTerminal).
    CCliProgressLine(std::FILE* pStream, bool bShow,
                     CTransferRate::FnClockMs fnClock = &CTransferRate::SteadyClockMs);

    static bool IsTerminal(std::FILE* pStream);

    void StartTransfer(uint64_t nTotalBytes);
    void StartFile(const std::string& strName, uint64_t nFileSize);
    void Update(uint64_t nFileBytes);
    // Wipes the line, so that other output starts on a clean line.
    void Clear();

    // The line as it would be written now (without the carriage return).
    std::string Text() const;

private:
    void Draw();

    std::FILE* m_pStream;
    bool m_bShow;
    CTransferRate::FnClockMs m_fnClock;
    CTransferRate m_rate;
    std::string m_strName;
    uint64_t m_nFileSize = 0;
    uint64_t m_nFileBytes = 0;
    int64_t m_nLastDrawMs = -1;
    bool m_bDrawn = false;
};
