#include "CDlgProgressDlg.h"

#include "widgets/CTextProgressCtrl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include <chrono>

namespace
{
// How often the runner moves a bar that has no known range.
constexpr std::chrono::milliseconds kRunnerInterval(100);

QWidget* ChooseOwner(QWidget* pOwner)
{
    if (pOwner)
        return pOwner;
    return qobject_cast<QDialog*>(QApplication::activeWindow());
}

QLabel* MakeLine(QWidget* pParent, const char* pszName)
{
    auto* pLabel = new QLabel(pParent);
    pLabel->setObjectName(pszName);
    pLabel->setAlignment(Qt::AlignCenter);
    pLabel->setWordWrap(true);
    return pLabel;
}
} // namespace

CDlgProgressDlg::CDlgProgressDlg(QWidget* pOwner, const std::string& strTitle, bool bPlainBar)
    : QDialog(ChooseOwner(pOwner), Qt::Dialog | Qt::FramelessWindowHint), m_pOwner(parentWidget()),
      m_pTitle(MakeLine(this, "staticTitle")), m_pMessage(MakeLine(this, "staticMessage")),
      m_pThirdLine(MakeLine(this, "staticLine3")), m_pBar(new CTextProgressCtrl(this)),
      m_pStepping(std::make_shared<std::atomic<bool>>(false))
{
    setObjectName("progressDlg");
    setModal(false);
    m_pBar->setObjectName("progressBar");
    m_pBar->setTextVisible(false);

    // Without a caption the window draws its own border.
    auto* pFrame = new QFrame(this);
    pFrame->setObjectName("frame");
    pFrame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pFrame->setLineWidth(2);
    auto* pLines = new QVBoxLayout(pFrame);
    const QList<QWidget*> arrLines = {m_pTitle, m_pMessage, m_pThirdLine, m_pBar};
    for (QWidget* pLine : arrLines)
        pLines->addWidget(pLine);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(pFrame);
    setMinimumWidth(320);

    m_pTitle->setText(QString::fromStdString(strTitle));
    if (m_pOwner)
        m_pOwner->setEnabled(false);
    adjustSize();
    CentreOverOwner();
    // A window that belongs to a disabled one would be drawn disabled too.
    setEnabled(true);
    show();
    m_bOpen = true;
    if (!bPlainBar)
        m_pBar->SetShowText(true);
}

CDlgProgressDlg::~CDlgProgressDlg()
{
    // No event handling from inside the destructor: only stop and release.
    CloseWindow(false);
}

void CDlgProgressDlg::CentreOverOwner()
{
    if (!m_pOwner)
        return;
    QWidget* pAnchor = m_pOwner->window();
    if ((!pAnchor->isVisible() || pAnchor->isMinimized()) && pAnchor->parentWidget())
        pAnchor = pAnchor->parentWidget()->window();
    QRect rc = frameGeometry();
    rc.moveCenter(pAnchor->frameGeometry().center());
    move(rc.topLeft());
}

void CDlgProgressDlg::SetRange(int nLow, int nHigh)
{
    if (m_bRunning)
        return;
    m_pBar->SetRange(nLow, nHigh);
    m_pBar->SetPos(nLow);
    m_pBar->SetStep(1);
}

void CDlgProgressDlg::SetPos(int nPos)
{
    if (m_bRunning)
        return;
    m_pBar->SetPos(nPos);
    QCoreApplication::processEvents();
}

void CDlgProgressDlg::SetMessage(const std::string& strText)
{
    if (m_bOpen)
        m_pMessage->setText(QString::fromStdString(strText));
}

void CDlgProgressDlg::StartRunning()
{
    if (m_bRunning || !m_bOpen)
        return;
    m_bRunning = true;
    m_pStepping->store(true);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopRunner = false;
    }
    CTextProgressCtrl* pBar = m_pBar;
    std::shared_ptr<std::atomic<bool>> pStepping = m_pStepping;
    m_runner = std::thread(
        [this, pBar, pStepping]
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            while (!m_bStopRunner)
            {
                // The bar belongs to the user-interface thread: hand it the step.
                QMetaObject::invokeMethod(
                    pBar,
                    [pBar, pStepping]
                    {
                        if (pStepping->load())
                            pBar->StepIt();
                    },
                    Qt::QueuedConnection);
                m_cvStop.wait_for(lock, kRunnerInterval, [this] { return m_bStopRunner; });
            }
        });
}

void CDlgProgressDlg::StopRunner()
{
    m_pStepping->store(false);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopRunner = true;
    }
    m_cvStop.notify_all();
    if (m_runner.joinable())
        m_runner.join();
    m_bRunning = false;
}

void CDlgProgressDlg::Close()
{
    CloseWindow(true);
}

void CDlgProgressDlg::CloseWindow(bool bDispatch)
{
    StopRunner();
    if (!m_bOpen)
        return;
    m_bOpen = false;
    if (bDispatch)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1000);
    if (m_pOwner)
        m_pOwner->setEnabled(true);
    hide();
}

void CDlgProgressDlg::reject()
{
    Close();
    setResult(QDialog::Rejected);
}

void CDlgProgressDlg::closeEvent(QCloseEvent* pEvent)
{
    Close();
    pEvent->accept();
}
