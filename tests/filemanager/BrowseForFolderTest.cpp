// The folder browser: titled, at the start folder, folders only; it returns
// the choice, or nothing when cancelled.
#include "filemanager/CBrowseForFolder.h"
#include "support/CQtTestApp.h"
#include "support/CTempDir.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

#include <filesystem>

#include <gtest/gtest.h>

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
        // How the dialog was set up: title, folder, folders only.
        std::vector<std::string> arrSeen;
        QTimer::singleShot(0,
                           [&arrSeen, bAccept]
                           {
                               auto* pDialog =
                                   qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                               if (!pDialog)
                                   return;
                               arrSeen = {pDialog->windowTitle().toStdString(),
                                          pDialog->directory().absolutePath().toStdString(),
                                          pDialog->testOption(QFileDialog::ShowDirsOnly) &&
                                                  pDialog->fileMode() == QFileDialog::Directory
                                              ? "dirs only"
                                              : "files too"};
                               // The dialog's own accept() checks the choice, as a click on its
                               // button would.
                               QMetaObject::invokeMethod(pDialog, bAccept ? "accept" : "reject");
                           });
        EXPECT_EQ(browser.SelectFolder(), bAccept);
        EXPECT_EQ(arrSeen,
                  (std::vector<std::string>{"Select System Folder", strStart, "dirs only"}));
        EXPECT_EQ(browser.GetSelectedFolder(), bAccept ? strStart : "");
    }
}
