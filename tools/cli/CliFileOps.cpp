// rm, rename, backup, backup-all: the card commands that change the card.
#include "CliSession.h"

namespace
{
int RunRemove(const CCliContext& ctx)
{
    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    return session.Files().Delete(ctx.m_arrArgs) ? CLI_EXIT_OK : session.Fail();
}

int RunRename(const CCliContext& ctx)
{
    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    const bool bDone = session.Files().Rename(ctx.m_arrArgs[0], ctx.m_arrArgs[1]);
    return bDone ? CLI_EXIT_OK : session.Fail();
}

int RunBackup(const CCliContext& ctx)
{
    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    return session.Files().Backup(ctx.m_arrArgs) ? CLI_EXIT_OK : session.Fail();
}

int RunBackupAll(const CCliContext& ctx)
{
    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    return session.Files().BackupAll() ? CLI_EXIT_OK : session.Fail();
}

CCliCommandRegistrar s_remove("rm", "rm NAME...", "Delete files, stopping at the first failure",
                              &RunRemove, 1);
CCliCommandRegistrar s_rename("rename", "rename OLD NEW", "Rename a file", &RunRename, 2, 2);
CCliCommandRegistrar s_backup("backup", "backup NAME...", "Back up CSV files on the card",
                              &RunBackup, 1);
CCliCommandRegistrar s_backupAll("backup-all", "backup-all", "Back up every CSV file on the card",
                                 &RunBackupAll, 0, 0);
} // namespace
