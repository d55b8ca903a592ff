#include "filemanager/MainWindowTransferDisplay.h"

#include "filemanager/CDirTreeCtrl.h"
#include "filemanager/logic/TransferLines.h"
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

void CMainWindowTransferDisplay::TransferStarted(int nRows, uint64_t nTotalBytes)
{
    m_nRows = nRows;
    m_controls.pLastTransferText->setText(QString());
    m_rate.StartTransfer(nTotalBytes);
    ShowFigures();
    ShowRunning(true);
}

void CMainWindowTransferDisplay::TimesChanged(const std::string& strText)
{
    m_controls.pLastTransferText->setText(ToText(strText));
}

void CMainWindowTransferDisplay::FileReached(int nRow, int nRows)
{
    m_controls.pCountText->setText(ToText(CountLineText(nRow, nRows)));
    // The overall bar counts the files done: the first file has none before it.
    if (nRow > 0)
        m_controls.pOverallBar->StepIt();
}

void CMainWindowTransferDisplay::FileBegins(const std::string& strName, uint64_t nSize)
{
    m_controls.pFileText->setText(ToText(FileLineText(strName)));
    m_controls.pFileBar->SetPos(0);
    m_rate.StartFile(nSize);
    ShowFigures();
}

void CMainWindowTransferDisplay::FetchStarted()
{
    CWaitCursor::Begin();
}

void CMainWindowTransferDisplay::FetchEnded()
{
    CWaitCursor::End();
}

void CMainWindowTransferDisplay::BytesTransferred(uint64_t nBytes, int nPercent)
{
    m_controls.pBytesText->setText(ToText(BytesLineText(nBytes)));
    m_controls.pFileBar->SetPos(nPercent);
    m_rate.Update(nBytes);
    ShowFigures();
}

bool CMainWindowTransferDisplay::PollCancel()
{
    // Everything but the other command buttons is live here: they are
    // disabled for the transfer, so only "Cancel Transfer", painting and the
    // window frame react. The button asks the engine to cancel itself.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    RestoreWaitCursor();
    return false;
}

void CMainWindowTransferDisplay::RowsDone(const std::string& strLocalFolder)
{
    m_controls.pOverallBar->StepIt();
    SelectLocalFolder(strLocalFolder);
}

void CMainWindowTransferDisplay::TransferFinished(const STransferCounts& /*counts*/,
                                                  ETransferStatus /*eStatus*/,
                                                  const std::string& strLastTransferText)
{
    ShowRunning(false);
    m_controls.pLastTransferText->setText(ToText(strLastTransferText));
}

void CMainWindowTransferDisplay::ShowRunning(bool bRunning)
{
    m_fnEnableControls(!bRunning);
    m_controls.pCountText->setText(QString());
    m_controls.pFileText->setText(QString());
    m_controls.pBytesText->setText(QString());

    // One selected row needs no count line and no overall bar.
    const bool bOverall = bRunning && m_nRows > 1;
    m_controls.pOverallBar->setVisible(bOverall);
    m_controls.pTransferRateText->setVisible(bOverall);
    m_controls.pOverallBar->SetRange(0, m_nRows);
    m_controls.pOverallBar->SetStep(1);
    m_controls.pOverallBar->SetPos(0);
    m_controls.pFileBar->setVisible(bRunning);
    m_controls.pFileRateText->setVisible(bRunning);
    m_controls.pFileBar->SetPos(0);
    m_controls.pCountText->setVisible(m_nRows > 1);

    m_controls.pLastTransferBox->setTitle(bRunning ? "Transfer" : "Last Tranfer");
    m_controls.pLastTransferBox->show();
    m_controls.pLastTransferText->show();
    m_controls.pCancelButton->setVisible(bRunning);
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

void CMainWindowTransferDisplay::ShowFigures()
{
    m_controls.pTransferRateText->setText(QString::fromStdString(m_rate.TransferText()));
    m_controls.pFileRateText->setText(QString::fromStdString(m_rate.FileText()));
}
