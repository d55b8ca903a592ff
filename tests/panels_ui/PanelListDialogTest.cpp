#include "panels/PanelEntryRules.h"
#include "panels/ui/CIPAddressSelectionDlg.h"
#include "panels/ui/CNameIPEntryDialog.h"
#include "panels/ui/CPanelDetailsForm.h"
#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "widgets/CHelpWindow.h"
#include "widgets/CIPAddressCtrl.h"

#include <QTest>
#include <QtWidgets>
#include <cstdio>

namespace
{
// Shows the window as the active one, so that focus moves as for a user.
void ShowActive(QWidget* pWindow)
{
    pWindow->show();
    pWindow->activateWindow();
    QCoreApplication::processEvents();
}

QPushButton* Button(QWidget* pDlg, const char* pszName)
{
    auto* pButton = pDlg->findChild<QPushButton*>(pszName);
    EXPECT_NE(pButton, nullptr) << pszName;
    return pButton;
}

void Select(CIPAddressSelectionDlg& dlg, std::vector<int> arrRows)
{
    QTableWidget* pList = dlg.ListCtrl();
    pList->clearSelection();
    for (const int nRow : arrRows)
        pList->selectionModel()->select(pList->model()->index(nRow, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// Fills a form with a name, an address "a.b.c.d" and a port.
void Fill(CPanelDetailsForm* pForm, const char* pszName, const char* pszAddress,
          const char* pszPort)
{
    pForm->NameEdit()->setText(pszName);
    pForm->PortEdit()->setText(pszPort);
    unsigned int arrBytes[4] = {};
    std::sscanf(pszAddress, "%u.%u.%u.%u", &arrBytes[0], &arrBytes[1], &arrBytes[2], &arrBytes[3]);
    pForm->AddressCtrl()->SetAddress(arrBytes[0], arrBytes[1], arrBytes[2], arrBytes[3]);
}

// A form as "name|address|port", the address empty while blank.
std::string FormText(const CPanelDetailsForm* pForm)
{
    CNameIpRec rec;
    pForm->AddressCtrl()->GetAddress(rec.m_IPAddress);
    return pForm->NameEdit()->text().toStdString() + "|" +
           (pForm->AddressCtrl()->IsBlank() ? "" : rec.GetIPText()) + "|" +
           pForm->PortEdit()->text().toStdString();
}

// The rows as "#|name|address|port" lines, one per record.
std::string Rows(const CIPAddressSelectionDlg& dlg)
{
    const QTableWidget* pList = dlg.ListCtrl();
    EXPECT_EQ(pList->rowCount(), dlg.m_PanelInfo.GetCount());
    std::string strRows;
    for (int nRow = 0; nRow < pList->rowCount(); ++nRow)
        for (int nColumn = 0; nColumn < 4; ++nColumn)
            strRows +=
                pList->item(nRow, nColumn)->text().toStdString() + (nColumn < 3 ? "|" : "\n");
    return strRows;
}

struct PanelListDialogTest : CQtTestBase
{
    void TearDown() override
    {
        CloseHelpWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A list dialog shown on the panels named, at 10.0.0.1, 10.0.0.2, ...
    static std::unique_ptr<CIPAddressSelectionDlg> OpenDialog(std::vector<std::string> arrNames)
    {
        auto pDlg = std::make_unique<CIPAddressSelectionDlg>();
        for (size_t i = 0; i < arrNames.size(); ++i)
            pDlg->m_PanelInfo.AddTail(
                CNameIpRec(arrNames[i], 10, 0, 0, static_cast<unsigned char>(i + 1), 10001));
        ShowActive(pDlg.get());
        return pDlg;
    }

    CScriptedPrompt m_prompt;
    CScopedPrompt m_scopedPrompt{m_prompt};
};
} // namespace

TEST_F(PanelListDialogTest, OpensWithRowsQuickAddsAndOpensHelp)
{
    auto pDlg = OpenDialog({"Press", ""});
    CPanelDetailsForm* pForm = pDlg->QuickForm();
    EXPECT_EQ(pDlg->windowTitle(), "Panel List Manager");
    EXPECT_EQ(pDlg->ListCtrl()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(Rows(*pDlg), "1|Press|10.0.0.1|10001\n2||10.0.0.2|10001\n");
    EXPECT_EQ(FormText(pForm), "||10001");
    EXPECT_EQ(QApplication::focusWidget(), pForm->AddressCtrl()->Field(0));

    pForm->PortEdit()->clear();
    QTest::keyClicks(pForm->PortEdit(), "1x0-0.2 1"); // digits only
    EXPECT_EQ(pForm->PortEdit()->text(), "10021");
    // An empty port box gives port 0; the name box is left with one blank.
    Fill(pForm, "  Kiln 2 ", "10.1.2.3", "");
    Button(pDlg.get(), "buttonQuickAdd")->click();
    EXPECT_EQ(Rows(*pDlg), "1|Press|10.0.0.1|10001\n2||10.0.0.2|10001\n3|Kiln 2|10.1.2.3|0\n");
    EXPECT_EQ(FormText(pForm), " ||");
    EXPECT_TRUE(m_prompt.Shown().empty());

    // Help opens the topics of both dialogs.
    Button(pDlg.get(), "buttonHelp")->click();
    ASSERT_NE(GetHelpWindow(), nullptr);
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "panel_list.html");
    pDlg->OnAdd();
    Button(pDlg->m_pEntryDlg, "buttonHelp")->click();
    EXPECT_EQ(GetHelpWindow()->CurrentTopic(), "panel_entry.html");
}

// Connect takes the first selected row; a refused Quick Add does not connect.
TEST_F(PanelListDialogTest, ConnectDoubleClickAddAndConnectAndDelete)
{
    auto pDlg = OpenDialog({"A", "B", "C", "D"});
    pDlg->OnOK();
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Select a Name/Ip Detail to connect."});
    EXPECT_TRUE(pDlg->isVisible());
    Select(*pDlg, {3, 1});
    Button(pDlg.get(), "buttonConnect")->click();
    EXPECT_EQ(pDlg->result(), QDialog::Accepted);
    EXPECT_EQ(pDlg->m_nSelected, 1);

    pDlg = OpenDialog({"A", "B", "C"});
    Select(*pDlg, {2}); // as the double click's first click does
    emit pDlg->ListCtrl()->doubleClicked(pDlg->ListCtrl()->model()->index(2, 1));
    EXPECT_EQ(pDlg->result(), QDialog::Accepted);
    EXPECT_EQ(pDlg->m_nSelected, 2);

    pDlg = OpenDialog({"A", "B"});
    Select(*pDlg, {0});
    // 0.0.0.0 is refused with the focus on the address.
    Fill(pDlg->QuickForm(), "New", "0.0.0.0", "10001");
    pDlg->QuickForm()->NameEdit()->setFocus();
    m_prompt.Clear();
    Button(pDlg.get(), "buttonAddAndConnect")->click();
    EXPECT_TRUE(pDlg->isVisible());
    EXPECT_EQ(pDlg->m_PanelInfo.GetCount(), 2);
    EXPECT_EQ(QApplication::focusWidget(), pDlg->QuickForm()->AddressCtrl()->Field(0));
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Please enter a valid IP address."});
    Fill(pDlg->QuickForm(), "New", "172.16.0.9", "10001");
    Button(pDlg.get(), "buttonAddAndConnect")->click();
    EXPECT_EQ(pDlg->result(), QDialog::Accepted);
    EXPECT_EQ(pDlg->m_nSelected, 2);

    // Delete asks, then removes and renumbers.
    pDlg = OpenDialog({"A", "B", "C", "D", "E"});
    m_prompt.Clear();
    Select(*pDlg, {0, 2});
    m_prompt.QueueAnswer(EPromptAnswer::No);
    Button(pDlg.get(), "buttonDelete")->click();
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Delete selected Name/IP detail(s)?"});
    EXPECT_EQ(m_prompt.Shown()[0].eButtons, EPromptButtons::YesNo);
    EXPECT_EQ(pDlg->m_PanelInfo.GetCount(), 5);

    Button(pDlg.get(), "buttonDelete")->click();
    EXPECT_EQ(Rows(*pDlg), "1|B|10.0.0.2|10001\n2|D|10.0.0.4|10001\n3|E|10.0.0.5|10001\n");
    EXPECT_FALSE(Button(pDlg.get(), "buttonDelete")->isEnabled());
    // The Delete key in the list does the same.
    Select(*pDlg, {2});
    QTest::keyClick(pDlg->ListCtrl(), Qt::Key_Delete);
    EXPECT_EQ(Rows(*pDlg), "1|B|10.0.0.2|10001\n2|D|10.0.0.4|10001\n");
}

TEST_F(PanelListDialogTest, EntryDialogAddsAndEditsFollowingTheSelection)
{
    auto pDlg = OpenDialog({"A", "B", "C"});
    Button(pDlg.get(), "buttonAdd")->click();
    QPointer<CNameIPEntryDialog> pEntry = pDlg->m_pEntryDlg;
    ASSERT_TRUE(pEntry);
    EXPECT_TRUE(pEntry->isVisible() && !pEntry->isModal());
    // The entry dialog as "index|title|button|form".
    const auto State = [&pEntry]
    {
        return std::to_string(pEntry->m_nIndex) + "|" + pEntry->windowTitle().toStdString() + "|" +
               Button(pEntry, "buttonApply")->text().toStdString() + "|" + FormText(pEntry->Form());
    };
    const std::string strAdding = "-1|Name/IP Details Entry Dialog|Add|||10001";
    EXPECT_EQ(State(), strAdding);

    // Selecting a row loads it and switches to editing; one dialog only.
    Select(*pDlg, {1});
    EXPECT_EQ(State(), "1|Edit Name/IP Details|&Apply Changes|B|10.0.0.2|10001");
    Button(pDlg.get(), "buttonEdit")->click();
    Button(pDlg.get(), "buttonAdd")->click();
    EXPECT_EQ(pDlg->findChildren<CNameIPEntryDialog*>().size(), 1);

    // Apply changes the row in place; a name with "|" is refused there too.
    Fill(pEntry->Form(), " Bee ", "10.9.8.7", "");
    Button(pEntry, "buttonApply")->click();
    ShowActive(pEntry);
    pEntry->Form()->NameEdit()->setText("B|2");
    Button(pEntry, "buttonApply")->click();
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{STR_NAME_NOT_STORABLE});
    EXPECT_EQ(QApplication::focusWidget(), pEntry->Form()->NameEdit());

    // Back to a new panel when the selection goes; Add appends and resets.
    pDlg->ListCtrl()->clearSelection();
    Fill(pEntry->Form(), "Dryer", "10.0.0.44", "4000");
    Button(pEntry, "buttonApply")->click();
    EXPECT_EQ(Rows(*pDlg), "1|A|10.0.0.1|10001\n2|Bee|10.9.8.7|0\n3|C|10.0.0.3|10001\n"
                           "4|Dryer|10.0.0.44|4000\n");
    EXPECT_TRUE(pEntry->isVisible());
    EXPECT_EQ(State(), strAdding);

    // Deleting the row being edited turns it back to adding.
    Select(*pDlg, {2});
    EXPECT_EQ(pEntry->m_nIndex, 2);
    pDlg->OnDelete();
    EXPECT_EQ(pEntry->m_nIndex, -1);

    // Close: the owner forgets it at once and it goes away, for good.
    Button(pEntry, "buttonClose")->click();
    EXPECT_FALSE(pDlg->m_pEntryDlg);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(pEntry);
    Select(*pDlg, {0});
    EXPECT_FALSE(pDlg->m_pEntryDlg);
    // Edit opens it again on the selection.
    Select(*pDlg, {2});
    Button(pDlg.get(), "buttonEdit")->click();
    pEntry = pDlg->m_pEntryDlg;
    ASSERT_TRUE(pEntry);
    EXPECT_EQ(State(), "2|Edit Name/IP Details|&Apply Changes|Dryer|10.0.0.44|4000");
    // The entry dialog goes with its owner.
    Button(pDlg.get(), "buttonClose")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(pEntry);
}
