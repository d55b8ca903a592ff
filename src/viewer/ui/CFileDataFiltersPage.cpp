#include "CFileDataFiltersPage.h"

#include "CRecordSummaryBox.h"
#include "common/CPrompt.h"
#include "viewer/CDataLogFile.h"
#include "viewer/ReadDataRules.h"
#include "widgets/CGridCtrl.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
constexpr int TAG_COLUMNS = 6;
const int COLUMN_WIDTHS[TAG_COLUMNS] = {220, 70, 70, 100, 65, 65};
const char* const COLUMN_HEADINGS[TAG_COLUMNS] = {"Tags",      "Show/Hide", "DataType",
                                                  "Condition", "Low Limit", "High Limit"};
const QStringList SHOW_HIDE_OPTIONS = {"Show", "Hide"};
const QStringList DATA_TYPE_OPTIONS = {"Numeric", "Discrete"};

QStringList ConditionOptions(const char* (*pfnText)(int))
{
    QStringList arrOptions;
    for (int i = 0; i < FILTER_CONDITION_COUNT; ++i)
        arrOptions << pfnText(i);
    return arrOptions;
}

QColor EnabledCellColour()
{
    return QColor(255, 255, 255);
}

// The colour of a menu, which the grid gives the cells that cannot be edited.
QColor DisabledCellColour()
{
    return QApplication::palette("QMenu").color(QPalette::Window);
}

QDate ToQDate(const SYSTEMTIME& tm)
{
    return QDate(tm.wYear, tm.wMonth, tm.wDay);
}

QTime ToQTime(const SYSTEMTIME& tm)
{
    return QTime(tm.wHour, tm.wMinute, tm.wSecond);
}

SYSTEMTIME DatePart(const QDate& date)
{
    SYSTEMTIME tm;
    tm.wYear = static_cast<uint16_t>(date.year());
    tm.wMonth = static_cast<uint16_t>(date.month());
    tm.wDayOfWeek = static_cast<uint16_t>(date.dayOfWeek() % 7); // Sunday is 0
    tm.wDay = static_cast<uint16_t>(date.day());
    return tm;
}

SYSTEMTIME TimePart(const QTime& time)
{
    SYSTEMTIME tm;
    tm.wHour = static_cast<uint16_t>(time.hour());
    tm.wMinute = static_cast<uint16_t>(time.minute());
    tm.wSecond = static_cast<uint16_t>(time.second());
    return tm;
}

QDateEdit* MakeDatePicker(QWidget* pParent, const char* pszName)
{
    auto* pPicker = new QDateEdit(pParent);
    pPicker->setObjectName(pszName);
    pPicker->setCalendarPopup(true);
    pPicker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    return pPicker;
}

QTimeEdit* MakeTimePicker(QWidget* pParent, const char* pszName)
{
    auto* pPicker = new QTimeEdit(pParent);
    pPicker->setObjectName(pszName);
    pPicker->setDisplayFormat("HH:mm:ss");
    return pPicker;
}

QLabel* MakeLabel(QWidget* pParent, const char* pszName, const char* pszText)
{
    auto* pLabel = new QLabel(pszText, pParent);
    pLabel->setObjectName(pszName);
    return pLabel;
}

template <typename TButton>
TButton* MakeButton(QWidget* pParent, const char* pszName, const char* pszText)
{
    auto* pButton = new TButton(pszText, pParent);
    pButton->setObjectName(pszName);
    return pButton;
}
} // namespace

CFileDataFiltersPage::CFileDataFiltersPage(CDataLogFile* pDataLog, QWidget* pParent)
    : QWidget(pParent), m_pDataLog(pDataLog),
      m_pFilterCheck(
          MakeButton<QCheckBox>(this, "checkFilter", "Filter Cache Data for Data && Graph View")),
      m_pDateRangeCheck(MakeButton<QCheckBox>(this, "checkDateRange", "Date Range")),
      m_pShowRadio(MakeButton<QRadioButton>(this, "radioShowDates", "Show")),
      m_pHideRadio(MakeButton<QRadioButton>(this, "radioHideDates", "Hide")),
      m_pConditionCombo(new QComboBox(this)), m_pFromDate(MakeDatePicker(this, "dateFrom")),
      m_pFromTime(MakeTimePicker(this, "timeFrom")), m_pToDate(MakeDatePicker(this, "dateTo")),
      m_pToTime(MakeTimePicker(this, "timeTo")), m_pGrid(new CGridCtrl(this)),
      m_pSummary(new CRecordSummaryBox(this))
{
    setObjectName("pageFilters");
    m_pConditionCombo->setObjectName("comboDateCondition");
    m_pConditionCombo->addItems(ConditionOptions(&GetConditionComboText));
    m_pGrid->setObjectName("gridTags");
    auto* pShowHide = new QButtonGroup(this);
    pShowHide->addButton(m_pShowRadio);
    pShowHide->addButton(m_pHideRadio);
    CreateControls();

    connect(m_pFilterCheck, &QCheckBox::clicked, this, &CFileDataFiltersPage::UpdateFilterControls);
    connect(m_pDateRangeCheck, &QCheckBox::clicked, this,
            &CFileDataFiltersPage::UpdateFilterControls);
    connect(m_pConditionCombo, &QComboBox::currentIndexChanged, this,
            &CFileDataFiltersPage::UpdateFilterControls);
    connect(m_pGrid, &CGridCtrl::CellClicked, this, &CFileDataFiltersPage::OnGridClick);
    connect(m_pGrid, &CGridCtrl::EditEnded, this,
            [this](int nRow, int /*nColumn*/) { UpdateTagRow(nRow); });
}

void CFileDataFiltersPage::CreateControls()
{
    auto* pDates = new QGridLayout;
    pDates->setContentsMargins(20, 0, 0, 0);
    auto* pShowHide = new QHBoxLayout;
    pShowHide->addWidget(m_pShowRadio);
    pShowHide->addWidget(m_pHideRadio);
    pShowHide->addSpacing(16);
    pShowHide->addWidget(MakeLabel(this, "labelCondition", "Condition"));
    pShowHide->addWidget(m_pConditionCombo);
    pShowHide->addStretch(1);
    pDates->addWidget(m_pDateRangeCheck, 0, 0);
    pDates->addLayout(pShowHide, 0, 1, 1, 5);
    pDates->addWidget(MakeLabel(this, "labelFrom", "From"), 1, 0, Qt::AlignRight);
    pDates->addWidget(m_pFromDate, 1, 1);
    pDates->addWidget(m_pFromTime, 1, 2);
    pDates->addWidget(MakeLabel(this, "labelTo", "To"), 1, 3, Qt::AlignRight);
    pDates->addWidget(m_pToDate, 1, 4);
    pDates->addWidget(m_pToTime, 1, 5);
    pDates->setColumnStretch(6, 1);
    pDates->setColumnMinimumWidth(3, 40);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pFilterCheck);
    pLayout->addLayout(pDates);
    pLayout->addWidget(m_pGrid, 1);
    pLayout->addWidget(m_pSummary);
}

void CFileDataFiltersPage::OnInitDialog()
{
    std::vector<std::string> arrFields;
    m_pDataLog->GetHeaderFields(arrFields);
    // Columns 0 and 1 are the date and the time; the rest are the tags.
    const std::vector<std::string> arrTags(
        arrFields.size() > 2 ? arrFields.begin() + 2 : arrFields.end(), arrFields.end());
    const SFilterPageValues values = MakeFilterPageValues(m_pDataLog->m_Filter, arrTags);
    m_pFromDate->setDate(ToQDate(values.tmFromDate));
    m_pFromTime->setTime(ToQTime(values.tmFromTime));
    m_pToDate->setDate(ToQDate(values.tmToDate));
    m_pToTime->setTime(ToQTime(values.tmToTime));
    FillGrid(values);

    m_pShowRadio->setChecked(true);
    m_pConditionCombo->setCurrentIndex(FilterInRange);
    UpdateFilterControls();
}

void CFileDataFiltersPage::FillGrid(const SFilterPageValues& values)
{
    const int nTags = static_cast<int>(values.arrRows.size());
    m_pGrid->SetColumnCount(TAG_COLUMNS);
    m_pGrid->SetRowCount(nTags + 1);
    const QStringList arrConditions = ConditionOptions(&GetConditionGridText);
    const QStringList* arrLists[TAG_COLUMNS] = {
        nullptr, &SHOW_HIDE_OPTIONS, &DATA_TYPE_OPTIONS, &arrConditions, nullptr, nullptr};
    const QFontMetrics metrics = m_pGrid->fontMetrics();
    for (int nColumn = 0; nColumn < TAG_COLUMNS; ++nColumn)
    {
        m_pGrid->SetItemText(0, nColumn, COLUMN_HEADINGS[nColumn]);
        // The described widths, widened where a heading or an option would not fit.
        int nWidth = std::max(COLUMN_WIDTHS[nColumn],
                              metrics.horizontalAdvance(COLUMN_HEADINGS[nColumn]) + 16);
        if (arrLists[nColumn])
            for (const QString& strOption : *arrLists[nColumn])
                nWidth = std::max(nWidth, metrics.horizontalAdvance(strOption) + 32);
        m_pGrid->SetColumnWidth(nColumn, nWidth);
    }
    for (int nRow = 1; nRow <= nTags; ++nRow)
    {
        const SFilterGridRow& row = values.arrRows[nRow - 1];
        m_pGrid->SetCheckCell(nRow, FilterColumnTag, QString::fromStdString(row.strTagName));
        m_pGrid->SetCheck(nRow, FilterColumnTag, row.bTicked);
        m_pGrid->SetReadOnly(nRow, FilterColumnTag, true);
        for (int nColumn = FilterColumnShowHide; nColumn <= FilterColumnCondition; ++nColumn)
            m_pGrid->SetListCell(nRow, nColumn, *arrLists[nColumn]);
        m_pGrid->SetCurSel(nRow, FilterColumnShowHide, row.nShowHide);
        m_pGrid->SetCurSel(nRow, FilterColumnDataType, row.nDataType);
        m_pGrid->SetCurSel(nRow, FilterColumnCondition, row.nCondition);
        m_pGrid->SetItemText(nRow, FilterColumnLow, QString::fromStdString(row.strLow));
        m_pGrid->SetItemText(nRow, FilterColumnHigh, QString::fromStdString(row.strHigh));
        for (int nColumn = FilterColumnShowHide; nColumn <= FilterColumnHigh; ++nColumn)
            SetCellDisabled(nRow, nColumn, true);
    }
}

void CFileDataFiltersPage::SetCellDisabled(int nRow, int nColumn, bool bDisabled)
{
    m_pGrid->SetReadOnly(nRow, nColumn, bDisabled);
    m_pGrid->SetCellBackground(nRow, nColumn,
                               bDisabled ? DisabledCellColour() : EnabledCellColour());
}

void CFileDataFiltersPage::UpdateFilterControls()
{
    const bool bOn = m_pFilterCheck->isChecked();
    m_pDateRangeCheck->setEnabled(bOn);
    m_pGrid->setEnabled(bOn);
    for (int nRow = 1; nRow < m_pGrid->GetRowCount(); ++nRow)
    {
        for (int nColumn = 0; nColumn < TAG_COLUMNS; ++nColumn)
        {
            const bool bMenuColour =
                !bOn || (nColumn >= FilterColumnShowHide && m_pGrid->IsReadOnly(nRow, nColumn));
            m_pGrid->SetCellBackground(nRow, nColumn,
                                       bMenuColour ? DisabledCellColour() : EnabledCellColour());
        }
    }
    m_pGrid->viewport()->update();

    const bool bDates = bOn && m_pDateRangeCheck->isChecked();
    for (QWidget* pControl :
         {static_cast<QWidget*>(m_pShowRadio), static_cast<QWidget*>(m_pHideRadio),
          static_cast<QWidget*>(m_pConditionCombo), static_cast<QWidget*>(m_pFromDate),
          static_cast<QWidget*>(m_pFromTime)})
        pControl->setEnabled(bDates);
    const int nCondition = m_pConditionCombo->currentIndex();
    const bool bTo = bDates && (nCondition == FilterInRange || nCondition == FilterOutOfRange);
    m_pToDate->setEnabled(bTo);
    m_pToTime->setEnabled(bTo);
}

void CFileDataFiltersPage::OnGridClick(int nRow, int /*nColumn*/)
{
    if (nRow < 1 || nRow >= m_pGrid->GetRowCount())
        return;
    const bool bTicked = m_pGrid->GetCheck(nRow, FilterColumnTag);
    for (int nColumn = FilterColumnShowHide; nColumn <= FilterColumnHigh; ++nColumn)
        SetCellDisabled(nRow, nColumn, !bTicked);
    UpdateTagRow(nRow);
}

void CFileDataFiltersPage::UpdateTagRow(int nRow)
{
    if (nRow < 1 || nRow >= m_pGrid->GetRowCount())
        return;
    const bool bTicked = m_pGrid->GetCheck(nRow, FilterColumnTag);
    const bool bNumeric = m_pGrid->GetCurSel(nRow, FilterColumnDataType) == FilterNumeric;
    // A Discrete value is on or off: the only condition that means anything is "=".
    if (bTicked && !bNumeric)
        m_pGrid->SetCurSel(nRow, FilterColumnCondition, FilterEqual);
    const int nCondition = m_pGrid->GetCurSel(nRow, FilterColumnCondition);
    SetCellDisabled(nRow, FilterColumnCondition, !(bTicked && bNumeric));
    SetCellDisabled(
        nRow, FilterColumnHigh,
        !(bTicked && bNumeric && (nCondition == FilterInRange || nCondition == FilterOutOfRange)));
    m_pGrid->viewport()->update();
}

void CFileDataFiltersPage::OnSetActive()
{
    if (!m_bInitialised)
    {
        m_bInitialised = true;
        OnInitDialog();
    }
    m_pSummary->SetFileSummary(FormatFileSummary(*m_pDataLog));
    const SCacheSummary cache = FormatCacheSummary(*m_pDataLog);
    m_pSummary->SetCacheSummary(cache.strSummary);
    m_pSummary->SetRecordSet(cache.strRecordSet);
}

SFilterPageValues CFileDataFiltersPage::GetValues() const
{
    SFilterPageValues values;
    values.bFilterEnabled = m_pFilterCheck->isChecked();
    values.bDateRange = m_pDateRangeCheck->isChecked();
    values.bShowDates = m_pShowRadio->isChecked();
    values.nDateCondition = m_pConditionCombo->currentIndex();
    values.tmFromDate = DatePart(m_pFromDate->date());
    values.tmFromTime = TimePart(m_pFromTime->time());
    values.tmToDate = DatePart(m_pToDate->date());
    values.tmToTime = TimePart(m_pToTime->time());
    for (int nRow = 1; nRow < m_pGrid->GetRowCount(); ++nRow)
    {
        SFilterGridRow row;
        row.bTicked = m_pGrid->GetCheck(nRow, FilterColumnTag);
        row.strTagName = m_pGrid->GetItemText(nRow, FilterColumnTag).toStdString();
        row.nShowHide = m_pGrid->GetCurSel(nRow, FilterColumnShowHide);
        row.nDataType = m_pGrid->GetCurSel(nRow, FilterColumnDataType);
        row.nCondition = m_pGrid->GetCurSel(nRow, FilterColumnCondition);
        row.strLow = m_pGrid->GetItemText(nRow, FilterColumnLow).toStdString();
        row.strHigh = m_pGrid->GetItemText(nRow, FilterColumnHigh).toStdString();
        values.arrRows.push_back(row);
    }
    return values;
}

QWidget* CFileDataFiltersPage::ControlById(int nId) const
{
    switch (nId)
    {
    case IDC_FILTER_FROM_DATE:
        return m_pFromDate;
    case IDC_FILTER_TO_DATE:
        return m_pToDate;
    case IDC_FILTER_GRID:
        return m_pGrid;
    default:
        return nullptr;
    }
}

bool CFileDataFiltersPage::OnKillActive()
{
    if (!m_bInitialised)
        return true;
    m_pGrid->CommitEdit();
    SYSTEMTIME tmCacheStart, tmCacheEnd;
    m_pDataLog->GetCacheSpan(tmCacheStart, tmCacheEnd);
    const SFilterPageOutcome outcome = ValidateFilterPage(GetValues(), tmCacheStart, tmCacheEnd);
    if (!outcome.bAccepted)
    {
        const SViewerMessage& message = outcome.message;
        GetPrompt().Message(message.strText, message.eIcon);
        if (message.nFocusControl == IDC_FILTER_GRID)
        {
            m_pGrid->SelectRow(message.nFocusRow);
            m_pGrid->SetFocusCell(message.nFocusRow, message.nFocusColumn);
        }
        if (QWidget* pControl = ControlById(message.nFocusControl))
            pControl->setFocus(Qt::OtherFocusReason);
        return false;
    }
    ApplyFilterSet(*m_pDataLog, outcome.filter);
    return true;
}
