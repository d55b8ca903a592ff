#include "filemanager/CBrowseForFolder.h"
#include "support/CQtTestApp.h"
#include "support/CTempDir.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

#include <filesystem>

#include <gtest/gtest.h>

namespace
{
struct SSeenDialog
{
    bool bFound = false;
    QString strTitle;
    QString strDirectory;
    bool bDirsOnly = false;
};

// Closes the next folder dialog (accepting or cancelling) and records how it was set up.
void AnswerNextFolderDialog(SSeenDialog& seen, bool bAccept)
{
    QTimer::singleShot(0,
                       [&seen, bAccept]
                       {
                           auto* pDialog =
                               qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                           if (!pDialog)
                               return;
                           seen.bFound = true;
                           seen.strTitle = pDialog->windowTitle();
                           seen.strDirectory = pDialog->directory().absolutePath();
                           seen.bDirsOnly = pDialog->testOption(QFileDialog::ShowDirsOnly) &&
                                            pDialog->fileMode() == QFileDialog::Directory;
                           // The dialog's own accept() checks the choice, as a click on its button
                           // would.
                           QMetaObject::invokeMethod(pDialog, bAccept ? "accept" : "reject");
                       });
}

class BrowseForFolderTest : public CQtTestBase
{
protected:
    CTempDir m_temp;
};

TEST_F(BrowseForFolderTest, OpensTitledAtTheStartFolderAndReturnsTheChoice)
{
    std::filesystem::create_directories(m_temp.Path() / "Logs");
    const std::string strStart = (m_temp.Path() / "Logs").string();
    CSBDestination browser(nullptr);
    browser.SetInitialFolder(strStart);
    SSeenDialog seen;
    AnswerNextFolderDialog(seen, true);
    ASSERT_TRUE(browser.SelectFolder());
    ASSERT_TRUE(seen.bFound);
    EXPECT_EQ(seen.strTitle, "Select System Folder");
    EXPECT_EQ(seen.strDirectory.toStdString(), strStart);
    EXPECT_TRUE(seen.bDirsOnly);
    EXPECT_EQ(browser.GetSelectedFolder(), strStart);
}

TEST_F(BrowseForFolderTest, CancelChoosesNothing)
{
    CBrowseForFolder browser(nullptr, "Pick");
    browser.SetInitialFolder(m_temp.Str());
    SSeenDialog seen;
    AnswerNextFolderDialog(seen, false);
    EXPECT_FALSE(browser.SelectFolder());
    EXPECT_TRUE(seen.bFound);
    EXPECT_EQ(seen.strTitle, "Pick");
    EXPECT_TRUE(browser.GetSelectedFolder().empty());
}
} // namespace
