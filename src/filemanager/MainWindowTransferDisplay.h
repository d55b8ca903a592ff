#pragma once
// The transfer engine's display on the main window's controls: the count,
// file and byte lines with their two bars, the "Last Transfer" box, the
// "Cancel Transfer" button, the enabling of the other controls and the local
// tree's final selection.
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

    void EnableControls(bool bEnable) override;
    void SetCountText(const std::string& strText) override;
    void ShowCountText(bool bShow) override;
    void SetFileText(const std::string& strText) override;
    void SetBytesText(const std::string& strText) override;
    void ShowOverallBar(bool bShow) override;
    void SetOverallRange(int nMax) override;
    void SetOverallPos(int nPos) override;
    void StepOverallBar() override;
    void ShowFileBar(bool bShow) override;
    void SetFilePercent(int nPercent) override;
    void ShowLastTransferBox(const std::string& strTitle) override;
    std::string GetLastTransferText() const override;
    void SetLastTransferText(const std::string& strText) override;
    void ShowCancelButton(bool bShow) override;
    void ProcessPendingEvent() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void RestoreWaitCursor() override;
    void SelectLocalFolder(const std::string& strPath) override;
    void StartTransferFigures(uint64_t nTotalBytes) override;
    void StartFileFigures(const std::string& strName, uint64_t nFileSize) override;
    void UpdateFileFigures(uint64_t nFileBytes) override;

private:
    void ShowFigures();

    STransferControls m_controls;
    CTransferRate m_rate;
    std::function<void(bool)> m_fnEnableControls;
};
