// The main window as a user meets it: no local folder to copy into, the
// context menu during an operation, what the window says while it connects,
// the local tree after a transfer that did not succeed, and the cursor over
// the questions a transfer asks.
#include "MainWindowTestSupport.h"

#include "filemanager/CDirTreeCtrl.h"
#include "filemanager/CDuplicateFileDlg.h"
#include "filemanager/MainWindowButton.h"
#include "filemanager/logic/LocalFolderCheck.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{
Qt::CursorShape ShownCursor()
{
    const QCursor* pCursor = QGuiApplication::overrideCursor();
    return pCursor ? pCursor->shape() : Qt::ArrowCursor;
}

// Records the text of a label each time it is painted, with the cursor shown then.
class CPaintRecorder : public QObject
{
public:
    std::vector<std::pair<std::string, Qt::CursorShape>> m_arrPainted;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint)
        {
            const QString strText = static_cast<QLabel*>(pWatched)->text();
            if (!strText.isEmpty())
                m_arrPainted.emplace_back(strText.toStdString(), ShownCursor());
        }
        return false;
    }
};

class MainWindowUseTest : public CMainWindowTest
{
protected:
    // The names the tree lists below a folder item.
    std::vector<std::string> TreeChildren(const std::string& strFolder) const
    {
        CDirTreeCtrl* pTree = Dlg().LocalTree();
        std::vector<std::string> arrNames;
        pTree->SetSelPath(strFolder);
        const QTreeWidgetItem* pItem = pTree->currentItem();
        for (int i = 0; pItem && i < pItem->childCount(); ++i)
            arrNames.push_back(pItem->child(i)->text(0).toStdString());
        return arrNames;
    }
};

TEST_F(MainWindowUseTest, WithoutALocalFolderCopyAndMoveWriteNothing)
{
    // The remembered folder is gone: the folder box stays empty.
    m_shell.m_strLocalFolderPath = m_strLocal + "/gone";
    ConnectToCard();
    ASSERT_TRUE(Find<QLineEdit>("editLocalFolder")->text().isEmpty());

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

// Esc right after the window appears, before its deferred load has run (a
// slow start): the window closes, and no panel list opens over it.
TEST_F(MainWindowUseTest, ClosedBeforeItsLoadTheWindowOpensNothingMore)
{
    ASSERT_TRUE(m_shell.m_PanelList.IsEmpty());
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

// The Copy and Move captions fit their buttons whole in both auto-folder
// modes, at the default font, with room to the edges.
TEST_F(MainWindowUseTest, CopyAndMoveCaptionsFitTheirButtons)
{
    StartPanel("Press", MakeCard("card"));
    OpenWindow();
    auto* pCopy = Find<CMultiLineButton>("buttonCopy");
    auto* pMove = Find<CMultiLineButton>("buttonMove");
    auto* pAuto = Find<QCheckBox>("checkAutoFolder");
    for (const bool bAuto : {true, false})
    {
        if (pAuto->isChecked() != bAuto)
            pAuto->click();
        for (CMultiLineButton* pButton : {pCopy, pMove})
        {
            EXPECT_LE(pButton->HeightForText(pButton->text()), pButton->height())
                << pButton->text().toStdString();
            const QFontMetrics fm(pButton->font());
            // No word of the caption is wider than the room inside the frame.
            for (const QString& strWord : pButton->text().split(QRegularExpression("\\s+")))
                EXPECT_LT(fm.horizontalAdvance(strWord),
                          pButton->width() - 4 * fm.averageCharWidth());
        }
    }
}

TEST_F(MainWindowUseTest, ContextMenuFollowsTheControls)
{
    StartPanel("Press", MakeCard("card"));
    OpenWindow();
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
        QLabel* pHint = Find<QLabel>("labelHint");
        const QPoint pt = pHint->geometry().center();
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

TEST_F(MainWindowUseTest, ConnectSaysWhichPanelItWaitsFor)
{
    StartPanel("Press", MakeCard("card"), {"--delay-ms", "20"});
    StartPanel("Gone", MakeCard("card2"));
    m_arrSims.back()->Stop();
    OpenWindow();
    QLabel* pStatus = Find<QLabel>("labelStatus");
    CPaintRecorder recorder;
    pStatus->installEventFilter(&recorder);

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
    EXPECT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_TRUE(pStatus->text().isEmpty());
    pStatus->removeEventFilter(&recorder);
}

TEST_F(MainWindowUseTest, TreeShowsTheTargetAsItIsAfterATransferThatStopped)
{
    m_shell.m_bAutoCreateLocalFolder = true;
    m_dir.WriteFile("local/target/OLD.TXT", "old");
    ConnectToCard();
    ASSERT_EQ(TreeChildren(m_strTarget), std::vector<std::string>{"OLD.TXT"});
    // Meanwhile the folder changes on disk; then a transfer ends early (the
    // user declines the root folder for a name without a date).
    fs::remove(m_strTarget + "/OLD.TXT");
    m_dir.WriteFile("local/target/NEW.TXT", "new");
    SelectNames({"LOG.TXT"});
    m_prompt.QueueAnswer(EPromptAnswer::Yes);
    m_prompt.QueueAnswer(EPromptAnswer::No);
    Button("buttonCopy")->click();
    ASSERT_EQ(m_prompt.Shown().size(), 2u);

    const QTreeWidgetItem* pItem = Dlg().LocalTree()->currentItem();
    ASSERT_NE(pItem, nullptr);
    EXPECT_EQ(Dlg().LocalTree()->GetFullPath(pItem), m_strTarget);
    ASSERT_EQ(pItem->childCount(), 1);
    EXPECT_EQ(pItem->child(0)->text(0).toStdString(), "NEW.TXT");
}

TEST_F(MainWindowUseTest, TheConflictDialogShowsTheArrowAndTheWaitCursorReturns)
{
    ConnectToCard();
    m_dir.WriteFile("local/target/B.CSV", "old");
    SelectNames({"B.CSV", "LOG.TXT"});
    Qt::CursorShape eDuringDialog = Qt::WaitCursor;
    WhenModal<CDuplicateFileDlg>(
        [&](CDuplicateFileDlg& dlg)
        {
            eDuringDialog = ShownCursor();
            dlg.OverwriteRadio()->click();
            dlg.accept();
        });
    Qt::CursorShape eDuringNextFile = Qt::ArrowCursor;
    auto* pFileText = Find<QLabel>("labelFile");
    CPaintRecorder recorder;
    pFileText->installEventFilter(&recorder);
    Button("buttonCopy")->click();
    pFileText->removeEventFilter(&recorder);
    EXPECT_EQ(eDuringDialog, Qt::ArrowCursor);
    // The next file's line as first painted, while it is being fetched.
    for (const auto& [strText, eShape] : recorder.m_arrPainted)
    {
        if (strText == "Tranferring LOG.TXT...")
        {
            eDuringNextFile = eShape;
            break;
        }
    }
    EXPECT_EQ(eDuringNextFile, Qt::WaitCursor);
    EXPECT_EQ(ShownCursor(), Qt::ArrowCursor); // the transfer is over
}
} // namespace
