#pragma once
// The program's one main window. Left: the panel choice, the connection and
// the list of files on the connected panel's card with the remote commands.
// Right: the local folder tree, the chosen local folder, the two transfer
// preferences and the Copy and Move buttons. Below them the progress of a
// running transfer and the "Last Transfer" box.
//
// Every remote operation builds its own channel to the connected panel and
// runs with the other controls disabled. The window decides little itself:
// the rules live in RemoteListRules, MainWindowTexts and the transfer logic.
//
// The member functions are spread over several files by purpose:
// MainWindowLayout.cpp (controls and anchors), COrvakFileListDlg.cpp (start,
// panels, connection, enabling, help, close), MainWindowRemote.cpp (the list
// and the remote commands), MainWindowLocal.cpp (the local side) and
// MainWindowTransfer.cpp (Copy, Move, Cancel).
#include "filemanager/MainWindowViewer.h"
#include "link/CDirData.h"
#include "panels/CNameIpRec.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class CAnchorLayout;
class CAppShell;
class CCommInterface;
class CComboBoxBold;
class CDirTreeCtrl;
class CRemoteListCtrl;
class CTextProgressCtrl;
class CTransferEngine;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;

// How the window builds its channels; tests shorten the waits and point the
// TFTP fetch at a simulator's port. The channel's two time-outs apply only as
// a pair (both above zero); otherwise the link keeps its defaults.
struct SChannelSettings
{
    int nConnectTimeoutMs = 0;
    int nReplyTimeoutMs = 0;
    int nTftpPort = 69;
    int nTftpTimeoutMs = 0;
};

class COrvakFileListDlg : public QDialog
{
    Q_OBJECT
public:
    // The shell owns the panel list and the preferences for the whole run.
    explicit COrvakFileListDlg(CAppShell& shell, QWidget* pParent = nullptr);
    ~COrvakFileListDlg() override;

    // How the window's channels are built (tests, before the first command).
    void SetChannelSettings(const SChannelSettings& settings) { m_channelSettings = settings; }
    // A new channel to the panel with the window's settings applied.
    std::unique_ptr<CCommInterface> MakeChannel(const CNameIpRec& panel) const;
    // What View opens on the selected file; until one is set, View does nothing.
    void SetDataViewerOpener(FnOpenDataViewer fnOpen) { m_fnOpenViewer = std::move(fnOpen); }

    // The local tree starts at this folder instead of the drives (tests, set
    // before the window is first shown).
    void SetLocalTreeRoot(const std::string& strRoot) { m_strTreeRoot = strRoot; }
    // True once the deferred load after the first show has run.
    bool IsLoaded() const { return m_bLoaded; }

    const CNameIpRec* GetConnectedPanel() const { return m_pConnectedPanel.get(); }
    const CDirData& GetFileTable() const { return m_FileTable; }
    bool AreControlsEnabled() const { return m_bControlsEnabled; }

    // Panel choice and connection.
    void FillPanelCombo(const CNameIpRec* pPreselect);
    void UpdateConnectButton();
    void SetTitles();
    void Connect();
    void Disconnect();
    void OnPanelListManager();

    // Shared by every operation.
    void EnableControls(bool bEnable);
    void ShowLinkError(const std::string& strMessage, const CCommInterface& comm) const;

    // The remote list and its commands.
    bool RefreshFileList(CCommInterface* pComm);
    void FillList();
    void OnColumnClick(int nColumn);
    void UpdateButtons(bool bEnable);
    void OnRefresh();
    void OnDelete();
    bool DeleteSelectedFiles();
    void OnRename();
    void OnBackupSelected();
    void OnBackupAll();
    void OnViewData();
    void OnCopy();
    void OnMove();
    void OnCancelTransfer();
    void OnListDoubleClick();

    // The local side.
    void OnBrowse();
    void OnAutoFolderMode();
    void OnTreeSelChanged();
    void OpenLocalFile(QTreeWidgetItem* pItem);
    void ShowTreeContextMenu(QTreeWidgetItem* pItem, const QPoint& ptGlobal);

    void OnHelp();

    // Controls by role (tests find them by object name as well).
    CComboBoxBold* PanelCombo() const { return m_pPanelCombo; }
    CRemoteListCtrl* RemoteList() const { return m_pRemoteList; }
    CDirTreeCtrl* LocalTree() const { return m_pTree; }
    CAnchorLayout* AnchorLayout() const { return m_pAnchors; }

public slots:
    // Close, Esc and the title-bar close box: the selected local folder is
    // remembered, then the window ends. Ignored while an operation runs.
    void reject() override;

signals:
    // The About entry or button: the application shows its About box.
    void AboutRequested();

protected:
    void showEvent(QShowEvent* pEvent) override;
    void customEvent(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void CreateControls();
    void ApplyAnchors();
    void ConnectSignals();
    void InitDialog();
    void DeferredLoad();
    void LoadLocalTree();
    // The remote command pattern: a channel, controls off, the operation on
    // the panel's files, the errors shown, the list read again, controls on.
    template <typename FnOperation> void RunRemoteCommand(FnOperation fnOperation);
    bool DeleteRemoteNames(const std::vector<std::string>& arrNames);
    void RunTransfer(bool bMove);
    int SelectedComboPanel() const;
    // Shows what the window is busy with at once (the event loop is not
    // running while a panel is being waited for); empty clears it.
    void SetStatusText(const std::string& strText);

    CAppShell& m_Shell;
    SChannelSettings m_channelSettings;
    FnOpenDataViewer m_fnOpenViewer;
    std::unique_ptr<CNameIpRec> m_pConnectedPanel;
    CDirData m_FileTable;
    CAnchorLayout* m_pAnchors = nullptr;
    CTransferEngine* m_pRunningTransfer = nullptr;
    std::string m_strTreeRoot;
    bool m_bFirstShown = false;
    bool m_bLoaded = false;
    bool m_bControlsEnabled = true;
    int m_nWaitCursors = 0; // wait cursors begun by EnableControls(false)
    QPointer<QWidget> m_pFocusBeforeDisable;

    // Panel choice.
    QGroupBox* m_pPanelGroup = nullptr;
    CComboBoxBold* m_pPanelCombo = nullptr;
    QPushButton* m_pConnectButton = nullptr;
    QPushButton* m_pPanelListButton = nullptr;
    // Remote side.
    QGroupBox* m_pRemoteGroup = nullptr;
    QLabel* m_pHintText = nullptr;
    QLabel* m_pFilterLabel = nullptr;
    QLineEdit* m_pFilterEdit = nullptr;
    QPushButton* m_pRefreshButton = nullptr;
    CRemoteListCtrl* m_pRemoteList = nullptr;
    QPushButton* m_pViewButton = nullptr;
    QPushButton* m_pDeleteButton = nullptr;
    QPushButton* m_pRenameButton = nullptr;
    QPushButton* m_pBackupSelectedButton = nullptr;
    QPushButton* m_pBackupAllButton = nullptr;
    // Local side.
    QGroupBox* m_pLocalGroup = nullptr;
    QLabel* m_pLocalFolderLabel = nullptr;
    QLineEdit* m_pLocalFolderEdit = nullptr;
    QPushButton* m_pBrowseButton = nullptr;
    CDirTreeCtrl* m_pTree = nullptr;
    QCheckBox* m_pAutoFolderCheck = nullptr;
    QCheckBox* m_pCsvExtCheck = nullptr;
    QPushButton* m_pCopyButton = nullptr;
    QPushButton* m_pMoveButton = nullptr;
    QPushButton* m_pBackButton = nullptr; // "<<", hidden, no action
    // Transfer display.
    QLabel* m_pCountText = nullptr;
    CTextProgressCtrl* m_pOverallBar = nullptr;
    QLabel* m_pFileText = nullptr;
    CTextProgressCtrl* m_pFileBar = nullptr;
    QLabel* m_pBytesText = nullptr;
    QLabel* m_pTransferRateText = nullptr; // beside the overall bar: speed, time left
    QLabel* m_pFileRateText = nullptr;     // beside the file bar: speed, time left
    QPushButton* m_pCancelButton = nullptr;
    QGroupBox* m_pLastTransferBox = nullptr;
    QLabel* m_pLastTransferText = nullptr;
    // Bottom row.
    QPushButton* m_pHelpButton = nullptr;
    QPushButton* m_pAboutButton = nullptr;
    QLabel* m_pStatusText = nullptr; // what a long operation is doing now
};
