#pragma once
// How the main window shows a transfer: the count, file and byte lines with
// their two bars and the speed beside them, the "Last Transfer" box, the
// "Cancel Transfer" button, the wait cursor, the enabling of the other
// controls and the local tree's final selection.
#include "filemanager/logic/CTransferDisplay.h"
#include "filemanager/logic/CTransferRate.h"

#include <QPointer>

#include <functional>

class CDirTreeCtrl;
class CTextProgressCtrl;
class QGroupBox;
class QLabel;
class QPushButton;

struct STransferControls
{
    QLabel* pCountText = nullptr;             // 1051
    CTextProgressCtrl* pOverallBar = nullptr; // 1040
    QLabel* pFileText = nullptr;              // 1052
    CTextProgressCtrl* pFileBar = nullptr;    // 1042
    QLabel* pBytesText = nullptr;             // 1053
    QLabel* pTransferRateText = nullptr;      // speed and time left of the whole transfer
    QLabel* pFileRateText = nullptr;          // speed and time left of the current file
    QPushButton* pCancelButton = nullptr;     // 1055
    QGroupBox* pLastTransferBox = nullptr;    // 1056
    QLabel* pLastTransferText = nullptr;      // 1057
    CDirTreeCtrl* pTree = nullptr;            // 1006
};

class CMainWindowTransferDisplay : public CTransferDisplay
{
public:
    CMainWindowTransferDisplay(const STransferControls& controls,
                               std::function<void(bool)> fnEnableControls);

    void TransferStarted(int nRows, uint64_t nTotalBytes) override;
    void TimesChanged(const std::string& strText) override;
    void FileReached(int nRow, int nRows) override;
    void FileBegins(const std::string& strName, uint64_t nSize) override;
    void FetchStarted() override;
    void FetchEnded() override;
    void BytesTransferred(uint64_t nBytes, int nPercent) override;
    bool PollCancel() override;
    void RowsDone(const std::string& strLocalFolder) override;
    void TransferFinished(const STransferCounts& counts, ETransferStatus eStatus,
                          const std::string& strLastTransferText) override;

private:
    // The lines, bars, box and button as a transfer starts or ends; the
    // other controls of the window are disabled while it runs.
    void ShowRunning(bool bRunning);
    // Brings the wait cursor back unless the pointer is over "Cancel Transfer".
    void RestoreWaitCursor();
    void SelectLocalFolder(const std::string& strPath);
    void ShowFigures();

    STransferControls m_controls;
    CTransferRate m_rate;
    std::function<void(bool)> m_fnEnableControls;
    int m_nRows = 0; // selected rows of the running or last transfer
};
