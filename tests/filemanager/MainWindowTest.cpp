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
#include <QSizeGrip>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
const std::vector<std::string> CARD_NAMES = {"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"};
const char* COPY_QUESTION = "Copy selected remote panel file(s) to Local Computer?";

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
    void OpenWithPanel()
    {
        StartPanel("Press", MakeCard("card"));
        OpenWindow();
    }
    std::string BaseTitle() const
    {
        return "Ilvane Remote File Manager" + m_shell.GetLoader().GetVersionText();
    }
    std::string Title() const { return m_pDlg->windowTitle().toStdString(); }
    std::string Text(const char* pszLabel) const
    {
        return Find<QLabel>(pszLabel)->text().toStdString();
    }
    std::string ConnectText() const { return Button("buttonConnect")->text().toStdString(); }
    std::string FolderBox() const
    {
        return Find<QLineEdit>("editLocalFolder")->text().toStdString();
    }
    static void PressKey(QWidget* pWidget, int nKey, Qt::KeyboardModifiers nMods = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, nKey, nMods);
        QApplication::sendEvent(pWidget, &press);
    }
    // The enabled state of the remote command buttons, as one string.
    std::string RemoteButtons() const
    {
        std::string strOn;
        for (const char* pszName :
             {"buttonView", "buttonDelete", "buttonRename", "buttonBackupSelected",
              "buttonBackupAll", "buttonCopy", "buttonMove"})
            strOn += Enabled(pszName) ? '1' : '0';
        return strOn;
    }
    // The transfer display as it is left after a transfer.
    void ExpectEndedDisplay(const char* pszStatus) const
    {
        EXPECT_TRUE(Find<QGroupBox>("groupLastTransfer")->isVisible());
        EXPECT_EQ(Find<QGroupBox>("groupLastTransfer")->title(), "Last Tranfer");
        const std::string strText = Text("labelLastTransfer");
        EXPECT_EQ(strText.rfind("Start Time: ", 0), 0u) << strText;
        EXPECT_NE(strText.find("\n End Time: "), std::string::npos) << strText;
        const std::string strEnd = std::string("\n   Status: ") + pszStatus;
        EXPECT_EQ(strText.rfind(strEnd), strText.size() - strEnd.size()) << strText;
        for (const char* pszHidden : {"progressOverall", "progressFile", "buttonCancelTransfer"})
            EXPECT_FALSE(Find<QWidget>(pszHidden)->isVisible()) << pszHidden;
        EXPECT_TRUE(Dlg().AreControlsEnabled());
    }
    // The names the tree lists below its current item.
    std::vector<std::string> CurrentTreeChildren() const
    {
        std::vector<std::string> arrNames;
        const QTreeWidgetItem* pItem = Dlg().LocalTree()->currentItem();
        for (int i = 0; pItem && i < pItem->childCount(); ++i)
            arrNames.push_back(pItem->child(i)->text(0).toStdString());
        return arrNames;
    }
};

// ---- Connect and refresh ----------------------------------------------------

TEST_F(MainWindowTest, ConnectListsThePanelAndTheNextWindowPreselectsIt)
{
    StartPanel("Press", MakeCard("card"));
    m_dir.WriteFile("card2/OTHER.CSV", "x");
    StartPanel("", (m_dir.Path() / "card2").string());
    OpenWindow();
    EXPECT_EQ(Title(), BaseTitle());
    EXPECT_EQ(Find<QGroupBox>("groupRemote")->title(), "Remote Panel Files");
    EXPECT_EQ(ConnectText(), "Get\nFiles List From\n127.0.0.1");
    EXPECT_EQ(Dlg().PanelCombo()->itemText(0).toStdString(), "127.0.0.1 -  Press");
    EXPECT_EQ(Dlg().PanelCombo()->itemText(1).toStdString(), "127.0.0.1");

    ConnectTo(0);
    EXPECT_TRUE(m_prompt.Shown().empty()) << m_prompt.Texts().front();
    EXPECT_EQ(Title(), BaseTitle() + " : Press [ IP - 127.0.0.1 ]");
    EXPECT_EQ(Find<QGroupBox>("groupRemote")->title(), "Remote Panel Files:  [ IP - 127.0.0.1 ]");
    EXPECT_TRUE(Dlg().PanelCombo()->IsItemBold(0));
    EXPECT_EQ(ConnectText(), "Refresh\nFiles List From\n127.0.0.1");
    EXPECT_EQ(ListNames(), CARD_NAMES);
    EXPECT_EQ(ListColumn(0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(ListColumn(2), (std::vector<std::string>{"36", "300", "0", "1200", "0"}));
    Dlg().PanelCombo()->setCurrentIndex(1);
    EXPECT_EQ(ConnectText(), "Get\nFiles List From\n127.0.0.1");

    ConnectTo(1);
    EXPECT_FALSE(Dlg().PanelCombo()->IsItemBold(0));
    EXPECT_TRUE(Dlg().PanelCombo()->IsItemBold(1));
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"OTHER.CSV"}));
    EXPECT_EQ(Title(), BaseTitle() + " :  [ IP - 127.0.0.1 ]");

    m_pDlg.reset();
    OpenWindow();
    EXPECT_EQ(Dlg().PanelCombo()->currentIndex(), 1);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);
}

// A panel of another type is refused; a failed listing leaves the panel
// connected with an empty list. (An unreachable panel: see the next test.)
TEST_F(MainWindowTest, FailedConnectsAreReportedAndLeaveNoList)
{
    StartPanel("Foreign", MakeCard("card"), {"--type", "10"});
    StartPanel("Unlisted", MakeCard("card2"), {"--fail", "143:6=24"});
    OpenWindow();
    ConnectTo(0);
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Error: Device Type Mismatch"});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);
    EXPECT_EQ(Title(), BaseTitle());
    EXPECT_EQ(Find<QGroupBox>("groupRemote")->title(), "Remote Panel Files");
    EXPECT_FALSE(Dlg().PanelCombo()->IsItemBold(0));
    EXPECT_EQ(ConnectText(), "Get\nFiles List From\n127.0.0.1");

    m_prompt.Clear();
    ConnectTo(1);
    EXPECT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_NE(Dlg().GetConnectedPanel(), nullptr);
    for (const SPromptRecord& shown : m_prompt.Shown())
        EXPECT_EQ(shown.eIcon, EPromptIcon::Stop);
    EXPECT_EQ(Dlg().RemoteList()->rowCount(), 0);
    EXPECT_FALSE(Enabled("buttonBackupAll"));
    EXPECT_TRUE(Dlg().AreControlsEnabled());
}

TEST_F(MainWindowTest, ConnectSaysWhichPanelItWaitsFor)
{
    StartPanel("Press", MakeCard("card"), {"--delay-ms", "20"});
    StartPanel("Gone", MakeCard("card2"));
    m_arrSims.back()->Stop();
    OpenWindow();
    QLabel* pStatus = Find<QLabel>("labelStatus");
    CPaintRecorder recorder(pStatus);

    ConnectTo(0);
    ASSERT_NE(Dlg().GetConnectedPanel(), nullptr);
    ASSERT_FALSE(recorder.m_arrPainted.empty());
    EXPECT_EQ(recorder.m_arrPainted.front(),
              std::make_pair(std::string("Connecting to 127.0.0.1 -  Press ..."), Qt::WaitCursor));
    EXPECT_EQ(recorder.m_arrPainted.back().first,
              "Reading the list of files from 127.0.0.1 -  Press ...");
    EXPECT_TRUE(pStatus->text().isEmpty());

    // A failed connect says so while it waits, then reports and clears the line.
    recorder.m_arrPainted.clear();
    ConnectTo(1);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);
    ASSERT_EQ(recorder.m_arrPainted.size(), 1u);
    EXPECT_EQ(recorder.m_arrPainted[0].first, "Connecting to 127.0.0.1 -  Gone ...");
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_FALSE(m_prompt.Shown()[0].strText.empty());
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_TRUE(pStatus->text().isEmpty());
}

TEST_F(MainWindowTest, RefreshReadsWithTheFilterAndF5ReadsAgain)
{
    ConnectToCard();
    auto* pFilter = Find<QLineEdit>("editFilter");
    EXPECT_EQ(pFilter->text(), "*.*");
    pFilter->setText("*.csv");
    Button("buttonRefresh")->click();
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"A.CSV", "B.CSV"}));
    EXPECT_TRUE(m_prompt.Shown().empty());

    pFilter->clear();
    Button("buttonRefresh")->click();
    EXPECT_EQ(
        m_prompt.Texts(),
        std::vector<std::string>{"Filter empty! Hence reading all files in the Remote SD Card."});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::None);
    EXPECT_EQ(pFilter->text(), "*.*");
    EXPECT_EQ(ListNames(), CARD_NAMES);

    m_dir.WriteFile("card/LATE.CSV", "late");
    PressKey(&Dlg(), Qt::Key_F5);
    EXPECT_EQ(ListNames().size(), 6u);
}

TEST_F(MainWindowTest, PanelListManagerReplacesTheListHoweverItCloses)
{
    StartPanel("One", MakeCard("card1"));
    StartPanel("Two", MakeCard("card2"));
    OpenWindow();
    // Closed after deleting the first panel: the deletion stays.
    WhenModal<CIPAddressSelectionDlg>(
        [](CIPAddressSelectionDlg& dlg)
        {
            dlg.ListCtrl()->selectRow(0);
            dlg.OnDelete();
            dlg.reject();
        });
    Button("buttonPanelList")->click();
    ASSERT_EQ(Dlg().PanelCombo()->count(), 1);
    EXPECT_EQ(Dlg().PanelCombo()->itemText(0).toStdString(), "127.0.0.1 -  Two");
    EXPECT_EQ(m_shell.m_PanelList.GetCount(), 1);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);

    // Closed with Connect: that row is selected and connected.
    WhenModal<CIPAddressSelectionDlg>(
        [](CIPAddressSelectionDlg& dlg)
        {
            dlg.ListCtrl()->selectRow(0);
            dlg.OnOK();
        });
    Button("buttonPanelList")->click();
    ASSERT_NE(Dlg().GetConnectedPanel(), nullptr);
    EXPECT_EQ(Dlg().GetConnectedPanel()->m_strName, "Two");
    EXPECT_EQ(ListNames().size(), 5u);
}

TEST_F(MainWindowTest, EmptyPanelListOpensTheManagerAtStart)
{
    bool bOpened = false;
    WhenModal<CIPAddressSelectionDlg>(
        [&bOpened](CIPAddressSelectionDlg& dlg)
        {
            bOpened = true;
            dlg.reject();
        });
    OpenWindow();
    EXPECT_TRUE(bOpened);
    EXPECT_EQ(ConnectText(), "Get Files List");
    EXPECT_FALSE(Enabled("buttonConnect"));
}

// Esc right after the window appears, before its deferred load has run (a
// slow start): the window closes, and no panel list opens over it.
TEST_F(MainWindowTest, ClosedBeforeItsLoadTheWindowOpensNothingMore)
{
    m_pDlg = std::make_unique<COrvakFileListDlg>(m_shell);
    m_pDlg->SetLocalTreeRoot(m_strLocal);
    m_pDlg->show();
    m_pDlg->reject();
    bool bModalOpened = false;
    QTimer::singleShot(200,
                       [&bModalOpened]
                       {
                           if (auto* pModal =
                                   qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                           {
                               bModalOpened = true;
                               pModal->reject();
                           }
                       });
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(bModalOpened);
    EXPECT_FALSE(m_pDlg->IsLoaded());
    EXPECT_FALSE(m_pDlg->isVisible());
}

// ---- The remote commands ------------------------------------------------------

TEST_F(MainWindowTest, ButtonsFollowTheSelectionAndThePanel)
{
    StartPanel("Press", MakeCard("card"));
    StartPanel("Old", MakeCard("card2"), {"--type", "80", "--revision", "k4"});
    OpenWindow();
    ConnectTo(0);
    // View, Delete, Rename, Backup Selected, Backup All, Copy, Move.
    EXPECT_EQ(RemoteButtons(), "0000100");
    const std::pair<std::vector<std::string>, const char*> arrCases[] = {
        {{"SUB"}, "0100111"},   {{"EMPTY.DAT"}, "0100111"},      {{"LOG.TXT"}, "1110111"},
        {{"A.CSV"}, "1111111"}, {{"A.CSV", "B.CSV"}, "0101111"}, {{"A.CSV", "LOG.TXT"}, "0100111"},
    };
    for (const auto& [arrNames, pszButtons] : arrCases)
    {
        SelectNames(arrNames);
        EXPECT_EQ(RemoteButtons(), pszButtons) << arrNames.back();
    }
    // A panel that can neither back up nor show data keeps those off.
    ConnectTo(1);
    SelectNames({"A.CSV"});
    EXPECT_EQ(RemoteButtons(), "0110011");
}

TEST_F(MainWindowTest, KeysReachTheirCommands)
{
    ConnectToCard({"--type", "161"}); // the card command family
    PressKey(Dlg().RemoteList(), Qt::Key_Delete);
    SelectNames({"SUB", "LOG.TXT"});
    PressKey(Dlg().RemoteList(), Qt::Key_F2);
    SelectNames({"SUB"});
    PressKey(Dlg().RemoteList(), Qt::Key_F2);
    SelectNames({"B.CSV"});
    m_prompt.QueueAnswer(EPromptAnswer::No);
    PressKey(Dlg().RemoteList(), Qt::Key_Delete);
    EXPECT_EQ(m_prompt.Texts(),
              (std::vector<std::string>{"Select remote panel file(s) to delete.",
                                        "Select only one Remote File to be renamed.",
                                        "Select Remote File not Directory.",
                                        "Delete selected remote panel file(s)?"}));
    EXPECT_EQ(m_prompt.Shown()[1].eIcon, EPromptIcon::Stop);
    EXPECT_TRUE(fs::exists(m_strCard + "/B.CSV"));

    // The rename dialog starts from the selected name; the list is read again.
    SelectNames({"LOG.TXT"});
    std::string strShownName;
    WhenModal<CRenameFileDlg>(
        [&strShownName](CRenameFileDlg& dlg)
        {
            strShownName = dlg.FileNameEdit()->text().toStdString();
            dlg.NewNameEdit()->setText("RUN.TXT");
            dlg.accept();
        });
    PressKey(Dlg().RemoteList(), Qt::Key_F2);
    EXPECT_EQ(strShownName, "LOG.TXT");
    EXPECT_TRUE(fs::exists(m_strCard + "/RUN.TXT"));
    EXPECT_EQ(ListNames(),
              (std::vector<std::string>{"A.CSV", "B.CSV", "EMPTY.DAT", "RUN.TXT", "SUB"}));

    PressKey(Dlg().RemoteList(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Dlg().RemoteList()->SelectedCount(), 5);
}

TEST_F(MainWindowTest, ColumnClicksSortAndRenumber)
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
    EXPECT_EQ(ListNames(), CARD_NAMES);
}

TEST_F(MainWindowTest, DeleteRemovesOnlyTheFiles)
{
    ConnectToCard({"--type", "161"});
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

TEST_F(MainWindowTest, BackupSelectedThenAll)
{
    ConnectToCard();
    SelectNames({"B.CSV"});
    Button("buttonBackupSelected")->click();
    EXPECT_TRUE(fs::exists(m_strCard + "/B.BAK"));
    EXPECT_FALSE(fs::exists(m_strCard + "/A.BAK"));
    Button("buttonBackupAll")->click();
    EXPECT_TRUE(m_prompt.Shown().empty()) << m_prompt.Texts().front();
    EXPECT_TRUE(fs::exists(m_strCard + "/A.BAK"));
    EXPECT_EQ(ListNames().size(), 7u);
}

TEST_F(MainWindowTest, ViewChecksTheSelectionThenOpensTheViewer)
{
    ConnectToCard();
    std::vector<std::string> arrOpened;
    Dlg().SetDataViewerOpener(
        [&arrOpened](QWidget*, CCommInterface& comm, const std::string& strName)
        { arrOpened.push_back(std::to_string(comm.GetPort()) + ":" + strName); });
    Dlg().OnViewData();
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Select Remote File to view data."});
    SelectNames({"A.CSV"});
    Button("buttonView")->click();
    EXPECT_EQ(arrOpened, std::vector<std::string>{
                             std::to_string(Dlg().GetConnectedPanel()->m_nPort) + ":A.CSV"});
}

// ---- Copy and Move ----------------------------------------------------------

TEST_F(MainWindowTest, CopyFetchesTheSelectedFilesAndDoubleClickCopiesToo)
{
    ConnectToCard();
    SelectNames({"A.CSV", "SUB", "LOG.TXT"});
    Button("buttonCopy")->click();
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{COPY_QUESTION});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Question);
    EXPECT_EQ(FolderFiles(m_strTarget), (std::vector<std::string>{"A.CSV", "LOG.TXT"}));
    EXPECT_EQ(m_dir.ReadFile("local/target/LOG.TXT"), std::string(1200, 'l'));
    ExpectEndedDisplay("Sucess");
    EXPECT_EQ(Dlg().GetFileTable().GetSize(), 5); // Copy leaves the panel's files

    SelectNames({"B.CSV"});
    emit Dlg().RemoteList()->cellDoubleClicked(1, 1);
    EXPECT_EQ(m_prompt.Texts(), (std::vector<std::string>{COPY_QUESTION, COPY_QUESTION}));
    EXPECT_EQ(FolderFiles(m_strTarget), (std::vector<std::string>{"A.CSV", "B.CSV", "LOG.TXT"}));
}

TEST_F(MainWindowTest, MoveDeletesTheFilesAfterTheirCopy)
{
    ConnectToCard();
    SelectNames({"LOG.TXT", "B.CSV"});
    Button("buttonMove")->click();
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{
                  "This copies the selected Remote Panel files to the Local Computer and then "
                  "deletes the files from the Remote Panel.\nMove the selected remote panel "
                  "file(s) to Local Computer?"});
    EXPECT_EQ(FolderFiles(m_strTarget), (std::vector<std::string>{"B.CSV", "LOG.TXT"}));
    EXPECT_FALSE(fs::exists(m_strCard + "/LOG.TXT"));
    EXPECT_FALSE(fs::exists(m_strCard + "/B.CSV"));
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"A.CSV", "EMPTY.DAT", "SUB"}));
    ExpectEndedDisplay("Sucess");
}

// The conflict dialog shows the arrow; the next file is fetched under the
// wait cursor again.
TEST_F(MainWindowTest, ConflictDialogAsksWithTheArrowAndTheWaitCursorReturns)
{
    ConnectToCard();
    m_dir.WriteFile("local/target/B.CSV", "old");
    SelectNames({"B.CSV", "LOG.TXT"});
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
        Button("buttonCopy")->click();
        arrPainted = recorder.m_arrPainted;
    }
    EXPECT_EQ(strSource, "B.CSV");
    EXPECT_EQ(eDuringDialog, Qt::ArrowCursor);
    const auto itNext =
        std::find_if(arrPainted.begin(), arrPainted.end(),
                     [](const auto& painted) { return painted.first == "Tranferring LOG.TXT..."; });
    ASSERT_NE(itNext, arrPainted.end());
    EXPECT_EQ(itNext->second, Qt::WaitCursor);
    EXPECT_EQ(ShownCursor(), Qt::ArrowCursor); // the transfer is over
    EXPECT_EQ(m_dir.ReadFile("local/target/B.CSV"), std::string(300, 'b'));
    ExpectEndedDisplay("Sucess");
}

TEST_F(MainWindowTest, CancelTransferStopsTheCopy)
{
    // Large enough for many blocks, so the Cancel click lands mid-file.
    m_dir.WriteFile("card/BIG.CSV", std::string(200000, 'x'));
    ConnectToCard();
    SelectNames({"BIG.CSV"});
    bool bCancelShown = false;
    QTimer::singleShot(0,
                       [this, &bCancelShown]
                       {
                           QPushButton* pCancel = Button("buttonCancelTransfer");
                           bCancelShown = pCancel->isVisible();
                           pCancel->click();
                       });
    Button("buttonCopy")->click();
    EXPECT_TRUE(bCancelShown);
    EXPECT_EQ(m_prompt.Texts(),
              (std::vector<std::string>{
                  COPY_QUESTION, "Do you want to cancel the file tranfer?",
                  "Transfer file canceled.\nCould not copy the remote file BIG.CSV to the Local "
                  "Computer."}));
    EXPECT_TRUE(FolderFiles(m_strTarget).empty());
    ExpectEndedDisplay("Cancelled");
}

TEST_F(MainWindowTest, WithoutALocalFolderCopyAndMoveWriteNothing)
{
    // The remembered folder is gone: the folder box stays empty.
    m_shell.m_strLocalFolderPath = m_strLocal + "/gone";
    ConnectToCard();
    ASSERT_TRUE(FolderBox().empty());
    const fs::path oldWorkDir = fs::current_path();
    fs::current_path(m_strTarget);
    SelectNames({"B.CSV"});
    Button("buttonCopy")->click();
    Button("buttonMove")->click();
    fs::current_path(oldWorkDir);
    EXPECT_EQ(m_prompt.Texts(),
              (std::vector<std::string>{NO_LOCAL_FOLDER_TEXT, NO_LOCAL_FOLDER_TEXT}));
    EXPECT_TRUE(FolderFiles(m_strTarget).empty());
    EXPECT_TRUE(fs::exists(m_strCard + "/B.CSV"));
    EXPECT_FALSE(Find<QWidget>("groupLastTransfer")->isVisible());
    EXPECT_TRUE(Dlg().AreControlsEnabled());
}

TEST_F(MainWindowTest, TreeShowsTheTargetAsItIsAfterATransferThatStopped)
{
    m_shell.m_bAutoCreateLocalFolder = true;
    m_dir.WriteFile("local/target/OLD.TXT", "old");
    ConnectToCard();
    ASSERT_TRUE(Dlg().LocalTree()->SetSelPath(m_strTarget));
    ASSERT_EQ(CurrentTreeChildren(), std::vector<std::string>{"OLD.TXT"});
    // Meanwhile the folder changes on disk; then a transfer ends early (the
    // user declines the root folder for a name without a date).
    fs::remove(m_strTarget + "/OLD.TXT");
    m_dir.WriteFile("local/target/NEW.TXT", "new");
    SelectNames({"LOG.TXT"});
    m_prompt.QueueAnswer(EPromptAnswer::Yes);
    m_prompt.QueueAnswer(EPromptAnswer::No);
    Button("buttonCopy")->click();
    ASSERT_EQ(m_prompt.Shown().size(), 2u);
    EXPECT_EQ(Dlg().LocalTree()->GetFullPath(Dlg().LocalTree()->currentItem()), m_strTarget);
    EXPECT_EQ(CurrentTreeChildren(), std::vector<std::string>{"NEW.TXT"});
}

// ---- The window itself ------------------------------------------------------

// The preference boxes set the preferences and the captions, which fit their
// buttons whole in both modes, with room to the edges.
TEST_F(MainWindowTest, PreferenceBoxesSetCaptionsThatFitTheirButtons)
{
    m_shell.m_bAutoCreateLocalFolder = true;
    m_shell.SavePreferences();
    OpenWithPanel();
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
}

TEST_F(MainWindowTest, ContextMenuFollowsTheControls)
{
    OpenWithPanel();
    const auto fnAboutEnabled = [this]
    {
        bool bEnabled = false;
        bool bSeen = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout,
                         [&]
                         {
                             for (QWidget* pWindow : QApplication::topLevelWidgets())
                             {
                                 auto* pMenu = qobject_cast<QMenu*>(pWindow);
                                 if (!pMenu || !pMenu->isVisible())
                                     continue;
                                 const QAction* pAbout = pMenu->findChild<QAction*>("actionAbout");
                                 bSeen = pAbout != nullptr;
                                 bEnabled = pAbout && pAbout->isEnabled();
                                 pMenu->close();
                                 poll.stop();
                             }
                         });
        poll.start();
        const QPoint pt = Find<QLabel>("labelHint")->geometry().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pt, Dlg().mapToGlobal(pt));
        QApplication::sendEvent(&Dlg(), &event);
        EXPECT_TRUE(bSeen);
        return bEnabled;
    };
    EXPECT_TRUE(fnAboutEnabled());
    Dlg().EnableControls(false);
    EXPECT_FALSE(fnAboutEnabled());
    Dlg().EnableControls(true);
    EXPECT_TRUE(fnAboutEnabled());
}

TEST_F(MainWindowTest, ResizedWindowGrowsListAndTreeButNeverShrinksBelowItsFirstSize)
{
    OpenWithPanel();
    const QSize szFirst = Dlg().size();
    EXPECT_EQ(Dlg().minimumSize(), szFirst);
    EXPECT_NE(Dlg().findChild<QSizeGrip*>(), nullptr);
    const QRect rcList = Dlg().RemoteList()->geometry();
    const QRect rcTree = Dlg().LocalTree()->geometry();
    const QRect rcConnect = Button("buttonConnect")->geometry();

    Dlg().resize(szFirst.width() + 220, szFirst.height() + 120);
    ProcessEvents();
    const QRect rcListNow = Dlg().RemoteList()->geometry();
    const QRect rcTreeNow = Dlg().LocalTree()->geometry();
    EXPECT_EQ(rcListNow.topLeft(), rcList.topLeft());
    EXPECT_GT(rcListNow.width(), rcList.width());
    EXPECT_EQ(rcListNow.height(), rcList.height() + 120);
    EXPECT_EQ(rcTreeNow.height(), rcTree.height() + 120);
    EXPECT_EQ(Dlg().width() - rcTreeNow.right(), szFirst.width() - rcTree.right());
    EXPECT_EQ(Button("buttonConnect")->geometry(), rcConnect);
    // The remote command buttons span the list they act on; the local
    // controls keep to the tree's edges.
    EXPECT_EQ(Button("buttonView")->x(), rcListNow.x());
    EXPECT_EQ(Button("buttonRename")->geometry().right(), rcListNow.right());
    EXPECT_EQ(Button("buttonBackupSelected")->x(), rcListNow.x());
    EXPECT_EQ(Button("buttonBackupAll")->geometry().right(), rcListNow.right());
    EXPECT_EQ(Button("buttonCopy")->x(), rcTreeNow.x());
    EXPECT_EQ(Button("buttonMove")->geometry().right(), rcTreeNow.right());
    EXPECT_EQ(Find<QWidget>("groupLastTransfer")->geometry().right(), rcTreeNow.right());

    Dlg().resize(szFirst.width() - 300, szFirst.height() - 200);
    ProcessEvents();
    EXPECT_EQ(Dlg().size(), szFirst);
    EXPECT_EQ(Dlg().RemoteList()->geometry(), rcList);
}

TEST_F(MainWindowTest, TreeSetsTheFolderBoxAndClosingRemembersAFolderNotAFile)
{
    m_dir.WriteFile("local/file.txt", "f");
    OpenWithPanel();
    EXPECT_EQ(FolderBox(), m_strTarget); // the remembered folder, selected at start
    // The transfer display waits, hidden, for a transfer.
    for (const char* pszName : {"progressOverall", "buttonCancelTransfer", "groupLastTransfer"})
        EXPECT_FALSE(Find<QWidget>(pszName)->isVisible()) << pszName;
    QTreeWidgetItem* pTop = Dlg().LocalTree()->topLevelItem(0);
    for (int i = 0; i < pTop->childCount(); ++i)
    {
        if (pTop->child(i)->text(0) == "file.txt")
            Dlg().LocalTree()->setCurrentItem(pTop->child(i));
    }
    EXPECT_EQ(FolderBox(), m_strLocal); // a file's folder
    Dlg().reject();
    EXPECT_EQ(m_shell.m_strLocalFolderPath, m_strTarget);
    EXPECT_FALSE(Dlg().isVisible());

    OpenWindow();
    ASSERT_TRUE(Dlg().LocalTree()->SetSelPath(m_strLocal));
    EXPECT_EQ(FolderBox(), m_strLocal);
    Dlg().reject();
    EXPECT_EQ(m_shell.m_strLocalFolderPath, m_strLocal);
}

TEST_F(MainWindowTest, AFailedTreeSaysWhy)
{
    StartPanel("Press", MakeCard("card"));
    m_strLocal = (m_dir.Path() / "no-such-folder").string();
    OpenWindow();
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].strText, CDirTreeCtrl::ERR_FILE_INFO);
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
}

TEST_F(MainWindowTest, HelpOpensTheMainWindowTopicAndAboutIsOffered)
{
    OpenWithPanel();
    Button("buttonHelp")->click();
    ASSERT_NE(GetHelpWindow(), nullptr);
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "main_window.html");
    int nAbout = 0;
    QObject::connect(&Dlg(), &COrvakFileListDlg::AboutRequested, [&nAbout] { ++nAbout; });
    Button("buttonAbout")->click();
    EXPECT_EQ(nAbout, 1);
    EXPECT_TRUE(m_prompt.Shown().empty());
}
} // namespace
