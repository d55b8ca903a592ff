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

TEST(BrowseForFolderTest, OpensTitledAtTheStartFolderAndReturnsTheChoiceOrNothing)
{
    EnsureQtApp();
    CTempDir temp;
    std::filesystem::create_directories(temp.Path() / "Logs");
    const std::string strStart = (temp.Path() / "Logs").string();
    for (const bool bAccept : {true, false})
    {
        CSBDestination browser(nullptr);
        browser.SetInitialFolder(strStart);
        SSeenDialog seen;
        AnswerNextFolderDialog(seen, bAccept);
        EXPECT_EQ(browser.SelectFolder(), bAccept);
        ASSERT_TRUE(seen.bFound);
        EXPECT_EQ(seen.strTitle, "Select System Folder");
        EXPECT_EQ(seen.strDirectory.toStdString(), strStart);
        EXPECT_TRUE(seen.bDirsOnly);
        EXPECT_EQ(browser.GetSelectedFolder(), bAccept ? strStart : "");
    }
}
} // namespace
