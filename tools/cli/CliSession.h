#pragma once
// One command's talk with the panel: a channel with the tool's time-outs, a
// file command object on it, the panel check the program runs at connect, and
// the failure report the program shows (channel error, then the lines).
#include "CliCommand.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"

#include <cstdint>
#include <string>

class CCliSession
{
public:
    explicit CCliSession(const CCliContext& ctx);
    CCliSession(const CCliSession&) = delete;
    CCliSession& operator=(const CCliSession&) = delete;

    CCommInterface& Comm() { return m_comm; }
    CPanelFileCommands& Files() { return m_files; }

    // CheckPanelType, as the program's Connect does; reports a refusal.
    bool Connect();
    // The size the listing gives the file (names compared ignoring case), or
    // -1 when the listing cannot be read or does not show it.
    int64_t ListedSize(const std::string& strName);
    // The channel error, the file command lines and strMessage (those that
    // are not empty), or the general refusal text when all are empty.
    std::string ErrorText(const std::string& strMessage = std::string()) const;
    // Prints ErrorText on standard error; returns CLI_EXIT_FAILED.
    int Fail(const std::string& strMessage = std::string());

private:
    CCommInterface m_comm;
    CPanelFileCommands m_files;
};

// True for a remote name that is safe as a local file name (the transfers'
// rule); otherwise prints the refusal on standard error.
bool IsPlainRemoteName(const std::string& strName);

// "yes" or "no".
const char* YesNo(bool b);
