// The folder browser, the rename and the conflict dialogs (their rules are the logic's).
#include "filemanager/CBrowseForFolder.h"
#include "filemanager/CDuplicateFileDlg.h"
#include "filemanager/CRenameFileDlg.h"
#include "filemanager/MainWindowTestSupport.h"
#include "filemanager/logic/ConflictRules.h"
#include "link/CDirData.h"
#include "widgets/CHelpWindow.h"

#include <QTest>

namespace
{
// How the open dialog was set up; then accepted (checking the choice) or cancelled.
std::string SeeAndClose(bool bAccept)
{
    auto* pDlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!pDlg)
        return "no dialog";
    const bool bDirsOnly =
        pDlg->testOption(QFileDialog::ShowDirsOnly) && pDlg->fileMode() == QFileDialog::Directory;
    const std::string strSeen = pDlg->windowTitle().toStdString() + "|" +
                                pDlg->directory().absolutePath().toStdString() +
                                (bDirsOnly ? "|dirs only" : "");
    QMetaObject::invokeMethod(pDlg, bAccept ? "accept" : "reject");
    return strSeen;
}

TEST(BrowseForFolderTest, OpensTitledAtTheStartFolderAndReturnsTheChoiceOrNothing)
{
    EnsureQtApp();
    CTempDir temp;
    const std::string strStart = temp.WriteFile("Logs/x", "").parent_path().string();
    for (const bool bAccept : {true, false})
    {
        CSBDestination browser(nullptr);
        browser.SetInitialFolder(strStart);
        std::string strSeen;
        QTimer::singleShot(0, [&strSeen, bAccept] { strSeen = SeeAndClose(bAccept); });
        EXPECT_EQ(browser.SelectFolder(), bAccept);
        EXPECT_EQ(strSeen, "Select System Folder|" + strStart + "|dirs only");
        EXPECT_EQ(browser.GetSelectedFolder(), bAccept ? strStart : "");
    }
}

using RenameFileDlgTest = CQtTestBase;

TEST_F(RenameFileDlgTest, ARefusedNameKeepsTheDialogOpenOkReturnsTheNameCancelKeepsIt)
{
    CScriptedPrompt prompt;
    CScopedPrompt scoped(prompt);
    CDirData table;
    table.Add({"DATA1.CSV", "120", CDateTime()});
    CRenameFileDlg dlg(&table, "DATA1.CSV");
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    // Types the name and presses the button; the name the dialog returns.
    const auto Enter = [&dlg](const char* pszName, const char* pszButton)
    {
        dlg.NewNameEdit()->setText(pszName);
        dlg.findChild<QPushButton*>(pszButton)->click();
        return dlg.m_strFileName;
    };
    EXPECT_EQ(dlg.windowTitle(), "Rename Remote Panel File Dialog");
    EXPECT_EQ(dlg.focusWidget(), dlg.NewNameEdit());
    EXPECT_TRUE(dlg.FileNameEdit()->isReadOnly());
    EXPECT_EQ(Enter("data1.csv", "buttonOk"), "DATA1.CSV");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(prompt.Texts(),
              std::vector<std::string>{"File alredy exists.\nEnter a different file name."});
    EXPECT_EQ(Enter("ABCDEFGH.CSV", "buttonOk"), "ABCDEFGH.CSV");
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    dlg.show();
    EXPECT_EQ(Enter("NEW.CSV", "buttonCancel"), "ABCDEFGH.CSV");
    EXPECT_EQ(dlg.result(), QDialog::Rejected);

    // F1 (as the Help button) opens the rename topic; the dialog stays open behind it.
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_F1);
    ASSERT_NE(GetHelpWindow(), nullptr);
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "rename.html");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(prompt.Shown().size(), 1u);
    CloseHelpWindow();
}

struct DuplicateFileDlg : CQtTestBase
{
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

TEST_F(DuplicateFileDlg, StartTextsTheCheckedRadioIsTheActionAndTheReturnedNewName)
{
    EXPECT_EQ("Overwtite", Text("radioOverwrite")); // until a conflict names the file
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

    // A refused new name keeps it open; a good one returns trimmed.
    Init(EConflictAction::Skip);
    EXPECT_FALSE(RenameTo(" 41225a07.csv "));
    EXPECT_EQ(std::vector<std::string>{"Please entry new file name."}, m_prompt.Texts());
    EXPECT_EQ("41225A07.CSV", m_dlg.m_strFileName); // nothing taken over yet
    m_dlg.ApplyCheck()->setChecked(true);
    EXPECT_EQ(Shown(), "radioRename name apply");
    EXPECT_TRUE(RenameTo("  report.csv "));
    EXPECT_EQ(QDialog::Accepted, m_dlg.result());
    EXPECT_EQ("report.csv", m_dlg.m_strFileName);
    EXPECT_EQ(EConflictAction::Rename, m_dlg.m_eAction);
    EXPECT_TRUE(m_dlg.m_bApplyToNext);
}
} // namespace
