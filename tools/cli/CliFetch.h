#pragma once
// How `get` fetches a file from a panel that is not read through the file
// commands (CanBackupCsvFiles false): by TFTP, as the program's transfer engine
// does. The TFTP command file installs the fetch with a static registrar:
//
//     static CCliTftpFetchRegistrar s_fetch(&FetchByTftp);
//
// Until one is installed, such a `get` is refused with a clear message.
#include "CliCommand.h"

#include <cstdint>
#include <string>

// Writes the whole remote file into strLocalPath (an existing, empty file in the
// target's folder; `get` renames it into place only after a true result),
// failing once the download passes nMaxBytes. Returns false with the failure's
// text in strError.
using CliTftpFetchFn = bool (*)(const CCliContext& ctx, const std::string& strRemote,
                                const std::string& strLocalPath, uint64_t nMaxBytes,
                                std::string& strError);

class CCliTftpFetchRegistrar
{
public:
    explicit CCliTftpFetchRegistrar(CliTftpFetchFn pfnFetch);
};

// The installed fetch, or nullptr.
CliTftpFetchFn GetCliTftpFetch();

// The --tftp-port option main stored (default 69); false when it is no port
// (1 to 65535). `put`, `get`, `pull` and `collect` all read it here.
bool GetTftpPortOption(const CCliContext& ctx, int& nPort);
