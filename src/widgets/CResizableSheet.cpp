#include "CResizableSheet.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <functional>

namespace
{
// The tab widget hands its own page keys to the sheet, which asks the active
// page before switching.
class CSheetTabs : public QTabWidget
{
public:
    CSheetTabs(QWidget* pParent, std::function<void(int)> fnStep)
        : QTabWidget(pParent), m_fnStep(std::move(fnStep))
    {
    }

protected:
    void keyPressEvent(QKeyEvent* pEvent) override
    {
        if (const int nStep = PageStep(pEvent); nStep != 0)
        {
            m_fnStep(nStep);
            pEvent->accept();
            return;
        }
        QTabWidget::keyPressEvent(pEvent);
    }

private:
    static int PageStep(const QKeyEvent* pEvent)
    {
        if (!(pEvent->modifiers() & Qt::ControlModifier))
            return 0;
        const bool bShift = pEvent->modifiers() & Qt::ShiftModifier;
        switch (pEvent->key())
        {
        case Qt::Key_Tab:
            return bShift ? -1 : 1;
        case Qt::Key_Backtab:
        case Qt::Key_PageUp:
            return -1;
        case Qt::Key_PageDown:
            return 1;
        default:
            return 0;
        }
    }

    std::function<void(int)> m_fnStep;
};
} // namespace

CResizableSheet::CResizableSheet(const QString& strTitle, QWidget* pParent)
    : QDialog(pParent), m_pTabs(new CSheetTabs(this, [this](int nStep) { StepPage(nStep); })),
      m_pCorner(new QWidget(this)), m_pCornerLayout(new QHBoxLayout(m_pCorner)),
      m_pCloseButton(new QPushButton("Close", this))
{
    setWindowTitle(strTitle);
    setSizeGripEnabled(true);
    m_pTabs->setObjectName("sheetTabs");
    m_pTabs->tabBar()->setObjectName("sheetTabBar");
    m_pTabs->tabBar()->installEventFilter(this);
    m_pCorner->setObjectName("sheetCornerButtons");
    m_pCornerLayout->setContentsMargins(0, 0, 0, 2);
    m_pCornerLayout->setSpacing(4);
    m_pTabs->setCornerWidget(m_pCorner, Qt::TopRightCorner);
    m_pCloseButton->setObjectName("buttonClose");
    // Enter belongs to the pages; only a click or Esc closes the sheet.
    m_pCloseButton->setAutoDefault(false);
    connect(m_pCloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CResizableSheet::OnCurrentChanged);
    // The page keys also work where a control would take them for itself
    // (a table moves its cursor with Ctrl+Tab, the chart's web view takes
    // every key), and while no control has the focus.
    const std::pair<QKeySequence, int> arrPageKeys[] = {
        {QKeySequence::NextChild, 1},
        {QKeySequence::PreviousChild, -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, nStep] : arrPageKeys)
    {
        auto* pShortcut = new QShortcut(keys, this);
        pShortcut->setContext(Qt::WindowShortcut);
        connect(pShortcut, &QShortcut::activated, this, [this, nStep = nStep] { StepPage(nStep); });
    }

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch(1);
    pButtons->addWidget(m_pCloseButton);
    // Keeps the button clear of the size grip in the corner.
    pButtons->addSpacing(12);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pTabs, 1);
    pLayout->addLayout(pButtons);
}

CResizableSheet::~CResizableSheet() = default;

void CResizableSheet::changeEvent(QEvent* pEvent)
{
    QDialog::changeEvent(pEvent);
    // Work that disables the sheet takes the focus away from its controls;
    // give it back to the page, so that the keyboard works again at once.
    if (pEvent->type() == QEvent::EnabledChange && isEnabled() && !focusWidget())
    {
        if (QWidget* pPage = m_pTabs->currentWidget())
            pPage->setFocus(Qt::OtherFocusReason);
        if (!focusWidget())
            m_pTabs->tabBar()->setFocus(Qt::OtherFocusReason);
    }
}

int CResizableSheet::AddPage(QWidget* pPage, const QString& strTitle)
{
    return m_pTabs->addTab(pPage, strTitle);
}

void CResizableSheet::AddCornerButton(QPushButton* pButton)
{
    pButton->setParent(m_pCorner);
    pButton->setAutoDefault(false);
    m_pCornerLayout->addWidget(pButton);
}

bool CResizableSheet::SetActivePage(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_pTabs->count())
        return false;
    if (nIndex == m_nActive)
        return true;
    if (m_nActive >= 0 && !OnKillActive(m_nActive))
        return false;
    m_bSwitching = true;
    m_pTabs->setCurrentIndex(nIndex);
    m_bSwitching = false;
    return m_nActive == nIndex;
}

bool CResizableSheet::StepPage(int nStep)
{
    const int nCount = m_pTabs->count();
    if (nCount == 0)
        return false;
    return SetActivePage(((m_nActive + nStep) % nCount + nCount) % nCount);
}

bool CResizableSheet::OnKillActive(int /*nIndex*/)
{
    return true;
}

void CResizableSheet::OnSetActive(int /*nIndex*/) {}

void CResizableSheet::OnCurrentChanged(int nIndex)
{
    if (nIndex == m_nActive)
        return;
    // A switch that did not come through SetActivePage (the tab bar's own
    // arrow keys): the page is asked now, and a refusal puts the tab back.
    if (!m_bSwitching && m_nActive >= 0 && m_bShown && !OnKillActive(m_nActive))
    {
        const QSignalBlocker blocker(m_pTabs);
        m_pTabs->setCurrentIndex(m_nActive);
        return;
    }
    m_nActive = nIndex;
    if (m_bShown)
        OnSetActive(nIndex);
}

void CResizableSheet::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (m_bShown)
        return;
    m_bShown = true;
    if (m_nActive >= 0)
        OnSetActive(m_nActive);
}

bool CResizableSheet::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pTabs->tabBar())
    {
        if (pEvent->type() == QEvent::MouseButtonPress)
        {
            auto* pMouse = static_cast<QMouseEvent*>(pEvent);
            const int nIndex = m_pTabs->tabBar()->tabAt(pMouse->position().toPoint());
            if (pMouse->button() == Qt::LeftButton && nIndex >= 0 && nIndex != m_nActive)
            {
                SetActivePage(nIndex);
                return true;
            }
        }
        else if (pEvent->type() == QEvent::Wheel)
        {
            const int nDelta = static_cast<QWheelEvent*>(pEvent)->angleDelta().y();
            if (nDelta != 0)
                StepPage(nDelta > 0 ? -1 : 1);
            return true;
        }
    }
    return QDialog::eventFilter(pWatched, pEvent);
}
