#include "CFileDataChartPage.h"

#include "CFileDataChartDlg.h"
#include "viewer/CDataLogFile.h"

#include <QTimer>
#include <QVBoxLayout>

CFileDataChartPage::CFileDataChartPage(CDataLogFile* pDataLog, QWidget* pParent)
    : QWidget(pParent), m_pDataLog(pDataLog)
{
    setObjectName("fileDataChartPage");
    m_pChartDlg = new CFileDataChartDlg(pDataLog, this);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_pChartDlg);
}

CFileDataChartPage::~CFileDataChartPage() = default;

void CFileDataChartPage::OnSetActive()
{
    // Let the page show first, then draw.
    QTimer::singleShot(0, this, &CFileDataChartPage::RefreshChart);
}

void CFileDataChartPage::RefreshChart()
{
    if (m_pDataLog == nullptr || m_pChartDlg->m_bLoading)
        return;
    if (!m_pDataLog->m_bGraphViewStale && m_bEverLoaded)
        return;
    m_pChartDlg->RefreshGraph();
    m_pDataLog->m_bGraphViewStale = false;
    m_bEverLoaded = true;
}
