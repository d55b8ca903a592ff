#pragma once
// Message 128 of one connection: the checksummed card frames (listing with
// its own open listing, delete, rename), answered as card frames carrying the
// card status.
#include "CCardFolder.h"
#include "CReplyBuffer.h"
#include "CSimSettings.h"

#include <string>
#include <vector>

class CCardCmdHandler
{
public:
    CCardCmdHandler(const CCardFolder& card, const CSimSettings& settings);

    // The request is the whole card frame. Returns the result code: 1 for a
    // frame with a bad header, length or checksum (no payload), else 0 with
    // the reply card frame appended.
    uint8_t Handle(const uint8_t* pRequest, size_t nLength, CReplyBuffer& reply);

    enum ESub : uint8_t
    {
        SubList = 11,
        SubDelete = 14,
        SubRename = 15,
    };
    // Longest name a card listing entry carries.
    static constexpr size_t nMaxCardName = 32;

private:
    bool List(const uint8_t* pData, size_t nLength, CReplyBuffer& reply);
    void NextEntry(CReplyBuffer& reply);
    uint8_t Delete(const uint8_t* pData, size_t nLength);
    uint8_t Rename(const uint8_t* pData, size_t nLength);
    bool CardIsInError() const;

    const CCardFolder& m_card;
    const CSimSettings& m_settings;
    std::vector<CCardEntry> m_arrListing;
    size_t m_nNextEntry = 0;
};
