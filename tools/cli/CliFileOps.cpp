// rm, rename, backup, backup-all: the card commands that change the card.
#include "CliSession.h"

namespace
{
int RunRemove(const CCliContext& ctx)
{
    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    const bool bDone = IsFileCmdPanel() ? session.Files().DeleteFiles(ctx.m_arrArgs)
                                        : session.Files().CardDeleteFiles(ctx.m_arrArgs);
    return bDone ? CLI_EXIT_OK : session.Fail();
}

int RunRename(const CCliContext& ctx)
{
    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    const std::string& strOld = ctx.m_arrArgs[0];
    const std::string& strNew = ctx.m_arrArgs[1];
    const bool bDone = IsFileCmdPanel() ? session.Files().RenameFile(strOld, strNew)
                                        : session.Files().CardRenameFile(strOld, strNew);
    return bDone ? CLI_EXIT_OK : session.Fail();
}

// Backups exist only on panels that offer them; the program greys the buttons out.
bool ConnectForBackup(CCliSession& session)
{
    if (!session.Connect())
        return false;
    if (CanBackupCsvFiles())
        return true;
    session.Fail("Error: This panel cannot back up CSV files.");
    return false;
}

int RunBackup(const CCliContext& ctx)
{
    CCliSession session(ctx);
    if (!ConnectForBackup(session))
        return CLI_EXIT_FAILED;
    return session.Files().BackupFiles(ctx.m_arrArgs) ? CLI_EXIT_OK : session.Fail();
}

int RunBackupAll(const CCliContext& ctx)
{
    CCliSession session(ctx);
    if (!ConnectForBackup(session))
        return CLI_EXIT_FAILED;
    return session.Files().BackupAllCsvFiles() ? CLI_EXIT_OK : session.Fail();
}

CCliCommandRegistrar s_remove("rm", "rm NAME...", "Delete files, stopping at the first failure",
                              &RunRemove, 1);
CCliCommandRegistrar s_rename("rename", "rename OLD NEW", "Rename a file", &RunRename, 2, 2);
CCliCommandRegistrar s_backup("backup", "backup NAME...", "Back up CSV files on the card",
                              &RunBackup, 1);
CCliCommandRegistrar s_backupAll("backup-all", "backup-all", "Back up every CSV file on the card",
                                 &RunBackupAll, 0, 0);
} // namespace
