// The main window without a panel: its controls and their first state, the
// anchors, the local tree and folder box, the two preferences, help, About
// and closing.
#include "MainWindowTestSupport.h"

#include "filemanager/CDirTreeCtrl.h"
#include "filemanager/RemoteListCtrl.h"
#include "widgets/CAnchorLayout.h"
#include "widgets/CComboBoxBold.h"
#include "widgets/CHelpWindow.h"
#include "widgets/CTextProgressCtrl.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSizeGrip>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
class MainWindowLocalTest : public CMainWindowTest
{
protected:
    MainWindowLocalTest() { StartPanel("Press", MakeCard("card")); }

    QTreeWidgetItem* TopItem() const { return Dlg().LocalTree()->topLevelItem(0); }
    static std::vector<std::string> ChildTexts(const QTreeWidgetItem* pItem)
    {
        std::vector<std::string> arrTexts;
        for (int i = 0; i < pItem->childCount(); ++i)
            arrTexts.push_back(pItem->child(i)->text(0).toStdString());
        return arrTexts;
    }
    static QTreeWidgetItem* Child(QTreeWidgetItem* pItem, const std::string& strText)
    {
        for (int i = 0; i < pItem->childCount(); ++i)
        {
            if (pItem->child(i)->text(0).toStdString() == strText)
                return pItem->child(i);
        }
        return nullptr;
    }
    std::string FolderBox() const
    {
        return Find<QLineEdit>("editLocalFolder")->text().toStdString();
    }
};

TEST_F(MainWindowLocalTest, ControlsStartAsTheWindowDescribesThem)
{
    OpenWindow();
    EXPECT_EQ(Find<QGroupBox>("groupPanel")->title(), "Select Panel from Panel List");
    EXPECT_EQ(Find<QGroupBox>("groupLocal")->title(), "Local Computer");
    EXPECT_EQ(Find<QLabel>("labelHint")->text(), "Use Ctrl+Click to select multiple files");
    EXPECT_EQ(Find<QLabel>("labelFilter")->text(), "Filter");
    EXPECT_EQ(Button("buttonPanelList")->text(), "Panel List Manager");
    EXPECT_EQ(Button("buttonRefresh")->text(), "Refresh List from Remote");
    EXPECT_EQ(Button("buttonView")->text(), "View Selected File Data");
    EXPECT_EQ(Button("buttonDelete")->text(), "Delete Selected File(s)");
    EXPECT_EQ(Button("buttonRename")->text(), "Rename Selected File");
    EXPECT_EQ(Button("buttonBackupSelected")->text(), "Backup Selected CSV File(s)");
    EXPECT_EQ(Button("buttonBackupAll")->text(), "Backup All CSV Files");
    EXPECT_EQ(Button("buttonBrowse")->text(), "...");
    EXPECT_EQ(Button("buttonHelp")->text(), "Help");
    EXPECT_TRUE(Find<QLineEdit>("editLocalFolder")->isReadOnly());
    EXPECT_TRUE(Find<QCheckBox>("checkAutoFolder")->isVisible());
    EXPECT_EQ(Find<QCheckBox>("checkAutoCsvExt")->text(),
              "Automatically add CSV extension to Local Files");
    EXPECT_FALSE(Button("buttonBack")->isVisible());

    // The transfer display waits, empty and partly hidden, for a transfer.
    for (const char* pszLine : {"labelCount", "labelFile", "labelBytes"})
        EXPECT_TRUE(Find<QLabel>(pszLine)->text().isEmpty()) << pszLine;
    for (const char* pszHidden : {"progressOverall", "progressFile", "buttonCancelTransfer",
                                  "groupLastTransfer", "labelLastTransfer"})
        EXPECT_FALSE(Find<QWidget>(pszHidden)->isVisible()) << pszHidden;
    EXPECT_EQ(Find<CTextProgressCtrl>("progressFile")->maximum(), 100);
    EXPECT_TRUE(Find<CTextProgressCtrl>("progressFile")->IsShowText());
    EXPECT_EQ(Button("buttonCancelTransfer")->text(), "Cancel Transfer");
}

TEST_F(MainWindowLocalTest, ResizedWindowGrowsListAndTreeButNeverShrinksBelowItsFirstSize)
{
    OpenWindow();
    const QSize szFirst = Dlg().size();
    EXPECT_EQ(Dlg().minimumSize(), szFirst);
    EXPECT_NE(Dlg().findChild<QSizeGrip*>(), nullptr);
    const QRect rcList = Dlg().RemoteList()->geometry();
    const QRect rcTree = Dlg().LocalTree()->geometry();
    const QRect rcDelete = Button("buttonDelete")->geometry();
    const QRect rcCombo = Dlg().PanelCombo()->geometry();
    const QRect rcConnect = Button("buttonConnect")->geometry();
    const QRect rcHelp = Button("buttonHelp")->geometry();

    Dlg().resize(szFirst.width() + 220, szFirst.height() + 120);
    ProcessEvents();
    const QRect rcListNow = Dlg().RemoteList()->geometry();
    const QRect rcTreeNow = Dlg().LocalTree()->geometry();
    EXPECT_EQ(rcListNow.topLeft(), rcList.topLeft());
    EXPECT_GT(rcListNow.width(), rcList.width());
    EXPECT_EQ(rcListNow.height(), rcList.height() + 120);
    EXPECT_GT(rcTreeNow.width(), rcTree.width());
    EXPECT_EQ(rcTreeNow.height(), rcTree.height() + 120);
    EXPECT_EQ(Dlg().width() - rcTreeNow.right(), szFirst.width() - rcTree.right());
    EXPECT_EQ(Button("buttonDelete")->y(), rcDelete.y() + 120);
    EXPECT_EQ(Button("buttonDelete")->height(), rcDelete.height());
    // The remote command buttons span the list they act on; the local
    // controls keep to the tree's edges.
    EXPECT_EQ(Button("buttonView")->x(), rcListNow.x());
    EXPECT_EQ(Button("buttonRename")->geometry().right(), rcListNow.right());
    EXPECT_EQ(Button("buttonBackupSelected")->x(), rcListNow.x());
    EXPECT_EQ(Button("buttonBackupAll")->geometry().right(), rcListNow.right());
    EXPECT_EQ(Button("buttonCopy")->x(), rcTreeNow.x());
    EXPECT_EQ(Button("buttonMove")->geometry().right(), rcTreeNow.right());
    EXPECT_EQ(Button("buttonBrowse")->geometry().right(), rcTreeNow.right());
    EXPECT_EQ(Find<QWidget>("groupLastTransfer")->geometry().right(), rcTreeNow.right());
    EXPECT_EQ(Dlg().PanelCombo()->geometry(), rcCombo);
    EXPECT_EQ(Button("buttonConnect")->geometry(), rcConnect);
    EXPECT_EQ(Button("buttonHelp")->geometry(), rcHelp.translated(0, 120));

    Dlg().resize(szFirst.width() - 300, szFirst.height() - 200);
    ProcessEvents();
    EXPECT_EQ(Dlg().size(), szFirst);
    EXPECT_EQ(Dlg().RemoteList()->geometry(), rcList);
}

TEST_F(MainWindowLocalTest, TreeSortsFoldersAndReadsAFolderAfreshAtEveryOpening)
{
    for (const char* pszFolder : {"gamma", "alpha/first", "Beta"})
        fs::create_directories(fs::path(m_strLocal) / pszFolder);
    m_dir.WriteFile("local/notes.txt", "n");
    OpenWindow();

    QTreeWidgetItem* pTop = TopItem();
    ASSERT_NE(pTop, nullptr);
    EXPECT_EQ(ChildTexts(pTop),
              (std::vector<std::string>{"alpha", "Beta", "gamma", "target", "notes.txt"}));
    // The start selects the remembered local folder and shows it.
    EXPECT_EQ(FolderBox(), m_strTarget);

    QTreeWidgetItem* pAlpha = Child(pTop, "alpha");
    ASSERT_NE(pAlpha, nullptr);
    pAlpha->setExpanded(true);
    EXPECT_EQ(ChildTexts(pAlpha), (std::vector<std::string>{"first"}));
    fs::create_directories(fs::path(m_strLocal) / "alpha" / "later");
    pAlpha->setExpanded(false);
    pAlpha->setExpanded(true);
    EXPECT_EQ(ChildTexts(pAlpha), (std::vector<std::string>{"first", "later"}));
}

TEST_F(MainWindowLocalTest, TreeSelectionSetsTheLocalFolder)
{
    m_dir.WriteFile("local/target/data.csv", "d");
    OpenWindow();
    CDirTreeCtrl* pTree = Dlg().LocalTree();
    ASSERT_TRUE(pTree->SetSelPath(m_strLocal));
    EXPECT_EQ(FolderBox(), m_strLocal);

    QTreeWidgetItem* pTarget = Child(TopItem(), "target");
    ASSERT_NE(pTarget, nullptr);
    pTarget->setExpanded(true);
    QTreeWidgetItem* pFile = Child(pTarget, "data.csv");
    ASSERT_NE(pFile, nullptr);
    pTree->setCurrentItem(pFile);
    EXPECT_EQ(FolderBox(), m_strTarget);
}

TEST_F(MainWindowLocalTest, AFailedTreeSaysWhy)
{
    m_pDlg = std::make_unique<COrvakFileListDlg>(m_shell);
    m_pDlg->SetLocalTreeRoot((m_dir.Path() / "no-such-folder").string());
    m_pDlg->show();
    for (int i = 0; i < 200 && !m_pDlg->IsLoaded(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(m_pDlg->IsLoaded());
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].strText, CDirTreeCtrl::ERR_FILE_INFO);
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
}

TEST_F(MainWindowLocalTest, PreferenceBoxesFollowAndSetThePreferences)
{
    m_shell.m_bAutoCreateLocalFolder = true;
    m_shell.SavePreferences();
    OpenWindow();
    auto* pAuto = Find<QCheckBox>("checkAutoFolder");
    auto* pCsv = Find<QCheckBox>("checkAutoCsvExt");
    EXPECT_TRUE(pAuto->isChecked());
    EXPECT_FALSE(pCsv->isChecked());
    EXPECT_EQ(Button("buttonCopy")->text(),
              "Copy Selected Remote Files to Auto Created Folder on Local Computer\n>>");
    EXPECT_EQ(Find<QLabel>("labelLocalFolder")->text(), "Select Root Folder on Local Computer :");

    pAuto->click();
    EXPECT_FALSE(m_shell.m_bAutoCreateLocalFolder);
    EXPECT_EQ(Button("buttonMove")->text(),
              "Move Selected Remote Files to Selected Folder on Local Computer\n>>");
    EXPECT_EQ(Find<QLabel>("labelLocalFolder")->text(), "Select Folder on Local Computer :");

    pCsv->click();
    EXPECT_TRUE(m_shell.m_bAutoAddCSVExt);
}

TEST_F(MainWindowLocalTest, ClosingRemembersTheSelectedFolderButNotAFile)
{
    fs::create_directories(fs::path(m_strLocal) / "other");
    m_dir.WriteFile("local/file.txt", "f");
    OpenWindow();
    CDirTreeCtrl* pTree = Dlg().LocalTree();

    pTree->setCurrentItem(Child(TopItem(), "file.txt"));
    Dlg().reject();
    EXPECT_EQ(m_shell.m_strLocalFolderPath, m_strTarget);
    EXPECT_FALSE(Dlg().isVisible());

    OpenWindow();
    ASSERT_TRUE(Dlg().LocalTree()->SetSelPath(m_strLocal + "/other"));
    Dlg().reject();
    EXPECT_EQ(m_shell.m_strLocalFolderPath, m_strLocal + "/other");
}

TEST_F(MainWindowLocalTest, HelpOpensTheMainWindowTopicAndAboutIsOffered)
{
    OpenWindow();
    Button("buttonHelp")->click();
    ASSERT_NE(GetHelpWindow(), nullptr);
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "main_window.html");
    EXPECT_TRUE(m_prompt.Shown().empty());

    int nAbout = 0;
    QObject::connect(&Dlg(), &COrvakFileListDlg::AboutRequested, [&nAbout] { ++nAbout; });
    Button("buttonAbout")->click();
    EXPECT_EQ(nAbout, 1);
}
} // namespace
