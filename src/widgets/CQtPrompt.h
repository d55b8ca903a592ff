#pragma once
// The desktop program's prompt: every message of the system shown in a
// QMessageBox over the active window, titled with the application title.
#include "common/CPrompt.h"

#include <QMessageBox>

#include <string>

class CQtPrompt : public CPrompt
{
public:
    explicit CQtPrompt(std::string strTitle = "Ilvane Remote File Manager");

    EPromptAnswer Show(const std::string& strText, EPromptIcon eIcon,
                       EPromptButtons eButtons) override;

    void SetTitle(const std::string& strTitle) { m_strTitle = strTitle; }
    const std::string& GetTitle() const { return m_strTitle; }

    static QMessageBox::Icon ToQtIcon(EPromptIcon eIcon);
    // The text with a break opportunity (a zero-width space) after every path
    // separator, so that a long path wraps between its folders and never in
    // the middle of a name.
    static QString BreakableAtSeparators(const QString& strText);

private:
    std::string m_strTitle;
};
