#pragma once
// The main window on simulated panels, private folders, helpers for it and its dialogs.
#include "app/CAppShell.h"
#include "filemanager/COrvakFileListDlg.h"
#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "widgets/CComboBoxBold.h"

#include <QtWidgets>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Runs fnAct (which closes it) on the next modal TDialog; none is reported, never hangs.
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

inline std::vector<std::string> ChildTexts(const QTreeWidgetItem* pItem)
{
    std::vector<std::string> arrTexts;
    for (int i = 0; pItem && i < pItem->childCount(); ++i)
        arrTexts.push_back(pItem->child(i)->text(0).toStdString());
    return arrTexts;
}

struct CMainWindowTest : CQtTestBase
{
    CMainWindowTest();
    ~CMainWindowTest() override;

    // A card folder with a few files.
    std::string MakeCard(const std::string& strName) const;
    // A simulated panel on the card (no TFTP), added to the panel list.
    void StartPanel(const std::string& strName, const std::string& strCard,
                    const std::vector<std::string>& arrArgs = {});

    // Builds the window, shows it and waits for its deferred load.
    void OpenWindow();
    COrvakFileListDlg& Dlg() const { return *m_pDlg; }

    template <typename TWidget = QWidget> TWidget* Find(const char* pszName) const
    {
        auto* pWidget = m_pDlg->findChild<TWidget*>(pszName);
        EXPECT_NE(pWidget, nullptr) << pszName;
        return pWidget;
    }
    QPushButton* Button(const char* pszName) const { return Find<QPushButton>(pszName); }

    void ConnectTo(int nComboItem)
    {
        m_pDlg->PanelCombo()->setCurrentIndex(nComboItem);
        Button("buttonConnect")->click();
    }
    void SelectNames(const std::vector<std::string>& arrNames);
    // One column's texts in list order (1: the names).
    std::vector<std::string> ListColumn(int nColumn = 1) const;

    CTempDir m_dir;
    std::string m_strLocal = m_dir.Str() + "/local";  // the local tree's root
    std::string m_strTarget = m_strLocal + "/target"; // the local folder selected at start
    std::string m_strCard;                            // a test's card
    CScriptedPrompt m_prompt;
    CScopedPrompt m_scopedPrompt{m_prompt};
    CAppShell m_shell;
    // Given to every window: short waits, so that failures show at once.
    SChannelSettings m_channelSettings{2000, 3000, 69, 2000};
    std::vector<std::unique_ptr<CSimulatorProcess>> m_arrSims;
    std::unique_ptr<COrvakFileListDlg> m_pDlg;
};
