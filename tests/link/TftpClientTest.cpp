// The TFTP client against a scripted server in a thread, then the simulator's and tftpd-hpa's.
#include "LinkTestSupport.h"
#include "link/CTFTPPacket.h"
#include "link/CUdpSocket.h"
#include "support/TftpPeers.h"

#include <cctype>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <thread>

namespace
{
// Send: 'D' DATA, 'A' ACK, 'E' ERROR (code, message), 'R' raw bytes. Expect: 'a' ACK, 'd' DATA
// (its payload kept), 'e' ERROR. 'c' counts the identical datagrams still coming, 'q' the
// repeated requests. 'X': a stranger at address strBytes sends DATA, and must be turned away.
struct SStep
{
    char cOp;
    uint16_t nNumber = 0;
    std::string strBytes = {};
};

// The client's results are M more, F finished, X failed: at the start, then at each step.
struct SCase
{
    const char* pszUpload; // a payload; empty: a download
    const char* pszScript;
    std::string strResults;
    std::string strError;        // on a time-out the client waits 100 ms, otherwise 3 s
    const char* pszContent = ""; // the file (download) or what the server got (upload)
    int nCount = 0;              // of the 'c' and 'q' steps
    uint64_t nSizeLimit = TFTP_MAX_FILE_SIZE;
};

// Payloads named in the scripts; any other name stands for itself.
const std::map<std::string, std::string> PAYLOADS = {
    {"B1", PatternBytes(512, 1)},
    {"B2", PatternBytes(512, 2)},
    {"B3", PatternBytes(100, 3)},
    {"UP", PatternBytes(1200, 5)},
    {"DISKFULL", "Disk full or allocation exceeded"},
    {"DENIED", "Access violation"},
    {"SHORT", std::string("\0\3\0", 3)},
    {"NOZERO", std::string("\0\5\0\2abc", 7)},
    {"X513", std::string(513, 'x')},
    {"X1100", std::string(1100, 'x')},
    {"M1014", std::string("\0\5\0\1", 4) + std::string(1014, 'm')},
    {"M1015", std::string("\0\5\0\1", 4) + std::string(1015, 'm')}};

std::string Payload(const std::string& strNames) // names joined by '+'
{
    std::string str;
    std::istringstream in(strNames);
    for (std::string strName; std::getline(in, strName, '+');)
        str += PAYLOADS.count(strName) ? PAYLOADS.at(strName) : strName;
    return str;
}

// Steps written as "D1:B1 a1 c": the operation, its number, ':' and a payload.
std::vector<SStep> Script(const std::string& strScript)
{
    std::vector<SStep> arrSteps;
    std::istringstream in(strScript);
    for (std::string strToken; in >> strToken;)
    {
        const size_t nColon = strToken.find(':');
        arrSteps.push_back(
            {strToken[0], static_cast<uint16_t>(std::atoi(&strToken[1])),
             nColon == std::string::npos ? "" : Payload(strToken.substr(nColon + 1))});
    }
    return arrSteps;
}

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

// The scripted server: listens on a "well-known" port and answers from its own transfer port.
struct SScriptedServer
{
    SScriptedServer()
    {
        listen.Open();
        listen.Bind(Loopback());
        transfer.Open();
        transfer.Bind(Loopback());
    }

    void Serve(bool bUpload, const std::vector<SStep>& arrSteps)
    {
        const std::string strRequest = Receive(listen, client);
        if (strRequest.size() < 2 || strRequest[1] != (bUpload ? 2 : 1))
            strFailures += "no request; ";
        UDP_ENDPOINT from;
        const std::map<char, char> mapOpcodes = {{'D', 3}, {'A', 4}, {'E', 5}, {'R', 0},
                                                 {'d', 3}, {'a', 4}, {'e', 5}};
        for (const SStep& s : arrSteps)
        {
            const char cOpcode = mapOpcodes.count(s.cOp) ? mapOpcodes.at(s.cOp) : 0;
            const std::string strHead = Packet(cOpcode, s.nNumber).substr(0, 4);
            if (std::isupper(s.cOp) && s.cOp != 'X')
                Send(s.cOp == 'R' ? s.strBytes : Packet(cOpcode, s.nNumber, s.strBytes));
            else if (cOpcode != 0) // an ACK is its header alone
            {
                const std::string str = Receive(transfer, from);
                if ((s.cOp == 'a' ? str : str.substr(0, 4)) != strHead)
                    strFailures += std::string("expected ") + s.cOp + "; ";
                strReceived += s.cOp == 'd' ? str.substr(std::min<size_t>(4, str.size())) : "";
            }
            else if (s.cOp == 'c' || s.cOp == 'q')
            {
                std::string strFirst, str;
                while (!(str = Receive(s.cOp == 'c' ? transfer : listen, from, 500)).empty())
                {
                    ++nCount;
                    strFirst = strFirst.empty() ? str : strFirst;
                    strFailures += str != strFirst ? "a different datagram; " : "";
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

// Runs the client against the case's script (or the steps given) and checks the outcome.
void RunCase(const SCase& c, std::vector<SStep> arrSteps = {}, const std::string& strContent = "")
{
    SCOPED_TRACE(c.pszScript);
    const std::string strUpload = Payload(c.pszUpload);
    const std::string strExpected = arrSteps.empty() ? Payload(c.pszContent) : strContent;
    if (arrSteps.empty())
        arrSteps = Script(c.pszScript);
    CTempDir dir;
    SScriptedServer server;
    std::thread thread([&] { server.Serve(!strUpload.empty(), arrSteps); });
    if (!strUpload.empty())
        dir.WriteFile("local.bin", strUpload);
    CTFTPClient client;
    client.SetTimeout(c.strError.find("timeout") != std::string::npos ? 100 : 3000);
    client.SetSizeLimit(c.nSizeLimit);
    client.SetServerPort(server.listen.GetLocalPort());
    const auto fnLetter = [](int n) {
        return n == TFTP_RESULT_MORE ? 'M' : n == TFTP_RESULT_FINISHED ? 'F' : 'X';
    };
    int nResult = client.StartTransfer(strUpload.empty(), "F.CSV",
                                       (dir.Path() / "local.bin").string(), "127.0.0.1");
    std::string strResults(1, fnLetter(nResult));
    while (nResult == TFTP_RESULT_MORE)
        strResults += fnLetter(nResult = client.Step());
    thread.join();
    EXPECT_EQ(strResults, c.strResults);
    EXPECT_EQ(client.GetErrorText(), c.strError);
    EXPECT_EQ(server.strFailures, "");
    EXPECT_EQ(server.nCount, c.nCount);
    if (c.strError.empty() || !strExpected.empty())
    {
        EXPECT_EQ(client.GetBytesTransferred(), strExpected.size());
    }
    if (!c.strError.empty())
        return;
    EXPECT_TRUE((strUpload.empty() ? dir.ReadFile("local.bin") : server.strReceived) ==
                strExpected);
    EXPECT_EQ(client.GetState(), TFTP_STATE_IDLE);
}

const char* const TIMED_OUT = "Read wait timeout.\nCan't get packet.";
} // namespace

TEST(TftpClientProtocol, ScriptedServers)
{
    const SCase arrCases[] = {
        // A repeated block (its ACK "got lost"), short or not, is acknowledged again, written once.
        {"", "D1:B1 a1 D1:cut a1 D2:B2 a2 D2:B2 a2 D3:B3 a3", "MMMMMF", "", "B1+B2+B3"},
        {"", "D1:B1 a1 D1:B1 D1:B1 D1:B1 a1 a1", "MMMMX", "Wrong packet number."}, // third
        {"", "D1:B1 a1 D3:B1", "MMX", "Wrong packet number.", "B1"},               // skipped
        // Silence: the request is sent three times; the last ACK is resent twice.
        {"", "q", "MX", TIMED_OUT, "", 2},
        {"", "D1:B1 c", "MMX", TIMED_OUT, "", 3},
        // Past its size limit the client tells the server to stop.
        {"", "D1:B1 a1 D2:B2 e3", "MMX", "Error: The panel sent more than 600 bytes for this file.",
         "", 0, 600},
        // Malformed packets are refused without reading past them.
        {"", "R:SHORT", "MX", "Can't get data."},
        {"", "R:NOZERO", "MX", "#2:abc\nCan't get data."},
        {"", "D1:X513", "MX", "Can't copy data."},
        {"", "D1:X1100", "MX", "Can't get data."},
        // A message without ten characters to spare is not shown; a long one
        // fills the error text, and the next line is cut at its end.
        {"", "R:M1015", "MX", "Can't get error.\nCan't get data."},
        {"", "R:M1014", "MX", "#1:" + std::string(1014, 'm') + "\nCan't"},
        // Transfer IDs: a stranger racing the server, or sending mid-transfer.
        {"", "X1:127.0.0.2 D1:B3 a1", "MF", "", "B3"},
        {"", "D1:B1 a1 X2:127.0.0.1 D2:B3 a2", "MMF", "", "B1+B3"},
        // Uploads: a duplicated ACK never brings a block twice; without ACKs the block is
        // sent four times.
        {"UP", "A0 A0 d1 A1 A1 d2 A2 d3 A3 c", "MMMF", "", "UP"},
        {"UP", "A0 c", "MX", "Read wait timeout.\nNo answer.", "", 4},
        {"UP", "A0 d1 E3:DISKFULL c", "MX", "#3:Disk full or allocation exceeded"},
        {"x", "E2:DENIED", "X", "#2:Access violation"},
    };
    for (const SCase& c : arrCases)
        RunCase(c);
}

// After block 65535 comes 0: a file above 32 MB arrives whole; a late repeat is ignored.
TEST(TftpClientProtocol, BlockNumbersRollOver)
{
    std::vector<SStep> arrSteps;
    std::string strBlock(512, '\0'), strContent;
    for (uint32_t nBlock = 1; nBlock <= 65536; ++nBlock)
    {
        std::memcpy(strBlock.data(), &nBlock, sizeof(nBlock));
        arrSteps.insert(arrSteps.end(), {{'D', static_cast<uint16_t>(nBlock), strBlock},
                                         {'a', static_cast<uint16_t>(nBlock)}});
        strContent += strBlock;
    }
    arrSteps.insert(arrSteps.end(),
                    {{'D', 65535, strBlock}, {'a', 65535}, {'D', 1, "tail"}, {'a', 1}});
    RunCase({"", "(rollover)", "M" + std::string(65537, 'M') + "F", ""}, std::move(arrSteps),
            strContent + "tail");
}

// Building stops at the buffer's end and marks the packet invalid.
TEST(TftpPacket, BuildingStopsAtTheBuffer)
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
    ASSERT_TRUE(packet.CreateRequest(TFTP_OPCODE_RRQ, "41225A07.CSV")); // in octet mode
    EXPECT_EQ(std::string("\000\00141225A07.CSV\000octet\000", 21),
              std::string(reinterpret_cast<const char*>(packet.GetData()), packet.GetSize()));
    EXPECT_FALSE(packet.CreateData(1, reinterpret_cast<const unsigned char*>(strRun.data()), 513));
}

TEST(TftpClientProtocol, StepBeforeStartAndBadStartsGiveTheirLines)
{
    CTFTPClient client;
    EXPECT_EQ(TFTP_RESULT_FAILED, client.Step());
    EXPECT_EQ("Not started.", client.GetErrorText());
    CTempDir dir;
    dir.WriteFile("b", "x");
    const std::tuple<bool, std::string, const char*, const char*, const char*> arrCases[] = {
        {false, "X", "missing", "127.0.0.1", "Can't open file."},
        // The read request's failure carries the write request's text, as it always did.
        {true, std::string(513, 'N'), "a", "127.0.0.1", "Can't create write req."},
        {false, std::string(513, 'N'), "b", "127.0.0.1", "Can't create read req."},
        {true, "X", "c", "300.1.2.3", "Invalid address."},
    };
    for (const auto& [bDownload, strRemote, pszLocal, pszAddress, pszError] : arrCases)
    {
        EXPECT_EQ(TFTP_RESULT_FAILED,
                  client.StartTransfer(bDownload, strRemote, (dir.Path() / pszLocal).string(),
                                       pszAddress));
        EXPECT_EQ(pszError, client.GetErrorText());
    }
}

// Sizes around the block boundary both ways; then dropped packets, recovered by resends.
TEST(TftpClientSim, WholeTransfersBothWays)
{
    const std::pair<std::vector<size_t>, const char*> arrRuns[] = {
        {{0, 511, 512, 513, 1024, 3 * 1024 * 1024 + 77}, ""},
        {{8 * 512 + 100}, "--tftp-drop-every 4"}};
    CTempDir local;
    for (const auto& [arrSizes, pszArgs] : arrRuns)
        for (const bool bDownload : {true, false})
        {
            CSimPanel panel;
            for (const size_t nSize : arrSizes)
                panel.Card().WriteFile("D" + std::to_string(nSize), PatternBytes(nSize, nSize));
            panel.Start(Words(pszArgs), true);
            for (const size_t nSize : arrSizes)
            {
                const std::string strName = (bDownload ? "D" : "U") + std::to_string(nSize);
                if (!bDownload)
                    local.WriteFile(strName, PatternBytes(nSize, nSize + 9));
                CTFTPClient client;
                client.SetTimeout(700);
                client.SetServerPort(static_cast<uint16_t>(panel.TftpPort()));
                int nResult = client.StartTransfer(bDownload, strName,
                                                   (local.Path() / strName).string(), "127.0.0.1");
                while (nResult == TFTP_RESULT_MORE)
                    nResult = client.Step();
                EXPECT_EQ(TFTP_RESULT_FINISHED, nResult)
                    << strName << ": " << client.GetErrorText();
                EXPECT_EQ(nSize, client.GetBytesTransferred());
                EXPECT_EQ(TFTP_STATE_IDLE, client.GetState());
                EXPECT_TRUE(local.ReadFile(strName) == panel.Card().ReadFile(strName)) << strName;
            }
        }
}

// A real peer: tftpd-hpa serves a file of many blocks with a short last one.
TEST(TftpInterop, ClientDownloadsFromTftpd)
{
    const std::string strWhy = tftp_peers::CTftpdProcess::WhyUnavailable();
    if (!strWhy.empty())
        GTEST_SKIP() << "tftpd-hpa interoperability not tested: " << strWhy;
    CTempDir served, local;
    const std::string strContent = PatternBytes(700 * 1024 + 3, 7);
    served.WriteFile("D.BIN", strContent);
    tftp_peers::CTftpdProcess server(served.Path());
    ASSERT_NE(0, server.Port()) << "in.tftpd did not start";
    CTFTPClient client;
    client.SetServerPort(static_cast<uint16_t>(server.Port()));
    int nResult = client.StartTransfer(true, "D.BIN", (local.Path() / "d").string(), "127.0.0.1");
    while (nResult == TFTP_RESULT_MORE)
        nResult = client.Step();
    EXPECT_EQ(TFTP_RESULT_FINISHED, nResult) << client.GetErrorText();
    EXPECT_TRUE(local.ReadFile("d") == strContent);
}
