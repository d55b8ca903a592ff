#include "panels/ui/CIPAddressSelectionDlg.h"

#include "common/CPrompt.h"
#include "panels/PanelEntryRules.h"
#include "panels/ui/CNameIPEntryDialog.h"
#include "panels/ui/CPanelDetailsForm.h"
#include "widgets/CHelpWindow.h"
#include "widgets/CIPAddressCtrl.h"
#include "widgets/HelpTopics.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
QPushButton* MakeButton(const char* pszText, const char* pszName, QWidget* pParent)
{
    auto* pButton = new QPushButton(pszText, pParent);
    pButton->setObjectName(pszName);
    return pButton;
}

// Puts the entry dialog to the right of the list it follows, where it hides
// none of it, when the screen has room there; otherwise Qt places it.
void PlaceBeside(QWidget* pWindow, const QWidget* pOwner)
{
    pWindow->adjustSize();
    const QRect rcOwner = pOwner->frameGeometry();
    const QRect rcTarget(rcOwner.right() + 8, rcOwner.top(), pWindow->width(), pWindow->height());
    const QScreen* pScreen = pOwner->screen();
    if (pScreen && pScreen->availableGeometry().contains(rcTarget))
        pWindow->move(rcTarget.topLeft());
}
} // namespace

CIPAddressSelectionDlg::CIPAddressSelectionDlg(QWidget* pParent)
    : QDialog(pParent), m_pForm(new CPanelDetailsForm(this)), m_pList(new QTableWidget(this)),
      m_pConnectButton(MakeButton("Connect", "buttonConnect", this)),
      m_pDeleteButton(MakeButton("Delete", "buttonDelete", this)),
      m_pEditButton(MakeButton("Edit", "buttonEdit", this)),
      m_pQuickAddButton(MakeButton("Quick Add", "buttonQuickAdd", this)),
      m_pAddAndConnectButton(MakeButton("Add and Connect", "buttonAddAndConnect", this)),
      m_pAddButton(MakeButton("Add", "buttonAdd", this)),
      m_pCloseButton(MakeButton("Close", "buttonClose", this)),
      m_pHelpButton(MakeButton("Help", "buttonHelp", this))
{
    setObjectName("panelListManagerDlg");
    setWindowTitle("Panel List Manager");
    // Modal to the main window only, so the help window it opens stays usable.
    setWindowModality(Qt::WindowModal);

    m_pList->setObjectName("listPanels");
    m_pList->setColumnCount(4);
    m_pList->setHorizontalHeaderLabels({"#", "Name", "IP Address", "Port #"});
    m_pList->horizontalHeader()->setMinimumSectionSize(16);
    const int arrWidths[4] = {25, 75, 100, 50};
    for (int i = 0; i < 4; ++i)
        m_pList->setColumnWidth(i, arrWidths[i]);
    // Number, address and port take what their texts need; the name gets
    // all the room that is left, so names are not cut while others have room.
    QHeaderView* pHeader = m_pList->horizontalHeader();
    pHeader->setStretchLastSection(false);
    for (const int nColumn : {0, 2, 3})
        pHeader->setSectionResizeMode(nColumn, QHeaderView::ResizeToContents);
    pHeader->setSectionResizeMode(1, QHeaderView::Stretch);
    m_pList->verticalHeader()->setVisible(false);
    m_pList->verticalHeader()->setDefaultSectionSize(m_pList->fontMetrics().height() + 6);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setShowGrid(true);
    m_pList->setWordWrap(false);
    m_pList->setMinimumSize(280, 160);
    m_pList->installEventFilter(this);

    auto* pQuickGroup = new QGroupBox("Quick Connect", this);
    pQuickGroup->setObjectName("groupQuickConnect");
    auto* pQuickButtons = new QHBoxLayout;
    pQuickButtons->addStretch(1);
    pQuickButtons->addWidget(m_pQuickAddButton);
    pQuickButtons->addWidget(m_pAddAndConnectButton);
    auto* pQuickLayout = new QVBoxLayout(pQuickGroup);
    pQuickLayout->addWidget(m_pForm);
    pQuickLayout->addLayout(pQuickButtons);

    auto* pDetailsGroup = new QGroupBox("Panel Details", this);
    pDetailsGroup->setObjectName("groupPanelDetails");
    auto* pListButtons = new QVBoxLayout;
    pListButtons->addWidget(m_pConnectButton);
    pListButtons->addWidget(m_pAddButton);
    pListButtons->addWidget(m_pEditButton);
    pListButtons->addWidget(m_pDeleteButton);
    pListButtons->addStretch(1);
    auto* pDetailsLayout = new QHBoxLayout(pDetailsGroup);
    pDetailsLayout->addWidget(m_pList, 1);
    pDetailsLayout->addLayout(pListButtons);

    auto* pBottom = new QHBoxLayout;
    pBottom->addStretch(1);
    pBottom->addWidget(m_pCloseButton);
    pBottom->addWidget(m_pHelpButton);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pQuickGroup);
    pLayout->addWidget(pDetailsGroup, 1);
    pLayout->addLayout(pBottom);

    m_pConnectButton->setDefault(true);
    m_pHelpButton->setAutoDefault(false);

    connect(m_pConnectButton, &QPushButton::clicked, this, &CIPAddressSelectionDlg::OnOK);
    connect(m_pDeleteButton, &QPushButton::clicked, this, &CIPAddressSelectionDlg::OnDelete);
    connect(m_pEditButton, &QPushButton::clicked, this, &CIPAddressSelectionDlg::OnEdit);
    connect(m_pQuickAddButton, &QPushButton::clicked, this, [this] { OnQuickAdd(); });
    connect(m_pAddAndConnectButton, &QPushButton::clicked, this,
            &CIPAddressSelectionDlg::OnAddAndConnect);
    connect(m_pAddButton, &QPushButton::clicked, this, &CIPAddressSelectionDlg::OnAdd);
    connect(m_pCloseButton, &QPushButton::clicked, this, &CIPAddressSelectionDlg::OnCancel);
    connect(m_pHelpButton, &QPushButton::clicked, this, &CIPAddressSelectionDlg::ShowHelpTopic);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            &CIPAddressSelectionDlg::ShowHelpTopic);

    connect(m_pList, &QTableWidget::itemSelectionChanged, this, [this] { SyncEntryDialog(false); });
    connect(m_pList, &QTableWidget::clicked, this, [this] { SyncEntryDialog(false); });
    connect(m_pList, &QTableWidget::doubleClicked, this, &CIPAddressSelectionDlg::OnOK);
}

CIPAddressSelectionDlg::~CIPAddressSelectionDlg()
{
    // The entry dialog works on this dialog's list: it goes first.
    delete m_pEntryDlg.data();
}

void CIPAddressSelectionDlg::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (!m_bInitialised)
        OnInitDialog();
}

void CIPAddressSelectionDlg::OnInitDialog()
{
    m_bInitialised = true;
    m_pList->setRowCount(0);
    for (int i = 0; i < m_PanelInfo.GetCount(); ++i)
        SetRow(m_PanelInfo.GetAt(i), -1);
    UpdateButtons();
    m_pForm->AddressCtrl()->SetFieldFocus(0);
    m_pForm->PortEdit()->setText("10001");
}

int CIPAddressSelectionDlg::SetRow(const CNameIpRec& rec, int nRow)
{
    if (nRow < 0 || nRow >= m_pList->rowCount())
    {
        nRow = m_pList->rowCount();
        m_pList->insertRow(nRow);
    }
    const std::vector<std::string> arrTexts = PanelRowTexts(rec, nRow);
    for (int nColumn = 0; nColumn < 4; ++nColumn)
    {
        const QString strText = QString::fromStdString(arrTexts[static_cast<size_t>(nColumn)]);
        if (QTableWidgetItem* pItem = m_pList->item(nRow, nColumn))
            pItem->setText(strText);
        else
            m_pList->setItem(nRow, nColumn, new QTableWidgetItem(strText));
    }
    return nRow;
}

void CIPAddressSelectionDlg::RenumberRows(int nFrom)
{
    for (int nRow = std::max(nFrom, 0); nRow < m_pList->rowCount(); ++nRow)
    {
        if (QTableWidgetItem* pItem = m_pList->item(nRow, 0))
            pItem->setText(QString::fromStdString(RowNumberText(nRow)));
    }
}

std::vector<int> CIPAddressSelectionDlg::SelectedRows() const
{
    std::vector<int> arrRows;
    for (const QModelIndex& index : m_pList->selectionModel()->selectedRows())
        arrRows.push_back(index.row());
    std::sort(arrRows.begin(), arrRows.end());
    return arrRows;
}

void CIPAddressSelectionDlg::UpdateButtons()
{
    const bool bSelected = m_pList->selectionModel()->hasSelection();
    m_pConnectButton->setEnabled(bSelected);
    m_pDeleteButton->setEnabled(bSelected);
    m_pEditButton->setEnabled(bSelected);
}

void CIPAddressSelectionDlg::accept()
{
    OnOK();
}

void CIPAddressSelectionDlg::reject()
{
    OnCancel();
}

void CIPAddressSelectionDlg::done(int nResult)
{
    if (m_pEntryDlg)
        m_pEntryDlg->OnCancel();
    QDialog::done(nResult);
}

void CIPAddressSelectionDlg::OnOK()
{
    const std::vector<int> arrRows = SelectedRows();
    m_nSelected = arrRows.empty() ? -1 : arrRows.front();
    if (m_nSelected < 0)
    {
        GetPrompt().Message(STR_SELECT_TO_CONNECT);
        return;
    }
    QDialog::accept();
}

void CIPAddressSelectionDlg::OnCancel()
{
    QDialog::reject();
}

bool CIPAddressSelectionDlg::OnQuickAdd()
{
    CNameIpRec rec;
    if (!m_pForm->ReadEntry(rec))
        return false;
    AppendPanel(rec);
    // A single blank, so the next Quick Add without a name stores an empty one.
    m_pForm->NameEdit()->setText(" ");
    m_pForm->AddressCtrl()->ClearAddress();
    m_pForm->AddressCtrl()->SetFieldFocus(0);
    return true;
}

void CIPAddressSelectionDlg::OnAddAndConnect()
{
    if (!OnQuickAdd())
        return;
    const int nLast = m_pList->rowCount() - 1;
    m_pList->clearSelection();
    m_pList->setCurrentCell(nLast, 0,
                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_pList->setFocus(Qt::OtherFocusReason);
    OnOK();
}

int CIPAddressSelectionDlg::AppendPanel(const CNameIpRec& rec)
{
    m_PanelInfo.AddTail(rec);
    const int nRow = SetRow(rec, -1);
    m_pList->scrollToItem(m_pList->item(nRow, 0));
    return nRow;
}

void CIPAddressSelectionDlg::ReplacePanel(int nRow, const CNameIpRec& rec)
{
    if (nRow < 0 || nRow >= m_PanelInfo.GetCount())
        return;
    m_PanelInfo.GetAt(nRow) = rec;
    SetRow(rec, nRow);
    m_pList->scrollToItem(m_pList->item(nRow, 0));
}

void CIPAddressSelectionDlg::OnAdd()
{
    SyncEntryDialog(true);
}

void CIPAddressSelectionDlg::OnEdit()
{
    if (!m_pEntryDlg)
        OpenEntryDialog(-1);
    SyncEntryDialog(false);
}

void CIPAddressSelectionDlg::OnDelete()
{
    const std::vector<int> arrSelected = SelectedRows();
    if (arrSelected.empty())
        return;
    if (!GetPrompt().AskYesNo(STR_DELETE_PANELS_QUESTION))
        return;

    std::vector<int> arrRemoved;
    {
        // The rows and the list differ while rows go; nothing may follow the
        // selection until both agree again.
        const QSignalBlocker blocker(m_pList);
        arrRemoved = RemoveSelectedRecords(m_PanelInfo, arrSelected);
        for (const int nRow : arrRemoved)
            m_pList->removeRow(nRow);
    }
    if (!arrRemoved.empty())
    {
        RenumberRows(0);
        SyncEntryDialog(false);
    }
}

void CIPAddressSelectionDlg::SyncEntryDialog(bool bForce)
{
    const std::vector<int> arrRows = SelectedRows();
    const int nRow = arrRows.empty() ? -1 : arrRows.front();
    if (m_pEntryDlg || bForce)
        OpenEntryDialog(nRow);
    UpdateButtons();
}

void CIPAddressSelectionDlg::OpenEntryDialog(int nRow)
{
    // Allocation failure ends the program rather than returning null, so the
    // old "Mem null" case cannot arise here.
    const bool bCreated = !m_pEntryDlg;
    if (bCreated)
        m_pEntryDlg = new CNameIPEntryDialog(this);
    m_pEntryDlg->m_nIndex = nRow;
    if (bCreated)
    {
        m_pEntryDlg->OnInitDialog();
        PlaceBeside(m_pEntryDlg, this);
        m_pEntryDlg->show();
    }
    else
    {
        m_pEntryDlg->ShowRecord();
    }
}

void CIPAddressSelectionDlg::EntryDialogClosed(const CNameIPEntryDialog* pDlg)
{
    if (m_pEntryDlg == pDlg)
        m_pEntryDlg = nullptr;
}

bool CIPAddressSelectionDlg::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pList && pEvent->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(pEvent)->key() == Qt::Key_Delete)
    {
        if (m_pList->selectionModel()->hasSelection())
            OnDelete();
        return true;
    }
    return QDialog::eventFilter(pWatched, pEvent);
}

void CIPAddressSelectionDlg::ShowHelpTopic()
{
    ShowHelp(HELP_PANEL_LIST, this);
}

int RunPanelListManager(QWidget* pParent, CNameIpRecInfo& appList)
{
    CIPAddressSelectionDlg dlg(pParent);
    dlg.m_PanelInfo.CopyFrom(appList);
    const int nResult = dlg.exec();
    appList.CopyFrom(dlg.m_PanelInfo);
    return nResult == QDialog::Accepted ? dlg.m_nSelected : -1;
}
