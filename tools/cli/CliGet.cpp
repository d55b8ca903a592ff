// get: copy one remote file to the computer. Panels that allow it are read
// through the file commands (open, blocks of at most 254 bytes, close), the
// others by TFTP once a TFTP fetch is installed (CliFetch.h). The target only
// ever appears complete.
#include "CliFetch.h"
#include "CliLocalFile.h"
#include "CliSession.h"
#include "common/StrFormat.h"
#include "filemanager/logic/FetchCheck.h"
#include "link/CTFTPClient.h"

#include <cstdio>
#include <filesystem>

namespace
{
CliTftpFetchFn g_pfnTftpFetch = nullptr;
constexpr const char* OPTION_TFTP = "--tftp";

constexpr unsigned long BLOCK_CAPACITY = 255;

bool FetchByMessageCodes(CCliSession& session, const std::string& strRemote, int64_t nListedSize,
                         CCliLocalFile& local)
{
    unsigned long nSize = 0;
    if (!session.Files().OpenRemoteFileSize(strRemote, &nSize))
    {
        session.Fail(StrFormat("Unable to open file %s", strRemote.c_str()));
        return false;
    }
    std::string strError;
    uint64_t nBytes = 0;
    while (nBytes < nSize)
    {
        unsigned char arrBlock[BLOCK_CAPACITY];
        unsigned long nLen = sizeof(arrBlock);
        if (!session.Files().ReadFileBlock(arrBlock, &nLen))
        {
            session.Fail(StrFormat("Unable to read file %s", strRemote.c_str()));
            return false;
        }
        if (nLen == 0)
            break;
        if (!local.Write(arrBlock, nLen, strError))
        {
            std::fprintf(stderr, "%s\n", strError.c_str());
            return false;
        }
        nBytes += nLen;
    }
    session.Files().CloseRemoteFile();
    const std::string strIncomplete = IncompleteFetchReason(nBytes, nSize, nListedSize);
    if (strIncomplete.empty())
        return true;
    std::fprintf(stderr, "Unable to read file %s\n%s\n", strRemote.c_str(), strIncomplete.c_str());
    return false;
}

bool FetchByTftp(const CCliContext& ctx, const std::string& strRemote, int64_t nListedSize,
                 CCliLocalFile& local)
{
    if (!g_pfnTftpFetch)
    {
        std::fprintf(stderr, "Error: This panel is read by TFTP, which this orvak-cli does not "
                             "include.\n");
        return false;
    }
    local.CloseTemp();
    std::string strError;
    if (g_pfnTftpFetch(ctx, strRemote, local.TempPath(), TftpDownloadLimit(nListedSize), strError))
        return true;
    std::fprintf(stderr, "%s\n",
                 strError.empty() ? "Error: TFTP transfer failed." : strError.c_str());
    return false;
}

int RunGet(const CCliContext& ctx)
{
    const std::string& strRemote = ctx.m_arrArgs[0];
    if (!IsSafeRemoteName(strRemote))
    {
        std::fprintf(stderr, "Error: \"%s\" is not a plain file name.\n", strRemote.c_str());
        return CLI_EXIT_FAILED;
    }
    std::filesystem::path target = ctx.m_arrArgs.size() > 1 ? ctx.m_arrArgs[1] : strRemote;
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        target /= strRemote;

    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    CCliLocalFile local(target.string());
    std::string strError;
    if (!local.Create(strError))
    {
        std::fprintf(stderr, "%s\n", strError.c_str());
        return CLI_EXIT_FAILED;
    }
    // The listing's size tells a short delivery and bounds a TFTP download.
    const int64_t nListedSize = session.ListedSize(strRemote);
    // As the program decides: TFTP for panels that cannot take the file reads,
    // or when the user asks for it.
    const bool bUseTftp = !CanBackupCsvFiles() || ctx.m_mapOptions.count(OPTION_TFTP) != 0;
    const bool bFetched = bUseTftp ? FetchByTftp(ctx, strRemote, nListedSize, local)
                                   : FetchByMessageCodes(session, strRemote, nListedSize, local);
    if (!bFetched)
        return CLI_EXIT_FAILED;
    if (!local.Commit(strError))
    {
        std::fprintf(stderr, "%s\n", strError.c_str());
        return CLI_EXIT_FAILED;
    }
    return CLI_EXIT_OK;
}

CCliOptionRegistrar s_tftp(OPTION_TFTP, "", "read files for get by TFTP");
CCliCommandRegistrar s_get("get", "get REMOTE [LOCAL]", "Copy a remote file to the computer",
                           &RunGet, 1, 2);
} // namespace

CCliTftpFetchRegistrar::CCliTftpFetchRegistrar(CliTftpFetchFn pfnFetch)
{
    g_pfnTftpFetch = pfnFetch;
}

CliTftpFetchFn GetCliTftpFetch()
{
    return g_pfnTftpFetch;
}
