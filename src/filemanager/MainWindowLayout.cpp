// The main window's controls: their texts, names and places at the window's
// first size, and the anchors that move them when the window is resized.
#include "filemanager/COrvakFileListDlg.h"

#include "filemanager/CDirTreeCtrl.h"
#include "filemanager/MainWindowButton.h"
#include "filemanager/MainWindowTexts.h"
#include "filemanager/RemoteListCtrl.h"
#include "widgets/CAnchorLayout.h"
#include "widgets/CComboBoxBold.h"
#include "widgets/CTextProgressCtrl.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{
// The window's first size, which is also the smallest it can be dragged to.
constexpr int kInitialWidth = 1100;
constexpr int kInitialHeight = 684;

template <typename TWidget>
TWidget* Place(TWidget* pWidget, const char* pszName, int nX, int nY, int nWidth, int nHeight)
{
    pWidget->setObjectName(pszName);
    pWidget->setGeometry(nX, nY, nWidth, nHeight);
    return pWidget;
}

QPushButton* MakeButton(QWidget* pParent, const char* pszText)
{
    auto* pButton = new QPushButton(pszText, pParent);
    // Enter must never start a remote command by accident.
    pButton->setAutoDefault(false);
    return pButton;
}

CMultiLineButton* MakeMultiLineButton(QWidget* pParent, const char* pszText)
{
    auto* pButton = new CMultiLineButton(pszText, pParent);
    pButton->setAutoDefault(false);
    return pButton;
}

QLabel* MakeCentredText(QWidget* pParent, const char* pszText)
{
    auto* pLabel = new QLabel(pszText, pParent);
    pLabel->setAlignment(Qt::AlignCenter);
    return pLabel;
}
} // namespace

void COrvakFileListDlg::CreateControls()
{
    // Group boxes first, so that the controls they frame lie above them.
    m_pPanelGroup = Place(new QGroupBox("Select Panel from Panel List", this), "groupPanel", 10,
                          6, 600, 90);
    m_pRemoteGroup =
        Place(new QGroupBox("Remote Panel Files", this), "groupRemote", 10, 100, 600, 536);
    m_pLocalGroup =
        Place(new QGroupBox("Local Computer", this), "groupLocal", 620, 6, 470, 630);
    m_pLastTransferBox =
        Place(new QGroupBox("Last Transfer", this), "groupLastTransfer", 930, 488, 148, 104);

    // Panel choice.
    m_pPanelCombo = Place(new CComboBoxBold(this), "comboPanels", 22, 40, 270, 28);
    m_pConnectButton =
        Place(MakeMultiLineButton(this, "Connect"), "buttonConnect", 302, 26, 150, 62);
    m_pPanelListButton =
        Place(MakeButton(this, "Panel List Manager"), "buttonPanelList", 462, 40, 136, 28);

    // Remote side.
    m_pFilterLabel = Place(new QLabel("Filter", this), "labelFilter", 22, 128, 40, 24);
    m_pFilterEdit = Place(new QLineEdit(this), "editFilter", 64, 126, 200, 28);
    m_pRefreshButton =
        Place(MakeButton(this, "Refresh List from Remote"), "buttonRefresh", 274, 124, 180, 32);
    m_pHintText = Place(new QLabel("Use Ctrl+Click to select multiple files", this), "labelHint",
                        22, 162, 400, 18);
    m_pRemoteList = Place(new CRemoteListCtrl(this), "listRemoteFiles", 22, 182, 576, 370);
    m_pViewButton =
        Place(MakeButton(this, "View Selected File Data"), "buttonView", 22, 560, 188, 30);
    m_pDeleteButton =
        Place(MakeButton(this, "Delete Selected File(s)"), "buttonDelete", 216, 560, 188, 30);
    m_pRenameButton =
        Place(MakeButton(this, "Rename Selected File"), "buttonRename", 410, 560, 188, 30);
    m_pBackupSelectedButton = Place(MakeButton(this, "Backup Selected CSV File(s)"),
                                    "buttonBackupSelected", 22, 596, 285, 30);
    m_pBackupAllButton =
        Place(MakeButton(this, "Backup All CSV Files"), "buttonBackupAll", 313, 596, 285, 30);

    // Local side.
    const SAutoFolderTexts texts = AutoFolderTexts(false);
    m_pLocalFolderLabel =
        Place(new QLabel(texts.pszFolderLabel, this), "labelLocalFolder", 632, 30, 440, 20);
    m_pLocalFolderEdit = Place(new QLineEdit(this), "editLocalFolder", 632, 52, 400, 28);
    m_pLocalFolderEdit->setReadOnly(true);
    // Shown for reading; it never takes the focus away from the controls.
    m_pLocalFolderEdit->setFocusPolicy(Qt::ClickFocus);
    m_pBrowseButton = Place(MakeButton(this, "..."), "buttonBrowse", 1038, 52, 40, 28);
    m_pAutoFolderCheck = Place(new QCheckBox("Auto Create Folders On Local Computer", this),
                               "checkAutoFolder", 632, 88, 446, 22);
    m_pAutoFolderCheck->hide(); // shown by the start-up
    m_pCsvExtCheck = Place(new QCheckBox("Automatically add CSV extension to Local Files", this),
                           "checkAutoCsvExt", 632, 112, 446, 22);
    m_pCopyButton =
        Place(MakeMultiLineButton(this, texts.pszCopy), "buttonCopy", 632, 140, 220, 62);
    m_pMoveButton =
        Place(MakeMultiLineButton(this, texts.pszMove), "buttonMove", 858, 140, 220, 62);
    m_pTree = Place(new CDirTreeCtrl(this), "treeLocal", 632, 210, 446, 276);
    m_pBackButton = Place(MakeButton(this, "<<"), "buttonBack", 586, 300, 28, 28);
    m_pBackButton->hide();

    // Transfer display, with the template's sample texts until start-up.
    m_pCountText =
        Place(MakeCentredText(this, "Transferring files 1 of 1..."), "labelCount", 632, 492, 290, 18);
    m_pOverallBar = Place(new CTextProgressCtrl(this), "progressOverall", 632, 511, 290, 16);
    m_pOverallBar->hide();
    m_pFileText =
        Place(MakeCentredText(this, "Transferring file.csv..."), "labelFile", 632, 530, 290, 18);
    m_pFileBar = Place(new CTextProgressCtrl(this), "progressFile", 632, 549, 290, 16);
    m_pFileBar->hide();
    m_pBytesText =
        Place(MakeCentredText(this, "Bytes transferred: 100"), "labelBytes", 632, 568, 290, 18);
    m_pCancelButton =
        Place(MakeButton(this, "Cancel Transfer"), "buttonCancelTransfer", 707, 592, 140, 28);
    m_pCancelButton->hide();
    m_pLastTransferBox->hide();
    m_pLastTransferText = Place(
        MakeCentredText(this, "Start Time: 12:12:12\n End Time: 12:12:12\n     Status: Sucess  "),
        "labelLastTransfer", 936, 506, 136, 78);
    m_pLastTransferText->hide();

    // Bottom row.
    m_pHelpButton = Place(MakeButton(this, "Help"), "buttonHelp", 10, 644, 90, 30);
    m_pAboutButton = Place(MakeButton(this, "About..."), "buttonAbout", 106, 644, 90, 30);
    m_pStatusText = Place(new QLabel(this), "labelStatus", 210, 644, 860, 30);

    resize(kInitialWidth, kInitialHeight);
}

void COrvakFileListDlg::ApplyAnchors()
{
    // Attaching makes the current size the reference and the minimum, and
    // adds the size grip.
    m_pAnchors = new CAnchorLayout(this);
    struct SAnchorRow
    {
        QWidget* pControl;
        int nHorz;
        int nVert;
    };
    const SAnchorRow arrRows[] = {
        {m_pPanelGroup, 3, 3},       {m_pPanelCombo, 3, 3},
        {m_pConnectButton, 3, 3},    {m_pPanelListButton, 3, 3},
        {m_pRemoteGroup, 2, 6},      {m_pHintText, 3, 3},
        {m_pFilterLabel, 3, 3},      {m_pFilterEdit, 3, 3},
        {m_pRefreshButton, 3, 3},    {m_pRemoteList, 2, 6},
        {m_pViewButton, 1, 5},       {m_pDeleteButton, 1, 5},
        {m_pRenameButton, 1, 5},     {m_pBackupSelectedButton, 1, 5},
        {m_pBackupAllButton, 1, 5},  {m_pLocalGroup, 4, 6},
        {m_pLocalFolderLabel, 0, 3}, {m_pLocalFolderEdit, 0, 3},
        {m_pBrowseButton, 0, 3},     {m_pTree, 4, 6},
        {m_pAutoFolderCheck, 0, 3},  {m_pCsvExtCheck, 0, 3},
        {m_pCopyButton, 0, 3},       {m_pMoveButton, 0, 3},
        {m_pBackButton, 5, 5},       {m_pCountText, 0, 5},
        {m_pOverallBar, 0, 5},       {m_pFileText, 0, 5},
        {m_pFileBar, 0, 5},          {m_pBytesText, 0, 5},
        {m_pCancelButton, 0, 5},     {m_pLastTransferBox, 0, 5},
        {m_pLastTransferText, 0, 5}, {m_pHelpButton, 3, 5},
        {m_pAboutButton, 3, 5},      {m_pStatusText, 6, 5},
    };
    for (const SAnchorRow& row : arrRows)
        m_pAnchors->SetAnchor(row.pControl, row.nHorz, row.nVert);
}
