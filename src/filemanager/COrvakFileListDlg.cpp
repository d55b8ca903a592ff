// The main window's start, the panel choice and the connection, the enabling
// of its controls, help and close.
#include "filemanager/COrvakFileListDlg.h"

#include "app/CAppShell.h"
#include "common/AppStrings.h"
#include "common/CPrompt.h"
#include "common/StrFormat.h"
#include "filemanager/CDirTreeCtrl.h"
#include "filemanager/RemoteListCtrl.h"
#include "filemanager/logic/LinkError.h"
#include "filemanager/logic/MainWindowTexts.h"
#include "link/CCommInterface.h"
#include "panels/ui/CIPAddressSelectionDlg.h"
#include "widgets/CAnchorLayout.h"
#include "widgets/CComboBoxBold.h"
#include "widgets/CHelpWindow.h"
#include "widgets/CTextProgressCtrl.h"
#include "widgets/CWaitCursor.h"
#include "widgets/HelpTopics.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace
{
// The private message that runs the deferred load once the window is shown.
const QEvent::Type kDeferredLoadEvent = static_cast<QEvent::Type>(QEvent::User + 1006);
} // namespace

COrvakFileListDlg::COrvakFileListDlg(CAppShell& shell, QWidget* pParent)
    : QDialog(pParent), m_Shell(shell)
{
    setObjectName("mainWindow");
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    CreateControls();
    ConnectSignals();
    InitDialog();
}

COrvakFileListDlg::~COrvakFileListDlg()
{
    while (m_nWaitCursors > 0)
    {
        --m_nWaitCursors;
        CWaitCursor::End();
    }
}

std::unique_ptr<CCommInterface> COrvakFileListDlg::MakeChannel(const CNameIpRec& panel) const
{
    auto pComm = std::make_unique<CCommInterface>(panel.GetIPText(), panel.m_nPort);
    const SChannelSettings& settings = m_channelSettings;
    if (settings.nConnectTimeoutMs > 0 && settings.nReplyTimeoutMs > 0)
        pComm->SetTimeouts(settings.nConnectTimeoutMs, settings.nReplyTimeoutMs);
    return pComm;
}

void COrvakFileListDlg::ConnectSignals()
{
    connect(m_pConnectButton, &QPushButton::clicked, this, &COrvakFileListDlg::Connect);
    connect(m_pPanelListButton, &QPushButton::clicked, this,
            &COrvakFileListDlg::OnPanelListManager);
    connect(m_pPanelCombo, &QComboBox::currentIndexChanged, this,
            &COrvakFileListDlg::UpdateConnectButton);

    connect(m_pRefreshButton, &QPushButton::clicked, this, &COrvakFileListDlg::OnRefresh);
    connect(m_pFilterEdit, &QLineEdit::returnPressed, this, &COrvakFileListDlg::OnRefresh);
    connect(m_pRemoteList, &QTableWidget::itemSelectionChanged, this,
            [this] { UpdateButtons(m_bControlsEnabled); });
    connect(m_pRemoteList, &CRemoteListCtrl::ColumnClicked, this,
            &COrvakFileListDlg::OnColumnClick);
    connect(m_pRemoteList, &QTableWidget::cellDoubleClicked, this,
            &COrvakFileListDlg::OnListDoubleClick);
    m_pRemoteList->installEventFilter(this);

    connect(m_pViewButton, &QPushButton::clicked, this, &COrvakFileListDlg::OnViewData);
    connect(m_pDeleteButton, &QPushButton::clicked, this, &COrvakFileListDlg::OnDelete);
    connect(m_pRenameButton, &QPushButton::clicked, this, &COrvakFileListDlg::OnRename);
    connect(m_pBackupSelectedButton, &QPushButton::clicked, this,
            &COrvakFileListDlg::OnBackupSelected);
    connect(m_pBackupAllButton, &QPushButton::clicked, this, &COrvakFileListDlg::OnBackupAll);
    connect(m_pCopyButton, &QPushButton::clicked, this, &COrvakFileListDlg::OnCopy);
    connect(m_pMoveButton, &QPushButton::clicked, this, &COrvakFileListDlg::OnMove);
    connect(m_pCancelButton, &QPushButton::clicked, this, &COrvakFileListDlg::OnCancelTransfer);

    connect(m_pBrowseButton, &QPushButton::clicked, this, &COrvakFileListDlg::OnBrowse);
    connect(m_pAutoFolderCheck, &QCheckBox::clicked, this, &COrvakFileListDlg::OnAutoFolderMode);
    connect(m_pCsvExtCheck, &QCheckBox::clicked, this,
            [this](bool bChecked) { m_Shell.m_bAutoAddCSVExt = bChecked; });
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, &COrvakFileListDlg::OnTreeSelChanged);
    connect(m_pTree, &CDirTreeCtrl::FileOpenRequested, this, &COrvakFileListDlg::OpenLocalFile);
    connect(m_pTree, &CDirTreeCtrl::FileContextMenuRequested, this,
            &COrvakFileListDlg::ShowTreeContextMenu);

    connect(m_pHelpButton, &QPushButton::clicked, this, &COrvakFileListDlg::OnHelp);
    connect(m_pAboutButton, &QPushButton::clicked, this, &COrvakFileListDlg::AboutRequested);
}

void COrvakFileListDlg::InitDialog()
{
    // The About entry lives in the window's context menu (contextMenuEvent)
    // and on the About button; the icon is the application's.
    m_pFilterEdit->setText("*.*");

    CNameIpRec lastPanel;
    m_Shell.LoadPreferences(&lastPanel);
    FillPanelCombo(lastPanel.IsBlankAddress() ? nullptr : &lastPanel);

    ApplyAnchors();

    m_pOverallBar->SetShowText(true);
    m_pFileBar->SetShowText(true);
    m_pFileBar->SetRange(0, 100);

    m_pAutoFolderCheck->setChecked(m_Shell.m_bAutoCreateLocalFolder);
    m_pCsvExtCheck->setChecked(m_Shell.m_bAutoAddCSVExt);
    m_pAutoFolderCheck->show();
    OnAutoFolderMode();

    m_pBytesText->clear();
    m_pFileText->clear();
    m_pCountText->clear();

    Disconnect();
}

void COrvakFileListDlg::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (m_bFirstShown)
        return;
    m_bFirstShown = true;
    // The slow part of the start (reading the local drives) runs once the
    // window is on the screen.
    QCoreApplication::postEvent(this, new QEvent(kDeferredLoadEvent));
}

void COrvakFileListDlg::customEvent(QEvent* pEvent)
{
    if (pEvent->type() == kDeferredLoadEvent)
    {
        // Closed (Esc) before the load came round: nothing is left to load
        // for, and a panel list opened now would keep a closed program alive.
        if (isVisible())
            DeferredLoad();
        return;
    }
    QDialog::customEvent(pEvent);
}

void COrvakFileListDlg::DeferredLoad()
{
    {
        CWaitCursor wait;
        setEnabled(false);
        const QString strTitle = windowTitle();
        // The double blank is the window's own text, kept as users know it.
        setWindowTitle(strTitle + " :  Loading ...");
        LoadLocalTree();
        setWindowTitle(strTitle);
        setEnabled(true);
        m_bLoaded = true;
    }
    // With no panel known yet the user's first step is to add one.
    if (m_Shell.m_PanelList.IsEmpty())
        OnPanelListManager();
}

void COrvakFileListDlg::LoadLocalTree()
{
    // An empty tree must say why it is empty.
    if (!m_pTree->DisplayTree(m_strTreeRoot, true) && !m_pTree->m_strError.empty())
        GetPrompt().Message(m_pTree->m_strError, EPromptIcon::Stop);

    std::string strPath = m_Shell.m_strLocalFolderPath;
    if (strPath.empty())
    {
        strPath = QDir::toNativeSeparators(QDir::currentPath()).toStdString();
        m_Shell.m_strLocalFolderPath = strPath;
    }
    m_pTree->SetSelPath(strPath);
    if (const QTreeWidgetItem* pItem = m_pTree->currentItem())
        m_pLocalFolderEdit->setText(QString::fromStdString(m_pTree->GetFullPath(pItem)));
}

int COrvakFileListDlg::SelectedComboPanel() const
{
    const int nItem = m_pPanelCombo->currentIndex();
    if (nItem < 0)
        return -1;
    const QVariant data = m_pPanelCombo->itemData(nItem);
    const int nPanel = data.isValid() ? data.toInt() : -1;
    return nPanel >= 0 && nPanel < m_Shell.m_PanelList.GetCount() ? nPanel : -1;
}

void COrvakFileListDlg::FillPanelCombo(const CNameIpRec* pPreselect)
{
    const int nPrevious = m_pPanelCombo->currentIndex();
    int nChosen = -1;
    {
        const QSignalBlocker blocker(m_pPanelCombo);
        m_pPanelCombo->clear();
        const CNameIpRecInfo& list = m_Shell.m_PanelList;
        for (int i = 0; i < list.GetCount(); ++i)
        {
            const CNameIpRec& panel = list.GetAt(i);
            m_pPanelCombo->addItem(QString::fromStdString(PanelComboText(panel)), i);
            m_pPanelCombo->SetItemBold(i, false);
            if (m_pConnectedPanel && m_pConnectedPanel->IsSamePanel(panel))
            {
                nChosen = i;
                m_pPanelCombo->SetItemBold(i, true);
            }
            else if (!m_pConnectedPanel && pPreselect && pPreselect->IsSamePanel(panel))
            {
                nChosen = i;
            }
        }
        if (nChosen < 0 && m_pPanelCombo->count() > 0)
            nChosen = nPrevious < 0 ? 0 : std::min(nPrevious, m_pPanelCombo->count() - 1);
        m_pPanelCombo->setCurrentIndex(nChosen);
    }
    UpdateConnectButton();
}

void COrvakFileListDlg::UpdateConnectButton()
{
    const int nItem = m_pPanelCombo->currentIndex();
    const int nPanel = SelectedComboPanel();
    if (nItem < 0 || nPanel < 0)
    {
        m_pConnectButton->setText(QString::fromStdString(ConnectButtonText(false, false, "")));
        m_pConnectButton->setEnabled(false);
        return;
    }
    const CNameIpRec& panel = m_Shell.m_PanelList.GetAt(nPanel);
    m_pConnectButton->setText(QString::fromStdString(
        ConnectButtonText(true, m_pPanelCombo->IsItemBold(nItem), panel.GetIPText())));
    m_pConnectButton->setEnabled(m_bControlsEnabled);
}

void COrvakFileListDlg::SetTitles()
{
    const std::string strVersion = m_Shell.GetLoader().GetVersionText();
    setWindowTitle(QString::fromStdString(MainWindowTitle(strVersion, m_pConnectedPanel.get())));
    m_pRemoteGroup->setTitle(QString::fromStdString(RemoteGroupTitle(m_pConnectedPanel.get())));
}

void COrvakFileListDlg::Disconnect()
{
    m_pConnectedPanel.reset();
    SetTitles();
    m_pPanelCombo->ClearBold();
    m_FileTable.RemoveAll();
    m_pRemoteList->RemoveAllRows();
    UpdateButtons(true);
}

void COrvakFileListDlg::Connect()
{
    const int nItem = m_pPanelCombo->currentIndex();
    const int nPanel = SelectedComboPanel();
    if (nPanel < 0)
        return;
    const CNameIpRec panel = m_Shell.m_PanelList.GetAt(nPanel);

    Disconnect();
    const std::unique_ptr<CCommInterface> pComm = MakeChannel(panel);
    const std::string strPanel = PanelComboText(panel);
    EnableControls(false);
    SetStatusText(StrFormat("Connecting to %s ...", strPanel.c_str()));
    if (pComm->CheckPanelType())
    {
        m_pPanelCombo->SetItemBold(nItem, true);
        m_pConnectedPanel = std::make_unique<CNameIpRec>(panel);
        m_Shell.SavePreferences(m_pConnectedPanel.get());
        SetTitles();
        SetStatusText(StrFormat("Reading the list of files from %s ...", strPanel.c_str()));
        RefreshFileList(pComm.get());
    }
    else
    {
        ShowLinkError(std::string(), *pComm);
    }
    SetStatusText(std::string());
    UpdateConnectButton();
    EnableControls(true);
}

void COrvakFileListDlg::SetStatusText(const std::string& strText)
{
    m_pStatusText->setText(QString::fromLatin1(strText.c_str()));
    m_pStatusText->repaint();
}

void COrvakFileListDlg::OnPanelListManager()
{
    const int nRow = RunPanelListManager(this, m_Shell.m_PanelList);
    FillPanelCombo(nullptr);
    if (nRow >= 0 && nRow < m_pPanelCombo->count())
    {
        m_pPanelCombo->setCurrentIndex(nRow);
        Connect();
    }
}

void COrvakFileListDlg::EnableControls(bool bEnable)
{
    // Disabling the focused control pushes the focus elsewhere; it goes back
    // to where the user left it once the operation is over.
    if (!bEnable && !m_pFocusBeforeDisable)
        m_pFocusBeforeDisable = focusWidget();
    UpdateButtons(bEnable);
    for (QWidget* pControl :
         {static_cast<QWidget*>(m_pFilterEdit), static_cast<QWidget*>(m_pRefreshButton),
          static_cast<QWidget*>(m_pPanelListButton), static_cast<QWidget*>(m_pPanelCombo),
          static_cast<QWidget*>(m_pRemoteList), static_cast<QWidget*>(m_pTree),
          static_cast<QWidget*>(m_pBrowseButton), static_cast<QWidget*>(m_pAutoFolderCheck),
          static_cast<QWidget*>(m_pCsvExtCheck), static_cast<QWidget*>(m_pAboutButton)})
        pControl->setEnabled(bEnable);
    // Connect stays off while there is no panel to connect to.
    m_pConnectButton->setEnabled(bEnable && SelectedComboPanel() >= 0);
    m_bControlsEnabled = bEnable;

    if (!bEnable)
    {
        ++m_nWaitCursors;
        CWaitCursor::Begin();
    }
    else if (m_nWaitCursors > 0)
    {
        --m_nWaitCursors;
        CWaitCursor::End();
    }
    if (bEnable && m_pFocusBeforeDisable)
    {
        if (m_pFocusBeforeDisable->isEnabled() && m_pFocusBeforeDisable->isVisible())
            m_pFocusBeforeDisable->setFocus();
        m_pFocusBeforeDisable = nullptr;
    }
    repaint();
}

void COrvakFileListDlg::ShowLinkError(const std::string& strMessage,
                                      const CCommInterface& comm) const
{
    ::ShowLinkError(strMessage, comm);
}

void COrvakFileListDlg::OnHelp()
{
    ShowHelp(HELP_MAIN_WINDOW, this);
}

void COrvakFileListDlg::reject()
{
    // No second operation and no end of the window while one runs.
    if (!m_bControlsEnabled)
        return;
    if (const QTreeWidgetItem* pItem = m_pTree->currentItem(); pItem && m_pTree->IsFolder(pItem))
        m_Shell.m_strLocalFolderPath = m_pTree->GetFullPath(pItem);
    QDialog::reject();
}

void COrvakFileListDlg::keyPressEvent(QKeyEvent* pEvent)
{
    switch (pEvent->key())
    {
    case Qt::Key_F1:
        OnHelp();
        return;
    case Qt::Key_F5:
        if (m_bControlsEnabled)
            OnRefresh();
        return;
    default:
        QDialog::keyPressEvent(pEvent);
    }
}

void COrvakFileListDlg::contextMenuEvent(QContextMenuEvent* pEvent)
{
    // The window's own menu stands in for the system menu's About entry; it
    // belongs to the window's background, not to its lists and boxes.
    QWidget* pUnder = childAt(pEvent->pos());
    if (pUnder && !qobject_cast<QLabel*>(pUnder) && !qobject_cast<QGroupBox*>(pUnder))
    {
        QDialog::contextMenuEvent(pEvent);
        return;
    }
    QMenu menu(this);
    QAction* pAbout = menu.addAction(QString::fromLatin1(LoadAppString(IDS_ABOUTBOX)));
    pAbout->setObjectName("actionAbout");
    // The menu follows the controls: nothing but Cancel works during an operation.
    pAbout->setEnabled(m_bControlsEnabled);
    if (menu.exec(pEvent->globalPos()) == pAbout)
        emit AboutRequested();
}

bool COrvakFileListDlg::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pRemoteList && pEvent->type() == QEvent::KeyPress && m_bControlsEnabled)
    {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (pKey->key() == Qt::Key_Delete && pKey->modifiers() == Qt::NoModifier)
        {
            OnDelete();
            return true;
        }
        if (pKey->key() == Qt::Key_F2 && pKey->modifiers() == Qt::NoModifier)
        {
            OnRename();
            return true;
        }
    }
    return QDialog::eventFilter(pWatched, pEvent);
}
