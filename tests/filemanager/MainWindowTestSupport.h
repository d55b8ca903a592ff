#pragma once
// The main window against simulated panels: a private settings and documents
// folder, a card folder per panel, the window with its local tree rooted in a
// private folder, and helpers to act on the window's controls and on the
// modal dialogs it opens.
#include "app/CAppShell.h"
#include "filemanager/COrvakFileListDlg.h"
#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Runs fnAct on the next modal dialog of type TDialog once it is up. fnAct
// must close it. A dialog that never comes is reported, and whatever modal
// window is up instead is closed so that the test cannot hang.
template <typename TDialog> void WhenModal(std::function<void(TDialog&)> fnAct, int nTries = 500)
{
    QTimer::singleShot(
        10,
        [fnAct, nTries]
        {
            if (auto* pDlg = qobject_cast<TDialog*>(QApplication::activeModalWidget()))
                return fnAct(*pDlg);
            if (nTries > 0)
                return WhenModal<TDialog>(fnAct, nTries - 1);
            ADD_FAILURE() << "the expected dialog did not open";
            if (auto* pOther = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                pOther->reject();
        });
}

class CMainWindowTest : public CQtTestBase
{
protected:
    CMainWindowTest();
    ~CMainWindowTest() override;

    // A card folder of its own for the next panel, with a few files.
    std::string MakeCard(const std::string& strName) const;
    // A simulated panel on the card with extra options; its record is added
    // to the panel list and returned. With "--tftp-port" among the options
    // it serves TFTP too, and the window's TFTP fetches go to it.
    CNameIpRec StartPanel(const std::string& strName, const std::string& strCard,
                          const std::vector<std::string>& arrArgs = {});

    // Builds the window, shows it and waits for its deferred load.
    COrvakFileListDlg& OpenWindow();
    COrvakFileListDlg& Dlg() const { return *m_pDlg; }

    template <typename TWidget = QWidget> TWidget* Find(const char* pszName) const
    {
        auto* pWidget = m_pDlg->findChild<TWidget*>(pszName);
        EXPECT_NE(pWidget, nullptr) << pszName;
        return pWidget;
    }
    QPushButton* Button(const char* pszName) const { return Find<QPushButton>(pszName); }

    // Selects the combo item and presses Connect.
    void ConnectTo(int nComboItem);
    // Selects exactly the rows of these remote names.
    void SelectNames(const std::vector<std::string>& arrNames);
    // One column's texts in list order (1: the names).
    std::vector<std::string> ListColumn(int nColumn = 1) const;
    // Files in a card or local folder (names, sorted).
    static std::vector<std::string> FolderFiles(const std::string& strFolder);
    static void ProcessEvents();

    CTempDir m_dir;
    std::string m_strLocal;  // the local tree's root
    std::string m_strTarget; // the local folder selected at start
    std::string m_strCard;   // a test's card
    CScriptedPrompt m_prompt;
    CScopedPrompt m_scopedPrompt{m_prompt};
    CAppShell m_shell;
    SChannelSettings m_channelSettings; // given to every window the test opens
    std::vector<std::unique_ptr<CSimulatorProcess>> m_arrSims;
    std::unique_ptr<COrvakFileListDlg> m_pDlg;
};
