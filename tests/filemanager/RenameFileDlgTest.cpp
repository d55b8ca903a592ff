// The rename dialog: where the focus starts, refused names keep it open (the
// rules themselves are the logic's), OK and Cancel, and its help.
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
        m_dlg.show();
        QApplication::setActiveWindow(&m_dlg);
    }
    void TearDown() override { CloseHelpWindow(); }

    QPushButton* Button(const char* pszName) { return m_dlg.findChild<QPushButton*>(pszName); }

    CDirData m_table;
    CRenameFileDlg m_dlg{&m_table, "DATA1.CSV"};
    CScriptedPrompt m_prompt;
    CScopedPrompt m_scoped{m_prompt};
};

TEST_F(RenameFileDlgTest, RefusedNamesKeepTheDialogOpenAndOkReturnsTheName)
{
    EXPECT_EQ(m_dlg.windowTitle(), "Rename Remote Panel File Dialog");
    EXPECT_EQ(m_dlg.focusWidget(), m_dlg.NewNameEdit());
    EXPECT_TRUE(m_dlg.FileNameEdit()->isReadOnly());
    for (const char* pszTyped : {"", "data1.csv", "A;B.CSV"})
    {
        m_dlg.NewNameEdit()->setText(pszTyped);
        Button("buttonOk")->click();
        EXPECT_TRUE(m_dlg.isVisible()) << pszTyped;
        EXPECT_EQ(m_dlg.m_strFileName, "DATA1.CSV");
    }
    EXPECT_EQ(m_prompt.Texts(),
              (std::vector<std::string>{"Enter a file name.",
                                        "File alredy exists.\nEnter a different file name.",
                                        "Invalid File name.\nGive different name."}));
    EXPECT_EQ(m_prompt.Shown()[1].eIcon, EPromptIcon::Stop);

    m_dlg.NewNameEdit()->setText("ABCDEFGH.CSV");
    Button("buttonOk")->click();
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(m_dlg.isVisible());
    EXPECT_EQ(m_dlg.m_strFileName, "ABCDEFGH.CSV");
}

TEST_F(RenameFileDlgTest, CancelKeepsTheName)
{
    m_dlg.NewNameEdit()->setText("NEW.CSV");
    Button("buttonCancel")->click();
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
    EXPECT_EQ(m_dlg.m_strFileName, "DATA1.CSV");
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(RenameFileDlgTest, HelpButtonAndF1OpenTheRenameTopic)
{
    Button("buttonHelp")->click();
    ASSERT_NE(GetHelpWindow(), nullptr);
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "rename.html");
    EXPECT_TRUE(m_dlg.isVisible()); // the dialog stays open behind the help

    CloseHelpWindow();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(&m_dlg, &f1);
    ASSERT_NE(GetHelpWindow(), nullptr);
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "rename.html");
    EXPECT_TRUE(m_prompt.Shown().empty());
}
} // namespace
