// TFTP in orvak-cli: the fetch that `get` uses for panels read by TFTP (as the
// program's transfer engine does), and `put`, which sends a local file to the
// panel's card by TFTP. The panel's TFTP server listens on port 69 unless
// --tftp-port says otherwise; every network wait uses the --timeout value.
#include "CliCommand.h"
#include "CliFetch.h"
#include "CliLocalFile.h"
#include "common/StrFormat.h"
#include "link/CTFTPClient.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace
{
constexpr const char* OPTION_TFTP_PORT = "--tftp-port";
} // namespace

bool GetTftpPortOption(const CCliContext& ctx, int& nPort)
{
    const std::string strPort =
        ctx.GetOption(OPTION_TFTP_PORT, std::to_string(CTFTPClient::TFTP_SERVER_PORT));
    char* pEnd = nullptr;
    const long nValue = std::strtol(strPort.c_str(), &pEnd, 10);
    if (strPort.empty() || *pEnd != 0 || nValue < 1 || nValue > 65535)
        return false;
    nPort = static_cast<int>(nValue);
    return true;
}

namespace
{
bool ParseTftpPort(const CCliContext& ctx, uint16_t& nPort, std::string& strError)
{
    int nValue = 0;
    if (!GetTftpPortOption(ctx, nValue))
    {
        strError = StrFormat("Error: bad TFTP port %s (1 to 65535).",
                             ctx.GetOption(OPTION_TFTP_PORT, "").c_str());
        return false;
    }
    nPort = static_cast<uint16_t>(nValue);
    return true;
}

// Runs one whole transfer; on failure strError holds the text the program
// shows: the client's lines, then "Error in copying" and the remote name.
bool RunTransfer(const CCliContext& ctx, bool bDownload, const std::string& strRemote,
                 const std::string& strLocalPath, uint64_t nMaxBytes, std::string& strError)
{
    uint16_t nPort = 0;
    if (!ParseTftpPort(ctx, nPort, strError))
        return false;
    CTFTPClient client;
    client.SetServerPort(nPort);
    client.SetTimeout(ctx.m_nReplyTimeoutMs);
    client.SetSizeLimit(nMaxBytes);
    int nResult = client.StartTransfer(bDownload, strRemote, strLocalPath, ctx.m_strHost);
    while (nResult == TFTP_RESULT_MORE)
        nResult = client.Step();
    if (nResult == TFTP_RESULT_FINISHED)
        return true;
    strError =
        StrFormat("%s\nError in copying %s", client.GetErrorText().c_str(), strRemote.c_str());
    return false;
}

bool FetchByTftp(const CCliContext& ctx, const std::string& strRemote,
                 const std::string& strLocalPath, uint64_t nMaxBytes, std::string& strError)
{
    return RunTransfer(ctx, true, strRemote, strLocalPath, nMaxBytes, strError);
}

int RunPut(const CCliContext& ctx)
{
    const std::string& strLocal = ctx.m_arrArgs[0];
    const std::string& strRemote = ctx.m_arrArgs[1];
    if (!IsSafeRemoteName(strRemote))
    {
        std::fprintf(stderr, "Error: \"%s\" is not a plain file name.\n", strRemote.c_str());
        return CLI_EXIT_FAILED;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(strLocal, ec))
    {
        std::fprintf(stderr, "Error: %s is not a file.\n", strLocal.c_str());
        return CLI_EXIT_FAILED;
    }
    std::string strError;
    if (!RunTransfer(ctx, false, strRemote, strLocal, TFTP_MAX_FILE_SIZE, strError))
    {
        std::fprintf(stderr, "%s\n", strError.c_str());
        return CLI_EXIT_FAILED;
    }
    return CLI_EXIT_OK;
}

CCliTftpFetchRegistrar s_fetch(&FetchByTftp);
CCliOptionRegistrar s_tftpPort(OPTION_TFTP_PORT, "PORT",
                               "UDP port of the panel's TFTP server (default 69)");
CCliCommandRegistrar s_put("put", "put LOCAL REMOTE", "Send a file to the panel's card by TFTP",
                           &RunPut, 2, 2);
} // namespace
