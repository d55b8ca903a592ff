#include "CFileDataSheet.h"

#include "CFileDataChartDlg.h"
#include "CFileDataChartPage.h"
#include "CFileDataFiltersPage.h"
#include "CFileDataPage.h"
#include "CFileDataReadPage.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTabWidget>

namespace
{
// Big enough for the Filters grid's six columns and a readable chart.
constexpr int DEFAULT_WIDTH = 820;
constexpr int DEFAULT_HEIGHT = 600;

QPushButton* MakeButton(const char* pszName, const char* pszText)
{
    auto* pButton = new QPushButton(pszText);
    pButton->setObjectName(pszName);
    pButton->hide();
    return pButton;
}
} // namespace

CFileDataSheet::CFileDataSheet(const QString& strTitle, QWidget* pParent, int nFirstPage,
                               CDataLogFile* pDataLog)
    : CResizableSheet(strTitle, pParent), m_pReadPage(new CFileDataReadPage(pDataLog)),
      m_pFiltersPage(new CFileDataFiltersPage(pDataLog)), m_pDataPage(new CFileDataPage(pDataLog)),
      m_pChartPage(new CFileDataChartPage(pDataLog, nullptr, false)),
      m_pGraphTypeButton(MakeButton("buttonGraphType", "Bar Graph")),
      m_pPrintButton(MakeButton("buttonPrint", "Print")),
      m_pExportButton(MakeButton("buttonExport", "Export"))
{
    setObjectName("fileDataSheet");
    AddPage(m_pReadPage, "Read Data");
    AddPage(m_pFiltersPage, "Filters");
    AddPage(m_pDataPage, "Data View");
    AddPage(m_pChartPage, "Graph View");
    // The graph type sits left of Print; Export takes Print's place on Data View.
    AddCornerButton(m_pGraphTypeButton);
    AddCornerButton(m_pPrintButton);
    AddCornerButton(m_pExportButton);
    connect(m_pPrintButton, &QPushButton::clicked, this, &CFileDataSheet::OnPrint);
    connect(m_pGraphTypeButton, &QPushButton::clicked, this, &CFileDataSheet::OnGraphType);
    connect(m_pExportButton, &QPushButton::clicked, this, &CFileDataSheet::OnExport);
    resize(DEFAULT_WIDTH, DEFAULT_HEIGHT);

    WatchChart();
    Tabs()->setCurrentIndex(nFirstPage);
    // The Read Data page loads its first records as the sheet opens.
    m_pReadPage->OnInitDialog();
    UpdateSheetButtons();
}

CFileDataSheet::~CFileDataSheet() = default;

bool CFileDataSheet::OnKillActive(int nIndex)
{
    if (nIndex == PageFilters)
        return m_pFiltersPage->OnKillActive();
    return true;
}

void CFileDataSheet::OnSetActive(int nIndex)
{
    switch (nIndex)
    {
    case PageFilters:
        m_pFiltersPage->OnSetActive();
        break;
    case PageDataView:
        m_pDataPage->OnSetActive();
        break;
    case PageGraphView:
        m_pChartPage->OnSetActive();
        WatchChart();
        break;
    default:
        break;
    }
    UpdateSheetButtons();
}

void CFileDataSheet::WatchChart()
{
    // The chart ends loading or changes type on its own time; the button
    // text follows it.
    if (m_bChartWatched || m_pChartPage->m_pChartDlg == nullptr)
        return;
    m_bChartWatched = true;
    connect(m_pChartPage->m_pChartDlg, &CFileDataChartDlg::chartStateChanged, this,
            &CFileDataSheet::UpdateSheetButtons);
}

void CFileDataSheet::UpdateSheetButtons()
{
    const int nActive = GetActiveIndex();
    const bool bGraph = nActive == PageGraphView;
    const CFileDataChartDlg* pChart = m_pChartPage->m_pChartDlg;
    m_pGraphTypeButton->setText(bGraph && pChart && pChart->m_bColumnChart ? "Line Graph"
                                                                           : "Bar Graph");
    m_pPrintButton->setVisible(bGraph);
    m_pGraphTypeButton->setVisible(bGraph);
    m_pExportButton->setVisible(nActive == PageDataView);
}

void CFileDataSheet::OnPrint()
{
    if (CFileDataChartDlg* pChart = m_pChartPage->m_pChartDlg)
        pChart->PrintChart();
}

void CFileDataSheet::OnGraphType()
{
    if (CFileDataChartDlg* pChart = m_pChartPage->m_pChartDlg)
    {
        pChart->ToggleChartType();
        UpdateSheetButtons();
    }
}

void CFileDataSheet::OnExport()
{
    m_pDataPage->ExportCsv();
}

void CFileDataSheet::reject()
{
    if (!isEnabled())
        return;
    CResizableSheet::reject();
}

void CFileDataSheet::closeEvent(QCloseEvent* pEvent)
{
    if (!isEnabled())
    {
        pEvent->ignore();
        return;
    }
    CResizableSheet::closeEvent(pEvent);
}
