// TFTP in orvak-cli: `put`, which sends a local file to the panel's card by
// TFTP, and the --tftp-port option (get, pull and collect fetch through the
// transfers' shared fetch). The panel's TFTP server listens on port 69 unless
// --tftp-port says otherwise; every network wait uses the --timeout value.
#include "CliSession.h"
#include "CliTftpPort.h"
#include "common/NumberText.h"
#include "common/StrFormat.h"
#include "link/CTFTPClient.h"

#include <cstdio>
#include <filesystem>

namespace
{
constexpr const char* OPTION_TFTP_PORT = "--tftp-port";
} // namespace

bool GetTftpPortOption(const CCliContext& ctx, int& nPort)
{
    const std::string strPort =
        ctx.GetOption(OPTION_TFTP_PORT, std::to_string(CTFTPClient::TFTP_SERVER_PORT));
    long nValue = 0;
    if (!ParseIntInRange(strPort, 1, 65535, nValue))
        return false;
    nPort = static_cast<int>(nValue);
    return true;
}

bool ParseTftpPort(const CCliContext& ctx, int& nPort, std::string& strError)
{
    if (GetTftpPortOption(ctx, nPort))
        return true;
    strError = StrFormat("Error: bad TFTP port %s (1 to 65535).",
                         ctx.GetOption(OPTION_TFTP_PORT, "").c_str());
    return false;
}

namespace
{
// Sends the whole file; on failure strError holds the text the program shows:
// the client's lines, then "Error in copying" and the remote name.
bool SendFile(const CCliContext& ctx, const std::string& strLocalPath, const std::string& strRemote,
              std::string& strError)
{
    int nPort = 0;
    if (!ParseTftpPort(ctx, nPort, strError))
        return false;
    CTFTPClient client;
    client.SetServerPort(static_cast<uint16_t>(nPort));
    client.SetTimeout(ctx.m_nReplyTimeoutMs);
    int nResult = client.StartTransfer(false, strRemote, strLocalPath, ctx.m_strHost);
    while (nResult == TFTP_RESULT_MORE)
        nResult = client.Step();
    if (nResult == TFTP_RESULT_FINISHED)
        return true;
    strError =
        StrFormat("%s\nError in copying %s", client.GetErrorText().c_str(), strRemote.c_str());
    return false;
}

int RunPut(const CCliContext& ctx)
{
    const std::string& strLocal = ctx.m_arrArgs[0];
    const std::string& strRemote = ctx.m_arrArgs[1];
    if (!IsPlainRemoteName(strRemote))
        return CLI_EXIT_FAILED;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(strLocal, ec))
    {
        std::fprintf(stderr, "Error: %s is not a file.\n", strLocal.c_str());
        return CLI_EXIT_FAILED;
    }
    std::string strError;
    if (!SendFile(ctx, strLocal, strRemote, strError))
    {
        std::fprintf(stderr, "%s\n", strError.c_str());
        return CLI_EXIT_FAILED;
    }
    return CLI_EXIT_OK;
}

CCliOptionRegistrar s_tftpPort(OPTION_TFTP_PORT, "PORT",
                               "UDP port of the panel's TFTP server (default 69)");
CCliCommandRegistrar s_put("put", "put LOCAL REMOTE", "Send a file to the panel's card by TFTP",
                           &RunPut, 2, 2);
} // namespace
