// The main window against simulated panels: what it wires together (controls
// enabled, texts and messages shown, the command run) and one end-to-end case
// per command. The rules behind them are tested with the logic.
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
#include "widgets/CComboBoxBold.h"
#include "widgets/CHelpWindow.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
using Names = std::vector<std::string>;
const char* COPY_QUESTION = "Copy selected remote panel file(s) to Local Computer?";
const char* ADDRESS = "127.0.0.1";

Qt::CursorShape ShownCursor()
{
    const QCursor* pCursor = QGuiApplication::overrideCursor();
    return pCursor ? pCursor->shape() : Qt::ArrowCursor;
}

// Records the text of a label each time it is painted, with the cursor shown then.
class CPaintRecorder : public QObject
{
public:
    explicit CPaintRecorder(QLabel* pLabel) : m_pLabel(pLabel) { pLabel->installEventFilter(this); }
    ~CPaintRecorder() override { m_pLabel->removeEventFilter(this); }
    std::vector<std::pair<std::string, Qt::CursorShape>> m_arrPainted;

protected:
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint && !m_pLabel->text().isEmpty())
            m_arrPainted.emplace_back(m_pLabel->text().toStdString(), ShownCursor());
        return false;
    }

private:
    QLabel* m_pLabel;
};

class MainWindowTest : public CMainWindowTest
{
protected:
    std::string BaseTitle() const
    {
        return "Ilvane Remote File Manager" + m_shell.GetLoader().GetVersionText();
    }
    std::string Text(const char* pszLabel) const
    {
        return Find<QLabel>(pszLabel)->text().toStdString();
    }
    std::string FolderBox() const
    {
        return Find<QLineEdit>("editLocalFolder")->text().toStdString();
    }
    // The window's title, the remote group's title, the Connect button, the
    // bold combo items, and the enabled View, Delete, Rename, Backup Selected,
    // Backup All, Copy and Move buttons.
    Names State() const
    {
        std::string strBold, strOn;
        for (int i = 0; i < Dlg().PanelCombo()->count(); ++i)
            strBold += Dlg().PanelCombo()->IsItemBold(i) ? '1' : '0';
        for (const char* pszName :
             {"buttonView", "buttonDelete", "buttonRename", "buttonBackupSelected",
              "buttonBackupAll", "buttonCopy", "buttonMove"})
            strOn += Button(pszName)->isEnabled() ? '1' : '0';
        return {Dlg().windowTitle().toStdString(),
                Find<QGroupBox>("groupRemote")->title().toStdString(),
                Button("buttonConnect")->text().toStdString(), strBold, strOn};
    }
    // A connected window on a panel serving a fresh card (m_strCard).
    void ConnectToCard()
    {
        m_strCard = MakeCard("card");
        StartPanel("Press", m_strCard);
        OpenWindow();
        ConnectTo(0);
        ASSERT_TRUE(m_prompt.Shown().empty());
    }
    // A key on the remote list, or a button, with these names selected.
    void Press(const Names& arrNames, int nKey, Qt::KeyboardModifiers nMods = Qt::NoModifier)
    {
        SelectNames(arrNames);
        QKeyEvent press(QEvent::KeyPress, nKey, nMods);
        QApplication::sendEvent(Dlg().RemoteList(), &press);
    }
    void Click(const Names& arrNames, const char* pszButton)
    {
        m_prompt.Clear();
        SelectNames(arrNames);
        Button(pszButton)->click();
    }
    // After a transfer: the record's last line, the running controls gone.
    void ExpectEnded(const char* pszStatus) const
    {
        EXPECT_EQ(Find<QGroupBox>("groupLastTransfer")->title(), "Last Tranfer");
        const std::string strText = Text("labelLastTransfer");
        EXPECT_EQ(strText.substr(strText.rfind('\n') + 1), std::string("   Status: ") + pszStatus);
        EXPECT_FALSE(Find("buttonCancelTransfer")->isVisible());
        EXPECT_TRUE(Dlg().AreControlsEnabled());
    }
    // The names the tree lists below its current item, sorted.
    Names CurrentTreeChildren() const
    {
        Names arrNames;
        const QTreeWidgetItem* pItem = Dlg().LocalTree()->currentItem();
        for (int i = 0; pItem && i < pItem->childCount(); ++i)
            arrNames.push_back(pItem->child(i)->text(0).toStdString());
        std::sort(arrNames.begin(), arrNames.end());
        return arrNames;
    }
};

// Connect, the list, the filter, the keys and buttons of the remote commands,
// a second panel, and the next window's preselection.
TEST_F(MainWindowTest, ConnectListAndRemoteCommands)
{
    m_strCard = MakeCard("card");
    StartPanel("Press", m_strCard);
    m_dir.WriteFile("card2/OTHER.CSV", "x");
    // A panel that can neither back up nor show data.
    StartPanel("", m_dir.Str() + "/card2", {"--type", "80", "--revision", "k4"});
    OpenWindow();
    EXPECT_EQ(Dlg().PanelCombo()->itemText(0).toStdString(), "127.0.0.1 -  Press");
    EXPECT_EQ(Dlg().PanelCombo()->itemText(1).toStdString(), ADDRESS);
    const std::string GET = "Get\nFiles List From\n127.0.0.1";
    EXPECT_EQ(State(), (Names{BaseTitle(), "Remote Panel Files", GET, "00", "0000000"}));
    ConnectTo(0);
    EXPECT_TRUE(m_prompt.Shown().empty()) << m_prompt.Texts().front();
    EXPECT_EQ(State(), (Names{BaseTitle() + " : Press [ IP - 127.0.0.1 ]",
                              "Remote Panel Files:  [ IP - 127.0.0.1 ]",
                              "Refresh\nFiles List From\n127.0.0.1", "10", "0000100"}));
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));
    SelectNames({"A.CSV"});
    EXPECT_EQ(State()[4], "1111111");

    // A column click sorts (largest first) and renumbers; the selection stays
    // with its file.
    SetRemoteSortFlag(true);
    QHeaderView* pHeader = Dlg().RemoteList()->horizontalHeader();
    emit pHeader->sectionClicked(REMOTE_COL_SIZE);
    EXPECT_EQ(ListColumn(), (Names{"LOG.TXT", "B.CSV", "A.CSV", "EMPTY.DAT", "SUB"}));
    EXPECT_EQ(ListColumn(0), (Names{"1", "2", "3", "4", "5"}));
    ASSERT_EQ(Dlg().RemoteList()->SelectedIndices().size(), 1u);
    EXPECT_EQ(Dlg().GetFileTable().GetAt(Dlg().RemoteList()->SelectedIndices()[0]).strName,
              "A.CSV");
    emit pHeader->sectionClicked(REMOTE_COL_NAME); // the next click, on any column, ascends
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));

    // Refresh reads with the filter; an empty one is reset to "*.*"; F5 reads
    // again.
    auto* pFilter = Find<QLineEdit>("editFilter");
    pFilter->setText("*.csv");
    Button("buttonRefresh")->click();
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "B.CSV"}));
    pFilter->clear();
    Button("buttonRefresh")->click();
    EXPECT_EQ(m_prompt.Texts(),
              Names{"Filter empty! Hence reading all files in the Remote SD Card."});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::None);
    EXPECT_EQ(pFilter->text(), "*.*");
    m_dir.WriteFile("card/LATE.CSV", "late");
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(&Dlg(), &f5);
    EXPECT_EQ(ListColumn().size(), 6u);

    // The keys reach their commands: Delete, F2 (the rename dialog starts from
    // the selected name; the list is read again) and Ctrl+A.
    m_prompt.Clear();
    Press({}, Qt::Key_Delete);
    Press({"SUB", "LOG.TXT"}, Qt::Key_F2);
    m_prompt.QueueAnswer(EPromptAnswer::No);
    Press({"B.CSV"}, Qt::Key_Delete);
    EXPECT_EQ(m_prompt.Texts(), (Names{"Select remote panel file(s) to delete.",
                                       "Select only one Remote File to be renamed.",
                                       "Delete selected remote panel file(s)?"}));
    EXPECT_EQ(m_prompt.Shown()[1].eIcon, EPromptIcon::Stop);
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

    // Delete removes only the files; Backup Selected, then All; View opens the
    // viewer on the selected file.
    Click({"SUB", "RUN.TXT", "EMPTY.DAT"}, "buttonDelete");
    EXPECT_EQ(m_prompt.Texts(), Names{"Delete selected remote panel file(s)?"});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Question);
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));
    Click({"B.CSV"}, "buttonBackupSelected");
    EXPECT_EQ(FolderFiles(m_strCard), (Names{"A.CSV", "B.BAK", "B.CSV", "EMPTY.DAT", "LOG.TXT"}));
    Button("buttonBackupAll")->click();
    EXPECT_TRUE(fs::exists(m_strCard + "/A.BAK"));
    EXPECT_EQ(ListColumn().size(), 7u);
    Names arrOpened;
    Dlg().SetDataViewerOpener(
        [&arrOpened](QWidget*, CCommInterface& comm, const std::string& strName)
        { arrOpened.push_back(std::to_string(comm.GetPort()) + strName); });
    Click({"A.CSV"}, "buttonView");
    EXPECT_EQ(arrOpened, Names{std::to_string(m_arrSims[0]->Port()) + "A.CSV"});
    SelectNames({});
    Dlg().OnViewData();
    EXPECT_EQ(m_prompt.Texts(), Names{"Select Remote File to view data."});

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

// A panel of another type is refused; a failed listing leaves the panel
// connected with an empty list; the status line says which panel the window
// waits for, under the wait cursor, also for a panel that does not answer.
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

    QLabel* pStatus = Find<QLabel>("labelStatus");
    CPaintRecorder recorder(pStatus);
    ConnectTo(2);
    ASSERT_EQ(Dlg().GetConnectedPanel()->m_strName, "Press");
    ASSERT_FALSE(recorder.m_arrPainted.empty());
    EXPECT_EQ(recorder.m_arrPainted.front(),
              std::make_pair(std::string("Connecting to 127.0.0.1 -  Press ..."), Qt::WaitCursor));
    EXPECT_EQ(recorder.m_arrPainted.back().first,
              "Reading the list of files from 127.0.0.1 -  Press ...");
    EXPECT_TRUE(pStatus->text().isEmpty());
    recorder.m_arrPainted.clear();
    ConnectTo(3);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);
    ASSERT_EQ(recorder.m_arrPainted.size(), 1u);
    EXPECT_EQ(recorder.m_arrPainted[0].first, "Connecting to 127.0.0.1 -  Gone ...");
    ASSERT_EQ(m_prompt.Shown().size(), 3u);
    EXPECT_FALSE(m_prompt.Shown()[2].strText.empty());
    for (const SPromptRecord& shown : m_prompt.Shown())
        EXPECT_EQ(shown.eIcon, EPromptIcon::Stop);
    EXPECT_TRUE(pStatus->text().isEmpty());
}

// Closed before its deferred load (a slow start), the window opens nothing
// more; an empty panel list opens the manager at start; the manager replaces
// the list however it closes.
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
    // Closed after deleting the first panel, the deletion stays; closed with
    // Connect, that row is selected and connected.
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

// Copy (its button, then a double click) with a conflict, Cancel, Move, and
// the tree after a transfer that stopped.
TEST_F(MainWindowTest, CopyAndMove)
{
    m_dir.WriteFile("card/BIG.CSV", std::string(200000, 'x')); // many blocks: Cancel lands mid-file
    m_dir.WriteFile("local/target/B.CSV", "old");
    ConnectToCard();
    // The conflict dialog shows the arrow; the next file is fetched under the
    // wait cursor again.
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
    std::vector<std::pair<std::string, Qt::CursorShape>> arrPainted;
    {
        CPaintRecorder recorder(Find<QLabel>("labelFile"));
        Click({"B.CSV", "SUB", "LOG.TXT"}, "buttonCopy");
        arrPainted = recorder.m_arrPainted;
    }
    EXPECT_EQ(m_prompt.Texts(), Names{COPY_QUESTION});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Question);
    EXPECT_EQ(FolderFiles(m_strTarget), (Names{"B.CSV", "LOG.TXT"}));
    EXPECT_EQ(m_dir.ReadFile("local/target/B.CSV"), std::string(300, 'b'));
    EXPECT_EQ(strSource, "B.CSV");
    EXPECT_EQ(eDuringDialog, Qt::ArrowCursor);
    const auto itNext =
        std::find_if(arrPainted.begin(), arrPainted.end(),
                     [](const auto& painted) { return painted.first == "Tranferring LOG.TXT..."; });
    ASSERT_NE(itNext, arrPainted.end());
    EXPECT_EQ(itNext->second, Qt::WaitCursor);
    EXPECT_EQ(ShownCursor(), Qt::ArrowCursor); // the transfer is over
    ExpectEnded("Sucess");
    EXPECT_EQ(Dlg().GetFileTable().GetSize(), 6); // Copy leaves the panel's files

    m_prompt.Clear();
    SelectNames({"A.CSV"});
    emit Dlg().RemoteList()->cellDoubleClicked(0, 1);
    EXPECT_EQ(m_prompt.Texts(), Names{COPY_QUESTION});
    EXPECT_EQ(FolderFiles(m_strTarget), (Names{"A.CSV", "B.CSV", "LOG.TXT"}));

    bool bCancelShown = false;
    QTimer::singleShot(0,
                       [this, &bCancelShown]
                       {
                           bCancelShown = Button("buttonCancelTransfer")->isVisible();
                           Button("buttonCancelTransfer")->click();
                       });
    Click({"BIG.CSV"}, "buttonCopy");
    EXPECT_TRUE(bCancelShown);
    EXPECT_EQ(m_prompt.Texts(), (Names{COPY_QUESTION, "Do you want to cancel the file tranfer?",
                                       "Transfer file canceled.\nCould not copy the remote file "
                                       "BIG.CSV to the Local Computer."}));
    EXPECT_FALSE(fs::exists(m_strTarget + "/BIG.CSV"));
    ExpectEnded("Cancelled");

    fs::remove(m_strTarget + "/B.CSV");
    Click({"B.CSV"}, "buttonMove");
    EXPECT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_TRUE(fs::exists(m_strTarget + "/B.CSV"));
    EXPECT_EQ(ListColumn(), (Names{"A.CSV", "BIG.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));
    ExpectEnded("Sucess");

    // The tree shows the target as it is after a transfer that stopped (the
    // user declines the root folder for a name without a date), though the
    // folder changed on disk meanwhile.
    Find<QCheckBox>("checkAutoFolder")->click();
    ASSERT_TRUE(m_shell.m_bAutoCreateLocalFolder);
    ASSERT_TRUE(Dlg().LocalTree()->SetSelPath(m_strTarget));
    ASSERT_EQ(CurrentTreeChildren(), FolderFiles(m_strTarget));
    fs::remove(m_strTarget + "/A.CSV");
    m_dir.WriteFile("local/target/NEW.TXT", "new");
    m_prompt.QueueAnswer(EPromptAnswer::Yes);
    m_prompt.QueueAnswer(EPromptAnswer::No);
    Click({"LOG.TXT"}, "buttonCopy");
    ASSERT_EQ(m_prompt.Shown().size(), 2u);
    EXPECT_EQ(Dlg().LocalTree()->GetFullPath(Dlg().LocalTree()->currentItem()), m_strTarget);
    EXPECT_EQ(CurrentTreeChildren(), (Names{"B.CSV", "LOG.TXT", "NEW.TXT"}));
}

// Without a local folder (the tree fails and the remembered folder is gone)
// the window says why, and Copy and Move write nothing, not even into the
// working directory.
TEST_F(MainWindowTest, WithoutALocalFolderNothingIsWritten)
{
    m_shell.m_strLocalFolderPath = m_strLocal + "/gone";
    m_strLocal = m_dir.Str() + "/no-such-folder";
    m_strCard = MakeCard("card");
    StartPanel("Press", m_strCard);
    OpenWindow();
    ASSERT_EQ(m_prompt.Texts(), Names{CDirTreeCtrl::ERR_FILE_INFO});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    ASSERT_TRUE(FolderBox().empty());
    ConnectTo(0);
    const fs::path oldWorkDir = fs::current_path();
    fs::current_path(m_strTarget);
    Click({"B.CSV"}, "buttonCopy");
    Button("buttonMove")->click();
    fs::current_path(oldWorkDir);
    EXPECT_EQ(m_prompt.Texts(), (Names{NO_LOCAL_FOLDER_TEXT, NO_LOCAL_FOLDER_TEXT}));
    EXPECT_TRUE(FolderFiles(m_strTarget).empty());
    EXPECT_TRUE(fs::exists(m_strCard + "/B.CSV"));
    EXPECT_FALSE(Find("groupLastTransfer")->isVisible());
    EXPECT_TRUE(Dlg().AreControlsEnabled());
}

// The window itself: the preference boxes and the captions that fit their
// buttons, the context menu, the tree and the folder box, Help
// and About.
TEST_F(MainWindowTest, TheWindowItself)
{
    m_dir.WriteFile("local/file.txt", "f");
    m_shell.m_bAutoCreateLocalFolder = true;
    m_shell.SavePreferences();
    StartPanel("Press", MakeCard("card"));
    OpenWindow();
    auto* pAuto = Find<QCheckBox>("checkAutoFolder");
    EXPECT_TRUE(pAuto->isChecked());
    EXPECT_EQ(Button("buttonCopy")->text(),
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
    EXPECT_EQ(Button("buttonMove")->text(),
              "Move Selected Remote Files to Selected Folder on Local Computer\n>>");
    EXPECT_EQ(Text("labelLocalFolder"), "Select Folder on Local Computer :");
    Find<QCheckBox>("checkAutoCsvExt")->click();
    EXPECT_TRUE(m_shell.m_bAutoAddCSVExt);

    // The context menu's About follows the controls' enabling.
    for (const bool bEnabled : {true, false})
    {
        Dlg().EnableControls(bEnabled);
        const QAction* pAbout = nullptr;
        QTimer timer; // the menu runs its own event loop
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout,
                         [&]
                         {
                             auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                             pAbout = pMenu ? pMenu->findChild<QAction*>("actionAbout") : nullptr;
                             EXPECT_EQ(pAbout && pAbout->isEnabled(), bEnabled);
                             if (pMenu)
                                 pMenu->close();
                         });
        timer.start(50);
        const QPoint pt = Find<QLabel>("labelHint")->geometry().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pt, Dlg().mapToGlobal(pt));
        QApplication::sendEvent(&Dlg(), &event);
        EXPECT_NE(pAbout, nullptr);
    }
    Dlg().EnableControls(true);

    // The remembered folder is selected at start; the transfer display waits,
    // hidden; a file selected in the tree sets its folder in the box, and
    // closing remembers a folder, never a file.
    EXPECT_EQ(FolderBox(), m_strTarget);
    for (const char* pszName : {"progressOverall", "buttonCancelTransfer", "groupLastTransfer"})
        EXPECT_FALSE(Find(pszName)->isVisible()) << pszName;
    QTreeWidgetItem* pTop = Dlg().LocalTree()->topLevelItem(0);
    for (int i = 0; i < pTop->childCount(); ++i)
    {
        if (pTop->child(i)->text(0) == "file.txt")
            Dlg().LocalTree()->setCurrentItem(pTop->child(i));
    }
    EXPECT_EQ(FolderBox(), m_strLocal);
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
    EXPECT_EQ(FolderBox(), m_strLocal);
    Dlg().reject();
    EXPECT_EQ(m_shell.m_strLocalFolderPath, m_strLocal);
    EXPECT_TRUE(m_prompt.Shown().empty());
}
} // namespace
