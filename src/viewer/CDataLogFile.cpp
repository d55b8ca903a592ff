#include "CDataLogFile.h"

#include "DataLogText.h"
#include "common/CPrompt.h"
#include "common/StrFormat.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"

#include <algorithm>
#include <climits>

namespace
{
// A block of the panel's file read carries at most 254 bytes; the buffer
// handed to the command object is one byte larger, as the protocol expects.
constexpr unsigned long BLOCK_CAPACITY = 255;
// The most the header read takes in: the header line and two records.
constexpr size_t MAX_HEADER_READ = 64 * 1024;

// The next line of a buffer cut at line feeds, from nStart; advances nStart
// past its line feed (to npos after the last line).
std::string_view NextLine(std::string_view buffer, size_t& nStart)
{
    const size_t nEnd = buffer.find('\n', nStart);
    const std::string_view line = buffer.substr(
        nStart, nEnd == std::string_view::npos ? std::string_view::npos : nEnd - nStart);
    nStart = nEnd == std::string_view::npos ? std::string_view::npos : nEnd + 1;
    return line;
}
} // namespace

CDataLogFile::CDataLogFile(CPanelFileCommands* pFileCmds)
{
    CloseLog(); // nothing is attached yet, so nothing is sent
    m_pFileCmds = pFileCmds;
}

CDataLogFile::~CDataLogFile()
{
    CloseLog();
}

std::string CDataLogFile::FailureReason() const
{
    // Opening and block reads leave their reason in the channel, not in the
    // command object's lines: show both so the message always says why.
    const CCommInterface* pComm = m_pFileCmds->GetComm();
    return JoinLines(pComm ? pComm->GetError() : std::string(), m_pFileCmds->GetErrors());
}

bool CDataLogFile::OpenLog(const std::string& strName)
{
    m_strFileName = strName;
    m_bOpenFailureShown = false;
    if (m_pFileCmds == nullptr)
        return false;
    const unsigned long nSize = m_pFileCmds->OpenRemoteFile(strName);
    m_nFileSize = static_cast<uint32_t>(std::min<unsigned long>(nSize, UINT32_MAX));
    if (nSize == 0)
    {
        GetPrompt().Message(
            StrFormat("Unable to open file %s\n%s", strName.c_str(), FailureReason().c_str()),
            EPromptIcon::Stop);
        m_bOpenFailureShown = true;
        return false;
    }

    // The header, the first record and the third line (which confirms the
    // record length) are all that is needed: stop at the third line feed, at
    // the size the panel reported, or at the longest header a data log has;
    // three lines that are not in by then are not a data log.
    const size_t nReadLimit = std::min<size_t>(m_nFileSize, MAX_HEADER_READ);
    std::string strBuffer;
    int nLineFeeds = 0;
    while (nLineFeeds < 3 && strBuffer.size() < nReadLimit)
    {
        unsigned char arrBlock[BLOCK_CAPACITY];
        unsigned long nLength = BLOCK_CAPACITY;
        if (!m_pFileCmds->ReadFileBlock(arrBlock, &nLength))
        {
            GetPrompt().Message(
                StrFormat("Unable to read file %s\n%s", strName.c_str(), FailureReason().c_str()),
                EPromptIcon::Stop);
            m_bOpenFailureShown = true;
            break;
        }
        if (nLength == 0)
            break;
        nLength = std::min<unsigned long>({nLength, BLOCK_CAPACITY, nReadLimit - strBuffer.size()});
        nLineFeeds += static_cast<int>(std::count(arrBlock, arrBlock + nLength, '\n'));
        strBuffer.append(reinterpret_cast<const char*>(arrBlock), nLength);
    }

    const bool bOpened = nLineFeeds >= 3 && ParseHeader(strBuffer);
    if (!bOpened)
        CloseLog();
    return bOpened;
}

bool CDataLogFile::ParseHeader(const std::string& strBuffer)
{
    std::string_view arrLines[3];
    int nLines = 0;
    size_t nPos = 0;
    while (nLines < 3 && nPos != std::string_view::npos)
    {
        const std::string_view line = NextLine(strBuffer, nPos);
        if (!line.empty())
            arrLines[nLines++] = line;
    }
    if (nLines < 1)
        return false;
    m_strHeader = std::string(arrLines[0]);

    std::vector<std::string> arrFields;
    if (SplitCsvFields(m_strHeader, arrFields) < 3 || !EqualsNoCase(arrFields[0], "date") ||
        !EqualsNoCase(arrFields[1], "time") || nLines < 2)
        return false;

    m_tmFirstRecord = GetLineTime(std::string(arrLines[1]));
    m_nRecordLength = static_cast<uint32_t>(std::min<size_t>(arrLines[1].size() + 1, UINT32_MAX));
    m_nRecordCount = GetRecordCount();
    if (m_nRecordLength < 3 || m_nRecordCount == 0)
        return false;
    return nLines == 3 && arrLines[2].size() + 1 == m_nRecordLength;
}

uint32_t CDataLogFile::GetRecordCount() const
{
    const uint64_t nHeaderBytes = static_cast<uint64_t>(m_strHeader.size()) + 1;
    if (m_nRecordLength == 0 || m_nFileSize < nHeaderBytes)
        return 0;
    return static_cast<uint32_t>((m_nFileSize - nHeaderBytes) / m_nRecordLength);
}

void CDataLogFile::CloseLog()
{
    m_nRecordLength = 0;
    m_nFileSize = 0;
    m_nRecordCount = 0;
    m_nWindowStart = 1;
    m_bHasMilliseconds = false;
    m_nWindowSize = 10;
    if (m_pFileCmds != nullptr)
    {
        m_pFileCmds->CloseRemoteFile();
        m_pFileCmds = nullptr;
    }
}

void CDataLogFile::ReadRecords(uint32_t nFirst, uint32_t nCount, bool bAddToCache)
{
    if (m_pFileCmds == nullptr || m_nRecordLength == 0 || nFirst == 0 || nCount == 0)
        return;
    if (m_pProgress != nullptr)
    {
        m_pProgress->SetRange(0, static_cast<int>(std::min<uint32_t>(nCount, INT_MAX)));
        m_pProgress->SetText(StrFormat("Reading 1 of %d records...", static_cast<int>(nCount)));
    }
    std::string strBuffer;
    if (!FetchRecordBytes(nFirst, nCount, strBuffer))
        return;

    if (!bAddToCache)
    {
        // Refreshing the last record's time: a read that brought nothing
        // keeps the time known so far.
        if (!strBuffer.empty())
            m_tmLastRecord = GetLineTime(strBuffer);
        return;
    }
    CacheRecordLines(nFirst, strBuffer);
}

bool CDataLogFile::FetchRecordBytes(uint32_t nFirst, uint32_t nCount, std::string& strBuffer)
{
    const uint64_t nOffset =
        static_cast<uint64_t>(nFirst - 1) * m_nRecordLength + m_strHeader.size() + 1;
    // The seek offset travels as a signed 32-bit value. When the record's
    // offset cannot be reached the read ends here: reading from anywhere else
    // would file other records under the requested indices.
    unsigned long nPosition = 0;
    if (nOffset > static_cast<uint64_t>(INT_MAX) ||
        !m_pFileCmds->SeekFile(0, static_cast<int>(nOffset), &nPosition) || nPosition != nOffset)
        return false;

    // The size and count are the panel's claims: the buffer grows with the
    // bytes that actually arrive, never ahead of them.
    const uint64_t nTotal = static_cast<uint64_t>(m_nRecordLength) * nCount;
    while (strBuffer.size() < nTotal)
    {
        unsigned char arrBlock[BLOCK_CAPACITY];
        unsigned long nLength = BLOCK_CAPACITY;
        if (!m_pFileCmds->ReadFileBlock(arrBlock, &nLength) || nLength == 0)
            break;
        nLength = std::min<unsigned long>(
            {nLength, BLOCK_CAPACITY, static_cast<unsigned long>(nTotal - strBuffer.size())});
        strBuffer.append(reinterpret_cast<const char*>(arrBlock), nLength);
        if (m_pProgress != nullptr)
        {
            const int nDone = static_cast<int>(strBuffer.size() / m_nRecordLength);
            m_pProgress->SetPos(nDone);
            m_pProgress->SetText(
                StrFormat("Reading %d of %d records...", nDone, static_cast<int>(nCount)));
        }
    }
    return true;
}

void CDataLogFile::CacheRecordLines(uint32_t nFirst, const std::string& strBuffer)
{
    std::vector<std::string> arrHeader;
    const int nColumns = GetHeaderFields(arrHeader);
    const size_t nLineLength = m_nRecordLength - 1;
    const size_t nLines = strBuffer.size() / m_nRecordLength + 1;
    // The field texts are never longer than the lines they come from, less
    // their commas and line feeds.
    const size_t nSeparators = std::min(strBuffer.size(), nLines * static_cast<size_t>(nColumns));
    m_Cache.Reserve(nLines, nLines * static_cast<size_t>(nColumns), strBuffer.size() - nSeparators);
    std::vector<std::string> arrFields; // keeps its strings' capacity from line to line
    std::vector<std::string_view> arrViews(static_cast<size_t>(nColumns) + 1);

    // Indices arrive in ascending order: keep the position of the first
    // cached index above the current one, and never replace a cached record.
    size_t nNext = m_Cache.LowerBound(nFirst);
    uint64_t nIndex = nFirst;
    size_t nPos = 0;
    while (nPos != std::string_view::npos && nIndex <= UINT32_MAX)
    {
        const std::string_view line = NextLine(strBuffer, nPos);
        const uint32_t nRecord = static_cast<uint32_t>(nIndex++);
        if (line.size() != nLineLength)
            continue;
        // Lines without quotes, nearly all of them, are split in place.
        int nFound = SplitPlainCsvFields(line, arrViews.data(), nColumns + 1);
        if (nFound < 0)
        {
            nFound = SplitCsvFieldsInto(line, arrFields);
            for (int i = 0; i < nColumns && i < nFound; ++i)
                arrViews[static_cast<size_t>(i)] = arrFields[static_cast<size_t>(i)];
        }
        if (nFound != nColumns)
            continue;
        while (nNext < m_Cache.Size() && m_Cache.IndexAt(nNext) < nRecord)
            ++nNext;
        if (nNext < m_Cache.Size() && m_Cache.IndexAt(nNext) == nRecord)
            continue;
        m_Cache.Stage(nRecord, arrViews.data(), static_cast<size_t>(nColumns));
    }
    m_Cache.Commit();
}

int CDataLogFile::GetHeaderFields(std::vector<std::string>& arrOut) const
{
    if (m_pFileCmds == nullptr)
    {
        arrOut.clear();
        return 0;
    }
    return SplitCsvFields(m_strHeader, arrOut);
}

SYSTEMTIME CDataLogFile::GetRecordTime(const RecordFields& arrFields)
{
    return ParseRecordTime(arrFields.data(), arrFields.size(), m_bHasMilliseconds);
}

SYSTEMTIME CDataLogFile::GetLineTime(const std::string& strLine)
{
    std::vector<std::string> arrFields;
    const int nCount = SplitCsvFields(strLine, arrFields);
    return ParseRecordTime(arrFields.data(), static_cast<size_t>(std::min(nCount, 3)),
                           m_bHasMilliseconds);
}

std::string CDataLogFile::FormatRecordTime(const SYSTEMTIME& tm) const
{
    return FormatRecordTimeText(tm, m_bHasMilliseconds);
}

int CDataLogFile::SplitCsvLine(const std::string& strLine, std::vector<std::string>& arrOut)
{
    return SplitCsvFields(strLine, arrOut);
}

int CDataLogFile::SplitString(const std::string& strText, const std::string& strDelimiter,
                              std::vector<std::string>& arrOut)
{
    return SplitAtDelimiter(strText, strDelimiter, arrOut);
}
