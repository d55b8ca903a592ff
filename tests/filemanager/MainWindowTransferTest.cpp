// Copy and Move from the main window against a simulated panel: the
// questions, the progress controls and the "Last Transfer" box, Move's
// deletion only after a full success, the conflict dialog and Cancel.
#include "MainWindowTestSupport.h"

#include "filemanager/CDuplicateFileDlg.h"
#include "filemanager/RemoteListCtrl.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
std::string ReadAll(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool EndsWith(const std::string& str, const std::string& strEnd)
{
    return str.size() >= strEnd.size() &&
           str.compare(str.size() - strEnd.size(), strEnd.size(), strEnd) == 0;
}

class MainWindowTransferTest : public CMainWindowTest
{
protected:
    std::string LastTransferText() const
    {
        return Find<QLabel>("labelLastTransfer")->text().toStdString();
    }
    // The transfer display as it is left after a transfer.
    void ExpectEndedDisplay(const char* pszStatus) const
    {
        EXPECT_TRUE(Find<QGroupBox>("groupLastTransfer")->isVisible());
        EXPECT_EQ(Find<QGroupBox>("groupLastTransfer")->title(), "Last Tranfer");
        const std::string strText = LastTransferText();
        EXPECT_EQ(strText.rfind("Start Time: ", 0), 0u) << strText;
        EXPECT_NE(strText.find("\n End Time: "), std::string::npos) << strText;
        EXPECT_TRUE(EndsWith(strText, std::string("\n   Status: ") + pszStatus)) << strText;
        for (const char* pszHidden : {"progressOverall", "progressFile", "buttonCancelTransfer"})
            EXPECT_FALSE(Find<QWidget>(pszHidden)->isVisible()) << pszHidden;
        EXPECT_TRUE(Dlg().AreControlsEnabled());
    }
};

TEST_F(MainWindowTransferTest, CopyFetchesTheSelectedFilesIntoTheLocalFolder)
{
    ConnectToCard();
    SelectNames({"A.CSV", "SUB", "LOG.TXT"});
    Button("buttonCopy")->click();
    ASSERT_FALSE(m_prompt.Shown().empty());
    EXPECT_EQ(m_prompt.Shown()[0].strText, "Copy selected remote panel file(s) to Local Computer?");
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Question);
    EXPECT_EQ(m_prompt.Shown().size(), 1u);

    EXPECT_EQ(FolderFiles(m_strTarget), (std::vector<std::string>{"A.CSV", "LOG.TXT"}));
    EXPECT_EQ(ReadAll(m_strTarget + "/LOG.TXT"), ReadAll(m_strCard + "/LOG.TXT"));
    ExpectEndedDisplay("Sucess");
    // Copy leaves the panel's files where they are.
    EXPECT_EQ(Dlg().GetFileTable().GetSize(), 5);
}

TEST_F(MainWindowTransferTest, PanelWithoutFileReadsIsCopiedByTftp)
{
    ConnectToCard({"--type", "80", "--revision", "k4", "--tftp-port", "0"});
    SelectNames({"LOG.TXT"});
    Button("buttonCopy")->click();
    EXPECT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(ReadAll(m_strTarget + "/LOG.TXT"), ReadAll(m_strCard + "/LOG.TXT"));
    ExpectEndedDisplay("Sucess");
}

TEST_F(MainWindowTransferTest, CopyWithoutSelectionAndByDoubleClick)
{
    ConnectToCard();
    Dlg().OnCopy();
    EXPECT_EQ(m_prompt.Texts(), (std::vector<std::string>{"Select remote panel file(s) to copy."}));
    EXPECT_TRUE(FolderFiles(m_strTarget).empty());

    m_prompt.Clear();
    SelectNames({"B.CSV"});
    m_prompt.QueueAnswer(EPromptAnswer::No);
    emit Dlg().RemoteList()->cellDoubleClicked(1, 1);
    EXPECT_EQ(m_prompt.Texts(),
              (std::vector<std::string>{"Copy selected remote panel file(s) to Local Computer?"}));
    EXPECT_TRUE(FolderFiles(m_strTarget).empty());

    emit Dlg().RemoteList()->cellDoubleClicked(1, 1);
    EXPECT_EQ(FolderFiles(m_strTarget), (std::vector<std::string>{"B.CSV"}));
}

TEST_F(MainWindowTransferTest, CopyOntoAnExistingFileAsksTheConflictDialog)
{
    ConnectToCard();
    m_dir.WriteFile("local/target/B.CSV", "old");
    SelectNames({"B.CSV"});
    std::string strSource;
    WhenModal<CDuplicateFileDlg>(
        [&strSource](CDuplicateFileDlg& dlg)
        {
            strSource = dlg.m_strFileName;
            dlg.OverwriteRadio()->click();
            dlg.accept();
        });
    Button("buttonCopy")->click();
    EXPECT_EQ(strSource, "B.CSV");
    EXPECT_EQ(ReadAll(m_strTarget + "/B.CSV"), std::string(300, 'b'));
    ExpectEndedDisplay("Sucess");
}

TEST_F(MainWindowTransferTest, MoveDeletesTheFilesAfterTheirCopy)
{
    ConnectToCard();
    SelectNames({"LOG.TXT", "B.CSV"});
    Button("buttonMove")->click();
    ASSERT_FALSE(m_prompt.Shown().empty());
    EXPECT_EQ(m_prompt.Shown()[0].strText,
              "This copies the selected Remote Panel files to the Local Computer and then deletes "
              "the files from the Remote Panel.\nMove the selected remote panel file(s) to Local "
              "Computer?");
    EXPECT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(FolderFiles(m_strTarget), (std::vector<std::string>{"B.CSV", "LOG.TXT"}));
    EXPECT_FALSE(fs::exists(m_strCard + "/LOG.TXT"));
    EXPECT_FALSE(fs::exists(m_strCard + "/B.CSV"));
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"A.CSV", "EMPTY.DAT", "SUB"}));
    ExpectEndedDisplay("Sucess");
}

TEST_F(MainWindowTransferTest, FailedMoveDeletesNothing)
{
    ConnectToCard({"--fail", "143:3=24"}); // no file can be opened
    SelectNames({"LOG.TXT"});
    Button("buttonMove")->click();
    const std::vector<std::string> arrTexts = m_prompt.Texts();
    ASSERT_FALSE(arrTexts.empty());
    EXPECT_EQ(arrTexts.back(),
              "Error in copying files. Hence did not perform any delete operation.");
    EXPECT_EQ(m_prompt.Shown().back().eIcon, EPromptIcon::Stop);
    EXPECT_TRUE(fs::exists(m_strCard + "/LOG.TXT"));
    EXPECT_TRUE(FolderFiles(m_strTarget).empty());
    ExpectEndedDisplay("Failed");
}

TEST_F(MainWindowTransferTest, CancelTransferStopsTheCopy)
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
                  "Copy selected remote panel file(s) to Local Computer?",
                  "Do you want to cancel the file tranfer?",
                  "Transfer file canceled.\nCould not copy the remote file BIG.CSV to the Local "
                  "Computer."}));
    EXPECT_TRUE(FolderFiles(m_strTarget).empty());
    ExpectEndedDisplay("Cancelled");
}
} // namespace
