#include "CFileDataChartPage.h"

#include "CFileDataChartDlg.h"
#include "viewer/CDataLogFile.h"

#include <QTimer>
#include <QVBoxLayout>

CFileDataChartPage::CFileDataChartPage(CDataLogFile* pDataLog, QWidget* pParent, bool bCreateChart)
    : QWidget(pParent), m_pDataLog(pDataLog)
{
    setObjectName("fileDataChartPage");
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    if (bCreateChart)
        CreateChart();
}

void CFileDataChartPage::CreateChart()
{
    if (m_pChartDlg)
        return;
    m_pChartDlg = new CFileDataChartDlg(m_pDataLog, this);
    layout()->addWidget(m_pChartDlg);
}

CFileDataChartPage::~CFileDataChartPage() = default;

void CFileDataChartPage::OnSetActive()
{
    CreateChart();
    // Let the page show first, then draw.
    QTimer::singleShot(0, this, &CFileDataChartPage::RefreshChart);
}

void CFileDataChartPage::RefreshChart()
{
    CreateChart();
    if (m_pDataLog == nullptr || m_pChartDlg->m_bLoading)
        return;
    if (!m_pDataLog->m_bGraphViewStale && m_bEverLoaded)
        return;
    m_pChartDlg->RefreshGraph();
    m_pDataLog->m_bGraphViewStale = false;
    m_bEverLoaded = true;
}
