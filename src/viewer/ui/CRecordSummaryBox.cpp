#include "CRecordSummaryBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace
{
QLabel* MakeSummary(QWidget* pParent, const char* pszName)
{
    auto* pLabel = new QLabel(pParent);
    pLabel->setObjectName(pszName);
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the four lines of a summary before any is loaded.
    pLabel->setMinimumHeight(pLabel->fontMetrics().lineSpacing() * 4);
    return pLabel;
}

QGroupBox* MakeGroup(QWidget* pParent, const char* pszName, const char* pszTitle, QLabel* pLabel)
{
    auto* pGroup = new QGroupBox(pszTitle, pParent);
    pGroup->setObjectName(pszName);
    auto* pLayout = new QVBoxLayout(pGroup);
    pLayout->addWidget(pLabel);
    return pGroup;
}
} // namespace

CRecordSummaryBox::CRecordSummaryBox(QWidget* pParent)
    : QWidget(pParent), m_pFileSummary(MakeSummary(this, "staticFileSummary")),
      m_pCacheSummary(MakeSummary(this, "staticCacheSummary")),
      m_pRecordSet(new QPlainTextEdit(this))
{
    setObjectName("recordSummaryBox");
    m_pRecordSet->setObjectName("editRecordSet");
    m_pRecordSet->setReadOnly(true);
    m_pRecordSet->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pRecordSet->setMaximumHeight(m_pRecordSet->fontMetrics().lineSpacing() * 3 + 12);
    auto* pRecordSetLabel = new QLabel("RecordSet:", this);
    pRecordSetLabel->setObjectName("labelRecordSet");
    pRecordSetLabel->setBuddy(m_pRecordSet);

    auto* pLayout = new QGridLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(MakeGroup(this, "groupFile", "Records in File:", m_pFileSummary), 0, 0, 1,
                       2);
    pLayout->addWidget(
        MakeGroup(this, "groupCache", "Records in Application Cache:", m_pCacheSummary), 0, 2);
    pLayout->addWidget(pRecordSetLabel, 1, 0, Qt::AlignTop);
    pLayout->addWidget(m_pRecordSet, 1, 1, 1, 2);
    pLayout->setColumnStretch(1, 1);
    pLayout->setColumnStretch(2, 1);
}

void CRecordSummaryBox::SetFileSummary(const std::string& strText)
{
    m_pFileSummary->setText(QString::fromStdString(strText));
}

void CRecordSummaryBox::SetCacheSummary(const std::string& strText)
{
    m_pCacheSummary->setText(QString::fromStdString(strText));
}

void CRecordSummaryBox::SetRecordSet(const std::string& strText)
{
    m_pRecordSet->setPlainText(QString::fromStdString(strText));
}
