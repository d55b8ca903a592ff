#pragma once
// Every message box of the system goes through this interface, so that the
// logic that decides can run without a window system (tests, the command-line
// tool) and the desktop program can still show real message boxes.
#include <string>

enum class EPromptIcon
{
    None,
    Stop, // error
    Warning,
    Question,
    Information,
};

enum class EPromptButtons
{
    Ok,
    YesNo,
};

enum class EPromptAnswer
{
    Ok,
    Yes,
    No,
    Cancel,
};

class CPrompt
{
public:
    virtual ~CPrompt() = default;
    virtual EPromptAnswer Show(const std::string& strText, EPromptIcon eIcon,
                               EPromptButtons eButtons) = 0;

    // Shorthands for the two shapes the system uses.
    void Message(const std::string& strText, EPromptIcon eIcon = EPromptIcon::None)
    {
        Show(strText, eIcon, EPromptButtons::Ok);
    }
    bool AskYesNo(const std::string& strText)
    {
        return Show(strText, EPromptIcon::Question, EPromptButtons::YesNo) == EPromptAnswer::Yes;
    }
};

// Writes messages to standard error and answers questions with a fixed
// answer; the default until a program installs its own prompt.
class CStderrPrompt : public CPrompt
{
public:
    explicit CStderrPrompt(EPromptAnswer eQuestionAnswer = EPromptAnswer::No)
        : m_eQuestionAnswer(eQuestionAnswer)
    {
    }
    EPromptAnswer Show(const std::string& strText, EPromptIcon eIcon,
                       EPromptButtons eButtons) override;

private:
    EPromptAnswer m_eQuestionAnswer;
};

// The process-wide prompt. Never null: falls back to a CStderrPrompt.
CPrompt& GetPrompt();
// Installs a prompt (not owned); nullptr restores the fallback. Returns the
// previous one so scoped replacements can put it back.
CPrompt* SetPrompt(CPrompt* pPrompt);

// Installs a prompt for the lifetime of the guard.
class CScopedPrompt
{
public:
    explicit CScopedPrompt(CPrompt& prompt) : m_pPrevious(SetPrompt(&prompt)) {}
    ~CScopedPrompt() { SetPrompt(m_pPrevious); }
    CScopedPrompt(const CScopedPrompt&) = delete;
    CScopedPrompt& operator=(const CScopedPrompt&) = delete;

private:
    CPrompt* m_pPrevious;
};
