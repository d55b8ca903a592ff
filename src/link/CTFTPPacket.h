#pragma once
// One TFTP datagram (RFC 1350, octet mode): a fixed 1024-byte buffer and the
// number of bytes in use. A length of -1 marks a packet that overflowed while
// being built, or arrived larger than the buffer; such a packet is never sent
// and never passes a packet test.
#include <cstddef>
#include <cstdint>
#include <string>

enum ETftpOpcode : uint16_t
{
    TFTP_OPCODE_RRQ = 1,
    TFTP_OPCODE_WRQ = 2,
    TFTP_OPCODE_DATA = 3,
    TFTP_OPCODE_ACK = 4,
    TFTP_OPCODE_ERROR = 5,
};

class CTFTPPacket
{
public:
    static constexpr int TFTP_PACKET_MAX = 1024;
    static constexpr int TFTP_BLOCK_SIZE = 512;
    static constexpr int TFTP_HEADER_SIZE = 4;
    static constexpr size_t TFTP_MAX_NAME = 512;

    CTFTPPacket() { Clear(); }

    // Zeroes the whole buffer and empties the packet.
    void Clear();

    // Appending fails, and leaves the packet invalid (-1), when it would overflow.
    bool AddByte(unsigned char nByte);
    bool AddWord(uint16_t nWord); // big-endian
    bool AddMem(const void* pData, int nLen);
    bool AddString(const std::string& str); // the bytes and a terminating 0

    unsigned char GetByte(int nOffset) const;
    uint16_t GetWord(int nOffset) const; // big-endian; 0 beyond the bytes in use

    int GetSize() const { return m_nSize; }
    // Length of a received datagram; anything above the buffer is stored as -1.
    void SetSize(int nSize);
    bool IsValid() const { return m_nSize >= 0; }
    unsigned char* GetData() { return m_arrData; }
    const unsigned char* GetData() const { return m_arrData; }

    // Builders; each starts from a cleared packet. A request is refused when
    // the file name is longer than 512 characters.
    bool CreateRequest(uint16_t nOpcode, const std::string& strFileName);
    bool CreateData(uint16_t nBlock, const unsigned char* pData, int nLen);
    bool CreateAck(uint16_t nBlock);
    bool CreateError(uint16_t nCode, const std::string& strMessage);

    // Packet tests. Every one checks the length before reading a field.
    uint16_t GetOpcode() const { return GetWord(0); }
    uint16_t GetBlock() const { return GetWord(2); } // DATA and ACK
    bool IsAck(uint16_t nBlock) const;               // exactly 4 bytes, opcode 4, that block
    bool IsData() const;                             // at least 4 bytes, opcode 3
    bool IsError() const;                            // at least 4 bytes, opcode 5
    uint16_t GetErrorCode() const { return GetWord(2); }
    // ERROR message: bytes from offset 4 to the first 0 or the end of the datagram.
    std::string GetErrorMessage() const;
    // DATA payload: bytes from offset 4 to the end of the datagram.
    const unsigned char* GetPayload() const { return m_arrData + TFTP_HEADER_SIZE; }
    int GetPayloadSize() const;

private:
    unsigned char m_arrData[TFTP_PACKET_MAX];
    int32_t m_nSize = 0;
};
