#include "CFileCmdHandler.h"

#include "CardNames.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr size_t nMaxBlock = 254;
// A listing reply must fit the client's 255 bytes: echo, name, 0, 11 bytes.
constexpr size_t nMaxEntryName = 255 - 13;

// The name at pData: bytes up to the first 0 byte or the end of the data.
// Returns the bytes consumed including the 0.
size_t TakeName(const uint8_t* pData, size_t nLength, std::string& strName)
{
    size_t n = 0;
    while (n < nLength && pData[n] != 0)
        ++n;
    strName.assign(reinterpret_cast<const char*>(pData), n);
    return n < nLength ? n + 1 : n;
}
} // namespace

CFileCmdHandler::CFileCmdHandler(const CCardFolder& card, const CSimSettings& settings)
    : m_card(card), m_settings(settings)
{
}

CFileCmdHandler::~CFileCmdHandler()
{
    CloseFile();
}

void CFileCmdHandler::CloseFile()
{
    if (m_nFd >= 0)
        close(m_nFd);
    m_nFd = -1;
    m_nPosition = 0;
}

void CFileCmdHandler::CloseListing()
{
    m_bListingOpen = false;
    m_arrListing.clear();
    m_nNextEntry = 0;
}

uint8_t CFileCmdHandler::Handle(const uint8_t* pRequest, size_t nLength, CReplyBuffer& reply)
{
    const uint8_t nSub = pRequest[0];
    const uint8_t* pData = pRequest + 1;
    const size_t nData = nLength - 1;
    reply.Put(nSub);
    bool bOk = true;
    switch (nSub)
    {
    case SubReset:
        CloseFile();
        CloseListing();
        break;
    case SubListOpen:
        bOk = OpenListing(pData, nData);
        break;
    case SubListNext:
        bOk = NextEntry(reply);
        break;
    case SubListClose:
        CloseListing();
        break;
    case SubOpen:
        bOk = OpenFile(pData, nData);
        break;
    case SubSeek:
        bOk = Seek(pData, nData, reply);
        break;
    case SubRead:
        bOk = ReadBlock(reply);
        break;
    case SubClose:
        CloseFile();
        break;
    case SubDelete:
        TakeName(pData, nData, m_strName);
        bOk = m_card.Delete(m_strName) == ECardOutcome::Done;
        break;
    case SubRename:
        bOk = Rename(pData, nData);
        break;
    case SubBackup:
        TakeName(pData, nData, m_strName);
        bOk = m_card.Backup(m_strName) == ECardOutcome::Done;
        break;
    case SubBackupAll:
        bOk = m_card.BackupAllCsv();
        break;
    default:
        bOk = false;
        break;
    }
    if (!bOk)
    {
        reply.ResizePayload(0);
        return Wire::nResultFileSystem;
    }
    return Wire::nResultOk;
}

bool CFileCmdHandler::OpenFile(const uint8_t* pData, size_t nLength)
{
    CloseFile();
    // Byte 0 is the mode; every mode opens for reading.
    if (nLength < 2)
        return false;
    TakeName(pData + 1, nLength - 1, m_strName);
    int nFd = -1;
    if (m_card.OpenForRead(m_strName, nFd) != ECardOutcome::Done)
        return false;
    m_nFd = nFd;
    m_nPosition = 0;
    return true;
}

bool CFileCmdHandler::Seek(const uint8_t* pData, size_t nLength, CReplyBuffer& reply)
{
    if (m_nFd < 0 || nLength < 5)
        return false;
    const int32_t nOffset = static_cast<int32_t>(Wire::GetLe32(pData));
    int64_t nBase = 0;
    switch (pData[4])
    {
    case 0:
        nBase = 0;
        break;
    case 1:
    {
        // The size now: a data log may have grown since the file was opened.
        struct stat st
        {
        };
        if (fstat(m_nFd, &st) != 0)
            return false;
        nBase = st.st_size;
        break;
    }
    case 2:
        nBase = m_nPosition;
        break;
    default:
        return false;
    }
    const int64_t nNew = nBase + nOffset;
    if (nNew < 0 || nNew > 0xFFFFFFFFLL)
        return false;
    m_nPosition = nNew;
    Wire::PutLe32(reply.Grow(4), static_cast<uint32_t>(nNew));
    return true;
}

bool CFileCmdHandler::ReadBlock(CReplyBuffer& reply)
{
    if (m_nFd < 0)
        return false;
    uint8_t* pOut = reply.Grow(nMaxBlock);
    ssize_t nRead;
    do
        nRead = pread(m_nFd, pOut, nMaxBlock, m_nPosition);
    while (nRead < 0 && errno == EINTR);
    if (nRead < 0)
        return false;
    reply.ResizePayload(1 + static_cast<size_t>(nRead));
    m_nPosition += nRead;
    return true;
}

bool CFileCmdHandler::OpenListing(const uint8_t* pData, size_t nLength)
{
    CloseListing();
    TakeName(pData, nLength, m_strName);
    // A pattern naming another folder would list outside the card.
    if (m_strName.find_first_of("/\\") != std::string::npos)
        return false;
    if (!m_card.List(m_strName, m_arrListing))
        return false;
    m_bListingOpen = true;
    return true;
}

bool CFileCmdHandler::NextEntry(CReplyBuffer& reply)
{
    if (!m_bListingOpen)
        return false;
    if (m_nNextEntry >= m_arrListing.size())
        return true; // just the echo byte: the end of the listing
    const CCardEntry& entry = m_arrListing[m_nNextEntry++];
    const size_t nName = std::min(entry.m_strName.size(), nMaxEntryName);
    reply.PutBytes(entry.m_strName.data(), nName);
    reply.Put(0);
    uint8_t* p = reply.Grow(11); // size, hour, minute, second, day, month, year
    Wire::PutBe32(p, entry.m_nSize);
    if (!m_settings.IsZeroDate(entry.m_strName))
    {
        p[4] = static_cast<uint8_t>(entry.m_nHour);
        p[5] = static_cast<uint8_t>(entry.m_nMinute);
        p[6] = static_cast<uint8_t>(entry.m_nSecond);
        p[7] = static_cast<uint8_t>(entry.m_nDay);
        p[8] = static_cast<uint8_t>(entry.m_nMonth);
        Wire::PutBe16(p + 9, static_cast<uint16_t>(entry.m_nYear));
    }
    if (m_settings.m_eMalform == EMalform::ShortEntry)
        reply.ResizePayload(1 + nName + 1 + 3);
    return true;
}

bool CFileCmdHandler::Rename(const uint8_t* pData, size_t nLength)
{
    const size_t nUsed = TakeName(pData, nLength, m_strName);
    if (nUsed >= nLength || pData[nUsed - 1] != 0)
        return false;
    std::string strNew;
    TakeName(pData + nUsed, nLength - nUsed, strNew);
    return m_card.Rename(m_strName, strNew) == ECardOutcome::Done;
}
