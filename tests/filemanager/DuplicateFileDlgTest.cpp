// The conflict dialog: its start texts, the radio rules, the new-name checks,
// and that the action returned is always the one the user saw checked.
#include "filemanager/CDuplicateFileDlg.h"
#include "filemanager/logic/ConflictRules.h"
#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "support/CTempDir.h"

#include <QTest>
#include <QtWidgets>

namespace
{
class DuplicateFileDlg : public CQtTestBase
{
protected:
    // The dialog on a conflict, started from the earlier choice.
    void Init(EConflictAction eAction, bool bApplyToNext = false)
    {
        m_dlg.m_strFileName = "41225A07.CSV";
        m_dlg.m_eAction = eAction;
        m_dlg.m_bApplyToNext = bApplyToNext;
        m_dlg.InitDialog();
        m_dlg.show();
    }
    std::string Text(const char* pszName, const char* pszProperty = "text") const
    {
        return m_dlg.findChild<QWidget*>(pszName)->property(pszProperty).toString().toStdString();
    }
    // The checked radio (Skip, Overwrite, Rename), the new name enabled, the check box.
    std::string Shown() const
    {
        std::string strShown;
        for (const QAbstractButton* pButton :
             {m_dlg.SkipRadio(), m_dlg.OverwriteRadio(), m_dlg.RenameRadio()})
            strShown += pButton->isChecked() ? pButton->objectName().toStdString() : "";
        return strShown + (m_dlg.NewNameEdit()->isEnabled() ? " name" : "") +
               (m_dlg.ApplyCheck()->isChecked() ? " apply" : "");
    }
    // Types a new name and presses OK; true when the dialog closed.
    bool RenameTo(const std::string& strTyped)
    {
        m_dlg.RenameRadio()->click();
        m_dlg.NewNameEdit()->setText(QString::fromStdString(strTyped));
        m_dlg.OkButton()->click();
        return !m_dlg.isVisible();
    }

    CTempDir m_dir;
    CDuplicateFileDlg m_dlg;
    CScriptedPrompt m_prompt;
    CScopedPrompt m_scopedPrompt{m_prompt};
};
} // namespace

TEST_F(DuplicateFileDlg, StartTextsAndTheCheckedRadioIsTheActionReturned)
{
    m_dir.WriteFile("41225A07.CSV", "12345");
    m_dlg.m_strSize = "23535";
    m_dlg.m_strFolder = m_dir.Str();
    // A target not on disk shows size 0.
    for (const auto& [pszTarget, pszSize] : {std::pair{"41225A07.CSV", "5"}, {"gone.csv", "0"}})
    {
        m_dlg.m_strTarget = m_dir.Str() + "/" + pszTarget;
        Init(EConflictAction::Skip);
        EXPECT_EQ(Text("editTargetFile", "plainText"),
                  m_dlg.m_strTarget + " ( Size: " + pszSize + " Bytes)");
    }
    EXPECT_EQ("Target file already exists", m_dlg.windowTitle().toStdString());
    EXPECT_EQ("Source File: 41225A07.CSV ( Size: 23535 Bytes)", Text("labelSourceFile"));
    EXPECT_EQ("Skip copy/move 41225A07.CSV file", Text("radioSkip"));
    EXPECT_EQ("Apply this action to next confilct", Text("checkApplyToNext"));

    // An unknown action shows and returns Skip.
    const std::pair<EConflictAction, const char*> arrStarts[] = {
        {EConflictAction::Skip, "radioSkip"},
        {EConflictAction::Overwrite, "radioOverwrite apply"},
        {EConflictAction::Rename, "radioRename name apply"},
        {static_cast<EConflictAction>(7), "radioSkip apply"}};
    for (const auto& [eAction, pszShown] : arrStarts)
    {
        Init(eAction, eAction != EConflictAction::Skip);
        EXPECT_EQ(Shown(), pszShown) << static_cast<int>(eAction);
    }
    EXPECT_EQ(EConflictAction::Skip, m_dlg.m_eAction);
    // An earlier Overwrite confirmed again as it stands stays Overwrite.
    Init(EConflictAction::Overwrite);
    m_dlg.OkButton()->click();
    EXPECT_EQ(EConflictAction::Overwrite, m_dlg.m_eAction);

    // Clicks set the action and the new name's enabling; OK returns them.
    Init(EConflictAction::Skip);
    m_dlg.RenameRadio()->click();
    EXPECT_EQ(EConflictAction::Rename, m_dlg.m_eAction);
    m_dlg.OverwriteRadio()->click();
    m_dlg.ApplyCheck()->setChecked(true);
    EXPECT_EQ(Shown(), "radioOverwrite apply");
    m_dlg.OkButton()->click();
    EXPECT_EQ(QDialog::Accepted, m_dlg.result());
    EXPECT_EQ(EConflictAction::Overwrite, m_dlg.m_eAction);
    EXPECT_TRUE(m_dlg.m_bApplyToNext);
    EXPECT_EQ("41225A07.CSV", m_dlg.m_strFileName);
}

// A refused new name keeps the dialog open (the checks are the logic's); an
// accepted one is returned trimmed; Esc cancels and changes nothing.
TEST_F(DuplicateFileDlg, NewNameAndEscape)
{
    m_dlg.m_strFolder = m_dir.Str();
    Init(EConflictAction::Skip);
    EXPECT_FALSE(RenameTo(" 41225a07.csv "));
    EXPECT_EQ(std::vector<std::string>{"Please entry new file name."}, m_prompt.Texts());
    EXPECT_EQ("41225A07.CSV", m_dlg.m_strFileName); // nothing taken over yet
    EXPECT_TRUE(RenameTo("  report.csv "));
    EXPECT_EQ(QDialog::Accepted, m_dlg.result());
    EXPECT_EQ("report.csv", m_dlg.m_strFileName);
    EXPECT_EQ(EConflictAction::Rename, m_dlg.m_eAction);

    Init(EConflictAction::Overwrite);
    m_dlg.RenameRadio()->click();
    m_dlg.ApplyCheck()->setChecked(true);
    QTest::keyClick(&m_dlg, Qt::Key_Escape);
    EXPECT_EQ(QDialog::Rejected, m_dlg.result());
    EXPECT_FALSE(m_dlg.m_bApplyToNext);
    EXPECT_EQ("41225A07.CSV", m_dlg.m_strFileName);
}
