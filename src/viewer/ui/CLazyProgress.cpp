#include "CLazyProgress.h"

#include "filemanager/CDlgProgressDlg.h"

#include <QWidget>

CLazyProgress::CLazyProgress(QWidget* pOwner) : m_pOwner(pOwner) {}

CLazyProgress::~CLazyProgress()
{
    Close();
}

CDlgProgressDlg& CLazyProgress::Window()
{
    if (!m_pWindow)
    {
        m_pWindow = std::make_unique<CDlgProgressDlg>(m_pOwner, "");
        m_bShown = true;
    }
    return *m_pWindow;
}

void CLazyProgress::SetRange(int nLow, int nHigh)
{
    Window().SetRange(nLow, nHigh);
}

void CLazyProgress::SetPos(int nPos)
{
    Window().SetPos(nPos);
}

void CLazyProgress::SetText(const std::string& strText)
{
    Window().SetText(strText);
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
