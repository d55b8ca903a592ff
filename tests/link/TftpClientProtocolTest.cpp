// Protocol edge cases no real server produces on demand: a scripted peer in a
// thread answers the client exactly as each test says (repeated and skipped
// blocks, silence, duplicate ACKs, injected datagrams, malformed packets).
#include "link/CTFTPClient.h"
#include "link/CTFTPPacket.h"
#include "link/CUdpSocket.h"

#include "support/CTempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr int PEER_WAIT_MS = 5000;

UDP_ENDPOINT Loopback(uint16_t nPort = 0, uint32_t nAddress = 0x7F000001)
{
    UDP_ENDPOINT endpoint;
    endpoint.nAddress = nAddress;
    endpoint.nPort = nPort;
    return endpoint;
}

std::string Pattern(size_t nSize, int nSeed)
{
    std::string str(nSize, '\0');
    for (size_t i = 0; i < nSize; ++i)
        str[i] = static_cast<char>((i * 7 + static_cast<size_t>(nSeed) * 13) & 0xFF);
    return str;
}

// A TFTP server played by a script: it listens on a "well-known" port,
// answers from a separate transfer port, and records what it was sent.
class CScriptedPeer
{
public:
    using Script = std::function<void(CScriptedPeer&)>;

    CScriptedPeer()
    {
        m_listen.Open();
        m_listen.Bind(Loopback());
        m_transfer.Open();
        m_transfer.Bind(Loopback());
    }
    ~CScriptedPeer() { Join(); }

    uint16_t Port() const { return m_listen.GetLocalPort(); }
    void Run(Script script)
    {
        m_thread = std::thread([this, script] { script(*this); });
    }
    void Join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    // Failures seen inside the script, checked by the test after Join.
    void Fail(const std::string& strWhat)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_arrFailures.push_back(strWhat);
    }
    std::vector<std::string> Failures()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_arrFailures;
    }

    // The request on the well-known port; remembers the client's endpoint.
    bool ReceiveRequest(CTFTPPacket& packet, int nTimeoutMs = PEER_WAIT_MS)
    {
        return ReceiveOn(m_listen, packet, m_client, nTimeoutMs);
    }
    bool Receive(CTFTPPacket& packet, int nTimeoutMs = PEER_WAIT_MS)
    {
        UDP_ENDPOINT from;
        return ReceiveOn(m_transfer, packet, from, nTimeoutMs);
    }
    // Expects the ACK of nBlock on the transfer port.
    void ExpectAck(uint16_t nBlock)
    {
        CTFTPPacket packet;
        if (!Receive(packet) || !packet.IsAck(nBlock))
            Fail("expected ACK " + std::to_string(nBlock));
    }
    // Expects DATA nBlock; returns its payload.
    std::string ExpectData(uint16_t nBlock, int nTimeoutMs = PEER_WAIT_MS)
    {
        CTFTPPacket packet;
        if (!Receive(packet, nTimeoutMs) || !packet.IsData() || packet.GetBlock() != nBlock)
        {
            Fail("expected DATA " + std::to_string(nBlock));
            return std::string();
        }
        return std::string(reinterpret_cast<const char*>(packet.GetPayload()),
                           static_cast<size_t>(packet.GetPayloadSize()));
    }
    // Counts datagrams arriving on the transfer port within nWindowMs.
    int CountExtra(int nWindowMs)
    {
        int nCount = 0;
        CTFTPPacket packet;
        while (Receive(packet, nWindowMs))
            ++nCount;
        return nCount;
    }

    void SendRaw(const std::string& strBytes)
    {
        m_transfer.SendTo(strBytes.data(), strBytes.size(), m_client);
    }
    void Send(const CTFTPPacket& packet)
    {
        m_transfer.SendTo(packet.GetData(), static_cast<size_t>(packet.GetSize()), m_client);
    }
    void SendData(uint16_t nBlock, const std::string& strBytes)
    {
        CTFTPPacket packet;
        packet.CreateData(nBlock, reinterpret_cast<const unsigned char*>(strBytes.data()),
                          static_cast<int>(strBytes.size()));
        Send(packet);
    }
    void SendAck(uint16_t nBlock)
    {
        CTFTPPacket packet;
        packet.CreateAck(nBlock);
        Send(packet);
    }
    void SendError(uint16_t nCode, const std::string& strMessage)
    {
        CTFTPPacket packet;
        packet.CreateError(nCode, strMessage);
        Send(packet);
    }
    const UDP_ENDPOINT& Client() const { return m_client; }

private:
    static bool ReceiveOn(CUdpSocket& socket, CTFTPPacket& packet, UDP_ENDPOINT& from,
                          int nTimeoutMs)
    {
        packet.Clear();
        if (socket.WaitReadable(nTimeoutMs) != 1)
            return false;
        const ssize_t n =
            socket.RecvFrom(packet.GetData(), CTFTPPacket::TFTP_PACKET_MAX, from, true);
        if (n < 0)
            return false;
        packet.SetSize(static_cast<int>(n));
        return true;
    }

    CUdpSocket m_listen;
    CUdpSocket m_transfer;
    UDP_ENDPOINT m_client;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::string> m_arrFailures;
};

class TftpClientProtocol : public ::testing::Test
{
protected:
    void StartDownload(const std::string& strRemote = "F.CSV")
    {
        m_client.SetServerPort(m_peer.Port());
        ASSERT_EQ(TFTP_RESULT_MORE,
                  m_client.StartTransfer(true, strRemote, LocalPath(), "127.0.0.1"));
    }
    int StartUpload(const std::string& strContent)
    {
        m_dir.WriteFile("up.bin", strContent);
        m_client.SetServerPort(m_peer.Port());
        return m_client.StartTransfer(false, "UP.BIN", LocalPath("up.bin"), "127.0.0.1");
    }
    // Steps until the result is no longer "more"; returns the last result and
    // the results seen on the way.
    int StepToEnd(std::vector<int>* pSeen = nullptr)
    {
        int nResult = TFTP_RESULT_MORE;
        for (int i = 0; i < 200000 && nResult == TFTP_RESULT_MORE; ++i)
        {
            nResult = m_client.Step();
            if (pSeen)
                pSeen->push_back(nResult);
        }
        return nResult;
    }
    std::string LocalPath(const std::string& strName = "local.bin") const
    {
        return (m_dir.Path() / strName).string();
    }
    void ExpectPeerClean()
    {
        m_peer.Join();
        EXPECT_EQ(std::vector<std::string>(), m_peer.Failures());
    }

    CTempDir m_dir;
    CScriptedPeer m_peer;
    CTFTPClient m_client;
};
} // namespace

TEST_F(TftpClientProtocol, RepeatedBlockIsAcknowledgedAgainButWrittenOnce)
{
    const std::string strBlock1 = Pattern(512, 1), strBlock2 = Pattern(512, 2);
    const std::string strBlock3 = Pattern(100, 3);
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket request;
            if (!peer.ReceiveRequest(request) || request.GetOpcode() != TFTP_OPCODE_RRQ)
                return peer.Fail("no read request");
            peer.SendData(1, strBlock1);
            peer.ExpectAck(1);
            peer.SendData(1, strBlock1); // the ACK "got lost": the same block again
            peer.ExpectAck(1);
            peer.SendData(2, strBlock2);
            peer.ExpectAck(2);
            peer.SendData(2, strBlock2);
            peer.ExpectAck(2);
            peer.SendData(3, strBlock3);
            peer.ExpectAck(3);
        });
    StartDownload();
    std::vector<int> arrSeen;
    EXPECT_EQ(TFTP_RESULT_FINISHED, StepToEnd(&arrSeen));
    EXPECT_EQ(5u, arrSeen.size());
    EXPECT_EQ(strBlock1 + strBlock2 + strBlock3, m_dir.ReadFile("local.bin"));
    EXPECT_EQ(1124u, m_client.GetBytesTransferred());
    EXPECT_EQ(TFTP_STATE_IDLE, m_client.GetState());
    ExpectPeerClean();
}

TEST_F(TftpClientProtocol, ThirdConsecutiveRepeatFailsTheStep)
{
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket request;
            peer.ReceiveRequest(request);
            peer.SendData(1, Pattern(512, 1));
            peer.ExpectAck(1);
            for (int i = 0; i < 3; ++i)
                peer.SendData(1, Pattern(512, 1));
            peer.ExpectAck(1);
            peer.ExpectAck(1);
        });
    StartDownload();
    EXPECT_EQ(TFTP_RESULT_MORE, m_client.Step());
    EXPECT_EQ(TFTP_RESULT_MORE, m_client.Step());
    EXPECT_EQ(TFTP_RESULT_MORE, m_client.Step());
    EXPECT_EQ(TFTP_RESULT_FAILED, m_client.Step());
    EXPECT_EQ("Wrong packet number.", m_client.GetErrorText());
    ExpectPeerClean();
}

TEST_F(TftpClientProtocol, ShortRepeatOfAnEarlierBlockDoesNotEndTheDownload)
{
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket request;
            peer.ReceiveRequest(request);
            peer.SendData(1, Pattern(512, 1));
            peer.ExpectAck(1);
            peer.SendData(1, "cut"); // a broken repeat, shorter than the original
            peer.ExpectAck(1);
            peer.SendData(2, "end");
            peer.ExpectAck(2);
        });
    StartDownload();
    std::vector<int> arrSeen;
    EXPECT_EQ(TFTP_RESULT_FINISHED, StepToEnd(&arrSeen));
    EXPECT_EQ((std::vector<int>{2, 2, 3}), arrSeen);
    EXPECT_EQ(Pattern(512, 1) + "end", m_dir.ReadFile("local.bin"));
    ExpectPeerClean();
}

TEST_F(TftpClientProtocol, SkippedBlockFailsAtOnce)
{
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket request;
            peer.ReceiveRequest(request);
            peer.SendData(1, Pattern(512, 1));
            peer.ExpectAck(1);
            peer.SendData(3, Pattern(512, 3));
        });
    StartDownload();
    EXPECT_EQ(TFTP_RESULT_MORE, m_client.Step());
    EXPECT_EQ(TFTP_RESULT_FAILED, m_client.Step());
    EXPECT_EQ("Wrong packet number.", m_client.GetErrorText());
    EXPECT_EQ(512u, m_client.GetBytesTransferred());
    ExpectPeerClean();
}

TEST_F(TftpClientProtocol, SilentServerGetsTheRequestThreeTimesThenTheStepFails)
{
    int nRequests = 0;
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket request;
            while (peer.ReceiveRequest(request, 500))
                ++nRequests;
        });
    m_client.SetTimeout(100);
    StartDownload();
    EXPECT_EQ(TFTP_RESULT_FAILED, m_client.Step());
    EXPECT_EQ("Read wait timeout.\nCan't get packet.", m_client.GetErrorText());
    ExpectPeerClean();
    EXPECT_EQ(3, nRequests);
}

TEST_F(TftpClientProtocol, ServerFallingSilentMidwayGetsTheLastAckResent)
{
    int nAcks = 0;
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket packet;
            peer.ReceiveRequest(packet);
            peer.SendData(1, Pattern(512, 1));
            while (peer.Receive(packet, 500))
                nAcks += packet.IsAck(1) ? 1 : 100;
        });
    m_client.SetTimeout(100);
    StartDownload();
    EXPECT_EQ(TFTP_RESULT_MORE, m_client.Step());
    EXPECT_EQ(TFTP_RESULT_FAILED, m_client.Step());
    EXPECT_EQ("Read wait timeout.\nCan't get packet.", m_client.GetErrorText());
    ExpectPeerClean();
    EXPECT_EQ(3, nAcks); // the first ACK and two resends, nothing else
}

TEST_F(TftpClientProtocol, ErrorAnswerGivesTheCodeLineThenCantGetData)
{
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket request;
            peer.ReceiveRequest(request);
            peer.SendError(1, "File not found");
        });
    StartDownload("NOPE.CSV");
    EXPECT_EQ(TFTP_RESULT_FAILED, m_client.Step());
    EXPECT_EQ("#1:File not found\nCan't get data.", m_client.GetErrorText());
    ExpectPeerClean();
}

TEST_F(TftpClientProtocol, MalformedPacketsAreRefusedWithoutReadingPastThem)
{
    struct SCase
    {
        std::string strBytes;
        std::string strExpected;
    };
    const std::vector<SCase> arrCases = {
        {std::string("\0\3\0", 3), "Can't get data."},              // too short
        {std::string("\0\4\0\1", 4), "Can't get data."},            // an ACK
        {std::string("\0\5\0\2abc", 7), "#2:abc\nCan't get data."}, // no terminating 0
        {std::string("\0\3\0\1", 4) + std::string(513, 'x'), "Can't copy data."},
        {std::string("\0\3\0\1", 4) + std::string(1100, 'x'), "Can't get data."}, // oversize
        // A message without ten characters to spare is not shown; a long one
        // fills the error text, and the next line is cut at its end.
        {std::string("\0\5\0\1", 4) + std::string(1015, 'm'), "Can't get error.\nCan't get data."},
        {std::string("\0\5\0\1", 4) + std::string(1014, 'm'),
         "#1:" + std::string(1014, 'm') + "\nCan't"},
    };
    for (const SCase& test : arrCases)
    {
        CScriptedPeer peer;
        peer.Run(
            [&](CScriptedPeer& p)
            {
                CTFTPPacket request;
                p.ReceiveRequest(request);
                p.SendRaw(test.strBytes);
            });
        CTFTPClient client;
        client.SetServerPort(peer.Port());
        ASSERT_EQ(TFTP_RESULT_MORE, client.StartTransfer(true, "F", LocalPath(), "127.0.0.1"));
        EXPECT_EQ(TFTP_RESULT_FAILED, client.Step());
        EXPECT_EQ(test.strExpected, client.GetErrorText()) << test.strBytes.size() << " bytes";
        peer.Join();
    }
}

TEST_F(TftpClientProtocol, DatagramFromAnotherAddressBeforeTheAnswerIsRejected)
{
    const std::string strBlock = Pattern(300, 4);
    std::string strInjectorGot;
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket packet;
            peer.ReceiveRequest(packet);
            // Another host on the network races the server with a forged block 1.
            CUdpSocket injector;
            injector.Open();
            if (!injector.Bind(Loopback(0, 0x7F000002)))
                return peer.Fail("cannot bind 127.0.0.2");
            CTFTPPacket forged;
            forged.CreateData(1, reinterpret_cast<const unsigned char*>("evil"), 4);
            injector.SendTo(forged.GetData(), static_cast<size_t>(forged.GetSize()), peer.Client());
            if (injector.WaitReadable(PEER_WAIT_MS) == 1)
            {
                UDP_ENDPOINT from;
                const ssize_t n = injector.RecvFrom(packet.GetData(), 1024, from, true);
                strInjectorGot.assign(reinterpret_cast<const char*>(packet.GetData()),
                                      static_cast<size_t>(n > 0 ? n : 0));
            }
            peer.SendData(1, strBlock);
            peer.ExpectAck(1);
        });
    StartDownload();
    EXPECT_EQ(TFTP_RESULT_FINISHED, StepToEnd());
    EXPECT_EQ(strBlock, m_dir.ReadFile("local.bin"));
    EXPECT_EQ(std::string("\0\5\0\5Unknown transfer ID\0", 24), strInjectorGot);
    ExpectPeerClean();
}

TEST_F(TftpClientProtocol, DuplicateAckDoesNotMakeTheUploadSendBlocksTwice)
{
    const std::string strContent = Pattern(1200, 5);
    std::string strReceived;
    int nExtra = -1;
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket request;
            if (!peer.ReceiveRequest(request) || request.GetOpcode() != TFTP_OPCODE_WRQ)
                return peer.Fail("no write request");
            peer.SendAck(0);
            peer.SendAck(0); // a duplicated answer to the request
            strReceived += peer.ExpectData(1);
            peer.SendAck(1);
            peer.SendAck(1); // duplicated ACK: must not bring DATA 2 twice
            strReceived += peer.ExpectData(2);
            peer.SendAck(2);
            strReceived += peer.ExpectData(3);
            peer.SendAck(3);
            nExtra = peer.CountExtra(300);
        });
    m_client.SetTimeout(3000);
    ASSERT_EQ(TFTP_RESULT_MORE, StartUpload(strContent));
    EXPECT_EQ(TFTP_RESULT_FINISHED, StepToEnd());
    EXPECT_EQ(1200u, m_client.GetBytesTransferred());
    ExpectPeerClean();
    EXPECT_EQ(strContent, strReceived);
    EXPECT_EQ(0, nExtra);
}

TEST_F(TftpClientProtocol, UploadWithoutAcksSendsTheBlockFourTimesThenGivesUp)
{
    int nData = 0;
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket packet;
            peer.ReceiveRequest(packet);
            peer.SendAck(0);
            while (peer.Receive(packet, 500))
                nData += (packet.IsData() && packet.GetBlock() == 1) ? 1 : 100;
        });
    m_client.SetTimeout(100);
    ASSERT_EQ(TFTP_RESULT_MORE, StartUpload(Pattern(700, 6)));
    EXPECT_EQ(TFTP_RESULT_FAILED, m_client.Step());
    EXPECT_EQ("Read wait timeout.\nNo answer.", m_client.GetErrorText());
    ExpectPeerClean();
    EXPECT_EQ(4, nData);
}

TEST_F(TftpClientProtocol, UploadEndsAtOnceWhenTheServerSendsAnError)
{
    int nExtra = -1;
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket packet;
            peer.ReceiveRequest(packet);
            peer.SendAck(0);
            peer.ExpectData(1);
            peer.SendError(3, "Disk full or allocation exceeded");
            nExtra = peer.CountExtra(300);
        });
    m_client.SetTimeout(2000);
    ASSERT_EQ(TFTP_RESULT_MORE, StartUpload(Pattern(700, 7)));
    EXPECT_EQ(TFTP_RESULT_FAILED, m_client.Step());
    EXPECT_EQ("#3:Disk full or allocation exceeded", m_client.GetErrorText());
    ExpectPeerClean();
    EXPECT_EQ(0, nExtra);
}

TEST_F(TftpClientProtocol, RefusedWriteRequestFailsTheStart)
{
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket packet;
            peer.ReceiveRequest(packet);
            peer.SendError(2, "Access violation");
        });
    EXPECT_EQ(TFTP_RESULT_FAILED, StartUpload("x"));
    EXPECT_EQ("#2:Access violation", m_client.GetErrorText());
    ExpectPeerClean();
}

TEST_F(TftpClientProtocol, BlockNumbersRollOverAndALateRepeatAcrossTheRolloverIsIgnored)
{
    // 65536 full blocks numbered 1..65535, 0, then a repeat of 65535 and a
    // last short block numbered 1.
    constexpr uint32_t nFullBlocks = 65536;
    m_peer.Run(
        [&](CScriptedPeer& peer)
        {
            CTFTPPacket packet;
            peer.ReceiveRequest(packet);
            std::string strBlock(512, '\0');
            for (uint32_t nBlock = 1; nBlock <= nFullBlocks; ++nBlock)
            {
                std::memcpy(strBlock.data(), &nBlock, sizeof(nBlock));
                peer.SendData(static_cast<uint16_t>(nBlock), strBlock);
                if (!peer.Receive(packet) || !packet.IsAck(static_cast<uint16_t>(nBlock)))
                    return peer.Fail("no ACK for " + std::to_string(nBlock));
            }
            peer.SendData(65535, strBlock);
            peer.ExpectAck(65535);
            peer.SendData(1, "tail");
            peer.ExpectAck(1);
        });
    StartDownload();
    EXPECT_EQ(TFTP_RESULT_FINISHED, StepToEnd());
    ExpectPeerClean();
    EXPECT_EQ(uint64_t{nFullBlocks} * 512 + 4, m_client.GetBytesTransferred());
    const std::string strFile = m_dir.ReadFile("local.bin");
    ASSERT_EQ(uint64_t{nFullBlocks} * 512 + 4, strFile.size());
    for (uint32_t nBlock : {1u, 65535u, 65536u})
    {
        uint32_t nStamp = 0;
        std::memcpy(&nStamp, strFile.data() + (nBlock - 1) * 512, sizeof(nStamp));
        EXPECT_EQ(nBlock, nStamp);
    }
    EXPECT_EQ("tail", strFile.substr(strFile.size() - 4));
}

TEST(TftpClientCalls, StepBeforeStartAndBadStartsGiveTheirLines)
{
    CTFTPClient client;
    EXPECT_EQ(TFTP_RESULT_FAILED, client.Step());
    EXPECT_EQ("Not started.", client.GetErrorText());

    CTempDir dir;
    EXPECT_EQ(TFTP_RESULT_FAILED,
              client.StartTransfer(false, "X", (dir.Path() / "missing").string(), "127.0.0.1"));
    EXPECT_EQ("Can't open file.", client.GetErrorText());

    // The read request's failure carries the write request's text, as it always did.
    EXPECT_EQ(TFTP_RESULT_FAILED, client.StartTransfer(true, std::string(513, 'N'),
                                                       (dir.Path() / "a").string(), "127.0.0.1"));
    EXPECT_EQ("Can't create write req.", client.GetErrorText());
    dir.WriteFile("b", "x");
    EXPECT_EQ(TFTP_RESULT_FAILED, client.StartTransfer(false, std::string(513, 'N'),
                                                       (dir.Path() / "b").string(), "127.0.0.1"));
    EXPECT_EQ("Can't create read req.", client.GetErrorText());

    EXPECT_EQ(TFTP_RESULT_FAILED,
              client.StartTransfer(true, "X", (dir.Path() / "c").string(), "300.1.2.3"));
    EXPECT_EQ("Invalid address.", client.GetErrorText());
}
