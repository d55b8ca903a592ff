#include "CFileDataChartDlg.h"

#include "CLazyProgress.h"
#include "viewer/CDataLogFile.h"
#include "viewer/ChartData.h"
#include "widgets/CDlgProgressDlg.h"

#include <QDir>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace
{
const char* const CHART_PAGE_URL = "qrc:/chart/chart.html";
// A page that never reports its drawing does not keep the sheet disabled.
constexpr int LOAD_GUARD_MS = 60000;
} // namespace

// The chart page lives in a static library: its resources are registered by hand.
static void InitChartResources()
{
    Q_INIT_RESOURCE(chart);
}

CFileDataChartDlg::CFileDataChartDlg(CDataLogFile* pDataLog, QWidget* pParent)
    : QWidget(pParent), m_pDataLog(pDataLog)
{
    InitChartResources();
    setObjectName("fileDataChartDlg");
    m_external.m_nUtcOffset = GetLocalUtcOffset();
    m_external.SetDateFormats(m_pDataLog != nullptr && m_pDataLog->m_bHasMilliseconds);
    m_external.m_fnClientHeight = [this] { return height(); };

    m_pView = new QWebEngineView(this);
    m_pView->setObjectName("chartView");
    m_pView->setContextMenuPolicy(Qt::NoContextMenu);
    m_pView->setAcceptDrops(false);
    m_pChannel = new QWebChannel(this);
    m_pChannel->registerObject("external", &m_external);
    m_pView->page()->setWebChannel(m_pChannel);
    m_pView->setHtml("<HTML><BODY>Loading Graph...</BODY></HTML>");
    connect(m_pView, &QWebEngineView::loadFinished, this, &CFileDataChartDlg::OnLoadFinished);
    connect(&m_external, &CChartExternal::drawn, this,
            [this]
            {
                if (m_bLoading)
                    EndLoading();
                emit chartDrawn();
            });
    connect(m_pView, &QWebEngineView::printFinished, this,
            [this](bool bOk) { RemovePrintHeader(bOk); });
    connect(m_pView->page(), &QWebEnginePage::pdfPrintingFinished, this,
            [this](const QString&, bool bOk) { RemovePrintHeader(bOk); });

    m_pLoadGuard = new QTimer(this);
    m_pLoadGuard->setSingleShot(true);
    m_pLoadGuard->setInterval(LOAD_GUARD_MS);
    connect(m_pLoadGuard, &QTimer::timeout, this,
            [this]
            {
                if (m_bLoading)
                    EndLoading();
            });

    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_pView);

    m_fnSetUpPrinter = [this](QPrinter& printer) { return SetUpPrinterDialog(printer); };
}

CFileDataChartDlg::~CFileDataChartDlg()
{
    if (m_pProgress)
        m_pProgress->Close();
    // The page and the channel go before the object the page calls.
    m_pChannel->deregisterObject(&m_external);
    delete m_pView;
    delete m_pChannel;
}

void CFileDataChartDlg::RefreshGraph()
{
    if (m_bLoading || m_pDataLog == nullptr)
        return;
    m_external.m_strTitle = m_pDataLog->GetRecordSetText();
    {
        CLazyProgress progress(window());
        if (std::optional<std::string> strData =
                BuildChartData(*m_pDataLog, m_external.m_nUtcOffset, &progress))
            m_external.m_strData = std::move(*strData);
    }
    LoadGraph();
}

void CFileDataChartDlg::ToggleChartType()
{
    if (m_bLoading)
        return;
    m_bColumnChart = !m_bColumnChart;
    LoadGraph();
    emit chartStateChanged();
}

void CFileDataChartDlg::LoadGraph()
{
    m_external.m_strChartType = m_bColumnChart ? "column" : "line";
    m_bLoading = true;
    // The progress window disables the sheet until the page has drawn.
    m_pProgress = std::make_unique<CDlgProgressDlg>(window(), "");
    m_pProgress->SetMessage("Loading Graph...");
    m_pProgress->StartRunning();
    m_pLoadGuard->start();
    m_pView->load(QUrl(CHART_PAGE_URL));
}

void CFileDataChartDlg::OnLoadFinished(bool bOk)
{
    // A page that loaded runs its script and reports when it has drawn; one
    // that failed never will.
    if (m_bLoading && !bOk)
        EndLoading();
}

void CFileDataChartDlg::EndLoading()
{
    m_bLoading = false;
    m_pLoadGuard->stop();
    if (m_pProgress)
    {
        m_pProgress->Close();
        m_pProgress.reset();
    }
    window()->setEnabled(true);
    window()->activateWindow();
    emit chartStateChanged();
}

void CFileDataChartDlg::keyPressEvent(QKeyEvent* pEvent)
{
    // The page is neither closed with Esc or Enter nor reloaded with F5.
    switch (pEvent->key())
    {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F5:
        pEvent->accept();
        return;
    default:
        QWidget::keyPressEvent(pEvent);
    }
}

void CFileDataChartDlg::PrintChart()
{
    if (m_bLoading || m_pPrinter || m_pDataLog == nullptr)
        return;
    const std::string strHeader = BuildPrintHeader(*m_pDataLog);
    const QString strScript = QString("(function(){var c=document.getElementById('container');"
                                      "if(!c||c.parentNode!==document.body)return false;"
                                      "c.insertAdjacentHTML('beforebegin',%1);"
                                      "return document.getElementById('PrintChart')!==null;})()")
                                  .arg(QString::fromLatin1(JsonQuote(strHeader).c_str()));
    m_pView->page()->runJavaScript(strScript,
                                   [this](const QVariant& inserted)
                                   {
                                       if (inserted.toBool())
                                           PrintWithHeader();
                                       else
                                           emit printDone(false);
                                   });
}

void CFileDataChartDlg::PrintWithHeader()
{
    m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_pPrinter->setPageOrientation(QPageLayout::Landscape);
    if (QPrinterInfo::availablePrinters().isEmpty())
    {
        // No printer: print to a PDF file, named after the data log.
        const QString strFolder =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString strName = QString::fromLatin1(m_pDataLog->m_strFileName.c_str());
        m_pPrinter->setOutputFormat(QPrinter::PdfFormat);
        m_pPrinter->setOutputFileName(QDir(strFolder).filePath(strName + ".pdf"));
    }
    if (!m_fnSetUpPrinter || !m_fnSetUpPrinter(*m_pPrinter))
    {
        RemovePrintHeader(false);
        return;
    }
    if (m_pPrinter->outputFormat() == QPrinter::PdfFormat &&
        !m_pPrinter->outputFileName().isEmpty())
    {
        // Straight to PDF keeps the text as text (a printer gets page images).
        m_pView->page()->printToPdf(m_pPrinter->outputFileName(), m_pPrinter->pageLayout(),
                                    m_pPrinter->pageRanges());
        return;
    }
    m_pView->print(m_pPrinter.get());
}

void CFileDataChartDlg::RemovePrintHeader(bool bPrinted)
{
    m_pView->page()->runJavaScript(
        "(function(){var h=document.getElementById('PrintChart');if(h)h.remove();})()");
    m_pPrinter.reset();
    emit printDone(bPrinted);
}

bool CFileDataChartDlg::SetUpPrinterDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName("printChartDialog");
    return dialog.exec() == QDialog::Accepted;
}
