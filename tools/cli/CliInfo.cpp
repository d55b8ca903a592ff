// info: what the panel says it is, and what the program would do with it.
#include "CliSession.h"

#include <cctype>
#include <cstdio>

namespace
{
int RunInfo(const CCliContext& ctx)
{
    CCliSession session(ctx);
    if (!session.Comm().ReadPanelInfo())
        return session.Fail();
    const unsigned char nLetter = static_cast<unsigned char>(GetPanelRevisionLetter());
    std::printf("Panel type: %u\n", GetPanelType());
    std::printf("Firmware revision: %c%u\n", std::isprint(nLetter) ? nLetter : '?',
                GetPanelRevisionNumber());
    std::printf("Build: %u\n", GetPanelBuildNumber());
    std::printf("Command family: %s\n", IsFileCmdPanel() ? "file commands (message code 143)"
                                                         : "card commands (message code 128)");
    // The panel check reads the information again, as the program does at connect.
    if (session.Comm().CheckPanelType())
        std::printf("Accepted: yes\n");
    else
        std::printf("Accepted: no (%s)\n", session.Comm().GetError().c_str());
    std::printf("Can back up CSV files: %s\n", YesNo(CanBackupCsvFiles()));
    std::printf("Can view file data: %s\n", YesNo(CanViewFileData()));
    return CLI_EXIT_OK;
}

CCliCommandRegistrar s_info("info", "info", "Panel type, firmware and what the panel allows",
                            &RunInfo, 0, 0);
} // namespace
