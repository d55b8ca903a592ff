#include "filemanager/CRenameFileDlg.h"
#include "link/CDirData.h"
#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "widgets/CHelpWindow.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace
{
class RenameFileDlgTest : public CQtTestBase
{
protected:
    RenameFileDlgTest()
    {
        m_table.Add({"DATA1.CSV", "120", CDateTime()});
        m_table.Add({"LOGS", "<DIR>", CDateTime()});
    }
    void TearDown() override { CloseHelpWindow(); }

    QPushButton* Button(CRenameFileDlg& dlg, const char* pszName)
    {
        auto* pButton = dlg.findChild<QPushButton*>(pszName);
        EXPECT_NE(pButton, nullptr) << pszName;
        return pButton;
    }

    // Types a new name and presses OK; true when the dialog accepted it.
    bool TypeAndOk(CRenameFileDlg& dlg, const char* pszName)
    {
        dlg.NewNameEdit()->setText(pszName);
        Button(dlg, "buttonOk")->click();
        return dlg.result() == QDialog::Accepted && !dlg.isVisible();
    }

    CDirData m_table;
    CScriptedPrompt m_prompt;
    CScopedPrompt m_scoped{m_prompt};
};

TEST_F(RenameFileDlgTest, ShowsTheFileAndNamesItsControls)
{
    CRenameFileDlg dlg(&m_table, "DATA1.CSV");
    EXPECT_EQ(dlg.windowTitle(), "Rename Remote Panel File Dialog");
    auto* pFileEdit = dlg.findChild<QLineEdit*>("editFileName");
    ASSERT_NE(pFileEdit, nullptr);
    EXPECT_EQ(pFileEdit->text(), "DATA1.CSV");
    EXPECT_TRUE(pFileEdit->isReadOnly());
    EXPECT_EQ(dlg.findChild<QLineEdit*>("editNewName"), dlg.NewNameEdit());
    for (const char* pszName : {"buttonOk", "buttonCancel", "buttonHelp"})
        Button(dlg, pszName);
}

TEST_F(RenameFileDlgTest, FocusStartsInTheNewNameBox)
{
    CRenameFileDlg dlg(&m_table, "DATA1.CSV");
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    EXPECT_EQ(dlg.focusWidget(), dlg.NewNameEdit());
}

TEST_F(RenameFileDlgTest, RefusedNamesKeepTheDialogOpen)
{
    CRenameFileDlg dlg(&m_table, "DATA1.CSV");
    dlg.show();

    struct SCase
    {
        const char* pszTyped;
        const char* pszMessage;
        EPromptIcon eIcon;
    };
    const SCase arrCases[] = {
        {"", "Enter a file name.", EPromptIcon::None},
        {"data1.csv", "File alredy exists.\nEnter a different file name.", EPromptIcon::Stop},
        {"Logs", "File alredy exists.\nEnter a different file name.", EPromptIcon::Stop},
        {"ABCDEFGHI.CSV", "Invalid File name.\nGive different name.", EPromptIcon::Stop},
        {"A;B.CSV", "Invalid File name.\nGive different name.", EPromptIcon::Stop},
    };
    for (const SCase& test : arrCases)
    {
        m_prompt.Clear();
        EXPECT_FALSE(TypeAndOk(dlg, test.pszTyped)) << test.pszTyped;
        ASSERT_EQ(m_prompt.Shown().size(), 1u) << test.pszTyped;
        EXPECT_EQ(m_prompt.Shown()[0].strText, test.pszMessage);
        EXPECT_EQ(m_prompt.Shown()[0].eIcon, test.eIcon);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.m_strFileName, "DATA1.CSV");
    }
}

TEST_F(RenameFileDlgTest, OkWithAValidNameReturnsIt)
{
    CRenameFileDlg dlg(&m_table, "DATA1.CSV");
    dlg.show();
    EXPECT_TRUE(TypeAndOk(dlg, "ABCDEFGH.CSV"));
    EXPECT_EQ(dlg.m_strFileName, "ABCDEFGH.CSV");
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(RenameFileDlgTest, CancelKeepsTheName)
{
    CRenameFileDlg dlg(&m_table, "DATA1.CSV");
    dlg.show();
    dlg.NewNameEdit()->setText("NEW.CSV");
    Button(dlg, "buttonCancel")->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.m_strFileName, "DATA1.CSV");
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(RenameFileDlgTest, HelpButtonAndF1OpenTheRenameTopic)
{
    CRenameFileDlg dlg(&m_table, "DATA1.CSV");
    dlg.show();
    Button(dlg, "buttonHelp")->click();
    ASSERT_NE(GetHelpWindow(), nullptr);
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "rename.html");
    // The dialog stays open behind the help.
    EXPECT_TRUE(dlg.isVisible());

    CloseHelpWindow();
    ASSERT_EQ(GetHelpWindow(), nullptr);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(&dlg, &f1);
    ASSERT_NE(GetHelpWindow(), nullptr);
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "rename.html");
    EXPECT_TRUE(m_prompt.Shown().empty());
}
} // namespace
