#include "PanelsUiTestSupport.h"
#include "panels/PanelEntryRules.h"
#include "panels/ui/CIPAddressSelectionDlg.h"
#include "panels/ui/CNameIPEntryDialog.h"
#include "panels/ui/CPanelDetailsForm.h"
#include "support/CScriptedPrompt.h"
#include "widgets/CHelpWindow.h"
#include "widgets/CIPAddressCtrl.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace
{
class PanelListDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { EnsureQtApp(); }
    void TearDown() override
    {
        CloseHelpWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A list dialog shown on the panels named, at 10.0.0.1, 10.0.0.2, ...
    std::unique_ptr<CIPAddressSelectionDlg> OpenDialog(std::vector<std::string> arrNames)
    {
        auto pDlg = std::make_unique<CIPAddressSelectionDlg>();
        for (size_t i = 0; i < arrNames.size(); ++i)
            pDlg->m_PanelInfo.AddTail(
                CNameIpRec(arrNames[i], 10, 0, 0, static_cast<unsigned char>(i + 1), 10001));
        ShowActive(pDlg.get());
        return pDlg;
    }

    static QPushButton* Button(QWidget* pDlg, const char* pszName)
    {
        auto* pButton = pDlg->findChild<QPushButton*>(pszName);
        EXPECT_NE(pButton, nullptr) << pszName;
        return pButton;
    }

    static void Select(CIPAddressSelectionDlg& dlg, std::vector<int> arrRows)
    {
        QTableWidget* pList = dlg.ListCtrl();
        pList->clearSelection();
        for (const int nRow : arrRows)
            pList->selectionModel()->select(pList->model()->index(nRow, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
    }

    static void FillQuickForm(CIPAddressSelectionDlg& dlg, const std::string& strName,
                              const std::string& strAddress, const std::string& strPort)
    {
        CPanelDetailsForm* pForm = dlg.QuickForm();
        pForm->NameEdit()->setText(QString::fromStdString(strName));
        pForm->PortEdit()->setText(QString::fromStdString(strPort));
        pForm->AddressCtrl()->ClearAddress();
        pForm->AddressCtrl()->SetFieldFocus(0);
        TypeText(nullptr, strAddress);
    }

    static std::vector<std::string> Column(const CIPAddressSelectionDlg& dlg, int nColumn)
    {
        std::vector<std::string> arrTexts;
        for (int nRow = 0; nRow < dlg.ListCtrl()->rowCount(); ++nRow)
            arrTexts.push_back(dlg.ListCtrl()->item(nRow, nColumn)->text().toStdString());
        return arrTexts;
    }

    CScriptedPrompt m_prompt;
    CScopedPrompt m_scopedPrompt{m_prompt};
};

// Runs pAct on the Panel List Manager once RunPanelListManager shows it.
void WhenManagerShown(std::function<void(CIPAddressSelectionDlg&)> act)
{
    QTimer::singleShot(0,
                       [act]
                       {
                           for (QWidget* pWidget : QApplication::topLevelWidgets())
                           {
                               auto* pDlg = qobject_cast<CIPAddressSelectionDlg*>(pWidget);
                               if (pDlg && pDlg->isVisible())
                               {
                                   act(*pDlg);
                                   return;
                               }
                           }
                           ADD_FAILURE() << "the Panel List Manager is not shown";
                       });
}
} // namespace

TEST_F(PanelListDialogTest, OpensWithRowsAndEnableRules)
{
    auto pDlg = OpenDialog({"Press", "", "Kiln"});
    EXPECT_EQ(pDlg->windowTitle(), "Panel List Manager");
    EXPECT_EQ(pDlg->ListCtrl()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(Column(*pDlg, 1), (std::vector<std::string>{"Press", "", "Kiln"}));
    EXPECT_EQ(Column(*pDlg, 2), (std::vector<std::string>{"10.0.0.1", "10.0.0.2", "10.0.0.3"}));
    EXPECT_EQ(pDlg->QuickForm()->PortEdit()->text(), "10001");
    EXPECT_EQ(QApplication::focusWidget(), pDlg->QuickForm()->AddressCtrl()->Field(0));

    // Help opens the topics of both dialogs.
    Button(pDlg.get(), "buttonHelp")->click();
    ASSERT_NE(GetHelpWindow(), nullptr);
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "panel_list.html");
    pDlg->OnAdd();
    Button(pDlg->m_pEntryDlg, "buttonHelp")->click();
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "panel_entry.html");
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(PanelListDialogTest, QuickAddReadsTheFormAndRefusesBadInput)
{
    auto pDlg = OpenDialog({"Press"});
    CPanelDetailsForm* pForm = pDlg->QuickForm();
    pForm->PortEdit()->clear();
    TypeText(pForm->PortEdit(), "1x0-0.2 1"); // digits only
    EXPECT_EQ(pForm->PortEdit()->text(), "10021");

    // An empty port box gives port 0; the name box is left with one blank.
    FillQuickForm(*pDlg, "  Kiln 2 ", "10.1.2.3", "");
    Button(pDlg.get(), "buttonQuickAdd")->click();
    ASSERT_EQ(pDlg->m_PanelInfo.GetCount(), 2);
    EXPECT_EQ(pDlg->m_PanelInfo.GetAt(1).m_strName, "Kiln 2");
    EXPECT_EQ(pDlg->m_PanelInfo.GetAt(1).GetIPText(), "10.1.2.3");
    EXPECT_EQ(Column(*pDlg, 0).back(), "2");
    EXPECT_EQ(Column(*pDlg, 3).back(), "0");
    EXPECT_EQ(pForm->NameEdit()->text(), " ");
    EXPECT_TRUE(pForm->AddressCtrl()->IsBlank());
    EXPECT_EQ(pForm->PortEdit()->text(), "");
    EXPECT_TRUE(m_prompt.Shown().empty());

    // 0.0.0.0 is refused with the focus on the address (an unstorable name:
    // the entry dialog's test).
    FillQuickForm(*pDlg, "Zero", "0.0.0.0", "1");
    pForm->NameEdit()->setFocus();
    EXPECT_FALSE(pDlg->OnQuickAdd());
    EXPECT_EQ(QApplication::focusWidget(), pForm->AddressCtrl()->Field(0));
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Please enter a valid IP address."});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_EQ(pDlg->m_PanelInfo.GetCount(), 2);
    EXPECT_EQ(pDlg->ListCtrl()->rowCount(), 2);
}

TEST_F(PanelListDialogTest, ConnectDoubleClickAndAddAndConnectEndOnTheirRow)
{
    auto pDlg = OpenDialog({"A", "B", "C", "D"});
    pDlg->OnOK();
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Select a Name/Ip Detail to connect."});
    EXPECT_TRUE(pDlg->isVisible());
    Select(*pDlg, {3, 1}); // the first selected row
    Button(pDlg.get(), "buttonConnect")->click();
    EXPECT_FALSE(pDlg->isVisible());
    EXPECT_EQ(pDlg->result(), QDialog::Accepted);
    EXPECT_EQ(pDlg->m_nSelected, 1);

    pDlg = OpenDialog({"A", "B", "C"});
    Select(*pDlg, {2});
    emit pDlg->ListCtrl()->doubleClicked(pDlg->ListCtrl()->model()->index(2, 1));
    EXPECT_EQ(pDlg->result(), QDialog::Accepted);
    EXPECT_EQ(pDlg->m_nSelected, 2);

    pDlg = OpenDialog({"A", "B"});
    Select(*pDlg, {0});
    FillQuickForm(*pDlg, "New", "0.0.0.0", "10001");
    Button(pDlg.get(), "buttonAddAndConnect")->click();
    EXPECT_TRUE(pDlg->isVisible()) << "a refused Quick Add does not connect";
    FillQuickForm(*pDlg, "New", "172.16.0.9", "10001");
    Button(pDlg.get(), "buttonAddAndConnect")->click();
    EXPECT_EQ(pDlg->result(), QDialog::Accepted);
    EXPECT_EQ(pDlg->m_nSelected, 2);
    EXPECT_EQ(pDlg->SelectedRows(), std::vector<int>{2});
}

TEST_F(PanelListDialogTest, DeleteAsksThenRemovesAndRenumbers)
{
    auto pDlg = OpenDialog({"A", "B", "C", "D", "E"});
    Select(*pDlg, {0, 2});
    m_prompt.QueueAnswer(EPromptAnswer::No);
    Button(pDlg.get(), "buttonDelete")->click();
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Delete selected Name/IP detail(s)?"});
    EXPECT_EQ(m_prompt.Shown()[0].eButtons, EPromptButtons::YesNo);
    EXPECT_EQ(pDlg->m_PanelInfo.GetCount(), 5);

    Button(pDlg.get(), "buttonDelete")->click();
    EXPECT_EQ(Names(pDlg->m_PanelInfo), (std::vector<std::string>{"B", "D", "E"}));
    EXPECT_EQ(Column(*pDlg, 0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Column(*pDlg, 2), (std::vector<std::string>{"10.0.0.2", "10.0.0.4", "10.0.0.5"}));
    EXPECT_FALSE(Button(pDlg.get(), "buttonDelete")->isEnabled());

    // The Delete key in the list does the same; without a selection nothing.
    Select(*pDlg, {2});
    PressKey(pDlg->ListCtrl(), Qt::Key_Delete);
    EXPECT_EQ(Names(pDlg->m_PanelInfo), (std::vector<std::string>{"B", "D"}));
}

TEST_F(PanelListDialogTest, EntryDialogAddsAndEditsFollowingTheSelection)
{
    auto pDlg = OpenDialog({"A", "B", "C"});
    Button(pDlg.get(), "buttonAdd")->click();
    QPointer<CNameIPEntryDialog> pEntry = pDlg->m_pEntryDlg;
    ASSERT_TRUE(pEntry);
    EXPECT_TRUE(pEntry->isVisible());
    EXPECT_FALSE(pEntry->isModal());
    const auto fnExpectAdding = [&]
    {
        EXPECT_EQ(pEntry->m_nIndex, -1);
        EXPECT_EQ(pEntry->windowTitle(), "Name/IP Details Entry Dialog");
        EXPECT_EQ(Button(pEntry, "buttonApply")->text(), "Add");
        EXPECT_EQ(pEntry->Form()->PortEdit()->text(), "10001");
        EXPECT_TRUE(pEntry->Form()->AddressCtrl()->IsBlank());
    };
    fnExpectAdding();

    // Selecting a row loads it and switches to editing; one dialog only.
    Select(*pDlg, {1});
    EXPECT_EQ(pEntry->m_nIndex, 1);
    EXPECT_EQ(pEntry->windowTitle(), "Edit Name/IP Details");
    EXPECT_EQ(Button(pEntry, "buttonApply")->text(), "&Apply Changes");
    EXPECT_EQ(pEntry->Form()->NameEdit()->text(), "B");
    Button(pDlg.get(), "buttonEdit")->click();
    Button(pDlg.get(), "buttonAdd")->click();
    EXPECT_EQ(pDlg->findChildren<CNameIPEntryDialog*>().size(), 1);

    // Apply changes the row in place; a name with "|" is refused there too.
    pEntry->Form()->NameEdit()->setText(" Bee ");
    pEntry->Form()->AddressCtrl()->SetAddress(10, 9, 8, 7);
    pEntry->Form()->PortEdit()->setText("");
    Button(pEntry, "buttonApply")->click();
    EXPECT_EQ(pDlg->m_PanelInfo.GetCount(), 3);
    EXPECT_EQ(pDlg->m_PanelInfo.GetAt(1).m_nPort, 0);
    EXPECT_EQ(Column(*pDlg, 1)[1], "Bee");
    EXPECT_EQ(Column(*pDlg, 2)[1], "10.9.8.7");
    ShowActive(pEntry);
    pEntry->Form()->NameEdit()->setText("B|2");
    Button(pEntry, "buttonApply")->click();
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{STR_NAME_NOT_STORABLE});
    EXPECT_EQ(QApplication::focusWidget(), pEntry->Form()->NameEdit());
    EXPECT_EQ(pDlg->m_PanelInfo.GetAt(1).m_strName, "Bee");

    // Back to a new panel when the selection goes; Add appends and resets.
    pDlg->ListCtrl()->clearSelection();
    pEntry->Form()->NameEdit()->setText("Dryer");
    pEntry->Form()->AddressCtrl()->SetAddress(10, 0, 0, 44);
    pEntry->Form()->PortEdit()->setText("4000");
    Button(pEntry, "buttonApply")->click();
    ASSERT_EQ(pDlg->m_PanelInfo.GetCount(), 4);
    EXPECT_EQ(pDlg->m_PanelInfo.GetAt(3).m_strName, "Dryer");
    EXPECT_EQ(Column(*pDlg, 0)[3], "4");
    EXPECT_TRUE(pEntry->isVisible());
    EXPECT_EQ(pEntry->Form()->NameEdit()->text(), "");
    fnExpectAdding();

    // Deleting the row being edited turns it back to adding.
    Select(*pDlg, {2});
    EXPECT_EQ(pEntry->m_nIndex, 2);
    m_prompt.QueueAnswer(EPromptAnswer::Yes);
    pDlg->OnDelete();
    EXPECT_EQ(pEntry->m_nIndex, -1);

    // Close: the owner forgets it at once and it goes away.
    Button(pEntry, "buttonClose")->click();
    EXPECT_FALSE(pDlg->m_pEntryDlg);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(pEntry);
    Select(*pDlg, {0});
    EXPECT_FALSE(pDlg->m_pEntryDlg) << "a closed entry dialog does not come back by itself";

    // Edit opens it again on the selection.
    Select(*pDlg, {2});
    Button(pDlg.get(), "buttonEdit")->click();
    ASSERT_TRUE(pDlg->m_pEntryDlg);
    EXPECT_EQ(pDlg->m_pEntryDlg->m_nIndex, 2);
    EXPECT_EQ(pDlg->m_pEntryDlg->Form()->NameEdit()->text(), "Dryer");
}

TEST_F(PanelListDialogTest, RunCopiesTheListBackHoweverItCloses)
{
    CNameIpRecInfo appList;
    for (const char* pszName : {"A", "B", "C", "D", "E"})
        appList.AddTail(CNameIpRec(pszName, 10, 0, 0, 1, 10001));

    // Close after deleting rows still changes the program's list; the entry
    // dialog goes with its owner.
    WhenManagerShown(
        [](CIPAddressSelectionDlg& dlg)
        {
            EXPECT_EQ(dlg.m_PanelInfo.GetCount(), 5);
            Select(dlg, {0, 2});
            dlg.OnDelete();
            dlg.OnAdd();
            Button(&dlg, "buttonClose")->click();
        });
    EXPECT_EQ(RunPanelListManager(nullptr, appList), -1);
    EXPECT_EQ(Names(appList), (std::vector<std::string>{"B", "D", "E"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<CNameIPEntryDialog*>(pWidget)) << "entry dialog left over";

    // Esc closes the same way and keeps what was added.
    WhenManagerShown(
        [](CIPAddressSelectionDlg& dlg)
        {
            dlg.QuickForm()->AddressCtrl()->SetAddress(10, 0, 0, 9);
            dlg.OnQuickAdd();
            PressKey(&dlg, Qt::Key_Escape);
        });
    EXPECT_EQ(RunPanelListManager(nullptr, appList), -1);
    EXPECT_EQ(appList.GetCount(), 4);

    // Connect returns the row, in the order of the program's list.
    WhenManagerShown(
        [](CIPAddressSelectionDlg& dlg)
        {
            Select(dlg, {1});
            dlg.OnOK();
        });
    EXPECT_EQ(RunPanelListManager(nullptr, appList), 1);
    EXPECT_EQ(appList.GetAt(1).m_strName, "D");
}
