#include "CLogGrower.h"

#include "DataLogFormat.h"
#include "SimLog.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool ReadAt(int nFd, std::string& strOut, size_t nBytes, off_t nOffset)
{
    strOut.resize(nBytes);
    size_t nDone = 0;
    while (nDone < nBytes)
    {
        const ssize_t n =
            pread(nFd, strOut.data() + nDone, nBytes - nDone, nOffset + static_cast<off_t>(nDone));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        nDone += static_cast<size_t>(n);
    }
    strOut.resize(nDone);
    return nDone == nBytes;
}

// The last record of the data log, after checking that the file is a header
// followed by whole records of one length.
bool ReadLastRecord(int nFd, std::string& strLast, std::string& strError)
{
    struct stat st
    {
    };
    if (fstat(nFd, &st) != 0)
    {
        strError = "cannot read the file's size";
        return false;
    }
    std::string strStart;
    ReadAt(nFd, strStart, static_cast<size_t>(std::min<off_t>(st.st_size, 65536)), 0);
    size_t nHeader = 0, nRecord = 0;
    if (!DataLog::MeasureLayout(strStart, nHeader, nRecord))
    {
        strError = "no header line and first record line";
        return false;
    }
    const off_t nBody = st.st_size - static_cast<off_t>(nHeader) - 1;
    if (nBody % static_cast<off_t>(nRecord) != 0)
    {
        strError = "the file does not end with a whole record";
        return false;
    }
    if (!ReadAt(nFd, strLast, nRecord, st.st_size - static_cast<off_t>(nRecord)) ||
        strLast.back() != '\n')
    {
        strError = "cannot read the last record";
        return false;
    }
    return true;
}
} // namespace

CLogGrower::CLogGrower(CSimContext& context) : m_context(context) {}

CLogGrower::~CLogGrower()
{
    Stop();
}

bool CLogGrower::Check(std::string& strError) const
{
    const std::string& strName = m_context.m_settings.m_strGrowLog;
    int nFd = -1;
    if (m_context.m_card.OpenForRead(strName, nFd) != ECardOutcome::Done)
    {
        strError = StrFormat("--grow-log: no file '%s' on the card", strName.c_str());
        return false;
    }
    std::string strLast, strReason;
    const bool bOk = ReadLastRecord(nFd, strLast, strReason);
    close(nFd);
    if (!bOk)
        strError = StrFormat("--grow-log: '%s': %s", strName.c_str(), strReason.c_str());
    return bOk;
}

bool CLogGrower::AppendRecord(std::string& strError)
{
    const std::string& strName = m_context.m_settings.m_strGrowLog;
    // Opened afresh every time: an upload may have replaced the file.
    int nFd = -1;
    if (m_context.m_card.OpenForAppend(strName, nFd) != ECardOutcome::Done)
    {
        strError = "the file cannot be opened";
        return false;
    }
    int nReadFd = -1;
    std::string strLast;
    bool bOk = m_context.m_card.OpenForRead(strName, nReadFd) == ECardOutcome::Done &&
               ReadLastRecord(nReadFd, strLast, strError);
    if (nReadFd >= 0)
        close(nReadFd);
    if (bOk)
    {
        const time_t tNow = time(nullptr);
        struct tm tmNow
        {
        };
        localtime_r(&tNow, &tmNow);
        const std::string strRecord = DataLog::NextRecord(strLast, tmNow, ++m_nStep);
        // One write of the whole record, so a reader never counts half of it.
        bOk = write(nFd, strRecord.data(), strRecord.size()) ==
              static_cast<ssize_t>(strRecord.size());
        if (!bOk)
            strError = "the record cannot be written";
    }
    close(nFd);
    return bOk;
}

void CLogGrower::Start()
{
    m_thread = std::thread(
        [this]
        {
            const int nInterval = m_context.m_settings.m_nGrowIntervalMs;
            while (m_context.m_stop.WaitMs(nInterval))
            {
                std::string strError;
                if (AppendRecord(strError))
                    SIM_VERBOSE("grow-log: one record appended to '%s'",
                                m_context.m_settings.m_strGrowLog.c_str());
                else
                    SIM_LOG("grow-log: '%s' not grown: %s",
                            m_context.m_settings.m_strGrowLog.c_str(), strError.c_str());
            }
        });
}

void CLogGrower::Stop()
{
    if (m_thread.joinable())
        m_thread.join();
}
