// The main window's controls: their texts, names and places at the window's
// first size, and the anchors that move them when the window is resized.
#include "filemanager/COrvakFileListDlg.h"

#include "filemanager/CDirTreeCtrl.h"
#include "filemanager/MainWindowButton.h"
#include "filemanager/RemoteListCtrl.h"
#include "filemanager/logic/MainWindowTexts.h"
#include "widgets/CAnchorLayout.h"
#include "widgets/CComboBoxBold.h"
#include "widgets/CTextProgressCtrl.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace
{
// The window's first width (its height follows from the font), which is also
// the smallest it can be dragged to.
constexpr int kInitialWidth = 1100;

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
    // Heights that hold text come from the font, so that every text fits at
    // the default size; the rest of the grid is fixed.
    const QFontMetrics fm = fontMetrics();
    const int nTextHeight = fm.height() + 4;
    const int nButtonHeight = std::max(30, fm.height() + 14);

    // Group boxes first, so that the controls they frame lie above them; their
    // heights are settled once the local side is laid out.
    m_pPanelGroup =
        Place(new QGroupBox("Select Panel from Panel List", this), "groupPanel", 10, 6, 600, 90);
    m_pRemoteGroup =
        Place(new QGroupBox("Remote Panel Files", this), "groupRemote", 10, 100, 600, 0);
    m_pLocalGroup = Place(new QGroupBox("Local Computer", this), "groupLocal", 620, 6, 470, 0);
    m_pLastTransferBox =
        Place(new QGroupBox("Last Transfer", this), "groupLastTransfer", 0, 0, 0, 0);

    // Panel choice.
    m_pPanelCombo = Place(new CComboBoxBold(this), "comboPanels", 22, 40, 270, 28);
    m_pConnectButton =
        Place(MakeMultiLineButton(this, "Connect"), "buttonConnect", 302, 26, 150, 62);
    m_pPanelListButton =
        Place(MakeButton(this, "Panel List Manager"), "buttonPanelList", 462, 40, 136, 28);

    // Remote side (the list and the buttons below it are placed at the end).
    m_pFilterLabel = Place(new QLabel("Filter", this), "labelFilter", 22, 128, 40, 24);
    m_pFilterEdit = Place(new QLineEdit(this), "editFilter", 64, 126, 200, 28);
    m_pRefreshButton =
        Place(MakeButton(this, "Refresh List from Remote"), "buttonRefresh", 274, 124, 180, 32);
    m_pHintText = Place(new QLabel("Use Ctrl+Click to select multiple files", this), "labelHint",
                        22, 160, 400, nTextHeight);
    m_pRemoteList = new CRemoteListCtrl(this);
    m_pViewButton = MakeButton(this, "View Selected File Data");
    m_pDeleteButton = MakeButton(this, "Delete Selected File(s)");
    m_pRenameButton = MakeButton(this, "Rename Selected File");
    m_pBackupSelectedButton = MakeButton(this, "Backup Selected CSV File(s)");
    m_pBackupAllButton = MakeButton(this, "Backup All CSV Files");

    // Local side, from the top down.
    const SAutoFolderTexts texts = AutoFolderTexts(false);
    m_pLocalFolderLabel = Place(new QLabel(texts.pszFolderLabel, this), "labelLocalFolder", 632, 28,
                                440, nTextHeight);
    m_pLocalFolderEdit = Place(new QLineEdit(this), "editLocalFolder", 632, 52, 400, 28);
    m_pLocalFolderEdit->setReadOnly(true);
    // Shown for reading; it never takes the focus away from the controls.
    m_pLocalFolderEdit->setFocusPolicy(Qt::ClickFocus);
    m_pBrowseButton = Place(MakeButton(this, "..."), "buttonBrowse", 1038, 52, 40, 28);
    m_pAutoFolderCheck = Place(new QCheckBox("Auto Create Folders On Local Computer", this),
                               "checkAutoFolder", 632, 86, 446, nTextHeight);
    m_pAutoFolderCheck->hide(); // shown by the start-up
    m_pCsvExtCheck = Place(new QCheckBox("Automatically add CSV extension to Local Files", this),
                           "checkAutoCsvExt", 632, 86 + nTextHeight + 2, 446, nTextHeight);
    const int nCopyTop = m_pCsvExtCheck->geometry().bottom() + 8;
    auto* pCopy = MakeMultiLineButton(this, texts.pszCopy);
    auto* pMove = MakeMultiLineButton(this, texts.pszMove);
    m_pCopyButton = Place(pCopy, "buttonCopy", 632, nCopyTop, 220, 62);
    m_pMoveButton = Place(pMove, "buttonMove", 858, nCopyTop, 220, 62);
    // Tall enough for the longer texts of either auto-folder mode.
    int nCopyHeight = 62;
    for (const bool bAuto : {false, true})
    {
        const SAutoFolderTexts modeTexts = AutoFolderTexts(bAuto);
        nCopyHeight = std::max({nCopyHeight, pCopy->HeightForText(modeTexts.pszCopy),
                                pMove->HeightForText(modeTexts.pszMove)});
    }
    m_pCopyButton->resize(220, nCopyHeight);
    m_pMoveButton->resize(220, nCopyHeight);
    const int nTreeTop = nCopyTop + nCopyHeight + 8;
    m_pTree = Place(new CDirTreeCtrl(this), "treeLocal", 632, nTreeTop, 446, 276);
    m_pBackButton = Place(MakeButton(this, "<<"), "buttonBack", 586, 300, 28, 28);
    m_pBackButton->hide();

    // Transfer display below the tree: the "Last Transfer" box on the right,
    // the lines and bars in the column left of it. The template's sample
    // texts stay until start-up.
    const int nAreaTop = nTreeTop + 276 + 6;
    const int nLastWidth =
        std::max(148, fm.horizontalAdvance("     Status: Cancelled  ") + 2 * fm.averageCharWidth());
    const int nColumnWidth = 1078 - nLastWidth - 8 - 632;
    int nY = nAreaTop;
    const auto fnRow = [&nY, nColumnWidth](auto* pWidget, const char* pszName, int nHeight)
    {
        Place(pWidget, pszName, 632, nY, nColumnWidth, nHeight);
        nY += nHeight + 1;
        return pWidget;
    };
    m_pCountText =
        fnRow(MakeCentredText(this, "Transferring files 1 of 1..."), "labelCount", nTextHeight);
    m_pOverallBar = fnRow(new CTextProgressCtrl(this), "progressOverall", 16);
    m_pOverallBar->hide();
    m_pTransferRateText = fnRow(MakeCentredText(this, ""), "labelTransferRate", nTextHeight);
    m_pTransferRateText->hide();
    m_pFileText =
        fnRow(MakeCentredText(this, "Transferring file.csv..."), "labelFile", nTextHeight);
    m_pFileBar = fnRow(new CTextProgressCtrl(this), "progressFile", 16);
    m_pFileBar->hide();
    m_pFileRateText = fnRow(MakeCentredText(this, ""), "labelFileRate", nTextHeight);
    m_pFileRateText->hide();
    m_pBytesText =
        fnRow(MakeCentredText(this, "Bytes transferred: 100"), "labelBytes", nTextHeight);
    const int nCancelWidth = std::max(140, fm.horizontalAdvance("Cancel Transfer") + 40);
    m_pCancelButton =
        Place(MakeButton(this, "Cancel Transfer"), "buttonCancelTransfer",
              632 + (nColumnWidth - nCancelWidth) / 2, nY + 3, nCancelWidth, nButtonHeight);
    m_pCancelButton->hide();
    const int nAreaBottom = nY + 3 + nButtonHeight;

    const int nLastTextHeight = 3 * fm.lineSpacing() + 8;
    m_pLastTransferBox->setGeometry(1078 - nLastWidth, nAreaTop - 4, nLastWidth,
                                    nLastTextHeight + fm.height() + 14);
    m_pLastTransferBox->hide();
    // A sizing sample in the window's own spelling ("Sucess"), as the box shows it.
    m_pLastTransferText = Place(
        MakeCentredText(this, "Start Time: 12:12:12\n End Time: 12:12:12\n     Status: Sucess  "),
        "labelLastTransfer", 1078 - nLastWidth + 6, nAreaTop - 4 + fm.height() + 6, nLastWidth - 12,
        nLastTextHeight);
    m_pLastTransferText->hide();

    // The two sides end together; the remote list takes what is left above
    // its two rows of buttons.
    const int nGroupBottom = nAreaBottom + 10;
    m_pLocalGroup->resize(470, nGroupBottom - 6);
    m_pRemoteGroup->resize(600, nGroupBottom - 100);
    const int nSecondRow = nGroupBottom - 10 - nButtonHeight;
    const int nFirstRow = nSecondRow - 6 - nButtonHeight;
    const int nListTop = m_pHintText->geometry().bottom() + 2;
    Place(m_pRemoteList, "listRemoteFiles", 22, nListTop, 576, nFirstRow - 8 - nListTop);
    Place(m_pViewButton, "buttonView", 22, nFirstRow, 188, nButtonHeight);
    Place(m_pDeleteButton, "buttonDelete", 216, nFirstRow, 188, nButtonHeight);
    Place(m_pRenameButton, "buttonRename", 410, nFirstRow, 188, nButtonHeight);
    Place(m_pBackupSelectedButton, "buttonBackupSelected", 22, nSecondRow, 285, nButtonHeight);
    Place(m_pBackupAllButton, "buttonBackupAll", 313, nSecondRow, 285, nButtonHeight);

    // Bottom row.
    const int nBottomRow = nGroupBottom + 8;
    m_pHelpButton =
        Place(MakeButton(this, "Help"), "buttonHelp", 10, nBottomRow, 90, nButtonHeight);
    m_pAboutButton =
        Place(MakeButton(this, "About..."), "buttonAbout", 106, nBottomRow, 90, nButtonHeight);
    m_pStatusText = Place(new QLabel(this), "labelStatus", 210, nBottomRow, 860, nButtonHeight);

    resize(kInitialWidth, nBottomRow + nButtonHeight + 10);
}

void COrvakFileListDlg::ApplyAnchors()
{
    // Attaching makes the current size the reference and the minimum, and
    // adds the size grip.
    m_pAnchors = new CAnchorLayout(this);
    struct SAnchorGroup
    {
        int nHorz;
        int nVert;
        QWidget* pAcross; // the horizontal code applies across this control
        std::vector<QWidget*> arrControls;
    };
    // The groups, the list, the tree and the controls at the top left keep
    // their codes. The controls that belong to the list or the tree follow
    // that control across instead of the whole window, so that they stay
    // lined up with it when the window grows: the remote command buttons span
    // the list (code 0 across it) rather than drifting right of its edges,
    // and the local controls span the tree, the "..." button and the "Last
    // Transfer" box keeping their sizes at its right edge.
    const SAnchorGroup arrGroups[] = {
        {3,
         3,
         nullptr,
         {m_pPanelGroup, m_pPanelCombo, m_pConnectButton, m_pPanelListButton, m_pHintText,
          m_pFilterLabel, m_pFilterEdit, m_pRefreshButton}},
        {2, 6, nullptr, {m_pRemoteGroup, m_pRemoteList}},
        {0,
         5,
         m_pRemoteList,
         {m_pViewButton, m_pDeleteButton, m_pRenameButton, m_pBackupSelectedButton,
          m_pBackupAllButton}},
        {4, 6, nullptr, {m_pLocalGroup, m_pTree}},
        {6,
         3,
         m_pTree,
         {m_pLocalFolderLabel, m_pLocalFolderEdit, m_pAutoFolderCheck, m_pCsvExtCheck}},
        {5, 3, m_pTree, {m_pBrowseButton}},
        {0, 3, m_pTree, {m_pCopyButton, m_pMoveButton}},
        {5, 5, nullptr, {m_pBackButton}},
        {6,
         5,
         m_pTree,
         {m_pCountText, m_pOverallBar, m_pTransferRateText, m_pFileText, m_pFileBar,
          m_pFileRateText, m_pBytesText}},
        {1, 5, m_pTree, {m_pCancelButton}},
        {5, 5, m_pTree, {m_pLastTransferBox, m_pLastTransferText}},
        {3, 5, nullptr, {m_pHelpButton, m_pAboutButton}},
        {6, 5, nullptr, {m_pStatusText}},
    };
    for (const SAnchorGroup& group : arrGroups)
    {
        for (QWidget* pControl : group.arrControls)
            m_pAnchors->SetAnchor(pControl, group.nHorz, group.nVert, group.pAcross);
    }
}
