#include "panels/ui/CNameIPEntryDialog.h"

#include "panels/ui/CIPAddressSelectionDlg.h"
#include "panels/ui/CPanelDetailsForm.h"
#include "widgets/CHelpWindow.h"
#include "widgets/CIPAddressCtrl.h"
#include "widgets/HelpTopics.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

CNameIPEntryDialog::CNameIPEntryDialog(CIPAddressSelectionDlg* pOwner)
    : QDialog(pOwner), m_pOwner(pOwner), m_pForm(new CPanelDetailsForm(this)),
      m_pApplyButton(new QPushButton("Add", this)), m_pCloseButton(new QPushButton("Close", this)),
      m_pHelpButton(new QPushButton("Help", this))
{
    setObjectName("nameIpEntryDlg");
    setWindowTitle("Name/IP Details Entry Dialog");
    setModal(false);
    m_pApplyButton->setObjectName("buttonApply");
    m_pCloseButton->setObjectName("buttonClose");
    m_pHelpButton->setObjectName("buttonHelp");
    m_pApplyButton->setDefault(true);
    m_pHelpButton->setAutoDefault(false);

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch(1);
    pButtons->addWidget(m_pApplyButton);
    pButtons->addWidget(m_pCloseButton);
    pButtons->addWidget(m_pHelpButton);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pForm);
    pLayout->addLayout(pButtons);

    connect(m_pApplyButton, &QPushButton::clicked, this, &CNameIPEntryDialog::OnApply);
    connect(m_pCloseButton, &QPushButton::clicked, this, &CNameIPEntryDialog::OnCancel);
    const auto showHelp = [this] { ShowHelp(HELP_PANEL_ENTRY, this); };
    connect(m_pHelpButton, &QPushButton::clicked, this, showHelp);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, showHelp);
}

void CNameIPEntryDialog::OnInitDialog()
{
    m_pForm->AddressCtrl()->SetFieldFocus(0);
    ShowRecord();
}

void CNameIPEntryDialog::ShowRecord()
{
    // A row that is no longer in the list can only be added anew.
    if (m_nIndex >= m_pOwner->m_PanelInfo.GetCount())
        m_nIndex = -1;
    const bool bExisting = m_nIndex >= 0;
    if (bExisting)
        m_Rec = m_pOwner->m_PanelInfo.GetAt(m_nIndex);
    else
        m_Rec.ResetToDefault();
    setWindowTitle(bExisting ? "Edit Name/IP Details" : "Name/IP Details Entry Dialog");
    m_pApplyButton->setText(bExisting ? "&Apply Changes" : "Add");
    m_pForm->ShowRecord(m_Rec);
}

void CNameIPEntryDialog::OnApply()
{
    if (!m_pForm->ReadEntry(m_Rec))
        return;
    if (m_nIndex < 0)
    {
        m_pOwner->AppendPanel(m_Rec);
        // Ready for the next new panel.
        ShowRecord();
        m_pForm->AddressCtrl()->SetFieldFocus(0);
    }
    else
    {
        m_pOwner->ReplacePanel(m_nIndex, m_Rec);
    }
}

void CNameIPEntryDialog::OnCancel()
{
    m_pOwner->EntryDialogClosed(this);
    hide();
    deleteLater();
}

void CNameIPEntryDialog::reject()
{
    // Esc and the title bar's close button close it the same way.
    OnCancel();
}
