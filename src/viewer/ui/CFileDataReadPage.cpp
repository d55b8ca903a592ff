#include "CFileDataReadPage.h"

#include "CRecordSummaryBox.h"
#include "common/CPrompt.h"
#include "viewer/CDataLogFile.h"
#include "widgets/CDlgProgressDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace
{
// Object names of the range choice's radio buttons, by choice.
const char* const RANGE_RADIO_NAMES[] = {"radioAll", "radioFirst", "radioLast", "radioFrom"};
const char* const RANGE_RADIO_TEXTS[] = {"All", "First", "Last", "From Record Index"};

QLineEdit* MakeEdit(QWidget* pParent, const char* pszName, bool bDigitsOnly)
{
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setObjectName(pszName);
    if (bDigitsOnly)
        pEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), pEdit));
    pEdit->setFixedWidth(pEdit->fontMetrics().horizontalAdvance("0000000000") + 12);
    return pEdit;
}

QRadioButton* MakeRadio(QWidget* pParent, const char* pszName, const char* pszText)
{
    auto* pRadio = new QRadioButton(pszText, pParent);
    pRadio->setObjectName(pszName);
    return pRadio;
}

QLabel* MakeLabel(QWidget* pParent, const char* pszName, const char* pszText)
{
    auto* pLabel = new QLabel(pszText, pParent);
    pLabel->setObjectName(pszName);
    return pLabel;
}

QPushButton* MakeButton(QWidget* pParent, const char* pszName, const char* pszText)
{
    auto* pButton = new QPushButton(pszText, pParent);
    pButton->setObjectName(pszName);
    return pButton;
}
} // namespace

CFileDataReadPage::CFileDataReadPage(CDataLogFile* pDataLog, QWidget* pParent)
    : QWidget(pParent), m_pDataLog(pDataLog), m_pRangeChoice(new QButtonGroup(this)),
      m_pToRadio(MakeRadio(this, "radioToIndex", "To Record Index")),
      m_pNumberRadio(MakeRadio(this, "radioNumber", "Number of Records")),
      m_pFirstEdit(MakeEdit(this, "editFirst", true)),
      m_pLastEdit(MakeEdit(this, "editLast", true)),
      m_pFromEdit(MakeEdit(this, "editFromIndex", true)),
      m_pToEdit(MakeEdit(this, "editToIndex", true)),
      m_pNumberEdit(MakeEdit(this, "editNumber", false)),
      m_pClearAndAddButton(MakeButton(this, "buttonClearAndAdd", "Clear Cache and Add Records")),
      m_pAddButton(MakeButton(this, "buttonAddRecords", "Add Records")),
      m_pClearButton(MakeButton(this, "buttonClearCache", "Clear Cache")),
      m_pSummary(new CRecordSummaryBox(this))
{
    setObjectName("pageReadData");
    CreateControls();

    auto* pSubChoice = new QButtonGroup(this);
    pSubChoice->addButton(m_pToRadio);
    pSubChoice->addButton(m_pNumberRadio);
    connect(m_pRangeChoice, &QButtonGroup::idClicked, this, &CFileDataReadPage::UpdateControls);
    connect(pSubChoice, &QButtonGroup::idClicked, this, &CFileDataReadPage::UpdateControls);
    connect(m_pAddButton, &QPushButton::clicked, this, [this] { OnAddRecords(false); });
    connect(m_pClearAndAddButton, &QPushButton::clicked, this, [this] { OnAddRecords(true); });
    connect(m_pClearButton, &QPushButton::clicked, this, &CFileDataReadPage::OnClearCache);

    const SReadDataValues defaults;
    m_pFirstEdit->setText(QString::fromStdString(defaults.strFirst));
    m_pLastEdit->setText(QString::fromStdString(defaults.strLast));
    m_pNumberEdit->setText(QString::fromStdString(defaults.strNumber));
    m_pRangeChoice->button(defaults.nChoice)->setChecked(true);
    m_pToRadio->setChecked(defaults.bToChecked);
    m_pNumberRadio->setChecked(!defaults.bToChecked);
    UpdateControls();

    for (QWidget* pChild : findChildren<QWidget*>())
        pChild->installEventFilter(this);
}

void CFileDataReadPage::CreateControls()
{
    auto* pGroup = new QGroupBox("Add Records to Application Cache:", this);
    pGroup->setObjectName("groupAddRecords");
    auto* pGrid = new QGridLayout(pGroup);
    for (int nChoice = ReadChoiceAll; nChoice <= ReadChoiceFrom; ++nChoice)
    {
        QRadioButton* pRadio =
            MakeRadio(pGroup, RANGE_RADIO_NAMES[nChoice], RANGE_RADIO_TEXTS[nChoice]);
        m_pRangeChoice->addButton(pRadio, nChoice);
        pGrid->addWidget(pRadio, nChoice, 0, 1, nChoice == ReadChoiceFrom ? 2 : 1);
    }
    pGrid->addWidget(m_pFirstEdit, ReadChoiceFirst, 1);
    pGrid->addWidget(MakeLabel(pGroup, "labelFirstRecords", "Records"), ReadChoiceFirst, 2);
    pGrid->addWidget(m_pLastEdit, ReadChoiceLast, 1);
    pGrid->addWidget(MakeLabel(pGroup, "labelLastRecords", "Records"), ReadChoiceLast, 2);
    pGrid->addWidget(m_pFromEdit, ReadChoiceFrom, 2);

    // The sub-choice of From Record Index, indented under it.
    auto* pSub = new QGridLayout;
    pSub->setContentsMargins(24, 0, 0, 0);
    pSub->addWidget(m_pToRadio, 0, 0);
    pSub->addWidget(m_pToEdit, 0, 1);
    pSub->addWidget(m_pNumberRadio, 1, 0);
    pSub->addWidget(m_pNumberEdit, 1, 1);
    pSub->addWidget(
        MakeLabel(pGroup, "labelNegativeNote", "( -ve value will read previous records. )"), 1, 2);
    pSub->setColumnStretch(3, 1);
    pGrid->addLayout(pSub, ReadChoiceFrom + 1, 0, 1, 4);
    pGrid->setColumnStretch(3, 1);

    auto* pButtons = new QVBoxLayout;
    pButtons->addWidget(m_pClearAndAddButton);
    pButtons->addWidget(m_pAddButton);
    pButtons->addWidget(m_pClearButton);
    pButtons->addStretch(1);
    m_pClearAndAddButton->setDefault(true);

    auto* pLower = new QHBoxLayout;
    pLower->addWidget(pGroup, 1);
    pLower->addLayout(pButtons);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pSummary);
    pLayout->addLayout(pLower);
    pLayout->addStretch(1);
}

SReadDataValues CFileDataReadPage::GetValues() const
{
    SReadDataValues values;
    values.nChoice = m_pRangeChoice->checkedId();
    values.strFirst = m_pFirstEdit->text().toStdString();
    values.strLast = m_pLastEdit->text().toStdString();
    values.strFrom = m_pFromEdit->text().toStdString();
    values.strTo = m_pToEdit->text().toStdString();
    values.strNumber = m_pNumberEdit->text().toStdString();
    values.bToChecked = m_pToRadio->isChecked();
    return values;
}

QWidget* CFileDataReadPage::ControlById(int nId) const
{
    switch (nId)
    {
    case IDC_READ_FIRST:
        return m_pFirstEdit;
    case IDC_READ_LAST:
        return m_pLastEdit;
    case IDC_READ_FROM:
        return m_pFromEdit;
    case IDC_READ_TO:
        return m_pToEdit;
    case IDC_READ_NUMBER:
        return m_pNumberEdit;
    default:
        return nullptr;
    }
}

void CFileDataReadPage::UpdateControls()
{
    const int nChoice = m_pRangeChoice->checkedId();
    const bool bFrom = nChoice == ReadChoiceFrom;
    m_pFirstEdit->setEnabled(nChoice == ReadChoiceFirst);
    m_pLastEdit->setEnabled(nChoice == ReadChoiceLast);
    m_pFromEdit->setEnabled(bFrom);
    m_pToRadio->setEnabled(bFrom);
    m_pNumberRadio->setEnabled(bFrom);
    m_pToEdit->setEnabled(bFrom && m_pToRadio->isChecked());
    m_pNumberEdit->setEnabled(bFrom && !m_pToRadio->isChecked());
}

void CFileDataReadPage::OnInitDialog()
{
    if (m_bInitialised)
        return;
    m_bInitialised = true;
    SAddRecordsRequest request;
    request.eMode = LoadLast;
    ReadAndRefresh(request);
    m_pDataLog->InitFilterDates();
}

void CFileDataReadPage::OnAddRecords(bool bClearFirst)
{
    const SAddRecordsOutcome outcome =
        EvaluateAddRecords(GetValues(), m_pDataLog->GetRecordCount(), bClearFirst);
    if (!outcome.bAccepted)
    {
        if (outcome.message.strText.empty())
            return;
        GetPrompt().Message(outcome.message.strText, outcome.message.eIcon);
        if (QWidget* pEdit = ControlById(outcome.message.nFocusControl))
            pEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    ReadAndRefresh(outcome.request);
}

void CFileDataReadPage::ReadAndRefresh(const SAddRecordsRequest& request)
{
    // The progress window disables the sheet while it is up and enables it
    // again when it closes; the sheet cannot start a second load meanwhile.
    QWidget* pSheet = window();
    CDlgProgressDlg progress(pSheet, std::string());
    m_pDataLog->m_pProgress = &progress;
    PerformAddRecords(*m_pDataLog, request);
    m_pDataLog->m_pProgress = nullptr;
    progress.Close();
    if (pSheet->isVisible())
        pSheet->activateWindow();

    m_pSummary->SetFileSummary(FormatFileSummary(*m_pDataLog));
    ShowCacheSummary();
}

void CFileDataReadPage::ShowCacheSummary()
{
    const SCacheSummary summary = UpdateCacheSummary(*m_pDataLog);
    m_pSummary->SetCacheSummary(summary.strSummary);
    m_pSummary->SetRecordSet(summary.strRecordSet);
}

void CFileDataReadPage::OnClearCache()
{
    m_pDataLog->EmptyCache();
    ShowCacheSummary();
}

bool CFileDataReadPage::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::KeyPress)
    {
        const int nKey = static_cast<QKeyEvent*>(pEvent)->key();
        if ((nKey == Qt::Key_Return || nKey == Qt::Key_Enter) && isEnabled())
        {
            OnAddRecords(true);
            return true;
        }
    }
    return QWidget::eventFilter(pWatched, pEvent);
}
