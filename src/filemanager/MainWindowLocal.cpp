// The local half of the main window: the folder browser, the auto-folder
// preference, the local folder shown for the tree's selection, and opening a
// local file with its program.
#include "filemanager/COrvakFileListDlg.h"

#include "app/CAppShell.h"
#include "common/AppStrings.h"
#include "filemanager/CBrowseForFolder.h"
#include "filemanager/CDirTreeCtrl.h"
#include "filemanager/logic/MainWindowTexts.h"
#include "widgets/CWaitCursor.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QUrl>

void COrvakFileListDlg::OnBrowse()
{
    CSBDestination browser(this, LoadAppString(IDS_SELECT_SYSTEM_FOLDER));
    browser.SetInitialFolder(m_Shell.m_strLocalFolderPath);
    if (!browser.SelectFolder())
        return;
    m_Shell.m_strLocalFolderPath = browser.GetSelectedFolder();
    m_pTree->SetSelPath(m_Shell.m_strLocalFolderPath);
    m_pLocalFolderEdit->setText(QString::fromStdString(m_Shell.m_strLocalFolderPath));
}

void COrvakFileListDlg::OnAutoFolderMode()
{
    m_Shell.m_bAutoCreateLocalFolder = m_pAutoFolderCheck->isChecked();
    const SAutoFolderTexts texts = AutoFolderTexts(m_Shell.m_bAutoCreateLocalFolder);
    m_pMoveButton->setText(texts.pszMove);
    m_pCopyButton->setText(texts.pszCopy);
    m_pLocalFolderLabel->setText(texts.pszFolderLabel);
}

void COrvakFileListDlg::OnTreeSelChanged()
{
    const QTreeWidgetItem* pItem = m_pTree->currentItem();
    if (!pItem || pItem->text(0).isEmpty())
        return;
    const auto strFolder =
        LocalFolderForSelection(m_pTree->GetFullPath(pItem), m_pTree->IsFolder(pItem));
    if (strFolder)
        m_pLocalFolderEdit->setText(QString::fromStdString(*strFolder));
}

void COrvakFileListDlg::OpenLocalFile(QTreeWidgetItem* pItem)
{
    if (!pItem || m_pTree->IsFolder(pItem))
        return;
    CWaitCursor wait;
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QString::fromStdString(m_pTree->GetFullPath(pItem))));
}

void COrvakFileListDlg::ShowTreeContextMenu(QTreeWidgetItem* pItem, const QPoint& ptGlobal)
{
    if (!pItem || m_pTree->IsFolder(pItem))
        return;
    QMenu menu(this);
    QAction* pOpen = menu.addAction("Open");
    pOpen->setObjectName("actionOpen");
    if (menu.exec(ptGlobal) == pOpen)
        OpenLocalFile(pItem);
}
