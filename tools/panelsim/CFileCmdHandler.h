#pragma once
// Message 143 of one connection: the file sub-commands with the connection's
// own open file and open listing. The file stays open between block reads.
#include "CCardFolder.h"
#include "CReplyBuffer.h"
#include "CSimSettings.h"

#include <string>
#include <vector>

class CFileCmdHandler
{
public:
    CFileCmdHandler(const CCardFolder& card, const CSimSettings& settings);
    ~CFileCmdHandler();
    CFileCmdHandler(const CFileCmdHandler&) = delete;
    CFileCmdHandler& operator=(const CFileCmdHandler&) = delete;

    // pRequest[0] is the sub-command (nLength >= 1). Appends the reply payload
    // (the echoed sub-command and the data) and returns the result code; on a
    // result other than 0 the payload is left empty.
    uint8_t Handle(const uint8_t* pRequest, size_t nLength, CReplyBuffer& reply);

    enum ESub : uint8_t
    {
        SubRead = 0,
        SubSeek = 2,
        SubOpen = 3,
        SubClose = 4,
        SubListOpen = 6,
        SubListNext = 7,
        SubListClose = 8,
        SubDelete = 13,
        SubRename = 14,
        SubBackup = 16,
        SubBackupAll = 17,
        SubReset = 21,
    };

private:
    bool OpenFile(const uint8_t* pData, size_t nLength);
    bool Seek(const uint8_t* pData, size_t nLength, CReplyBuffer& reply);
    bool ReadBlock(CReplyBuffer& reply);
    bool OpenListing(const uint8_t* pData, size_t nLength);
    bool NextEntry(CReplyBuffer& reply);
    bool Rename(const uint8_t* pData, size_t nLength);
    void CloseFile();
    void CloseListing();

    const CCardFolder& m_card;
    const CSimSettings& m_settings;
    int m_nFd = -1;
    int64_t m_nPosition = 0;
    bool m_bListingOpen = false;
    std::vector<CCardEntry> m_arrListing;
    size_t m_nNextEntry = 0;
    std::string m_strName; // scratch, kept for its capacity
};
