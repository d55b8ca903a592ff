#include "link/CTFTPPacket.h"

#include <cstring>

void CTFTPPacket::Clear()
{
    std::memset(m_arrData, 0, sizeof(m_arrData));
    m_nSize = 0;
}

bool CTFTPPacket::AddByte(unsigned char nByte)
{
    if (m_nSize < 0 || m_nSize >= TFTP_PACKET_MAX)
    {
        m_nSize = -1;
        return false;
    }
    m_arrData[m_nSize++] = nByte;
    return true;
}

bool CTFTPPacket::AddWord(uint16_t nWord)
{
    return AddByte(static_cast<unsigned char>(nWord >> 8)) &&
           AddByte(static_cast<unsigned char>(nWord & 0xFF));
}

bool CTFTPPacket::AddMem(const void* pData, int nLen)
{
    if (m_nSize < 0 || nLen < 0 || m_nSize + nLen >= TFTP_PACKET_MAX)
    {
        m_nSize = -1;
        return false;
    }
    if (nLen > 0)
        std::memcpy(m_arrData + m_nSize, pData, static_cast<size_t>(nLen));
    m_nSize += nLen;
    return true;
}

bool CTFTPPacket::AddString(const std::string& str)
{
    if (str.size() >= static_cast<size_t>(TFTP_PACKET_MAX))
    {
        m_nSize = -1;
        return false;
    }
    return AddMem(str.data(), static_cast<int>(str.size())) && AddByte(0);
}

unsigned char CTFTPPacket::GetByte(int nOffset) const
{
    if (nOffset < 0 || nOffset >= m_nSize)
        return 0;
    return m_arrData[nOffset];
}

uint16_t CTFTPPacket::GetWord(int nOffset) const
{
    return static_cast<uint16_t>((GetByte(nOffset) << 8) | GetByte(nOffset + 1));
}

void CTFTPPacket::SetSize(int nSize)
{
    m_nSize = (nSize < 0 || nSize > TFTP_PACKET_MAX) ? -1 : nSize;
}

bool CTFTPPacket::CreateRequest(uint16_t nOpcode, const std::string& strFileName)
{
    Clear();
    if (strFileName.size() > TFTP_MAX_NAME)
        return false;
    return AddWord(nOpcode) && AddString(strFileName) && AddString("octet");
}

bool CTFTPPacket::CreateData(uint16_t nBlock, const unsigned char* pData, int nLen)
{
    Clear();
    if (nLen > TFTP_BLOCK_SIZE)
    {
        m_nSize = -1;
        return false;
    }
    return AddWord(TFTP_OPCODE_DATA) && AddWord(nBlock) && AddMem(pData, nLen);
}

bool CTFTPPacket::CreateAck(uint16_t nBlock)
{
    Clear();
    return AddWord(TFTP_OPCODE_ACK) && AddWord(nBlock);
}

bool CTFTPPacket::CreateError(uint16_t nCode, const std::string& strMessage)
{
    Clear();
    return AddWord(TFTP_OPCODE_ERROR) && AddWord(nCode) && AddString(strMessage);
}

bool CTFTPPacket::IsAck(uint16_t nBlock) const
{
    return m_nSize == TFTP_HEADER_SIZE && GetOpcode() == TFTP_OPCODE_ACK && GetBlock() == nBlock;
}

bool CTFTPPacket::IsData() const
{
    return m_nSize >= TFTP_HEADER_SIZE && GetOpcode() == TFTP_OPCODE_DATA;
}

bool CTFTPPacket::IsError() const
{
    return m_nSize >= TFTP_HEADER_SIZE && GetOpcode() == TFTP_OPCODE_ERROR;
}

std::string CTFTPPacket::GetErrorMessage() const
{
    if (!IsError())
        return std::string();
    const char* pszStart = reinterpret_cast<const char*>(m_arrData + TFTP_HEADER_SIZE);
    const size_t nAvailable = static_cast<size_t>(m_nSize - TFTP_HEADER_SIZE);
    const void* pZero = std::memchr(pszStart, 0, nAvailable);
    const size_t nLen =
        pZero ? static_cast<size_t>(static_cast<const char*>(pZero) - pszStart) : nAvailable;
    return std::string(pszStart, nLen);
}

int CTFTPPacket::GetPayloadSize() const
{
    return m_nSize >= TFTP_HEADER_SIZE ? m_nSize - TFTP_HEADER_SIZE : 0;
}
