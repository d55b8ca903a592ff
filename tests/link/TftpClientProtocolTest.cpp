// Protocol edge cases no real server produces on demand: a scripted peer in a
// thread plays the server step by step (repeated and skipped blocks, silence,
// duplicate ACKs, datagrams from strangers, malformed packets, block numbers
// past 65535) while the client is stepped to its end.
#include "LinkTestSupport.h"
#include "link/CTFTPPacket.h"
#include "link/CUdpSocket.h"

#include <cstring>
#include <gtest/gtest.h>
#include <thread>

namespace
{
// One step of the scripted server. Send: 'D' DATA, 'A' ACK, 'E' ERROR (code
// nNumber, message strBytes), 'R' raw bytes. Expect: 'a' ACK, 'd' DATA (its
// payload is kept). 'c' counts the identical datagrams that still come, 'q'
// the repeated requests. 'X' has a stranger at address strBytes send DATA
// nNumber and expects the client to turn it away.
struct SStep
{
    char cOp;
    uint16_t nNumber = 0;
    std::string strBytes = {};
};

struct SCase
{
    const char* pszWhat;
    std::string strUpload; // empty: a download
    int nTimeoutMs;
    std::vector<SStep> arrSteps;
    std::string strResults; // start, then each step: M more, F finished, X failed
    std::string strError = {};
    std::string strContent = {}; // the file (download) or what the server got (upload)
    int nCount = 0;              // of the 'c' and 'q' steps
};

UDP_ENDPOINT Loopback(const char* pszAddress = "127.0.0.1")
{
    UDP_ENDPOINT endpoint;
    UDP_ENDPOINT::Parse(pszAddress, 0, endpoint);
    return endpoint;
}

std::string Receive(CUdpSocket& socket, UDP_ENDPOINT& from, int nTimeoutMs = 5000)
{
    char arrBuffer[2048];
    if (socket.WaitReadable(nTimeoutMs) != 1)
        return std::string();
    const ssize_t n = socket.RecvFrom(arrBuffer, sizeof(arrBuffer), from, true);
    return std::string(arrBuffer, static_cast<size_t>(n > 0 ? n : 0));
}

std::string Packet(char cOp, uint16_t nNumber, const std::string& strBytes = "")
{
    const std::string strHead = {0, cOp, static_cast<char>(nNumber >> 8),
                                 static_cast<char>(nNumber)};
    return strHead + strBytes + (cOp == 5 ? std::string(1, '\0') : "");
}

// The scripted server: listens on a "well-known" port and answers from its
// own transfer port.
struct SScriptedServer
{
    SScriptedServer()
    {
        listen.Open();
        listen.Bind(Loopback());
        transfer.Open();
        transfer.Bind(Loopback());
    }

    void Serve(const SCase& c)
    {
        const std::string strRequest = Receive(listen, client);
        if (strRequest.size() < 2 || strRequest[1] != (c.strUpload.empty() ? 1 : 2))
            strFailures += "no request; ";
        UDP_ENDPOINT from;
        for (const SStep& s : c.arrSteps)
        {
            const std::string strWhat = std::string(1, s.cOp) + std::to_string(s.nNumber) + "; ";
            if (s.cOp == 'D' || s.cOp == 'A' || s.cOp == 'E')
                Send(Packet(s.cOp == 'D' ? 3 : s.cOp == 'A' ? 4 : 5, s.nNumber, s.strBytes));
            else if (s.cOp == 'R')
                Send(s.strBytes);
            else if (s.cOp == 'a' && Receive(transfer, from) != Packet(4, s.nNumber))
                strFailures += "expected " + strWhat;
            else if (s.cOp == 'd')
            {
                const std::string str = Receive(transfer, from);
                if (str.substr(0, 4) != Packet(3, s.nNumber))
                    strFailures += "expected " + strWhat;
                strReceived += str.size() > 4 ? str.substr(4) : "";
            }
            else if (s.cOp == 'c' || s.cOp == 'q')
            {
                std::string strFirst, str;
                while (!(str = Receive(s.cOp == 'c' ? transfer : listen, from, 500)).empty())
                {
                    ++nCount;
                    strFirst = strFirst.empty() ? str : strFirst;
                    if (str != strFirst)
                        strFailures += "a different datagram; ";
                }
            }
            else if (s.cOp == 'X')
            {
                CUdpSocket stranger;
                stranger.Open();
                if (!stranger.Bind(Loopback(s.strBytes.c_str())))
                    strFailures += "cannot bind " + s.strBytes + "; ";
                const std::string strForged = Packet(3, s.nNumber, std::string(512, 'X'));
                stranger.SendTo(strForged.data(), strForged.size(), client);
                if (Receive(stranger, from) != Packet(5, 5, "Unknown transfer ID"))
                    strFailures += "the stranger was not turned away; ";
            }
        }
    }
    void Send(const std::string& str) { transfer.SendTo(str.data(), str.size(), client); }

    CUdpSocket listen, transfer;
    UDP_ENDPOINT client;
    std::string strFailures, strReceived;
    int nCount = 0;
};

// Runs the client against the script, checks the outcome and returns the local file.
std::string RunCase(const SCase& c)
{
    SCOPED_TRACE(c.pszWhat);
    CTempDir dir;
    SScriptedServer server;
    std::thread thread([&] { server.Serve(c); });
    const std::string strLocal = (dir.Path() / "local.bin").string();
    if (!c.strUpload.empty())
        dir.WriteFile("local.bin", c.strUpload);
    CTFTPClient client;
    client.SetTimeout(c.nTimeoutMs);
    client.SetServerPort(server.listen.GetLocalPort());
    std::string strResults;
    for (int nResult = client.StartTransfer(c.strUpload.empty(), "F.CSV", strLocal, "127.0.0.1");;
         nResult = client.Step())
    {
        strResults += nResult == TFTP_RESULT_MORE       ? 'M'
                      : nResult == TFTP_RESULT_FINISHED ? 'F'
                                                        : 'X';
        if (nResult != TFTP_RESULT_MORE)
            break;
    }
    thread.join();
    EXPECT_EQ(strResults, c.strResults);
    EXPECT_EQ(client.GetErrorText(), c.strError);
    EXPECT_EQ(server.strFailures, "");
    EXPECT_EQ(server.nCount, c.nCount);
    if (c.strError.empty() || !c.strContent.empty())
    {
        EXPECT_EQ(client.GetBytesTransferred(), c.strContent.size());
    }
    const std::string strFile = dir.ReadFile("local.bin");
    if (c.strError.empty())
    {
        EXPECT_TRUE((c.strUpload.empty() ? strFile : server.strReceived) == c.strContent);
        EXPECT_EQ(client.GetState(), TFTP_STATE_IDLE);
    }
    return strFile;
}

const std::string B1 = PatternBytes(512, 1), B2 = PatternBytes(512, 2), B3 = PatternBytes(100, 3);
const char* const TIMED_OUT = "Read wait timeout.\nCan't get packet.";
} // namespace

TEST(TftpClientProtocol, ScriptedServers)
{
    const std::string strUp = PatternBytes(1200, 5);
    const SCase arrCases[] = {
        // A repeated block (its ACK "got lost") is acknowledged again but written once.
        {"repeated blocks",
         "",
         2000,
         {{'D', 1, B1},
          {'a', 1},
          {'D', 1, B1},
          {'a', 1},
          {'D', 2, B2},
          {'a', 2},
          {'D', 2, B2},
          {'a', 2},
          {'D', 3, B3},
          {'a', 3}},
         "MMMMMF",
         "",
         B1 + B2 + B3},
        {"third repeat in a row",
         "",
         2000,
         {{'D', 1, B1}, {'a', 1}, {'D', 1, B1}, {'D', 1, B1}, {'D', 1, B1}, {'a', 1}, {'a', 1}},
         "MMMMX",
         "Wrong packet number."},
        {"short repeat of an earlier block",
         "",
         2000,
         {{'D', 1, B1}, {'a', 1}, {'D', 1, "cut"}, {'a', 1}, {'D', 2, "end"}, {'a', 2}},
         "MMMF",
         "",
         B1 + "end"},
        {"skipped block",
         "",
         2000,
         {{'D', 1, B1}, {'a', 1}, {'D', 3, B1}},
         "MMX",
         "Wrong packet number.",
         B1},
        {"silent server: the request is sent three times",
         "",
         100,
         {{'q'}},
         "MX",
         TIMED_OUT,
         "",
         2},
        {"server falls silent: the last ACK is resent twice",
         "",
         100,
         {{'D', 1, B1}, {'c'}},
         "MMX",
         TIMED_OUT,
         "",
         3},
        {"error answer",
         "",
         2000,
         {{'E', 1, "File not found"}},
         "MX",
         "#1:File not found\nCan't get data."},
        // Malformed packets are refused without reading past them.
        {"too short", "", 2000, {{'R', 0, std::string("\0\3\0", 3)}}, "MX", "Can't get data."},
        {"an ACK", "", 2000, {{'R', 0, std::string("\0\4\0\1", 4)}}, "MX", "Can't get data."},
        {"error without its 0",
         "",
         2000,
         {{'R', 0, std::string("\0\5\0\2abc", 7)}},
         "MX",
         "#2:abc\nCan't get data."},
        {"513 bytes of data",
         "",
         2000,
         {{'D', 1, std::string(513, 'x')}},
         "MX",
         "Can't copy data."},
        {"oversize", "", 2000, {{'D', 1, std::string(1100, 'x')}}, "MX", "Can't get data."},
        // A message without ten characters to spare is not shown; a long one
        // fills the error text, and the next line is cut at its end.
        {"error message of 1015",
         "",
         2000,
         {{'R', 0, std::string("\0\5\0\1", 4) + std::string(1015, 'm')}},
         "MX",
         "Can't get error.\nCan't get data."},
        {"error message of 1014",
         "",
         2000,
         {{'R', 0, std::string("\0\5\0\1", 4) + std::string(1014, 'm')}},
         "MX",
         "#1:" + std::string(1014, 'm') + "\nCan't"},
        // Transfer IDs: a stranger racing the server, or sending mid-transfer.
        {"another address before the answer",
         "",
         2000,
         {{'X', 1, "127.0.0.2"}, {'D', 1, B3}, {'a', 1}},
         "MF",
         "",
         B3},
        {"another port mid-transfer",
         "",
         2000,
         {{'D', 1, B1}, {'a', 1}, {'X', 2, "127.0.0.1"}, {'D', 2, B3}, {'a', 2}},
         "MMF",
         "",
         B1 + B3},
        // Uploads: a duplicated ACK never brings a block twice.
        {"duplicate ACKs",
         strUp,
         3000,
         {{'A', 0},
          {'A', 0},
          {'d', 1},
          {'A', 1},
          {'A', 1},
          {'d', 2},
          {'A', 2},
          {'d', 3},
          {'A', 3},
          {'c'}},
         "MMMF",
         "",
         strUp,
         0},
        {"no ACKs: the block is sent four times",
         strUp,
         100,
         {{'A', 0}, {'c'}},
         "MX",
         "Read wait timeout.\nNo answer.",
         "",
         4},
        {"error during the upload",
         strUp,
         2000,
         {{'A', 0}, {'d', 1}, {'E', 3, "Disk full or allocation exceeded"}, {'c'}},
         "MX",
         "#3:Disk full or allocation exceeded"},
        {"refused write request",
         "x",
         2000,
         {{'E', 2, "Access violation"}},
         "X",
         "#2:Access violation"},
    };
    for (const SCase& c : arrCases)
        RunCase(c);
}

// tftpd-hpa numbers the block after 65535 as 0; the client follows, so a file
// above 32 MB arrives whole, and a late repeat across the rollover is ignored.
TEST(TftpClientProtocol, BlockNumbersRollOver)
{
    constexpr uint32_t nFullBlocks = 65536;
    SCase c{"rollover", "", 2000, {}, "M" + std::string(nFullBlocks + 1, 'M') + "F", ""};
    std::string strBlock(512, '\0');
    for (uint32_t nBlock = 1; nBlock <= nFullBlocks; ++nBlock)
    {
        std::memcpy(strBlock.data(), &nBlock, sizeof(nBlock));
        c.arrSteps.push_back({'D', static_cast<uint16_t>(nBlock), strBlock});
        c.arrSteps.push_back({'a', static_cast<uint16_t>(nBlock)});
        c.strContent += strBlock;
    }
    c.arrSteps.insert(c.arrSteps.end(),
                      {{'D', 65535, strBlock}, {'a', 65535}, {'D', 1, "tail"}, {'a', 1}});
    c.strContent += "tail";
    RunCase(c);
}

TEST(TftpClientProtocol, StepBeforeStartAndBadStartsGiveTheirLines)
{
    CTFTPClient client;
    EXPECT_EQ(TFTP_RESULT_FAILED, client.Step());
    EXPECT_EQ("Not started.", client.GetErrorText());
    CTempDir dir;
    dir.WriteFile("b", "x");
    const struct
    {
        bool bDownload;
        std::string strRemote;
        const char* pszLocal;
        const char* pszAddress;
        const char* pszError;
    } arrCases[] = {
        {false, "X", "missing", "127.0.0.1", "Can't open file."},
        // The read request's failure carries the write request's text, as it always did.
        {true, std::string(513, 'N'), "a", "127.0.0.1", "Can't create write req."},
        {false, std::string(513, 'N'), "b", "127.0.0.1", "Can't create read req."},
        {true, "X", "c", "300.1.2.3", "Invalid address."},
    };
    for (const auto& c : arrCases)
    {
        EXPECT_EQ(TFTP_RESULT_FAILED,
                  client.StartTransfer(c.bDownload, c.strRemote, (dir.Path() / c.pszLocal).string(),
                                       c.pszAddress));
        EXPECT_EQ(c.pszError, client.GetErrorText());
    }
}
