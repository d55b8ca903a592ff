// The viewer sheet: extra buttons per page, page keys, a page that refuses
// to be left, the Data View's rows, sort and export, the graph type button.
#include "ViewerUiTestSupport.h"

#include "viewer/CsvExport.h"
#include "viewer/ui/CFileDataChartDlg.h"
#include "viewer/ui/CFileDataChartPage.h"
#include "viewer/ui/CFileDataFiltersPage.h"
#include "viewer/ui/CFileDataPage.h"
#include "widgets/CGridCtrl.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <filesystem>

namespace
{
class SheetTest : public CViewerSheetTest
{
protected:
    // Whether Export, Print and the graph type button show.
    std::string Buttons() const
    {
        std::string strShown;
        for (const QWidget* pButton :
             {(QWidget*)m_pSheet->ExportButton(), (QWidget*)m_pSheet->PrintButton(),
              (QWidget*)m_pSheet->GraphTypeButton()})
            strShown += pButton->isVisibleTo(m_pSheet.get()) ? "1" : "0";
        return strShown;
    }
    // A left click at pt in pWidget, as the window system delivers it.
    static void Click(QWidget* pWidget, const QPoint& pt)
    {
        for (QEvent::Type eType : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        {
            QMouseEvent event(eType, pt, pWidget->mapToGlobal(pt), Qt::LeftButton,
                              eType == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(pWidget, &event);
        }
    }
    void ClickTab(int nIndex) const
    {
        Click(m_pSheet->Tabs()->tabBar(), m_pSheet->Tabs()->tabBar()->tabRect(nIndex).center());
    }
    void ClickHeader(int nColumn) const
    {
        QHeaderView* pHeader = m_pSheet->DataPage()->GetList()->horizontalHeader();
        Click(pHeader->viewport(),
              QPoint(pHeader->sectionViewportPosition(nColumn) + 5, pHeader->height() / 2));
    }
    // The Data View's first column, the record numbers, as shown.
    std::vector<std::string> RecordsShown() const
    {
        std::vector<std::string> arrTexts;
        QAbstractItemModel* pModel = m_pSheet->DataPage()->GetList()->model();
        for (int r = 0; r < pModel->rowCount(); ++r)
            arrTexts.push_back(pModel->data(pModel->index(r, 0)).toString().toStdString());
        return arrTexts;
    }
};

TEST_F(SheetTest, ExtraButtonsPageKeysAndTabClicks)
{
    OpenSheet();
    EXPECT_EQ(m_pSheet->windowTitle().toStdString(), "Data from 41225A07.CSV");
    EXPECT_EQ(m_pSheet->CloseButton()->text().toStdString(), "Close");
    EXPECT_TRUE(m_pSheet->isSizeGripEnabled());
    const QTabWidget* pTabs = m_pSheet->Tabs();
    ASSERT_EQ(pTabs->count(), 4);
    // Each page's tab text, and whether Export, Print and the graph type button show.
    const std::pair<const char*, const char*> arrPages[] = {
        {"Read Data", "000"}, {"Filters", "000"}, {"Data View", "100"}, {"Graph View", "011"}};
    for (const int nPage : {3, 2, 1, 0})
    {
        ASSERT_TRUE(m_pSheet->SetActivePage(nPage));
        EXPECT_EQ(pTabs->tabText(nPage).toStdString(), arrPages[nPage].first);
        EXPECT_EQ(Buttons(), arrPages[nPage].second) << "page " << nPage;
    }
    EXPECT_EQ(m_pSheet->GraphTypeButton()->text().toStdString(), "Bar Graph");

    // Back on Read Data: the page keys and tab clicks switch pages.
    QWidget* pEdit = Find<QLineEdit>("editLast");
    const auto Ctrl = Qt::ControlModifier;
    const std::tuple<int, Qt::KeyboardModifiers, int> arrSteps[] = {
        {Qt::Key_Tab, Ctrl, 1},    {Qt::Key_PageDown, Ctrl, 2},
        {Qt::Key_PageUp, Ctrl, 1}, {Qt::Key_Backtab, Ctrl | Qt::ShiftModifier, 0},
        {Qt::Key_PageUp, Ctrl, 3}, {Qt::Key_Tab, Ctrl, 0}};
    for (const auto& [nKey, modifiers, nPage] : arrSteps)
    {
        // The key goes to whatever has the focus on the current page.
        PressKey(m_pSheet->GetActiveIndex() == 0 ? pEdit : m_pSheet->Tabs()->currentWidget(), nKey,
                 modifiers);
        EXPECT_EQ(m_pSheet->GetActiveIndex(), nPage);
        EXPECT_EQ(m_pSheet->Tabs()->currentIndex(), nPage);
    }
    ClickTab(CFileDataSheet::PageDataView);
    EXPECT_EQ(m_pSheet->GetActiveIndex(), CFileDataSheet::PageDataView);
    EXPECT_TRUE(m_pSheet->ExportButton()->isVisibleTo(m_pSheet.get()));

    // Work on a page disables the sheet, which takes the focus from its
    // controls; once enabled again, the keys must reach the sheet at once.
    m_pSheet->setEnabled(false);
    m_pSheet->setEnabled(true);
    QWidget* pFocus = m_pSheet->focusWidget();
    ASSERT_NE(pFocus, nullptr);
    EXPECT_TRUE(m_pSheet->isAncestorOf(pFocus));
}

TEST_F(SheetTest, ARefusingPageKeepsTheTabAndTheFocusEveryWay)
{
    OpenSheet(CFileDataSheet::PageFilters);
    Find<QCheckBox>("checkFilter")->click();
    CGridCtrl& grid = *m_pSheet->FiltersPage()->Grid();
    grid.SetCheck(1, 0, true);
    emit grid.CellClicked(1, 0);
    grid.SetItemText(1, FilterColumnLow, "x"); // no number
    m_log.m_bDataViewStale = m_log.m_bGraphViewStale = false;
    const std::vector<std::pair<const char*, std::function<void()>>> arrWays = {
        {"Ctrl+Tab",
         [this] { PressKey(m_pSheet->FiltersPage()->Grid(), Qt::Key_Tab, Qt::ControlModifier); }},
        {"tab click", [this] { ClickTab(CFileDataSheet::PageGraphView); }},
        {"tab bar arrow", [this] { PressKey(m_pSheet->Tabs()->tabBar(), Qt::Key_Right); }},
        {"Ctrl+PageUp", [this]
         { PressKey(m_pSheet->FiltersPage()->Grid(), Qt::Key_PageUp, Qt::ControlModifier); }},
    };
    for (const auto& [pszWay, fnLeave] : arrWays)
    {
        m_prompt.Clear();
        fnLeave();
        EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Low limit is not valid"}) << pszWay;
        EXPECT_EQ(m_pSheet->GetActiveIndex(), CFileDataSheet::PageFilters) << pszWay;
        EXPECT_EQ(m_pSheet->Tabs()->currentIndex(), CFileDataSheet::PageFilters) << pszWay;
        EXPECT_EQ(FocusName(), "gridTags") << pszWay;
        // The grid focuses the refused cell and selects its whole row.
        EXPECT_EQ(grid.GetFocusRow(), 1) << pszWay;
        EXPECT_EQ(grid.GetFocusColumn(), FilterColumnLow) << pszWay;
        EXPECT_EQ(grid.selectionModel()->selectedIndexes().size(), 6) << pszWay;
        EXPECT_FALSE(m_log.m_Filter.m_bEnabled) << pszWay;
        EXPECT_FALSE(m_log.m_bDataViewStale || m_log.m_bGraphViewStale) << pszWay;
    }
}

TEST_F(SheetTest, DataViewShowsFilteredRowsSortsAndExportsAsShown)
{
    OpenSheet(); // records 91 to 100
    // Hide the records whose pump is on: the even ones are left.
    m_log.m_Filter.m_bEnabled = true;
    m_log.m_Filter.m_arrTagFilters = {CTagFilter{1, false, FilterDiscrete, FilterEqual, 1}};
    m_log.m_bDataViewStale = true;
    ASSERT_TRUE(m_pSheet->SetActivePage(CFileDataSheet::PageDataView));
    CFileDataPage& page = *m_pSheet->DataPage();
    ASSERT_TRUE(WaitFor([&] { return !m_log.m_bDataViewStale; }));
    QAbstractItemModel* pModel = page.GetList()->model();
    ASSERT_EQ(4, pModel->columnCount());
    EXPECT_EQ("Date & Time", pModel->headerData(1, Qt::Horizontal).toString().toStdString());
    using Texts = std::vector<std::string>;
    EXPECT_EQ((Texts{"92", "94", "96", "98", "100"}), RecordsShown());
    const QString strTime = pModel->data(pModel->index(0, 1)).toString();
    EXPECT_EQ("Sun, Apr 12, 2026, 08:01:31", strTime.toStdString());
    EXPECT_GE(page.GetList()->columnWidth(1),
              page.GetList()->fontMetrics().horizontalAdvance(strTime)); // wide enough

    // Not stale: a second activation keeps the rows and their order.
    ClickHeader(2); // texts ("29.1" is no whole number) sort downwards first
    const Texts arrDownwards{"100", "98", "96", "94", "92"};
    EXPECT_EQ(arrDownwards, RecordsShown());
    page.OnSetActive();
    QCoreApplication::processEvents();
    EXPECT_EQ(arrDownwards, RecordsShown());
    ClickHeader(1); // every click flips the direction
    EXPECT_EQ(arrDownwards, RecordsShown());

    // The sheet's Export writes the rows in the order shown.
    CTempDir dir;
    const std::string strPath = (dir.Path() / "out.csv").string();
    page.m_fnAskSavePath = [&](const std::string& strInitial)
    { return strInitial == "41225A07.CSV" ? strPath : std::string(); };
    m_pSheet->ExportButton()->click();
    const std::string strBytes = dir.ReadFile("out.csv");
    EXPECT_EQ(BuildCsvExport(m_log, page.GetTable()), strBytes);
    EXPECT_NE(std::string::npos, strBytes.find("\"Pump\"\r\n\"100\","));
    EXPECT_TRUE(m_prompt.Shown().empty());

    // Cancelling the Save As dialog writes nothing.
    page.m_fnAskSavePath = [](const std::string&) { return std::string(); };
    std::filesystem::remove(strPath);
    page.ExportCsv();
    EXPECT_FALSE(std::filesystem::exists(strPath));

    // A changed filter reaches the table on the next activation.
    m_log.m_Filter.m_bEnabled = false;
    m_log.m_bDataViewStale = true;
    page.OnSetActive();
    ASSERT_TRUE(WaitFor([&] { return !m_log.m_bDataViewStale; }));
    EXPECT_EQ(10, pModel->rowCount());
    EXPECT_TRUE(page.isEnabled());
}

TEST_F(SheetTest, GraphTypeButtonFollowsTheChart)
{
    OpenSheet();
    ASSERT_TRUE(m_pSheet->SetActivePage(CFileDataSheet::PageGraphView));
    ProcessEvents();
    CFileDataChartDlg* pChart = m_pSheet->ChartPage()->m_pChartDlg;
    ASSERT_NE(pChart, nullptr);
    if (pChart->m_bLoading)
    {
        // A press while the chart loads changes neither the chart nor the text.
        m_pSheet->GraphTypeButton()->click();
        EXPECT_FALSE(pChart->m_bColumnChart);
        EXPECT_EQ(m_pSheet->GraphTypeButton()->text().toStdString(), "Bar Graph");
    }
    for (const char* pszText : {"Line Graph", "Bar Graph"})
    {
        ASSERT_TRUE(WaitFor([pChart] { return !pChart->m_bLoading; }, 60000))
            << "the chart did not load";
        m_pSheet->GraphTypeButton()->click();
        EXPECT_EQ(m_pSheet->GraphTypeButton()->text().toStdString(), pszText);
        EXPECT_EQ(pChart->m_bColumnChart, std::string(pszText) == "Line Graph");
    }
}
} // namespace
