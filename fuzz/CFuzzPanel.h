#pragma once
// A panel made of the fuzzer's input: every exchange takes one length byte
// and then that many reply bytes (fewer when the input runs out). A length
// above the caller's capacity, or an exhausted input, fails the exchange as a
// real transport would. Each exchange consumes at least one byte, so every
// loop over replies ends with the input.
#include "common/CPrompt.h"
#include "link/CCommInterface.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

class CFuzzPanel : public CCommInterface
{
public:
    CFuzzPanel(const uint8_t* pData, size_t nSize)
        : CCommInterface("127.0.0.1", 1), m_pData(pData), m_nSize(nSize)
    {
    }

    bool SendMsgCode(unsigned char, bool, const unsigned char*, unsigned long,
                     unsigned char* pReply, unsigned long nReplyCapacity,
                     unsigned long* pReplyLen) override
    {
        if (m_nPos >= m_nSize)
        {
            SetError("Error: No reply from the panel.");
            return false;
        }
        const unsigned long nClaimed = m_pData[m_nPos++];
        if (nClaimed > nReplyCapacity)
        {
            SetError("Error: Reply too long.");
            return false;
        }
        const unsigned long nLen = std::min<unsigned long>(nClaimed, m_nSize - m_nPos);
        if (nLen > 0 && pReply != nullptr)
            std::memcpy(pReply, m_pData + m_nPos, nLen);
        m_nPos += nLen;
        if (pReplyLen != nullptr)
            *pReplyLen = nLen;
        return true;
    }

private:
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
};

// Answers every question with No and shows nothing.
class CSilentPrompt : public CPrompt
{
public:
    EPromptAnswer Show(const std::string&, EPromptIcon, EPromptButtons) override
    {
        return EPromptAnswer::No;
    }
};
