#pragma once
// A prompt for tests: records every message and answers questions from a
// script (Yes when the script has run dry).
#include "common/CPrompt.h"

#include <deque>
#include <string>
#include <vector>

struct SPromptRecord
{
    std::string strText;
    EPromptIcon eIcon;
    EPromptButtons eButtons;
};

class CScriptedPrompt : public CPrompt
{
public:
    EPromptAnswer Show(const std::string& strText, EPromptIcon eIcon,
                       EPromptButtons eButtons) override
    {
        m_arrShown.push_back({strText, eIcon, eButtons});
        if (eButtons == EPromptButtons::Ok)
            return EPromptAnswer::Ok;
        if (m_arrAnswers.empty())
            return EPromptAnswer::Yes;
        const EPromptAnswer eAnswer = m_arrAnswers.front();
        m_arrAnswers.pop_front();
        return eAnswer;
    }

    void QueueAnswer(EPromptAnswer eAnswer) { m_arrAnswers.push_back(eAnswer); }
    const std::vector<SPromptRecord>& Shown() const { return m_arrShown; }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> arrTexts;
        for (const SPromptRecord& rec : m_arrShown)
            arrTexts.push_back(rec.strText);
        return arrTexts;
    }
    void Clear() { m_arrShown.clear(); }

private:
    std::vector<SPromptRecord> m_arrShown;
    std::deque<EPromptAnswer> m_arrAnswers;
};
