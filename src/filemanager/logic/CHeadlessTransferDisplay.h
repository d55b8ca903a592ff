#pragma once
// A transfer display without a window: it keeps what a window would show, so
// that the command-line tool can print it and tests can look at it.
#include "filemanager/logic/CTransferDisplay.h"

#include <vector>

class CHeadlessTransferDisplay : public CTransferDisplay
{
public:
    void EnableControls(bool bEnable) override { m_bControlsEnabled = bEnable; }
    void SetCountText(const std::string& strText) override;
    void ShowCountText(bool bShow) override { m_bCountShown = bShow; }
    void SetFileText(const std::string& strText) override;
    void SetBytesText(const std::string& strText) override { m_strBytesText = strText; }
    void ShowOverallBar(bool bShow) override { m_bOverallShown = bShow; }
    void SetOverallRange(int nMax) override { m_nOverallMax = nMax; }
    void SetOverallPos(int nPos) override { m_nOverallPos = nPos; }
    void StepOverallBar() override;
    void ShowFileBar(bool bShow) override { m_bFileBarShown = bShow; }
    void SetFilePercent(int nPercent) override { m_nFilePercent = nPercent; }
    void ShowLastTransferBox(const std::string& strTitle) override;
    std::string GetLastTransferText() const override { return m_strLastTransferText; }
    void SetLastTransferText(const std::string& strText) override
    {
        m_strLastTransferText = strText;
    }
    void ShowCancelButton(bool bShow) override { m_bCancelShown = bShow; }
    void ProcessPendingEvent() override {}
    void BeginWaitCursor() override { ++m_nWaitCursorDepth; }
    void EndWaitCursor() override { --m_nWaitCursorDepth; }
    void RestoreWaitCursor() override {}
    void SelectLocalFolder(const std::string& strPath) override { m_strSelectedFolder = strPath; }

    bool m_bControlsEnabled = true;
    std::string m_strCountText;
    bool m_bCountShown = false;
    std::string m_strFileText;
    std::string m_strBytesText;
    bool m_bOverallShown = false;
    int m_nOverallMax = 0;
    int m_nOverallPos = 0;
    int m_nOverallSteps = 0; // every StepOverallBar over the display's life
    bool m_bFileBarShown = false;
    int m_nFilePercent = 0;
    std::string m_strGroupTitle;
    bool m_bLastTransferShown = false;
    std::string m_strLastTransferText;
    bool m_bCancelShown = false;
    int m_nWaitCursorDepth = 0;
    std::string m_strSelectedFolder;
    // Every non-empty count and file line, in order.
    std::vector<std::string> m_arrCountTexts;
    std::vector<std::string> m_arrFileTexts;
};
