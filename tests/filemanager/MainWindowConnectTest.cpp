// Connecting the main window to simulated panels: titles, the bold combo
// item, the Connect button's texts, the list and its texts, the filter, and
// the panel list dialog's effect on the combo.
#include "MainWindowTestSupport.h"

#include "filemanager/RemoteListCtrl.h"
#include "filemanager/RemoteListRules.h"
#include "panels/ui/CIPAddressSelectionDlg.h"
#include "widgets/CComboBoxBold.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTableWidget>

namespace
{
class MainWindowConnectTest : public CMainWindowTest
{
protected:
    std::string BaseTitle() const
    {
        return "Ilvane Remote File Manager" + m_shell.GetLoader().GetVersionText();
    }
    std::string Title() const { return m_pDlg->windowTitle().toStdString(); }
    std::string RemoteGroupTitle() const
    {
        return Find<QGroupBox>("groupRemote")->title().toStdString();
    }
    std::string ConnectText() const { return Button("buttonConnect")->text().toStdString(); }
};

TEST_F(MainWindowConnectTest, AcceptedPanelIsConnectedAndListed)
{
    const std::string strCard = MakeCard("card");
    SetLocalModTime(strCard + "/A.CSV", 2014, 12, 25, 9, 5, 7);
    StartPanel("Press", strCard);
    OpenWindow();
    EXPECT_EQ(Title(), BaseTitle());
    EXPECT_EQ(RemoteGroupTitle(), "Remote Panel Files");
    EXPECT_EQ(ConnectText(), "Get\nFiles List From\n127.0.0.1");

    ConnectTo(0);
    EXPECT_TRUE(m_prompt.Shown().empty()) << m_prompt.Texts().front();
    ASSERT_NE(Dlg().GetConnectedPanel(), nullptr);
    EXPECT_EQ(Title(), BaseTitle() + " : Press [ IP - 127.0.0.1 ]");
    EXPECT_EQ(RemoteGroupTitle(), "Remote Panel Files:  [ IP - 127.0.0.1 ]");
    EXPECT_TRUE(Dlg().PanelCombo()->IsItemBold(0));
    EXPECT_EQ(ConnectText(), "Refresh\nFiles List From\n127.0.0.1");

    // The card's entries in the panel's order, numbered from 1.
    EXPECT_EQ(ListNames(),
              (std::vector<std::string>{"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));
    EXPECT_EQ(ListColumn(0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(ListColumn(2), (std::vector<std::string>{"36", "300", "0", "1200", "0"}));
    EXPECT_EQ(ListColumn(3).front(),
              CDateTime::FromFields(2014, 12, 25, 9, 5, 7).Format("%a, %b %d, %Y, %X"));
    const QTableWidget* pList = Find<QTableWidget>("listRemoteFiles");
    EXPECT_EQ(pList->horizontalHeaderItem(3)->text(), "Date & Time");
    EXPECT_EQ(pList->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(pList->showGrid());

    // The connection is remembered as the last panel.
    CAppShell other;
    other.SetConfigRoot((m_dir.Path() / "config").string());
    CNameIpRec last;
    other.LoadPreferences(&last);
    EXPECT_EQ(last.m_strName, "Press");
    EXPECT_EQ(last.m_nPort, m_arrSims.front()->Port());
}

TEST_F(MainWindowConnectTest, ChoosingAnotherPanelOffersGetAndConnectingDropsTheFirst)
{
    StartPanel("First", MakeCard("card1"));
    const std::string strCard2 = (m_dir.Path() / "card2").string();
    m_dir.WriteFile("card2/OTHER.CSV", "x");
    StartPanel("", strCard2);
    OpenWindow();
    EXPECT_EQ(Dlg().PanelCombo()->itemText(0).toStdString(), "127.0.0.1 -  First");
    EXPECT_EQ(Dlg().PanelCombo()->itemText(1).toStdString(), "127.0.0.1");

    ConnectTo(0);
    Dlg().PanelCombo()->setCurrentIndex(1);
    EXPECT_EQ(ConnectText(), "Get\nFiles List From\n127.0.0.1");
    Dlg().PanelCombo()->setCurrentIndex(0);
    EXPECT_EQ(ConnectText(), "Refresh\nFiles List From\n127.0.0.1");

    ConnectTo(1);
    EXPECT_FALSE(Dlg().PanelCombo()->IsItemBold(0));
    EXPECT_TRUE(Dlg().PanelCombo()->IsItemBold(1));
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"OTHER.CSV"}));
    EXPECT_EQ(Title(), BaseTitle() + " :  [ IP - 127.0.0.1 ]");
}

TEST_F(MainWindowConnectTest, RejectedPanelShowsTheChannelErrorAndStaysDisconnected)
{
    StartPanel("Foreign", MakeCard("card"), {"--type", "10"});
    OpenWindow();
    ConnectTo(0);
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].strText, "Error: Device Type Mismatch");
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);
    EXPECT_EQ(Title(), BaseTitle());
    EXPECT_EQ(RemoteGroupTitle(), "Remote Panel Files");
    EXPECT_FALSE(Dlg().PanelCombo()->IsItemBold(0));
    EXPECT_EQ(ConnectText(), "Get\nFiles List From\n127.0.0.1");
    EXPECT_EQ(Dlg().RemoteList()->rowCount(), 0);
    EXPECT_TRUE(Dlg().AreControlsEnabled());
}

TEST_F(MainWindowConnectTest, UnreachablePanelIsReported)
{
    StartPanel("Gone", MakeCard("card"));
    m_arrSims.front()->Stop();
    OpenWindow();
    ConnectTo(0);
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_FALSE(m_prompt.Shown()[0].strText.empty());
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);
}

TEST_F(MainWindowConnectTest, FailedListingLeavesTheListEmpty)
{
    StartPanel("Press", MakeCard("card"), {"--fail", "143:6=24"});
    OpenWindow();
    ConnectTo(0);
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_NE(Dlg().GetConnectedPanel(), nullptr);
    EXPECT_TRUE(Dlg().GetFileTable().IsEmpty());
    EXPECT_EQ(Dlg().RemoteList()->rowCount(), 0);
    EXPECT_FALSE(Enabled("buttonBackupAll"));
}

TEST_F(MainWindowConnectTest, CardFamilyPanelIsListedToo)
{
    StartPanel("Card", MakeCard("card"), {"--type", "161"});
    OpenWindow();
    ConnectTo(0);
    EXPECT_TRUE(m_prompt.Shown().empty());
    EXPECT_EQ(ListNames(),
              (std::vector<std::string>{"A.CSV", "B.CSV", "EMPTY.DAT", "LOG.TXT", "SUB"}));
}

TEST_F(MainWindowConnectTest, InvalidDateShowsAsSuch)
{
    StartPanel("Press", MakeCard("card"), {"--zero-date", "B.CSV"});
    OpenWindow();
    ConnectTo(0);
    EXPECT_EQ(ListColumn(3)[1], "Invalid DateTime");
}

TEST_F(MainWindowConnectTest, EmptyFilterWarnsAndReadsEverything)
{
    StartPanel("Press", MakeCard("card"));
    OpenWindow();
    auto* pFilter = Find<QLineEdit>("editFilter");
    EXPECT_EQ(pFilter->text(), "*.*");
    ConnectTo(0);

    pFilter->setText("*.csv");
    Button("buttonRefresh")->click();
    EXPECT_EQ(ListNames(), (std::vector<std::string>{"A.CSV", "B.CSV"}));
    EXPECT_TRUE(m_prompt.Shown().empty());

    pFilter->clear();
    Button("buttonRefresh")->click();
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].strText,
              "Filter empty! Hence reading all files in the Remote SD Card.");
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::None);
    EXPECT_EQ(pFilter->text(), "*.*");
    EXPECT_EQ(ListNames().size(), 5u);
}

TEST_F(MainWindowConnectTest, LastPanelIsPreselectedInANewWindow)
{
    StartPanel("One", MakeCard("card1"));
    StartPanel("Two", MakeCard("card2"));
    OpenWindow();
    EXPECT_EQ(Dlg().PanelCombo()->currentIndex(), 0);
    ConnectTo(1);
    m_pDlg.reset();

    OpenWindow();
    EXPECT_EQ(Dlg().PanelCombo()->currentIndex(), 1);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);
}

TEST_F(MainWindowConnectTest, PanelListManagerReplacesTheListHoweverItCloses)
{
    StartPanel("One", MakeCard("card1"));
    StartPanel("Two", MakeCard("card2"));
    OpenWindow();

    // Closed with Close after deleting the first panel: the deletion stays.
    WhenModal<CIPAddressSelectionDlg>(
        [](CIPAddressSelectionDlg& dlg)
        {
            dlg.ListCtrl()->selectRow(0);
            dlg.OnDelete();
            dlg.reject();
        });
    Button("buttonPanelList")->click();
    ASSERT_EQ(Dlg().PanelCombo()->count(), 1);
    EXPECT_EQ(Dlg().PanelCombo()->itemText(0).toStdString(), "127.0.0.1 -  Two");
    EXPECT_EQ(m_shell.m_PanelList.GetCount(), 1);
    EXPECT_EQ(Dlg().GetConnectedPanel(), nullptr);

    // Closed with Connect: that row is selected and connected.
    WhenModal<CIPAddressSelectionDlg>(
        [](CIPAddressSelectionDlg& dlg)
        {
            dlg.ListCtrl()->selectRow(0);
            dlg.OnOK();
        });
    Button("buttonPanelList")->click();
    ASSERT_NE(Dlg().GetConnectedPanel(), nullptr);
    EXPECT_EQ(Dlg().GetConnectedPanel()->m_strName, "Two");
    EXPECT_TRUE(Dlg().PanelCombo()->IsItemBold(0));
    EXPECT_EQ(ListNames().size(), 5u);
}

TEST_F(MainWindowConnectTest, EmptyPanelListOpensTheManagerAtStart)
{
    bool bOpened = false;
    WhenModal<CIPAddressSelectionDlg>(
        [&bOpened](CIPAddressSelectionDlg& dlg)
        {
            bOpened = true;
            dlg.reject();
        });
    OpenWindow();
    EXPECT_TRUE(bOpened);
    EXPECT_EQ(Dlg().PanelCombo()->count(), 0);
    EXPECT_EQ(ConnectText(), "Get Files List");
    EXPECT_FALSE(Enabled("buttonConnect"));
}
} // namespace
