// The main window against simulated panels: its wiring and one case per command.
#include "MainWindowTestSupport.h"

#include "filemanager/CDirTreeCtrl.h"
#include "filemanager/CDuplicateFileDlg.h"
#include "filemanager/CRenameFileDlg.h"
#include "filemanager/MainWindowButton.h"
#include "filemanager/RemoteListCtrl.h"
#include "filemanager/logic/LocalFolderCheck.h"
#include "filemanager/logic/RemoteListRules.h"
#include "link/CCommInterface.h"
#include "panels/ui/CIPAddressSelectionDlg.h"
#include "widgets/CHelpWindow.h"

#include <QTest>
#include <map>

namespace fs = std::filesystem;

namespace
{
using Names = std::vector<std::string>;
const std::string COPY_QUESTION = "?Copy selected remote panel file(s) to Local Computer?";

Qt::CursorShape ShownCursor()
{
    const QCursor* pCursor = QGuiApplication::overrideCursor();
    return pCursor ? pCursor->shape() : Qt::ArrowCursor;
}

// Records the text of a label each time it is painted, with the cursor shown then.
struct CPaintRecorder : QObject
{
    explicit CPaintRecorder(QLabel* pLabel) : m_pLabel(pLabel) { pLabel->installEventFilter(this); }
    ~CPaintRecorder() override { m_pLabel->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint && !m_pLabel->text().isEmpty())
        {
            m_arrPainted.emplace_back(m_pLabel->text().toStdString(), ShownCursor());
            m_mapFirst.emplace(m_arrPainted.back());
        }
        return false;
    }
    QLabel* m_pLabel;
    std::vector<std::pair<std::string, Qt::CursorShape>> m_arrPainted;
    std::map<std::string, Qt::CursorShape> m_mapFirst; // each text's first cursor
};

struct MainWindowTest : CMainWindowTest
{
    std::string BaseTitle() const
    {
        return "Ilvane Remote File Manager" + m_shell.GetLoader().GetVersionText();
    }
    std::string Text(const char* pszName, const char* pszProperty = "text") const
    {
        return Find(pszName)->property(pszProperty).toString().toStdString();
    }
    // Titles, Connect, bold panels and the enabled remote command buttons.
    Names State() const
    {
        std::string strBold, strOn;
        for (int i = 0; i < Dlg().PanelCombo()->count(); ++i)
            strBold += Dlg().PanelCombo()->IsItemBold(i) ? '1' : '0';
        for (const char* pszName :
             {"buttonView", "buttonDelete", "buttonRename", "buttonBackupSelected",
              "buttonBackupAll", "buttonCopy", "buttonMove"})
            strOn += Button(pszName)->isEnabled() ? '1' : '0';
        return {Dlg().windowTitle().toStdString(), Text("groupRemote", "title"),
                Text("buttonConnect"), strBold, strOn};
    }
    // The messages shown since the last look, each after its icon's mark.
    Names Prompts()
    {
        static const char* const MARKS[] = {"", "!", "W", "?", "i"};
        Names arrShown;
        for (const SPromptRecord& shown : m_prompt.Shown())
            arrShown.push_back(MARKS[static_cast<int>(shown.eIcon)] + shown.strText);
        m_prompt.Clear();
        return arrShown;
    }
    // A key on the remote list, or a button, with these names selected.
    void Press(const Names& arrNames, int nKey, Qt::KeyboardModifiers nMods = Qt::NoModifier)
    {
        SelectNames(arrNames), QTest::keyClick(Dlg().RemoteList(), Qt::Key(nKey), nMods);
    }
    void Click(const Names& arrNames, const char* pszButton)
    {
        SelectNames(arrNames), Button(pszButton)->click();
    }
    // After a transfer: the record's last line, the running controls gone.
    void ExpectEnded(const char* pszStatus) const
    {
        EXPECT_EQ(Text("groupLastTransfer", "title"), "Last Tranfer");
        const std::string strText = Text("labelLastTransfer");
        EXPECT_EQ(strText.substr(strText.rfind('\n') + 1), std::string("   Status: ") + pszStatus);
        EXPECT_FALSE(Find("buttonCancelTransfer")->isVisible());
        EXPECT_TRUE(Dlg().AreControlsEnabled());
    }
    // The names the tree lists below its current item, sorted.
    Names CurrentTreeChildren() const
    {
        Names arrNames = ChildTexts(Dlg().LocalTree()->currentItem());
        std::sort(arrNames.begin(), arrNames.end());
        return arrNames;
    }
};

TEST_F(MainWindowTest, ConnectListAndRemoteCommands)
{
    m_strCard = MakeCard("card");
    StartPanel("Press", m_strCard);
    m_dir.WriteFile("card2/OTHER.CSV", "x");
    // A panel that can neither back up nor show data.
    StartPanel("", m_dir.Str() + "/card2", {"--type", "80", "--revision", "k4"});
    OpenWindow();
    EXPECT_EQ(Dlg().PanelCombo()->itemText(0).toStdString(), "127.0.0.1 -  Press");
    EXPECT_EQ(Dlg().PanelCombo()->itemText(1).toStdString(), "127.0.0.1");
    const std::string GET = "Get\nFiles List From\n127.0.0.1";
    EXPECT_EQ(State(), (Names{BaseTitle(), "Remote Panel Files", GET, "00", "0000000"}));
    ConnectTo(0);
    EXPECT_EQ(Prompts(), Names{});
    EXPECT_EQ(State(), (Names{BaseTitle() + " : Press [ IP - 127.0.0.1 ]",
                              "Remote Panel Files:  [ IP - 127.0.0.1 ]",
                              "Refresh\nFiles List From\n127.0.0.1", "10", "0000100"}));
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));
    SelectNames({"A.CSV"});

    // A column click sorts (largest first) and renumbers; the selection stays with its file.
    SetRemoteSortFlag(true);
    QHeaderView* pHeader = Dlg().RemoteList()->horizontalHeader();
    emit pHeader->sectionClicked(REMOTE_COL_SIZE);
    EXPECT_EQ(ListColumn(), (Names{"LOG.TXT", "B.CSV", "A.CSV", "EMPTY.DAT", "SUB"}));
    EXPECT_EQ(ListColumn(0), (Names{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(Dlg().RemoteList()->SelectedIndices(), std::vector<int>{0}); // the table's A.CSV
    emit pHeader->sectionClicked(REMOTE_COL_NAME); // the next click, on any column, ascends
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));

    // Refresh reads with the filter; an empty one is reset to "*.*"; F5 reads again.
    auto* pFilter = Find<QLineEdit>("editFilter");
    pFilter->setText("*.csv");
    Button("buttonRefresh")->click();
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "B.CSV"}));
    pFilter->clear();
    Button("buttonRefresh")->click();
    EXPECT_EQ(Prompts(), Names{"Filter empty! Hence reading all files in the Remote SD Card."});
    EXPECT_EQ(pFilter->text(), "*.*");
    m_dir.WriteFile("card/LATE.CSV", "late");
    QTest::keyClick(&Dlg(), Qt::Key_F5);
    EXPECT_EQ(ListColumn().size(), 6u);

    // The keys reach their commands; rename starts from the selected name.
    Press({}, Qt::Key_Delete);
    Dlg().OnCopy(), Dlg().OnMove();
    Press({"SUB", "LOG.TXT"}, Qt::Key_F2);
    m_prompt.QueueAnswer(EPromptAnswer::No);
    Press({"B.CSV"}, Qt::Key_Delete);
    EXPECT_EQ(Prompts(),
              (Names{"Select remote panel file(s) to delete.",
                     "Select remote panel file(s) to copy.", "Select remote panel file(s) to move.",
                     "!Select only one Remote File to be renamed.",
                     "?Delete selected remote panel file(s)?"}));
    std::string strShownName;
    WhenModal<CRenameFileDlg>(
        [&strShownName](CRenameFileDlg& dlg)
        {
            strShownName = dlg.FileNameEdit()->text().toStdString();
            dlg.NewNameEdit()->setText("RUN.TXT");
            dlg.accept();
        });
    Press({"LATE.CSV"}, Qt::Key_F2);
    EXPECT_EQ(strShownName, "LATE.CSV");
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "RUN.TXT", "SUB"}));
    Press({}, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Dlg().RemoteList()->SelectedCount(), 6);

    // Delete removes only the files; View opens the viewer on the selected file.
    Click({"SUB", "RUN.TXT", "EMPTY.DAT"}, "buttonDelete");
    EXPECT_EQ(Prompts(), Names{"?Delete selected remote panel file(s)?"});
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));
    Click({"B.CSV"}, "buttonBackupSelected");
    EXPECT_EQ(FolderNames(m_strCard, true),
              (Names{"A.CSV", "B.BAK", "B.CSV", "EMPTY.DAT", "LOG.TXT"}));
    Button("buttonBackupAll")->click();
    EXPECT_TRUE(fs::exists(m_strCard + "/A.BAK"));
    EXPECT_EQ(ListColumn().size(), 7u);
    std::string strOpened;
    Dlg().SetDataViewerOpener([&](QWidget*, CCommInterface& comm, const std::string& strName)
                              { strOpened = std::to_string(comm.GetPort()) + strName; });
    Click({"A.CSV"}, "buttonView");
    EXPECT_EQ(strOpened, std::to_string(m_arrSims[0]->Port()) + "A.CSV");
    SelectNames({});
    Dlg().OnViewData();
    EXPECT_EQ(Prompts(), Names{"!Select Remote File to view data."});

    // The other panel: bold moves, its buttons follow what it can do.
    ConnectTo(1);
    EXPECT_EQ(ListColumn(), Names{"OTHER.CSV"});
    SelectNames({"OTHER.CSV"});
    EXPECT_EQ(State(), (Names{BaseTitle() + " :  [ IP - 127.0.0.1 ]",
                              "Remote Panel Files:  [ IP - 127.0.0.1 ]",
                              "Refresh\nFiles List From\n127.0.0.1", "01", "0110011"}));
    Dlg().PanelCombo()->setCurrentIndex(0);
    EXPECT_EQ(State()[2], GET);
    // The next window preselects the last panel, unconnected.
    m_pDlg.reset();
    OpenWindow();
    EXPECT_EQ(Dlg().PanelCombo()->currentIndex(), 1);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);
}

// A failed listing leaves the panel connected with an empty list.
TEST_F(MainWindowTest, ConnectsThatFailAndTheStatusLine)
{
    StartPanel("Foreign", MakeCard("card"), {"--type", "10"});
    StartPanel("Unlisted", MakeCard("card2"), {"--fail", "143:6=24"});
    StartPanel("Press", MakeCard("card3"), {"--delay-ms", "20"});
    StartPanel("Gone", MakeCard("card4"));
    m_arrSims.back()->Stop();
    OpenWindow();
    const Names arrStart = State();
    ConnectTo(0);
    EXPECT_EQ(m_prompt.Texts(), Names{"Error: Device Type Mismatch"});
    EXPECT_EQ(State(), arrStart);
    ConnectTo(1);
    EXPECT_EQ(m_prompt.Shown().size(), 2u);
    EXPECT_NE(Dlg().GetConnectedPanel(), nullptr);
    EXPECT_EQ(Dlg().RemoteList()->rowCount(), 0);
    EXPECT_EQ(State()[4], "0000000");
    EXPECT_TRUE(Dlg().AreControlsEnabled());

    CPaintRecorder recorder(Find<QLabel>("labelStatus"));
    ConnectTo(2);
    ASSERT_EQ(Dlg().GetConnectedPanel()->m_strName, "Press");
    ASSERT_FALSE(recorder.m_arrPainted.empty());
    EXPECT_EQ(recorder.m_arrPainted.front(),
              std::make_pair(std::string("Connecting to 127.0.0.1 -  Press ..."), Qt::WaitCursor));
    EXPECT_EQ(recorder.m_arrPainted.back().first,
              "Reading the list of files from 127.0.0.1 -  Press ...");
    EXPECT_EQ(Text("labelStatus"), "");
    recorder.m_arrPainted.clear();
    ConnectTo(3);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);
    ASSERT_EQ(recorder.m_arrPainted.size(), 1u);
    EXPECT_EQ(recorder.m_arrPainted[0].first, "Connecting to 127.0.0.1 -  Gone ...");
    ASSERT_EQ(m_prompt.Shown().size(), 3u);
    EXPECT_FALSE(m_prompt.Shown()[2].strText.empty());
    for (const SPromptRecord& shown : m_prompt.Shown())
        EXPECT_EQ(shown.eIcon, EPromptIcon::Stop);
    EXPECT_EQ(Text("labelStatus"), "");
}

// Closed before its deferred load (a slow start), the window opens nothing more.
TEST_F(MainWindowTest, PanelListManager)
{
    m_pDlg = std::make_unique<COrvakFileListDlg>(m_shell);
    m_pDlg->SetLocalTreeRoot(m_strLocal);
    m_pDlg->show();
    m_pDlg->reject();
    bool bOpened = false;
    QTimer::singleShot(200,
                       [&bOpened]
                       {
                           if (auto* pModal =
                                   qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                               bOpened = true, pModal->reject();
                       });
    QTest::qWait(300); // past the check, which must not fire during the next window
    EXPECT_FALSE(bOpened || m_pDlg->IsLoaded() || m_pDlg->isVisible());

    WhenModal<CIPAddressSelectionDlg>([&bOpened](CIPAddressSelectionDlg& dlg)
                                      { bOpened = true, dlg.reject(); });
    OpenWindow();
    EXPECT_TRUE(bOpened);
    EXPECT_EQ(State()[2], "Get Files List");
    EXPECT_FALSE(Button("buttonConnect")->isEnabled());

    StartPanel("One", MakeCard("card1"));
    StartPanel("Two", MakeCard("card2"));
    // However the manager closes, its list replaces the window's.
    for (const bool bConnect : {false, true})
    {
        WhenModal<CIPAddressSelectionDlg>(
            [bConnect](CIPAddressSelectionDlg& dlg)
            {
                dlg.ListCtrl()->selectRow(0);
                if (bConnect)
                    return dlg.OnOK();
                dlg.OnDelete();
                dlg.reject();
            });
        Button("buttonPanelList")->click();
        ASSERT_EQ(Dlg().PanelCombo()->count(), 1);
        EXPECT_EQ(Dlg().PanelCombo()->itemText(0).toStdString(), "127.0.0.1 -  Two");
        EXPECT_EQ(m_shell.m_PanelList.GetCount(), 1);
        EXPECT_EQ(Dlg().GetConnectedPanel() != nullptr, bConnect);
    }
    EXPECT_EQ(ListColumn().size(), 5u);
}

TEST_F(MainWindowTest, CopyAndMove)
{
    m_dir.WriteFile("card/BIG.CSV", std::string(200000, 'x')); // many blocks: Cancel lands mid-file
    m_dir.WriteFile("local/target/B.CSV", "old");
    m_strCard = MakeCard("card");
    StartPanel("Press", m_strCard);
    OpenWindow();
    ConnectTo(0);
    // The conflict dialog shows the arrow; the next file waits under the wait cursor.
    std::string strSource;
    Qt::CursorShape eDuringDialog = Qt::WaitCursor;
    WhenModal<CDuplicateFileDlg>(
        [&](CDuplicateFileDlg& dlg)
        {
            strSource = dlg.m_strFileName;
            eDuringDialog = ShownCursor();
            dlg.OverwriteRadio()->click();
            dlg.accept();
        });
    CPaintRecorder recorder(Find<QLabel>("labelFile"));
    Click({"B.CSV", "SUB", "LOG.TXT"}, "buttonCopy");
    EXPECT_EQ(Prompts(), Names{COPY_QUESTION});
    EXPECT_EQ(FolderNames(m_strTarget, true), (Names{"B.CSV", "LOG.TXT"}));
    EXPECT_EQ(m_dir.ReadFile("local/target/B.CSV"), std::string(300, 'b'));
    EXPECT_EQ(strSource, "B.CSV");
    EXPECT_EQ(eDuringDialog, Qt::ArrowCursor);
    EXPECT_EQ(recorder.m_mapFirst["Tranferring LOG.TXT..."], Qt::WaitCursor);
    EXPECT_EQ(ShownCursor(), Qt::ArrowCursor); // the transfer is over
    ExpectEnded("Sucess");
    EXPECT_EQ(Dlg().GetFileTable().GetSize(), 6); // Copy leaves the panel's files

    SelectNames({"A.CSV"});
    emit Dlg().RemoteList()->cellDoubleClicked(0, 1);
    EXPECT_EQ(Prompts(), Names{COPY_QUESTION});
    EXPECT_EQ(FolderNames(m_strTarget, true), (Names{"A.CSV", "B.CSV", "LOG.TXT"}));

    bool bCancelShown = false;
    QTimer::singleShot(0,
                       [this, &bCancelShown]
                       {
                           bCancelShown = Button("buttonCancelTransfer")->isVisible();
                           Button("buttonCancelTransfer")->click();
                       });
    Click({"BIG.CSV"}, "buttonCopy");
    EXPECT_TRUE(bCancelShown);
    EXPECT_EQ(Prompts(), (Names{COPY_QUESTION, "?Do you want to cancel the file tranfer?",
                                "!Transfer file canceled.\nCould not copy the remote file "
                                "BIG.CSV to the Local Computer."}));
    EXPECT_FALSE(fs::exists(m_strTarget + "/BIG.CSV"));
    ExpectEnded("Cancelled");

    fs::remove(m_strTarget + "/B.CSV");
    Click({"B.CSV"}, "buttonMove");
    EXPECT_EQ(Prompts(), Names{"?This copies the selected Remote Panel files to the Local Computer "
                               "and then deletes the files from the Remote Panel.\nMove the "
                               "selected remote panel file(s) to Local Computer?"});
    EXPECT_TRUE(fs::exists(m_strTarget + "/B.CSV"));
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "BIG.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));
    ExpectEnded("Sucess");

    // After a transfer that stopped, the tree shows the target as it is on disk.
    Find<QCheckBox>("checkAutoFolder")->click();
    ASSERT_TRUE(m_shell.m_bAutoCreateLocalFolder);
    ASSERT_TRUE(Dlg().LocalTree()->SetSelPath(m_strTarget));
    ASSERT_EQ(CurrentTreeChildren(), FolderNames(m_strTarget, true));
    fs::remove(m_strTarget + "/A.CSV");
    m_dir.WriteFile("local/target/NEW.TXT", "new");
    m_prompt.QueueAnswer(EPromptAnswer::Yes);
    m_prompt.QueueAnswer(EPromptAnswer::No);
    Click({"LOG.TXT"}, "buttonCopy");
    ASSERT_EQ(Prompts().size(), 2u);
    EXPECT_EQ(Dlg().LocalTree()->GetFullPath(Dlg().LocalTree()->currentItem()), m_strTarget);
    EXPECT_EQ(CurrentTreeChildren(), (Names{"B.CSV", "LOG.TXT", "NEW.TXT"}));
}

// Nothing is written without a local folder, not even into the working directory.
TEST_F(MainWindowTest, WithoutALocalFolderNothingIsWritten)
{
    m_shell.m_strLocalFolderPath = m_strLocal + "/gone";
    m_strLocal = m_dir.Str() + "/no-such-folder";
    m_strCard = MakeCard("card");
    StartPanel("Press", m_strCard);
    OpenWindow();
    ASSERT_EQ(Prompts(), Names{std::string("!") + CDirTreeCtrl::ERR_FILE_INFO});
    ASSERT_EQ(Text("editLocalFolder"), "");
    ConnectTo(0);
    const fs::path oldWorkDir = fs::current_path();
    fs::current_path(m_strTarget);
    Click({"B.CSV"}, "buttonCopy");
    Button("buttonMove")->click();
    fs::current_path(oldWorkDir);
    EXPECT_EQ(m_prompt.Texts(), (Names{NO_LOCAL_FOLDER_TEXT, NO_LOCAL_FOLDER_TEXT}));
    EXPECT_TRUE(FolderNames(m_strTarget, true).empty());
    EXPECT_TRUE(fs::exists(m_strCard + "/B.CSV"));
    EXPECT_FALSE(Find("groupLastTransfer")->isVisible());
    EXPECT_TRUE(Dlg().AreControlsEnabled());
}

TEST_F(MainWindowTest, TheWindowItself)
{
    m_dir.WriteFile("local/file.txt", "f");
    m_shell.m_bAutoCreateLocalFolder = true;
    m_shell.SavePreferences();
    StartPanel("Press", MakeCard("card"));
    OpenWindow();
    auto* pAuto = Find<QCheckBox>("checkAutoFolder");
    EXPECT_TRUE(pAuto->isChecked());
    EXPECT_EQ(Text("buttonCopy"),
              "Copy Selected Remote Files to Auto Created Folder on Local Computer\n>>");
    EXPECT_EQ(Text("labelLocalFolder"), "Select Root Folder on Local Computer :");
    for (const bool bAuto : {true, false})
    {
        if (pAuto->isChecked() != bAuto)
            pAuto->click();
        EXPECT_EQ(m_shell.m_bAutoCreateLocalFolder, bAuto);
        for (const char* pszName : {"buttonCopy", "buttonMove"})
        {
            auto* pButton = Find<CMultiLineButton>(pszName);
            EXPECT_LE(pButton->HeightForText(pButton->text()), pButton->height()) << pszName;
            const QFontMetrics fm(pButton->font());
            for (const QString& strWord : pButton->text().split(QRegularExpression("\\s+")))
                EXPECT_LT(fm.horizontalAdvance(strWord),
                          pButton->width() - 4 * fm.averageCharWidth());
        }
    }
    EXPECT_EQ(Text("buttonMove"),
              "Move Selected Remote Files to Selected Folder on Local Computer\n>>");
    EXPECT_EQ(Text("labelLocalFolder"), "Select Folder on Local Computer :");
    Find<QCheckBox>("checkAutoCsvExt")->click();
    EXPECT_TRUE(m_shell.m_bAutoAddCSVExt);

    // The context menu's About follows the controls' enabling.
    for (const bool bEnabled : {true, false})
    {
        Dlg().EnableControls(bEnabled);
        const QAction* pAbout = nullptr;
        QTimer::singleShot(50, // the menu runs its own event loop
                           [&]
                           {
                               auto* pMenu =
                                   qobject_cast<QMenu*>(QApplication::activePopupWidget());
                               pAbout = pMenu ? pMenu->findChild<QAction*>("actionAbout") : nullptr;
                               EXPECT_EQ(pAbout && pAbout->isEnabled(), bEnabled);
                               if (pMenu)
                                   pMenu->close();
                           });
        const QPoint pt = Find<QLabel>("labelHint")->geometry().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pt, Dlg().mapToGlobal(pt));
        QApplication::sendEvent(&Dlg(), &event);
        EXPECT_NE(pAbout, nullptr);
    }
    Dlg().EnableControls(true);

    // A file selected in the tree sets its folder; closing remembers a folder.
    EXPECT_EQ(Text("editLocalFolder"), m_strTarget);
    for (const char* pszName : {"progressOverall", "buttonCancelTransfer", "groupLastTransfer"})
        EXPECT_FALSE(Find(pszName)->isVisible()) << pszName;
    Dlg().LocalTree()->setCurrentItem(
        Dlg().LocalTree()->findItems("file.txt", Qt::MatchExactly | Qt::MatchRecursive).value(0));
    EXPECT_EQ(Text("editLocalFolder"), m_strLocal);
    Button("buttonHelp")->click();
    ASSERT_NE(GetHelpWindow(), nullptr);
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "main_window.html");
    int nAbout = 0;
    QObject::connect(&Dlg(), &COrvakFileListDlg::AboutRequested, [&nAbout] { ++nAbout; });
    Button("buttonAbout")->click();
    EXPECT_EQ(nAbout, 1);
    Dlg().reject();
    EXPECT_EQ(m_shell.m_strLocalFolderPath, m_strTarget);
    EXPECT_FALSE(Dlg().isVisible());
    OpenWindow();
    ASSERT_TRUE(Dlg().LocalTree()->SetSelPath(m_strLocal));
    EXPECT_EQ(Text("editLocalFolder"), m_strLocal);
    Dlg().reject();
    EXPECT_EQ(m_shell.m_strLocalFolderPath, m_strLocal);
    EXPECT_TRUE(m_prompt.Shown().empty());
}
} // namespace
