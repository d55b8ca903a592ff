#include "CPrompt.h"

#include <cstdio>

namespace
{
// Installed once by the program (or a test) before any question; the GUI
// thread asks, and a CLI worker uses the prompt handed to it instead.
CPrompt* g_pPrompt = nullptr;

const char* IconWord(EPromptIcon eIcon)
{
    switch (eIcon)
    {
    case EPromptIcon::Stop:
        return "error";
    case EPromptIcon::Warning:
        return "warning";
    case EPromptIcon::Question:
        return "question";
    case EPromptIcon::Information:
        return "note";
    case EPromptIcon::None:
        break;
    }
    return "message";
}
} // namespace

EPromptAnswer CStderrPrompt::Show(const std::string& strText, EPromptIcon eIcon,
                                  EPromptButtons eButtons)
{
    std::fprintf(stderr, "%s: %s\n", IconWord(eIcon), strText.c_str());
    return eButtons == EPromptButtons::YesNo ? m_eQuestionAnswer : EPromptAnswer::Ok;
}

CPrompt& GetPrompt()
{
    static CStderrPrompt s_fallback;
    return g_pPrompt ? *g_pPrompt : s_fallback;
}

CPrompt* SetPrompt(CPrompt* pPrompt)
{
    CPrompt* pPrevious = g_pPrompt;
    g_pPrompt = pPrompt;
    return pPrevious;
}
