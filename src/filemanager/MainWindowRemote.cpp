// The remote half of the main window: reading and showing the card's file
// list, sorting it, enabling the command buttons, and the remote commands
// Refresh, Delete, Rename, Backup and View.
#include "filemanager/COrvakFileListDlg.h"

#include "common/CPrompt.h"
#include "common/StrFormat.h"
#include "filemanager/CRenameFileDlg.h"
#include "filemanager/RemoteListCtrl.h"
#include "filemanager/logic/CopyMoveCommands.h"
#include "filemanager/logic/RemoteListRules.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "widgets/CWaitCursor.h"

#include <QLineEdit>
#include <QPushButton>

template <typename FnOperation> void COrvakFileListDlg::RunRemoteCommand(FnOperation fnOperation)
{
    if (!m_pConnectedPanel)
        return;
    const std::unique_ptr<CCommInterface> pComm = MakeChannel(*m_pConnectedPanel);
    EnableControls(false);
    CPanelFileCommands files(pComm.get());
    if (!fnOperation(files))
        ShowLinkError(files.GetErrors(), *pComm);
    // The list shows the card as it is after the command, partial or not.
    RefreshFileList(pComm.get());
    EnableControls(true);
}

bool COrvakFileListDlg::RefreshFileList(CCommInterface* pComm)
{
    if (!pComm)
        return false;
    std::string strFilter = ToUpperAscii(m_pFilterEdit->text().toLatin1().toStdString());
    if (strFilter.empty())
    {
        GetPrompt().Message("Filter empty! Hence reading all files in the Remote SD Card.");
        m_pFilterEdit->setText("*.*");
    }
    m_FileTable.RemoveAll();
    CWaitCursor::RestoreWaitCursor();

    CPanelFileCommands commands(pComm);
    const bool bRead = commands.ListFiles(m_FileTable, strFilter);
    if (!bRead)
    {
        ShowLinkError(commands.GetErrors(), *pComm);
        // Half a listing would look like the whole card.
        m_FileTable.RemoveAll();
    }
    FillList();
    return bRead;
}

void COrvakFileListDlg::FillList()
{
    m_pRemoteList->Fill(m_FileTable);
    UpdateButtons(m_bControlsEnabled);
}

void COrvakFileListDlg::OnColumnClick(int nColumn)
{
    m_pRemoteList->SortByColumn(nColumn, m_FileTable);
}

void COrvakFileListDlg::UpdateButtons(bool bEnable)
{
    const SRemoteButtonStates states =
        ComputeRemoteButtonStates(m_FileTable, m_pRemoteList->SelectedIndices(), bEnable,
                                  CanBackupCsvFiles(), CanViewFileData());
    m_pBackupAllButton->setEnabled(states.bBackupAll);
    m_pDeleteButton->setEnabled(states.bDelete);
    m_pCopyButton->setEnabled(states.bCopy);
    m_pMoveButton->setEnabled(states.bMove);
    m_pBackupSelectedButton->setEnabled(states.bBackupSelected);
    m_pRenameButton->setEnabled(states.bRename);
    m_pViewButton->setEnabled(states.bView);
}

void COrvakFileListDlg::OnRefresh()
{
    if (!m_pConnectedPanel)
        return;
    const std::unique_ptr<CCommInterface> pComm = MakeChannel(*m_pConnectedPanel);
    EnableControls(false);
    RefreshFileList(pComm.get());
    EnableControls(true);
}

void COrvakFileListDlg::OnDelete()
{
    if (!m_pConnectedPanel)
        return;
    if (m_pRemoteList->SelectedCount() == 0)
    {
        GetPrompt().Message("Select remote panel file(s) to delete.");
        m_pRemoteList->setFocus();
        return;
    }
    if (GetPrompt().AskYesNo("Delete selected remote panel file(s)?"))
        DeleteSelectedFiles();
}

bool COrvakFileListDlg::DeleteSelectedFiles()
{
    if (!m_pConnectedPanel)
        return false;
    // Folders and empty files are left out.
    DeleteRemoteNames(
        SelectedFileNames(SelectedEntries(m_FileTable, m_pRemoteList->SelectedIndices())));
    return true;
}

bool COrvakFileListDlg::DeleteRemoteNames(const std::vector<std::string>& arrNames)
{
    if (!m_pConnectedPanel)
        return false;
    RunRemoteCommand([&](CPanelFileCommands& files) { return files.Delete(arrNames); });
    return true;
}

void COrvakFileListDlg::OnRename()
{
    if (!m_pConnectedPanel)
        return;
    const std::vector<int> arrSelected = m_pRemoteList->SelectedIndices();
    const std::string strRefusal = RenameSelectionMessage(m_FileTable, arrSelected);
    if (!strRefusal.empty())
    {
        GetPrompt().Message(strRefusal, EPromptIcon::Stop);
        return;
    }
    const std::string strOldName = m_FileTable.GetAt(arrSelected.front()).strName;
    CRenameFileDlg dlg(&m_FileTable, strOldName, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const std::string strNewName = dlg.m_strFileName;
    RunRemoteCommand([&](CPanelFileCommands& files)
                     { return files.Rename(strOldName, strNewName); });
}

void COrvakFileListDlg::OnBackupSelected()
{
    if (!m_pConnectedPanel)
        return;
    const SBackupPlan plan = PlanBackupSelected(m_FileTable, m_pRemoteList->SelectedIndices());
    if (plan.bBackupAll)
    {
        OnBackupAll();
        return;
    }
    RunRemoteCommand([&](CPanelFileCommands& files) { return files.Backup(plan.arrNames); });
}

void COrvakFileListDlg::OnBackupAll()
{
    RunRemoteCommand([](CPanelFileCommands& files) { return files.BackupAll(); });
}

void COrvakFileListDlg::OnViewData()
{
    if (!m_pConnectedPanel)
        return;
    const std::vector<int> arrSelected = m_pRemoteList->SelectedIndices();
    const std::string strRefusal = ViewSelectionMessage(m_FileTable, arrSelected);
    if (!strRefusal.empty())
    {
        GetPrompt().Message(strRefusal, EPromptIcon::Stop);
        return;
    }
    if (!m_fnOpenViewer)
        return;
    // The viewer reads the file in place on the panel, on a channel of its own.
    const std::unique_ptr<CCommInterface> pComm = MakeChannel(*m_pConnectedPanel);
    m_fnOpenViewer(this, *pComm, m_FileTable.GetAt(arrSelected.front()).strName);
}

void COrvakFileListDlg::OnListDoubleClick()
{
    if (m_pCopyButton->isEnabled())
        OnCopy();
}
