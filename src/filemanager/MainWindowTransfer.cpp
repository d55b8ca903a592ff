// Copy and Move from the main window: the questions, the transfer engine on
// the window's progress controls, Move's deletion after a full success, and
// the "Cancel Transfer" button.
#include "filemanager/COrvakFileListDlg.h"

#include "app/CAppShell.h"
#include "common/CPrompt.h"
#include "filemanager/CDirTreeCtrl.h"
#include "filemanager/CDuplicateFileDlg.h"
#include "filemanager/MainWindowTransferDisplay.h"
#include "filemanager/RemoteListCtrl.h"
#include "filemanager/logic/CTransferEngine.h"
#include "filemanager/logic/CopyMoveCommands.h"
#include "filemanager/logic/RemoteListRules.h"

#include <QLineEdit>
#include <QPushButton>

void COrvakFileListDlg::OnCopy()
{
    if (!m_pConnectedPanel)
        return;
    switch (ConfirmCopy(m_pRemoteList->SelectedCount(), m_pLocalFolderEdit->text().toStdString()))
    {
    case ECopyMoveStart::NoSelection:
        m_pRemoteList->setFocus();
        break;
    case ECopyMoveStart::NoLocalFolder:
        m_pBrowseButton->setFocus();
        break;
    case ECopyMoveStart::Declined:
        break;
    case ECopyMoveStart::Confirmed:
        RunTransfer(false);
        break;
    }
}

void COrvakFileListDlg::OnMove()
{
    if (!m_pConnectedPanel)
        return;
    switch (ConfirmMove(m_pRemoteList->SelectedCount(), m_pLocalFolderEdit->text().toStdString()))
    {
    case ECopyMoveStart::NoLocalFolder:
        m_pBrowseButton->setFocus();
        break;
    case ECopyMoveStart::Confirmed:
        RunTransfer(true);
        break;
    default:
        break;
    }
}

void COrvakFileListDlg::RunTransfer(bool bMove)
{
    STransferRequest request;
    request.arrSelected = SelectedEntries(m_FileTable, m_pRemoteList->SelectedIndices());
    request.bPanelConnected = true;
    request.strPanelAddress = m_pConnectedPanel->GetIPText();
    request.nPanelPort = m_pConnectedPanel->m_nPort;
    request.strRootFolder = m_pLocalFolderEdit->text().toStdString();
    request.bAutoCreateFolders = m_Shell.m_bAutoCreateLocalFolder;
    request.bAutoAddCsvExt = m_Shell.m_bAutoAddCSVExt;

    const SChannelSettings& settings = m_channelSettings;
    request.nTftpPort = settings.nTftpPort;

    STransferControls controls;
    controls.pCountText = m_pCountText;
    controls.pOverallBar = m_pOverallBar;
    controls.pFileText = m_pFileText;
    controls.pFileBar = m_pFileBar;
    controls.pBytesText = m_pBytesText;
    controls.pTransferRateText = m_pTransferRateText;
    controls.pFileRateText = m_pFileRateText;
    controls.pCancelButton = m_pCancelButton;
    controls.pLastTransferBox = m_pLastTransferBox;
    controls.pLastTransferText = m_pLastTransferText;
    controls.pTree = m_pTree;
    CMainWindowTransferDisplay display(controls, [this](bool bEnable) { EnableControls(bEnable); });
    CDuplicateFileResolver resolver(this);
    CTransferEngine engine(display, resolver, GetPrompt());
    engine.SetCommTimeouts(settings.nConnectTimeoutMs, settings.nReplyTimeoutMs);
    engine.SetTftpTimeout(settings.nTftpTimeoutMs);

    m_pRunningTransfer = &engine;
    const bool bTransferred = bMove ? RunMove(engine, request,
                                              [this](const std::vector<std::string>& arrNames)
                                              { DeleteRemoteNames(arrNames); })
                                    : engine.Transfer(request);
    m_pRunningTransfer = nullptr;
    // A full success has selected the root folder, read afresh; after a
    // failure or a cancel the tree must not keep listing what is gone.
    if (!bTransferred)
        m_pTree->RefreshBranch(request.strRootFolder);
}

void COrvakFileListDlg::OnCancelTransfer()
{
    if (m_pRunningTransfer)
        m_pRunningTransfer->AskCancel();
}
