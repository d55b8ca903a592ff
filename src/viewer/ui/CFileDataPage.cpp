#include "CFileDataPage.h"

#include "CDataViewModel.h"
#include "CLazyProgress.h"
#include "viewer/CDataLogFile.h"
#include "viewer/CsvExport.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
// Rows measured per column when sizing the columns: every row of a small
// table, an even spread (first and last included) of a large one.
constexpr int SAMPLE_ROWS = 400;
constexpr int CELL_PADDING = 14;
} // namespace

CFileDataPage::CFileDataPage(CDataLogFile* pDataLog, QWidget* pParent)
    : QWidget(pParent), m_pDataLog(pDataLog)
{
    setObjectName("fileDataPage");
    if (m_pDataLog != nullptr)
        setWindowTitle(QString::fromLatin1(m_pDataLog->m_strFileName.c_str()));
    m_pModel = new CDataViewModel(m_table, *m_pDataLog, this);

    m_pList = new QTableView(this);
    m_pList->setObjectName("dataViewList");
    m_pList->setModel(m_pModel);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setShowGrid(true);
    m_pList->setWordWrap(false);
    m_pList->setAlternatingRowColors(false);
    m_pList->setSortingEnabled(false); // the header click runs our own sort
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A fixed row height keeps a million rows as cheap as ten.
    QHeaderView* pRows = m_pList->verticalHeader();
    pRows->setVisible(false);
    pRows->setSectionResizeMode(QHeaderView::Fixed);
    pRows->setDefaultSectionSize(m_pList->fontMetrics().height() + 6);
    QHeaderView* pColumns = m_pList->horizontalHeader();
    pColumns->setObjectName("dataViewHeader");
    pColumns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pColumns->setSectionResizeMode(QHeaderView::Interactive);
    pColumns->setHighlightSections(false);
    pColumns->setSectionsClickable(true);
    pColumns->setStretchLastSection(true);
    connect(pColumns, &QHeaderView::sectionClicked, this, &CFileDataPage::OnHeaderClicked);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(6, 6, 6, 6);
    pLayout->addWidget(m_pList);

    m_fnAskSavePath = [this](const std::string& strInitialName)
    { return AskSavePathDialog(strInitialName); };
    FitColumns();
}

CFileDataPage::~CFileDataPage()
{
    // The list and its model read the table: both go before it does (the
    // base class would otherwise hide the list after the table is gone).
    delete m_pList;
    delete m_pModel;
}

void CFileDataPage::OnSetActive()
{
    // Let the page show first, then rebuild.
    QTimer::singleShot(0, this, &CFileDataPage::RefreshList);
}

void CFileDataPage::RefreshList()
{
    if (m_pDataLog == nullptr || !m_pDataLog->m_bDataViewStale)
        return;
    LoadList();
    m_pDataLog->m_bDataViewStale = false;
}

void CFileDataPage::LoadList()
{
    // The progress window opens only when there are records to walk, and
    // disables the sheet while it is open.
    CLazyProgress progress(window());
    m_pModel->BeginChange();
    m_table.Load(*m_pDataLog, &progress);
    m_pModel->EndChange();
    m_pList->horizontalHeader()->setSortIndicatorShown(false);
    FitColumns();
    progress.Close();
}

void CFileDataPage::OnHeaderClicked(int nColumn)
{
    m_pModel->BeginChange();
    const bool bSorted = m_table.Sort(nColumn);
    m_pModel->EndChange();
    if (!bSorted)
        return;
    QHeaderView* pHeader = m_pList->horizontalHeader();
    pHeader->setSortIndicatorShown(true);
    pHeader->setSortIndicator(nColumn,
                              m_table.m_bSortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CFileDataPage::FitColumns()
{
    const QFontMetrics metricsCells = m_pList->fontMetrics();
    const QFontMetrics metricsHeader = m_pList->horizontalHeader()->fontMetrics();
    const int nRows = m_pModel->rowCount();
    const int nSample = std::min(nRows, SAMPLE_ROWS);
    for (int c = 0; c < m_pModel->columnCount(); ++c)
    {
        const QString strHeader = m_pModel->headerData(c, Qt::Horizontal).toString();
        // Room for the sort arrow beside the header text.
        int nWidth = metricsHeader.horizontalAdvance(strHeader) + CELL_PADDING + 16;
        for (int i = 0; i < nSample; ++i)
        {
            const int nRow =
                nSample < 2
                    ? i
                    : static_cast<int>(static_cast<int64_t>(i) * (nRows - 1) / (nSample - 1));
            const QString strCell = m_pModel->data(m_pModel->index(nRow, c)).toString();
            nWidth = std::max(nWidth, metricsCells.horizontalAdvance(strCell) + CELL_PADDING);
        }
        m_pList->setColumnWidth(c, nWidth);
    }
}

void CFileDataPage::ExportCsv()
{
    if (m_pDataLog == nullptr || !m_fnAskSavePath)
        return;
    const std::string strPath = m_fnAskSavePath(m_pDataLog->m_strFileName);
    if (strPath.empty())
        return;
    ::ExportCsv(strPath, *m_pDataLog, m_table);
}

std::string CFileDataPage::AskSavePathDialog(const std::string& strInitialName)
{
    QFileDialog dialog(this, "Save Data View in CSV format");
    dialog.setObjectName("saveCsvDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter("CSV Files (*.csv)");
    dialog.setDefaultSuffix("csv");
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile(
        QString::fromLatin1(strInitialName.data(), static_cast<qsizetype>(strInitialName.size())));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::string();
    return dialog.selectedFiles().constFirst().toLocal8Bit().toStdString();
}
