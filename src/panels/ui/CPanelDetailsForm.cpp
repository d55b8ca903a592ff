#include "panels/ui/CPanelDetailsForm.h"

#include "common/StrFormat.h"
#include "panels/PanelEntryRules.h"
#include "widgets/CIPAddressCtrl.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

CPanelDetailsForm::CPanelDetailsForm(QWidget* pParent)
    : QWidget(pParent), m_pAddressCtrl(new CIPAddressCtrl(this)), m_pNameEdit(new QLineEdit(this)),
      m_pPortEdit(new QLineEdit(this))
{
    setObjectName("panelDetailsForm");
    m_pNameEdit->setObjectName("editName");
    m_pPortEdit->setObjectName("editPort");
    // The port box takes digits only; an empty box reads as port 0.
    m_pPortEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_pPortEdit));
    m_pPortEdit->setMaxLength(10);

    auto* pAddressLabel = new QLabel("IP Address", this);
    pAddressLabel->setObjectName("labelIpAddress");
    pAddressLabel->setBuddy(m_pAddressCtrl);
    auto* pNameLabel = new QLabel("Name", this);
    pNameLabel->setObjectName("labelName");
    pNameLabel->setBuddy(m_pNameEdit);
    auto* pPortLabel = new QLabel("Port Number", this);
    pPortLabel->setObjectName("labelPort");
    pPortLabel->setBuddy(m_pPortEdit);
    auto* pDefaultPortLabel = new QLabel("Default Port Number is 10001", this);
    pDefaultPortLabel->setObjectName("labelDefaultPort");

    auto* pLayout = new QGridLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(pAddressLabel, 0, 0);
    pLayout->addWidget(m_pAddressCtrl, 0, 1, Qt::AlignLeft);
    pLayout->addWidget(pNameLabel, 1, 0);
    pLayout->addWidget(m_pNameEdit, 1, 1, 1, 2);
    pLayout->addWidget(pPortLabel, 2, 0);
    pLayout->addWidget(m_pPortEdit, 2, 1);
    pLayout->addWidget(pDefaultPortLabel, 2, 2);
    pLayout->setColumnStretch(2, 1);
    setTabOrder(m_pAddressCtrl->Field(0), m_pNameEdit);
    setTabOrder(m_pNameEdit, m_pPortEdit);
}

bool CPanelDetailsForm::ReadEntry(CNameIpRec& rec)
{
    unsigned char arrAddress[4];
    m_pAddressCtrl->GetAddress(arrAddress);
    const SPanelEntryVerdict verdict = ReadPanelEntry(m_pNameEdit->text().toStdString(), arrAddress,
                                                      m_pPortEdit->text().toStdString());
    if (verdict.bAccepted)
    {
        rec = verdict.rec;
        return true;
    }
    GetPrompt().Message(verdict.strMessage, verdict.eIcon);
    switch (verdict.eFocus)
    {
    case EPanelField::Address:
        m_pAddressCtrl->SetFieldFocus(0);
        break;
    case EPanelField::Name:
        m_pNameEdit->setFocus(Qt::OtherFocusReason);
        m_pNameEdit->selectAll();
        break;
    case EPanelField::None:
        break;
    }
    return false;
}

void CPanelDetailsForm::ShowRecord(const CNameIpRec& rec)
{
    m_pNameEdit->setText(QString::fromStdString(rec.m_strName));
    // 0.0.0.0 is no address: the fields stay empty for the user to fill.
    if (rec.IsBlankAddress())
        m_pAddressCtrl->ClearAddress();
    else
        m_pAddressCtrl->SetAddress(rec.m_IPAddress);
    m_pPortEdit->setText(QString::fromStdString(StrFormat("%d", rec.m_nPort)));
}
