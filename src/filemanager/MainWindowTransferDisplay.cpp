#include "filemanager/MainWindowTransferDisplay.h"

#include "filemanager/CDirTreeCtrl.h"
#include "widgets/CTextProgressCtrl.h"
#include "widgets/CWaitCursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace
{
QString ToText(const std::string& str)
{
    // Remote names are single-byte text.
    return QString::fromLatin1(str.c_str());
}
} // namespace

CMainWindowTransferDisplay::CMainWindowTransferDisplay(const STransferControls& controls,
                                                       std::function<void(bool)> fnEnableControls)
    : m_controls(controls), m_fnEnableControls(std::move(fnEnableControls))
{
}

void CMainWindowTransferDisplay::EnableControls(bool bEnable)
{
    m_fnEnableControls(bEnable);
}

void CMainWindowTransferDisplay::SetCountText(const std::string& strText)
{
    m_controls.pCountText->setText(ToText(strText));
}

void CMainWindowTransferDisplay::ShowCountText(bool bShow)
{
    m_controls.pCountText->setVisible(bShow);
}

void CMainWindowTransferDisplay::SetFileText(const std::string& strText)
{
    m_controls.pFileText->setText(ToText(strText));
}

void CMainWindowTransferDisplay::SetBytesText(const std::string& strText)
{
    m_controls.pBytesText->setText(ToText(strText));
}

void CMainWindowTransferDisplay::ShowOverallBar(bool bShow)
{
    m_controls.pOverallBar->setVisible(bShow);
    m_controls.pTransferRateText->setVisible(bShow);
}

void CMainWindowTransferDisplay::SetOverallRange(int nMax)
{
    m_controls.pOverallBar->SetRange(0, nMax);
    m_controls.pOverallBar->SetStep(1);
}

void CMainWindowTransferDisplay::SetOverallPos(int nPos)
{
    m_controls.pOverallBar->SetPos(nPos);
}

void CMainWindowTransferDisplay::StepOverallBar()
{
    m_controls.pOverallBar->StepIt();
}

void CMainWindowTransferDisplay::ShowFileBar(bool bShow)
{
    m_controls.pFileBar->setVisible(bShow);
    m_controls.pFileRateText->setVisible(bShow);
}

void CMainWindowTransferDisplay::SetFilePercent(int nPercent)
{
    m_controls.pFileBar->SetPos(nPercent);
}

void CMainWindowTransferDisplay::ShowLastTransferBox(const std::string& strTitle)
{
    m_controls.pLastTransferBox->setTitle(ToText(strTitle));
    m_controls.pLastTransferBox->show();
    m_controls.pLastTransferText->show();
}

std::string CMainWindowTransferDisplay::GetLastTransferText() const
{
    return m_controls.pLastTransferText->text().toStdString();
}

void CMainWindowTransferDisplay::SetLastTransferText(const std::string& strText)
{
    m_controls.pLastTransferText->setText(ToText(strText));
}

void CMainWindowTransferDisplay::ShowCancelButton(bool bShow)
{
    m_controls.pCancelButton->setVisible(bShow);
}

void CMainWindowTransferDisplay::ProcessPendingEvent()
{
    // Everything but the other command buttons is live here: they are
    // disabled for the transfer, so only "Cancel Transfer", painting and the
    // window frame react.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void CMainWindowTransferDisplay::BeginWaitCursor()
{
    CWaitCursor::Begin();
}

void CMainWindowTransferDisplay::EndWaitCursor()
{
    CWaitCursor::End();
}

void CMainWindowTransferDisplay::RestoreWaitCursor()
{
    const QPushButton* pCancel = m_controls.pCancelButton;
    const bool bOverCancel =
        pCancel->isVisible() && pCancel->rect().contains(pCancel->mapFromGlobal(QCursor::pos()));
    if (!bOverCancel)
    {
        CWaitCursor::RestoreWaitCursor();
        return;
    }
    // Over the Cancel button the ordinary pointer shows that it can be clicked.
    if (CWaitCursor::Depth() > 0 && QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(QCursor(Qt::ArrowCursor));
}

void CMainWindowTransferDisplay::SelectLocalFolder(const std::string& strPath)
{
    CDirTreeCtrl* pTree = m_controls.pTree;
    if (!pTree->SetSelPath(strPath))
        return;
    // Show what the folder holds now (the files just copied), as far as the
    // tree has room, with the folder itself still in view.
    QTreeWidgetItem* pFolder = pTree->currentItem();
    if (pFolder && pFolder->childCount() > 0)
    {
        pTree->scrollToItem(pFolder->child(pFolder->childCount() - 1));
        pTree->scrollToItem(pFolder);
    }
}

void CMainWindowTransferDisplay::StartTransferFigures(uint64_t nTotalBytes)
{
    m_rate.StartTransfer(nTotalBytes);
    ShowFigures();
}

void CMainWindowTransferDisplay::StartFileFigures(const std::string& /*strName*/,
                                                  uint64_t nFileSize)
{
    m_rate.StartFile(nFileSize);
    ShowFigures();
}

void CMainWindowTransferDisplay::UpdateFileFigures(uint64_t nFileBytes)
{
    m_rate.Update(nFileBytes);
    ShowFigures();
}

void CMainWindowTransferDisplay::ShowFigures()
{
    m_controls.pTransferRateText->setText(QString::fromStdString(m_rate.TransferText()));
    m_controls.pFileRateText->setText(QString::fromStdString(m_rate.FileText()));
}
