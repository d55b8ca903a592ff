// The datagram buffer: its limits, the requests built in it, and reading a
// received datagram without going past its length. (The client's tests check
// the bytes of DATA, ACK and ERROR packets on the wire.)
#include "link/CTFTPPacket.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
CTFTPPacket Received(const std::string& strBytes)
{
    CTFTPPacket packet;
    std::memcpy(packet.GetData(), strBytes.data(), strBytes.size());
    packet.SetSize(static_cast<int>(strBytes.size()));
    return packet;
}
} // namespace

TEST(TftpPacket, BuildingStopsAtTheBufferAndMarksThePacketInvalid)
{
    CTFTPPacket packet;
    const std::string strRun(1023, 'a');
    EXPECT_FALSE(packet.AddMem(strRun.data(), 1024)); // a run must stay below 1024
    EXPECT_EQ(-1, packet.GetSize());
    EXPECT_FALSE(packet.AddByte('x')); // an invalid packet stays invalid
    packet.Clear();
    EXPECT_TRUE(packet.AddMem(strRun.data(), 1023));
    EXPECT_TRUE(packet.AddByte('z')); // single bytes may fill the last place
    EXPECT_EQ(1024, packet.GetSize());
    EXPECT_FALSE(packet.AddByte('z'));
    packet.Clear();
    EXPECT_EQ(0, packet.GetSize());
    EXPECT_EQ(0, packet.GetData()[1000]);

    ASSERT_TRUE(packet.CreateRequest(TFTP_OPCODE_RRQ, "41225A07.CSV")); // in octet mode
    EXPECT_EQ(std::string("\0\1"
                          "41225A07.CSV\0octet\0",
                          21),
              std::string(reinterpret_cast<const char*>(packet.GetData()), 21));
    EXPECT_EQ(21, packet.GetSize());
    ASSERT_TRUE(packet.CreateRequest(TFTP_OPCODE_WRQ, std::string(512, 'n')));
    EXPECT_EQ(2 + 512 + 1 + 6, packet.GetSize());
    EXPECT_FALSE(packet.CreateRequest(TFTP_OPCODE_RRQ, std::string(513, 'n')));
    const std::string strBig(513, 'x');
    EXPECT_FALSE(packet.CreateData(1, reinterpret_cast<const unsigned char*>(strBig.data()), 513));
}

TEST(TftpPacket, ReceivedDatagramsAreReadOnlyWithinTheirLength)
{
    // An ACK is exactly four bytes; anything shorter is no packet at all.
    EXPECT_FALSE(Received(std::string("\0\4\0\1\0", 5)).IsAck(1));
    EXPECT_FALSE(Received(std::string("\0\3\0", 3)).IsData());
    EXPECT_FALSE(Received(std::string("\0\5\0", 3)).IsError());

    // The message ends at the first 0, or at the end of the datagram.
    EXPECT_EQ("Disk full", Received(std::string("\0\5\0\3Disk full\0junk", 18)).GetErrorMessage());
    CTFTPPacket unterminated = Received(std::string("\0\5\0\1abc", 7));
    unterminated.GetData()[7] = 'X'; // bytes beyond the datagram are not part of it
    EXPECT_EQ("abc", unterminated.GetErrorMessage());

    CTFTPPacket oversize;
    oversize.SetSize(1025);
    EXPECT_EQ(-1, oversize.GetSize());
    EXPECT_FALSE(oversize.IsData());
    EXPECT_EQ(0, oversize.GetPayloadSize());
}
