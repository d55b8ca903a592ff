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
    // Types the name and presses the button; the name the dialog returns.
    std::string Enter(const char* pszName, const char* pszButton)
    {
        m_dlg.NewNameEdit()->setText(pszName);
        m_dlg.findChild<QPushButton*>(pszButton)->click();
        return m_dlg.m_strFileName;
    }

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
    EXPECT_EQ(Enter("data1.csv", "buttonOk"), "DATA1.CSV");
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{"File alredy exists.\nEnter a different file name."});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_EQ(Enter("ABCDEFGH.CSV", "buttonOk"), "ABCDEFGH.CSV");
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(m_dlg.isVisible());
    m_dlg.show();
    EXPECT_EQ(Enter("NEW.CSV", "buttonCancel"), "ABCDEFGH.CSV");
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
    EXPECT_EQ(m_prompt.Shown().size(), 1u);

    // Help and F1 open the rename topic; the dialog stays open behind it.
    m_dlg.show();
    for (const bool bKey : {false, true})
    {
        CloseHelpWindow();
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        bKey ? (void)QCoreApplication::sendEvent(&m_dlg, &f1)
             : m_dlg.findChild<QPushButton*>("buttonHelp")->click();
        ASSERT_NE(GetHelpWindow(), nullptr);
        EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "rename.html");
        EXPECT_TRUE(m_dlg.isVisible());
    }
    EXPECT_EQ(m_prompt.Shown().size(), 1u);
}
} // namespace
