// The conflict dialog: its start texts, the radio rules, the new-name checks,
// and that the action returned is always the one the user saw checked.
#include "filemanager/CDuplicateFileDlg.h"
#include "filemanager/logic/ConflictRules.h"
#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "support/CTempDir.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace
{
class DuplicateFileDlg : public ::testing::Test
{
protected:
    DuplicateFileDlg()
    {
        m_dir.WriteFile("41225A07.CSV", "12345");
        m_dlg.m_strFileName = "41225A07.CSV";
        m_dlg.m_strSize = "23535";
        m_dlg.m_strFolder = m_dir.Str();
        m_dlg.m_strTarget = m_dir.Str() + "/41225A07.CSV";
    }

    std::string Text(const char* pszObjectName) const
    {
        if (auto* pLabel = m_dlg.findChild<QLabel*>(pszObjectName))
            return pLabel->text().toStdString();
        if (auto* pEdit = m_dlg.findChild<QPlainTextEdit*>(pszObjectName))
            return pEdit->toPlainText().toStdString();
        return m_dlg.findChild<QAbstractButton*>(pszObjectName)->text().toStdString();
    }

    // Types a new name and presses OK; true when the dialog closed.
    bool RenameTo(const std::string& strTyped)
    {
        m_dlg.RenameRadio()->click();
        m_dlg.NewNameEdit()->setText(QString::fromStdString(strTyped));
        m_dlg.OkButton()->click();
        return !m_dlg.isVisible();
    }

    QApplication& m_app = EnsureQtApp(); // before any widget
    CTempDir m_dir;
    CDuplicateFileDlg m_dlg;
    CScriptedPrompt m_prompt;
    CScopedPrompt m_scopedPrompt{m_prompt};
};
} // namespace

TEST_F(DuplicateFileDlg, StartTexts)
{
    m_dlg.InitDialog();
    EXPECT_EQ("Target file already exists", m_dlg.windowTitle().toStdString());
    EXPECT_EQ("Source File: 41225A07.CSV ( Size: 23535 Bytes)", Text("labelSourceFile"));
    EXPECT_EQ(m_dir.Str() + "/41225A07.CSV ( Size: 5 Bytes)", Text("editTargetFile"));
    EXPECT_EQ("Skip copy/move 41225A07.CSV file", Text("radioSkip"));
    EXPECT_EQ("Apply this action to next confilct", Text("checkApplyToNext"));

    m_dlg.m_strTarget = m_dir.Str() + "/gone.csv"; // a target not on disk shows size 0
    m_dlg.InitDialog();
    EXPECT_EQ(m_dir.Str() + "/gone.csv ( Size: 0 Bytes)", Text("editTargetFile"));
}

// The action returned is always the one the user saw checked.
TEST_F(DuplicateFileDlg, TheCheckedRadioIsTheActionReturned)
{
    for (const EConflictAction eAction :
         {EConflictAction::Skip, EConflictAction::Overwrite, EConflictAction::Rename})
    {
        m_dlg.m_eAction = eAction;
        m_dlg.m_bApplyToNext = eAction != EConflictAction::Skip;
        m_dlg.InitDialog();
        const bool arrShown[] = {m_dlg.SkipRadio()->isChecked(),
                                 m_dlg.OverwriteRadio()->isChecked(),
                                 m_dlg.RenameRadio()->isChecked()};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(static_cast<int>(eAction) == i, arrShown[i]) << i;
        EXPECT_EQ(eAction == EConflictAction::Rename, m_dlg.NewNameEdit()->isEnabled());
        EXPECT_EQ(m_dlg.m_bApplyToNext, m_dlg.ApplyCheck()->isChecked());
    }
    // An earlier Overwrite confirmed again as it stands stays Overwrite.
    m_dlg.m_eAction = EConflictAction::Overwrite;
    m_dlg.InitDialog();
    m_dlg.show();
    m_dlg.OkButton()->click();
    EXPECT_EQ(EConflictAction::Overwrite, m_dlg.m_eAction);

    m_dlg.m_eAction = static_cast<EConflictAction>(7); // nothing known: Skip, shown and returned
    m_dlg.InitDialog();
    EXPECT_TRUE(m_dlg.SkipRadio()->isChecked());
    EXPECT_EQ(EConflictAction::Skip, m_dlg.m_eAction);

    // Clicks set the action and the new name's enabling; OK returns them.
    m_dlg.RenameRadio()->click();
    EXPECT_EQ(EConflictAction::Rename, m_dlg.m_eAction);
    m_dlg.OverwriteRadio()->click();
    EXPECT_FALSE(m_dlg.NewNameEdit()->isEnabled());
    m_dlg.ApplyCheck()->setChecked(true);
    m_dlg.show();
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
    m_dlg.InitDialog();
    m_dlg.show();
    EXPECT_FALSE(RenameTo(" 41225a07.csv "));
    EXPECT_EQ(std::vector<std::string>{"Please entry new file name."}, m_prompt.Texts());
    EXPECT_EQ("41225A07.CSV", m_dlg.m_strFileName); // nothing taken over yet
    EXPECT_TRUE(RenameTo("  report.csv "));
    EXPECT_EQ(QDialog::Accepted, m_dlg.result());
    EXPECT_EQ("report.csv", m_dlg.m_strFileName);
    EXPECT_EQ(EConflictAction::Rename, m_dlg.m_eAction);

    m_dlg.m_strFileName = "41225A07.CSV";
    m_dlg.m_eAction = EConflictAction::Overwrite;
    m_dlg.InitDialog();
    m_dlg.show();
    m_dlg.RenameRadio()->click();
    m_dlg.ApplyCheck()->setChecked(true);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&m_dlg, &escape);
    EXPECT_EQ(QDialog::Rejected, m_dlg.result());
    EXPECT_FALSE(m_dlg.m_bApplyToNext);
    EXPECT_EQ("41225A07.CSV", m_dlg.m_strFileName);
}
