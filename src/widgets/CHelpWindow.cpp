#include "CHelpWindow.h"

#include "HelpTopics.h"
#include "common/CPrompt.h"
#include "common/StrFormat.h"

#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

// The pages are compiled into this static library; a library's resources
// must be registered by hand, and only once.
static void InitHelpResources()
{
    static const bool s_bDone = []
    {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)s_bDone;
}

namespace
{
// The one help window of the program; the GUI thread only.
QPointer<CHelpWindow> g_pHelpWindow;

QString PagePath(const QString& strPage)
{
    return QString::fromStdString(HelpResourcePath(strPage.toStdString()));
}
} // namespace

CHelpWindow::CHelpWindow(QWidget* pParent)
    : QWidget(pParent, Qt::Window), m_pBrowser(new QTextBrowser(this)),
      m_pBackButton(new QPushButton("Back", this)),
      m_pContentsButton(new QPushButton("Contents", this))
{
    InitHelpResources();
    setObjectName("helpWindow");
    setWindowTitle("Ilvane Remote File Manager Help");
    m_pBrowser->setObjectName("helpBrowser");
    m_pBrowser->setOpenLinks(true);
    m_pBrowser->setOpenExternalLinks(false);
    m_pBackButton->setObjectName("buttonBack");
    m_pContentsButton->setObjectName("buttonContents");
    m_pBackButton->setEnabled(false);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(m_pContentsButton);
    pButtons->addWidget(m_pBackButton);
    pButtons->addStretch(1);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pButtons);
    pLayout->addWidget(m_pBrowser, 1);
    resize(640, 560);

    connect(m_pBackButton, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, m_pBackButton, &QPushButton::setEnabled);
    connect(m_pContentsButton, &QPushButton::clicked, this,
            [this] { ShowTopic(QString::fromStdString(HelpDefaultTopic())); });
}

bool CHelpWindow::event(QEvent* pEvent)
{
    // A modal window came up that does not own this one: follow it.
    if (pEvent->type() == QEvent::WindowBlocked)
        FollowModalWindow();
    return QWidget::event(pEvent);
}

void CHelpWindow::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() == Qt::Key_Escape && pEvent->modifiers() == Qt::NoModifier)
    {
        close();
        return;
    }
    QWidget::keyPressEvent(pEvent);
}

void CHelpWindow::FollowModalWindow()
{
    QWindow* pOwn = windowHandle();
    QWindow* pModal = QGuiApplication::modalWindow();
    // A message box of the help window itself (a missing topic) blocks it,
    // as any dialog blocks its own window.
    if (!pOwn || !pModal || pModal == pOwn ||
        pOwn->isAncestorOf(pModal, QWindow::IncludeTransients))
        return;
    pOwn->setTransientParent(pModal);
}

bool CHelpWindow::ShowTopic(const QString& strPage)
{
    const QString strPath = PagePath(strPage);
    if (strPage.isEmpty() || !QFile::exists(strPath))
        return false;
    m_pBrowser->setSource(QUrl("qrc" + strPath));
    return true;
}

QString CHelpWindow::CurrentTopic() const
{
    return m_pBrowser->source().fileName();
}

CHelpWindow* ShowHelp(int nContextId, QWidget* pParent)
{
    InitHelpResources();
    const bool bCreated = !g_pHelpWindow;
    if (bCreated)
    {
        g_pHelpWindow = new CHelpWindow;
        g_pHelpWindow->setAttribute(Qt::WA_DeleteOnClose);
        if (pParent)
        {
            const QRect rcOwner = pParent->window()->frameGeometry();
            QRect rc = g_pHelpWindow->frameGeometry();
            rc.moveCenter(rcOwner.center());
            g_pHelpWindow->move(rc.topLeft());
        }
    }

    const QString strTopic = QString::fromStdString(HelpTopicForId(nContextId));
    if (!g_pHelpWindow->ShowTopic(strTopic))
    {
        GetPrompt().Message(StrFormat("Help Id %d (0x%x) not found.", nContextId,
                                      static_cast<unsigned>(nContextId)));
        g_pHelpWindow->ShowTopic(QString::fromStdString(HelpDefaultTopic()));
    }
    g_pHelpWindow->show();
    g_pHelpWindow->FollowModalWindow();
    g_pHelpWindow->raise();
    g_pHelpWindow->activateWindow();
    return g_pHelpWindow;
}

CHelpWindow* GetHelpWindow()
{
    return g_pHelpWindow;
}

void CloseHelpWindow()
{
    delete g_pHelpWindow.data();
}
