// A received TFTP datagram and every packet test on it, then building each
// kind of packet from the same bytes.
#include "link/CTFTPPacket.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CTFTPPacket packet;
    const size_t nCopy = std::min<size_t>(nSize, CTFTPPacket::TFTP_PACKET_MAX);
    std::memcpy(packet.GetData(), pData, nCopy);
    packet.SetSize(static_cast<int>(std::min<size_t>(nSize, 4096)));
    if (packet.IsValid())
    {
        packet.IsAck(packet.GetBlock());
        const bool bData = packet.IsData();
        const bool bError = packet.IsError();
        const std::string strMessage = packet.GetErrorMessage();
        if (strMessage.size() > CTFTPPacket::TFTP_PACKET_MAX)
            __builtin_trap();
        if (bData && (packet.GetPayloadSize() < 0 ||
                      packet.GetPayloadSize() > packet.GetSize() - CTFTPPacket::TFTP_HEADER_SIZE))
            __builtin_trap();
        (void)bError;
    }

    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    CTFTPPacket built;
    if (built.CreateRequest(TFTP_OPCODE_RRQ, strText) &&
        built.GetSize() > CTFTPPacket::TFTP_PACKET_MAX)
        __builtin_trap();
    built.CreateError(7, strText);
    if (built.IsValid() && built.GetErrorMessage().size() > nSize)
        __builtin_trap();
    const int nLen = static_cast<int>(std::min<size_t>(nSize, 2000));
    if (built.CreateData(1, pData, nLen) && built.GetPayloadSize() != nLen)
        __builtin_trap();
    return 0;
}
