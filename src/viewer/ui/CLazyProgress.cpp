#include "CLazyProgress.h"

#include "widgets/CDlgProgressDlg.h"

#include <QWidget>

namespace
{
constexpr qint64 SHOW_INTERVAL_MS = 40;
}

CLazyProgress::CLazyProgress(QWidget* pOwner) : m_pOwner(pOwner) {}

CLazyProgress::~CLazyProgress()
{
    Close();
}

CDlgProgressDlg& CLazyProgress::Window()
{
    if (!m_pWindow)
        m_pWindow = std::make_unique<CDlgProgressDlg>(m_pOwner, "");
    return *m_pWindow;
}

void CLazyProgress::SetRange(int nLow, int nHigh)
{
    Window().SetRange(nLow, nHigh);
    m_nPos = nLow;
}

void CLazyProgress::SetPos(int nPos)
{
    m_nPos = nPos;
    Show(false);
}

void CLazyProgress::SetText(const std::string& strText)
{
    m_strText = strText;
    m_bTextChanged = true;
    // The first text is shown at once; later ones go with the next position.
    if (!m_tmLastShown.isValid())
        Show(true);
}

void CLazyProgress::Show(bool bForce)
{
    if (!bForce && m_tmLastShown.isValid() && m_tmLastShown.elapsed() < SHOW_INTERVAL_MS)
        return;
    CDlgProgressDlg& window = Window();
    if (m_bTextChanged)
    {
        window.SetText(m_strText);
        m_bTextChanged = false;
    }
    window.SetPos(m_nPos);
    m_tmLastShown.start();
}

void CLazyProgress::Close()
{
    if (!m_pWindow)
        return;
    m_pWindow->Close();
    m_pWindow.reset();
    if (m_pOwner != nullptr)
        m_pOwner->activateWindow();
}
