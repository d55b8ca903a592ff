#include "filemanager/logic/CHeadlessTransferDisplay.h"

void CHeadlessTransferDisplay::SetCountText(const std::string& strText)
{
    m_strCountText = strText;
    if (!strText.empty())
        m_arrCountTexts.push_back(strText);
}

void CHeadlessTransferDisplay::SetFileText(const std::string& strText)
{
    m_strFileText = strText;
    if (!strText.empty())
        m_arrFileTexts.push_back(strText);
}

void CHeadlessTransferDisplay::StepOverallBar()
{
    ++m_nOverallSteps;
    if (m_nOverallPos < m_nOverallMax)
        ++m_nOverallPos;
}

void CHeadlessTransferDisplay::ShowLastTransferBox(const std::string& strTitle)
{
    m_strGroupTitle = strTitle;
    m_bLastTransferShown = true;
}
