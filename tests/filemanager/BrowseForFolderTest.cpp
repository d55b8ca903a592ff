// The folder browser: titled, at the start folder, folders only; it returns
// the choice, or nothing when cancelled.
#include "filemanager/CBrowseForFolder.h"
#include "support/CQtTestApp.h"
#include "support/CTempDir.h"

#include <QFileDialog>
#include <QTimer>

namespace
{
// How the open dialog was set up; then its own accept() checks the choice, as
// a click on its button would, or it is cancelled.
std::string SeeAndClose(bool bAccept)
{
    auto* pDlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!pDlg)
        return "no dialog";
    const bool bDirsOnly =
        pDlg->testOption(QFileDialog::ShowDirsOnly) && pDlg->fileMode() == QFileDialog::Directory;
    const std::string strSeen = pDlg->windowTitle().toStdString() + "|" +
                                pDlg->directory().absolutePath().toStdString() +
                                (bDirsOnly ? "|dirs only" : "");
    QMetaObject::invokeMethod(pDlg, bAccept ? "accept" : "reject");
    return strSeen;
}

TEST(BrowseForFolderTest, OpensTitledAtTheStartFolderAndReturnsTheChoiceOrNothing)
{
    EnsureQtApp();
    CTempDir temp;
    const std::string strStart = temp.WriteFile("Logs/x", "").parent_path().string();
    for (const bool bAccept : {true, false})
    {
        CSBDestination browser(nullptr);
        browser.SetInitialFolder(strStart);
        std::string strSeen;
        QTimer::singleShot(0, [&strSeen, bAccept] { strSeen = SeeAndClose(bAccept); });
        EXPECT_EQ(browser.SelectFolder(), bAccept);
        EXPECT_EQ(strSeen, "Select System Folder|" + strStart + "|dirs only");
        EXPECT_EQ(browser.GetSelectedFolder(), bAccept ? strStart : "");
    }
}
} // namespace
