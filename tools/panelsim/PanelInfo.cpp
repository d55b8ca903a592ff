#include "PanelInfo.h"

void AppendPanelInfo(const CSimSettings& settings, CReplyBuffer& reply)
{
    const size_t nLength = static_cast<size_t>(settings.m_nInfoLength);
    uint8_t arrBlock[52] = {};
    arrBlock[0] = static_cast<uint8_t>(settings.m_nType);
    arrBlock[4] = static_cast<uint8_t>(settings.m_cRevisionLetter);
    arrBlock[5] = static_cast<uint8_t>(settings.m_nRevisionNumber);
    Wire::PutLe32(arrBlock + 48, settings.m_nBuild);
    uint8_t* pOut = reply.Grow(nLength);
    std::memcpy(pOut, arrBlock, nLength < sizeof arrBlock ? nLength : sizeof arrBlock);
}
