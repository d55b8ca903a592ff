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

TEST_F(RenameFileDlgTest, ARefusedNameKeepsTheDialogOpenOkReturnsTheNameCancelKeepsIt)
{
    EXPECT_EQ(m_dlg.windowTitle(), "Rename Remote Panel File Dialog");
    EXPECT_EQ(m_dlg.focusWidget(), m_dlg.NewNameEdit());
    EXPECT_TRUE(m_dlg.FileNameEdit()->isReadOnly());
    m_dlg.NewNameEdit()->setText("data1.csv");
    Button("buttonOk")->click();
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{"File alredy exists.\nEnter a different file name."});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_EQ(m_dlg.m_strFileName, "DATA1.CSV");
    m_dlg.NewNameEdit()->setText("ABCDEFGH.CSV");
    Button("buttonOk")->click();
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(m_dlg.isVisible());
    EXPECT_EQ(m_dlg.m_strFileName, "ABCDEFGH.CSV");

    m_dlg.show();
    m_dlg.NewNameEdit()->setText("NEW.CSV");
    Button("buttonCancel")->click();
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
    EXPECT_EQ(m_dlg.m_strFileName, "ABCDEFGH.CSV");
    EXPECT_EQ(m_prompt.Shown().size(), 1u);
}

TEST_F(RenameFileDlgTest, HelpButtonAndF1OpenTheRenameTopic)
{
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    for (const bool bKey : {false, true})
    {
        CloseHelpWindow();
        if (bKey)
            QCoreApplication::sendEvent(&m_dlg, &f1);
        else
            Button("buttonHelp")->click();
        ASSERT_NE(GetHelpWindow(), nullptr);
        EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "rename.html");
        EXPECT_TRUE(m_dlg.isVisible()); // the dialog stays open behind the help
    }
    EXPECT_TRUE(m_prompt.Shown().empty());
}
} // namespace
