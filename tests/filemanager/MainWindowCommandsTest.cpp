// The remote commands of the main window against simulated panels: button
// enabling, sorting, Delete, Rename, Backup, View and the keyboard.
#include "MainWindowTestSupport.h"

#include "filemanager/CRenameFileDlg.h"
#include "filemanager/MainWindowViewer.h"
#include "filemanager/RemoteListCtrl.h"
#include "filemanager/RemoteListRules.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
class MainWindowCommandsTest : public CMainWindowTest
{
protected:
    struct SButtons
    {
        bool bView, bDelete, bRename, bBackupSelected, bBackupAll, bCopy, bMove;
    };
    SButtons Buttons() const
    {
        return {Enabled("buttonView"),      Enabled("buttonDelete"),
                Enabled("buttonRename"),    Enabled("buttonBackupSelected"),
                Enabled("buttonBackupAll"), Enabled("buttonCopy"),
                Enabled("buttonMove")};
    }

    void PressKey(QWidget* pWidget, int nKey, Qt::KeyboardModifiers nModifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, nKey, nModifiers);
        QApplication::sendEvent(pWidget, &press);
    }
};

TEST_F(MainWindowCommandsTest, ButtonsFollowTheSelection)
{
    ConnectToCard();
    SButtons b = Buttons();
    EXPECT_TRUE(b.bBackupAll);
    EXPECT_FALSE(b.bView || b.bDelete || b.bRename || b.bBackupSelected || b.bCopy || b.bMove);

    for (const char* pszFolderLike : {"SUB", "EMPTY.DAT"})
    {
        SelectNames({pszFolderLike});
        b = Buttons();
        EXPECT_TRUE(b.bDelete && b.bCopy && b.bMove) << pszFolderLike;
        EXPECT_FALSE(b.bRename || b.bView || b.bBackupSelected) << pszFolderLike;
    }

    SelectNames({"LOG.TXT"});
    b = Buttons();
    EXPECT_TRUE(b.bRename && b.bView && b.bDelete);
    EXPECT_FALSE(b.bBackupSelected);

    SelectNames({"A.CSV"});
    EXPECT_TRUE(Buttons().bBackupSelected);

    SelectNames({"A.CSV", "B.CSV"});
    b = Buttons();
    EXPECT_TRUE(b.bBackupSelected && b.bDelete);
    EXPECT_FALSE(b.bRename || b.bView);

    SelectNames({"A.CSV", "LOG.TXT"});
    EXPECT_FALSE(Buttons().bBackupSelected);
}

TEST_F(MainWindowCommandsTest, PanelWithoutBackupOrViewKeepsThoseOff)
{
    ConnectToCard({"--type", "80", "--revision", "k4"});
    EXPECT_FALSE(Enabled("buttonBackupAll"));
    SelectNames({"A.CSV"});
    const SButtons b = Buttons();
    EXPECT_TRUE(b.bRename && b.bDelete && b.bCopy);
    EXPECT_FALSE(b.bView || b.bBackupSelected || b.bBackupAll);
}

TEST_F(MainWindowCommandsTest, ColumnClicksSortAndRenumber)
{
    ConnectToCard();
    SetRemoteSortFlag(true);
    SelectNames({"A.CSV"});
    QHeaderView* pHeader = Dlg().RemoteList()->horizontalHeader();

    emit pHeader->sectionClicked(REMOTE_COL_SIZE); // first click: largest first
    EXPECT_EQ(ListNames(),
              (std::vector<std::string>{"LOG.TXT", "B.CSV", "A.CSV", "EMPTY.DAT", "SUB"}));
    EXPECT_EQ(ListColumn(0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    // The selection stays with its file.
    ASSERT_EQ(Dlg().RemoteList()->SelectedIndices().size(), 1u);
    EXPECT_EQ(Dlg().GetFileTable().GetAt(Dlg().RemoteList()->SelectedIndices()[0]).strName,
              "A.CSV");

    emit pHeader->sectionClicked(REMOTE_COL_NAME); // the next click, on any column, ascends
    EXPECT_EQ(ListNames(),
              (std::vector<std::string>{"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));

    emit pHeader->sectionClicked(REMOTE_COL_NUMBER); // "#" does nothing
    EXPECT_TRUE(GetRemoteSortFlag());
    EXPECT_EQ(ListNames().front(), "A.CSV");
}

TEST_F(MainWindowCommandsTest, DeleteRemovesOnlyTheFiles)
{
    ConnectToCard({"--type", "161"}); // the card command family
    SelectNames({"SUB", "LOG.TXT", "EMPTY.DAT"});
    Button("buttonDelete")->click();
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].strText, "Delete selected remote panel file(s)?");
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Question);
    EXPECT_FALSE(fs::exists(m_strCard + "/LOG.TXT"));
    EXPECT_TRUE(fs::is_directory(m_strCard + "/SUB"));
    EXPECT_TRUE(fs::exists(m_strCard + "/EMPTY.DAT"));
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"A.CSV", "B.CSV", "EMPTY.DAT", "SUB"}));
    EXPECT_TRUE(Dlg().AreControlsEnabled());
}

TEST_F(MainWindowCommandsTest, DeleteKeyAsksTheSameQuestion)
{
    ConnectToCard();
    PressKey(Dlg().RemoteList(), Qt::Key_Delete);
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].strText, "Select remote panel file(s) to delete.");
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::None);

    m_prompt.Clear();
    SelectNames({"B.CSV"});
    m_prompt.QueueAnswer(EPromptAnswer::No);
    PressKey(Dlg().RemoteList(), Qt::Key_Delete);
    EXPECT_EQ(m_prompt.Texts(),
              (std::vector<std::string>{"Delete selected remote panel file(s)?"}));
    EXPECT_TRUE(fs::exists(m_strCard + "/B.CSV"));

    PressKey(Dlg().RemoteList(), Qt::Key_Delete);
    EXPECT_FALSE(fs::exists(m_strCard + "/B.CSV"));
}

TEST_F(MainWindowCommandsTest, RenameRefusesBadNamesThenRenames)
{
    ConnectToCard();
    SelectNames({"A.CSV"});
    std::string strShownName;
    WhenModal<CRenameFileDlg>(
        [&strShownName](CRenameFileDlg& dlg)
        {
            strShownName = dlg.FileNameEdit()->text().toStdString();
            for (const char* pszName : {"", "b.csv", "ABCDEFGHI.CSV", "A*.CSV", "NEW.CSV"})
            {
                dlg.NewNameEdit()->setText(pszName);
                dlg.accept();
            }
        });
    Button("buttonRename")->click();
    EXPECT_EQ(strShownName, "A.CSV");
    EXPECT_EQ(m_prompt.Texts(),
              (std::vector<std::string>{"Enter a file name.",
                                        "File alredy exists.\nEnter a different file name.",
                                        "Invalid File name.\nGive different name.",
                                        "Invalid File name.\nGive different name."}));
    EXPECT_FALSE(fs::exists(m_strCard + "/A.CSV"));
    EXPECT_TRUE(fs::exists(m_strCard + "/NEW.CSV"));
    EXPECT_EQ(ListNames(),
              (std::vector<std::string>{"B.CSV", "EMPTY.DAT", "LOG.TXT", "NEW.CSV", "SUB"}));
}

TEST_F(MainWindowCommandsTest, RenameOnACardPanelAndItsSelectionChecks)
{
    ConnectToCard({"--type", "161"});
    // F2 with two rows: only one may be renamed, folder or not.
    SelectNames({"SUB", "LOG.TXT"});
    PressKey(Dlg().RemoteList(), Qt::Key_F2);
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].strText, "Select only one Remote File to be renamed.");
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);

    m_prompt.Clear();
    SelectNames({"SUB"});
    PressKey(Dlg().RemoteList(), Qt::Key_F2);
    EXPECT_EQ(m_prompt.Texts(), (std::vector<std::string>{"Select Remote File not Directory."}));

    SelectNames({"LOG.TXT"});
    WhenModal<CRenameFileDlg>(
        [](CRenameFileDlg& dlg)
        {
            dlg.NewNameEdit()->setText("RUN.TXT");
            dlg.accept();
        });
    PressKey(Dlg().RemoteList(), Qt::Key_F2);
    EXPECT_TRUE(fs::exists(m_strCard + "/RUN.TXT"));
    EXPECT_FALSE(fs::exists(m_strCard + "/LOG.TXT"));
}

TEST_F(MainWindowCommandsTest, BackupOfEveryCsvFileSendsBackupAll)
{
    // Backing up by name fails on this panel: only the "all" command works.
    ConnectToCard({"--fail", "143:16=24"});
    SelectNames({"A.CSV", "B.CSV"});
    Button("buttonBackupSelected")->click();
    EXPECT_TRUE(m_prompt.Shown().empty()) << m_prompt.Texts().front();
    EXPECT_TRUE(fs::exists(m_strCard + "/A.BAK"));
    EXPECT_TRUE(fs::exists(m_strCard + "/B.BAK"));
    EXPECT_EQ(ListNames().size(), 7u);
}

TEST_F(MainWindowCommandsTest, BackupOfSomeCsvFilesNamesThem)
{
    ConnectToCard({"--fail", "143:17=24"});
    SelectNames({"B.CSV"});
    Button("buttonBackupSelected")->click();
    EXPECT_TRUE(m_prompt.Shown().empty());
    EXPECT_TRUE(fs::exists(m_strCard + "/B.BAK"));
    EXPECT_FALSE(fs::exists(m_strCard + "/A.BAK"));

    // The refused "all" command is reported and the list read again.
    Button("buttonBackupAll")->click();
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_EQ(ListNames().size(), 6u);
}

TEST_F(MainWindowCommandsTest, F5ReadsTheListAgainAndCtrlASelectsAll)
{
    ConnectToCard();
    m_dir.WriteFile("card/LATE.CSV", "late");
    PressKey(&Dlg(), Qt::Key_F5);
    EXPECT_EQ(ListNames().size(), 6u);

    PressKey(Dlg().RemoteList(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Dlg().RemoteList()->SelectedCount(), 6);
    EXPECT_TRUE(Enabled("buttonDelete"));
    EXPECT_FALSE(Enabled("buttonRename"));
}

TEST_F(MainWindowCommandsTest, ViewChecksTheSelectionThenOpensTheViewer)
{
    ConnectToCard();
    std::vector<std::string> arrOpened;
    SetDataViewerOpener([&arrOpened](QWidget*, const CNameIpRec& panel, const std::string& strName)
                        { arrOpened.push_back(panel.m_strName + ":" + strName); });

    Dlg().OnViewData();
    SelectNames({"A.CSV", "B.CSV"});
    Dlg().OnViewData();
    SelectNames({"EMPTY.DAT"});
    Dlg().OnViewData();
    EXPECT_EQ(m_prompt.Texts(),
              (std::vector<std::string>{"Select Remote File to view data.",
                                        "Select only one Remote File to view data.",
                                        "Select Remote File not Directory."}));
    EXPECT_TRUE(arrOpened.empty());

    SelectNames({"A.CSV"});
    Button("buttonView")->click();
    EXPECT_EQ(arrOpened, (std::vector<std::string>{"Press:A.CSV"}));
    SetDataViewerOpener(nullptr);
}
} // namespace
