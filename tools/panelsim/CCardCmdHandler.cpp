#include "CCardCmdHandler.h"

#include <algorithm>

namespace
{
// A length-prefixed name (length + 1, name bytes, 0) at pData. Returns the
// bytes consumed, 0 when the prefix does not fit the data or the name is empty.
size_t TakeCardName(const uint8_t* pData, size_t nLength, std::string& strName)
{
    if (nLength < 1 || pData[0] < 2 || static_cast<size_t>(pData[0]) + 1 > nLength)
        return 0;
    const size_t nName = pData[0] - 1u;
    const char* pName = reinterpret_cast<const char*>(pData + 1);
    strName.assign(pName, std::find(pName, pName + nName, '\0'));
    return strName.empty() ? 0 : nName + 2;
}

// Result bytes of card delete and rename.
constexpr uint8_t nDeleteInvalid = 1, nDeleteNotFound = 2, nDeleteUnknown = 3;
constexpr uint8_t nRenameSourceInvalid = 1, nRenameNewInvalid = 2, nRenameNewExists = 3,
                  nRenameFailed = 4;
} // namespace

CCardCmdHandler::CCardCmdHandler(const CCardFolder& card, const CSimSettings& settings)
    : m_card(card), m_settings(settings)
{
}

bool CCardCmdHandler::CardIsInError() const
{
    return m_settings.m_nCardStatus >= 128 && m_settings.m_nCardStatus <= 136;
}

uint8_t CCardCmdHandler::Handle(const uint8_t* pRequest, size_t nLength, CReplyBuffer& reply)
{
    if (nLength < Wire::nCardMinFrame || pRequest[0] != Wire::nCardHead0 ||
        pRequest[1] != Wire::nCardHead1)
        return Wire::nResultChecksum;
    const size_t nFrame = pRequest[2];
    if (nFrame < Wire::nCardMinFrame || nFrame != nLength ||
        Wire::CardChecksum(pRequest, nFrame - 1) != pRequest[nFrame - 1])
        return Wire::nResultChecksum;

    const uint8_t nSub = pRequest[3];
    const uint8_t* pData = pRequest + 4; // after the sub-command
    const size_t nData = nFrame - 5;     // up to the checksum
    const size_t nStart = reply.PayloadSize();
    reply.Put(Wire::nCardHead0);
    reply.Put(Wire::nCardHead1);
    reply.Put(0); // length, set below
    reply.Put(static_cast<uint8_t>(m_settings.m_nCardStatus));
    switch (nSub)
    {
    case SubList:
        if (!List(pData, nData, reply))
        {
            reply.ResizePayload(nStart);
            return Wire::nResultChecksum;
        }
        break;
    case SubDelete:
        reply.Put(Delete(pData, nData));
        break;
    case SubRename:
        reply.Put(Rename(pData, nData));
        break;
    default:
        break; // the status alone
    }
    uint8_t* pFrame = reply.Payload() + nStart;
    const size_t nReplyFrame = reply.PayloadSize() - nStart + 1;
    pFrame[2] = static_cast<uint8_t>(nReplyFrame);
    reply.Put(Wire::CardChecksum(reply.Payload() + nStart, nReplyFrame - 1));
    return Wire::nResultOk;
}

bool CCardCmdHandler::List(const uint8_t* pData, size_t nLength, CReplyBuffer& reply)
{
    if (nLength < 1)
        return false;
    switch (pData[0])
    {
    case 0:
    {
        std::string strPattern;
        if (nLength < 2)
            return false;
        if (pData[1] != 0 && TakeCardName(pData + 1, nLength - 1, strPattern) == 0)
            return false;
        m_arrListing.clear();
        m_nNextEntry = 0;
        if (strPattern.find_first_of("/\\") == std::string::npos)
            m_card.List(strPattern, m_arrListing);
        Wire::PutBe16(reply.Grow(2),
                      static_cast<uint16_t>(std::min<size_t>(m_arrListing.size(), 0xFFFF)));
        return true;
    }
    case 1:
        NextEntry(reply);
        return true;
    case 2:
        m_arrListing.clear();
        m_nNextEntry = 0;
        return true;
    default:
        return true;
    }
}

void CCardCmdHandler::NextEntry(CReplyBuffer& reply)
{
    // Reply bytes 4..52: flag, 0, name[32], size, 4 zero bytes, time and date.
    uint8_t* p = reply.Grow(49);
    if (m_nNextEntry >= m_arrListing.size())
    {
        // Asked past the end: an empty entry that ends the listing.
        p[0] = m_settings.m_bCardNoLastFlag ? 0 : 1;
        return;
    }
    const CCardEntry& entry = m_arrListing[m_nNextEntry++];
    const bool bLast = m_nNextEntry == m_arrListing.size();
    p[0] = bLast && !m_settings.m_bCardNoLastFlag ? 1 : 0;
    std::copy_n(entry.m_strName.data(), std::min(entry.m_strName.size(), nMaxCardName), p + 2);
    Wire::PutBe32(p + 34, entry.m_nSize);
    if (!m_settings.IsZeroDate(entry.m_strName))
    {
        p[42] = static_cast<uint8_t>(entry.m_nHour);
        p[43] = static_cast<uint8_t>(entry.m_nMinute);
        p[44] = static_cast<uint8_t>(entry.m_nSecond);
        p[45] = static_cast<uint8_t>(entry.m_nDay);
        p[46] = static_cast<uint8_t>(entry.m_nMonth);
        Wire::PutBe16(p + 47, static_cast<uint16_t>(entry.m_nYear));
    }
}

uint8_t CCardCmdHandler::Delete(const uint8_t* pData, size_t nLength)
{
    const auto it = m_settings.m_mapCardResult.find(SubDelete);
    const bool bForced = it != m_settings.m_mapCardResult.end();
    if ((bForced && it->second != 0) || CardIsInError())
        return bForced ? static_cast<uint8_t>(it->second) : 0;
    std::string strName;
    uint8_t nResult = nDeleteInvalid;
    if (TakeCardName(pData, nLength, strName) != 0)
    {
        switch (m_card.Delete(strName))
        {
        case ECardOutcome::Done:
            nResult = 0;
            break;
        case ECardOutcome::Invalid:
            nResult = nDeleteInvalid;
            break;
        case ECardOutcome::NotFound:
            nResult = nDeleteNotFound;
            break;
        default:
            nResult = nDeleteUnknown;
            break;
        }
    }
    return bForced ? static_cast<uint8_t>(it->second) : nResult;
}

uint8_t CCardCmdHandler::Rename(const uint8_t* pData, size_t nLength)
{
    const auto it = m_settings.m_mapCardResult.find(SubRename);
    const bool bForced = it != m_settings.m_mapCardResult.end();
    if ((bForced && it->second != 0) || CardIsInError())
        return bForced ? static_cast<uint8_t>(it->second) : 0;
    std::string strOld, strNew;
    uint8_t nResult = 0;
    const size_t nUsed = TakeCardName(pData, nLength, strOld);
    if (nUsed == 0)
        nResult = nRenameSourceInvalid;
    else if (TakeCardName(pData + nUsed, nLength - nUsed, strNew) == 0)
        nResult = nRenameNewInvalid;
    else
    {
        switch (m_card.Rename(strOld, strNew))
        {
        case ECardOutcome::Done:
            nResult = 0;
            break;
        case ECardOutcome::Invalid:
            nResult = nRenameSourceInvalid;
            break;
        case ECardOutcome::NewInvalid:
            nResult = nRenameNewInvalid;
            break;
        case ECardOutcome::NewExists:
            nResult = nRenameNewExists;
            break;
        default:
            nResult = nRenameFailed;
            break;
        }
    }
    return bForced ? static_cast<uint8_t>(it->second) : nResult;
}
