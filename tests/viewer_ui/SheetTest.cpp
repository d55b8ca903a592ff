// The viewer sheet: its extra buttons page by page, the page keys, a page
// that refuses to be left, and the graph type button against the chart.
#include "ViewerUiTestSupport.h"

#include "viewer/ui/CFileDataChartDlg.h"
#include "viewer/ui/CFileDataChartPage.h"
#include "viewer/ui/CFileDataFiltersPage.h"
#include "widgets/CGridCtrl.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>

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
    void ClickTab(int nIndex) const
    {
        QTabBar* pBar = m_pSheet->Tabs()->tabBar();
        const QPoint pt = pBar->tabRect(nIndex).center();
        QMouseEvent press(QEvent::MouseButtonPress, pt, pBar->mapToGlobal(pt), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pBar, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, pt, pBar->mapToGlobal(pt), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(pBar, &release);
    }
    // Leaves the Filters page with a tag row whose low limit is no number.
    void MakeFiltersInvalid() const
    {
        ASSERT_TRUE(m_pSheet->SetActivePage(CFileDataSheet::PageFilters));
        Find<QCheckBox>("checkFilter")->click();
        CGridCtrl& grid = *m_pSheet->FiltersPage()->Grid();
        grid.SetCheck(1, 0, true);
        emit grid.CellClicked(1, 0);
        grid.SetItemText(1, FilterColumnLow, "x");
    }
};

TEST_F(SheetTest, ExtraButtonsBelongToTheirPages)
{
    OpenSheet();
    EXPECT_EQ(m_pSheet->windowTitle().toStdString(), "Data from 41225A07.CSV");
    EXPECT_EQ(m_pSheet->CloseButton()->text().toStdString(), "Close");
    EXPECT_TRUE(m_pSheet->isSizeGripEnabled());
    const QTabWidget* pTabs = m_pSheet->Tabs();
    ASSERT_EQ(pTabs->count(), 4);
    // Each page's tab text, then whether Export, Print and the graph type
    // button show on it.
    const std::pair<const char*, const char*> arrPages[] = {
        {"Read Data", "000"}, {"Filters", "000"}, {"Data View", "100"}, {"Graph View", "011"}};
    for (const int nPage : {3, 2, 1, 0})
    {
        ASSERT_TRUE(m_pSheet->SetActivePage(nPage));
        EXPECT_EQ(pTabs->tabText(nPage).toStdString(), arrPages[nPage].first);
        EXPECT_EQ(Buttons(), arrPages[nPage].second) << "page " << nPage;
    }
    EXPECT_EQ(m_pSheet->GraphTypeButton()->text().toStdString(), "Bar Graph");
}

TEST_F(SheetTest, PageKeysAndTabClicksSwitchPages)
{
    OpenSheet();
    QWidget* pEdit = Find<QLineEdit>("editLast");
    struct SStep
    {
        int nKey;
        Qt::KeyboardModifiers modifiers;
        int nPage;
    };
    const SStep arrSteps[] = {
        {Qt::Key_Tab, Qt::ControlModifier, CFileDataSheet::PageFilters},
        {Qt::Key_PageDown, Qt::ControlModifier, CFileDataSheet::PageDataView},
        {Qt::Key_PageUp, Qt::ControlModifier, CFileDataSheet::PageFilters},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, CFileDataSheet::PageReadData},
        {Qt::Key_PageUp, Qt::ControlModifier, CFileDataSheet::PageGraphView},
        {Qt::Key_Tab, Qt::ControlModifier, CFileDataSheet::PageReadData},
    };
    for (const SStep& step : arrSteps)
    {
        // The key goes to whatever has the focus on the current page.
        QWidget* pTarget = m_pSheet->GetActiveIndex() == CFileDataSheet::PageReadData
                               ? pEdit
                               : m_pSheet->Tabs()->currentWidget();
        PressKey(pTarget, step.nKey, step.modifiers);
        EXPECT_EQ(m_pSheet->GetActiveIndex(), step.nPage);
        EXPECT_EQ(m_pSheet->Tabs()->currentIndex(), step.nPage);
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
    OpenSheet();
    MakeFiltersInvalid();
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
        CGridCtrl& grid = *m_pSheet->FiltersPage()->Grid();
        EXPECT_EQ(grid.GetFocusRow(), 1) << pszWay;
        EXPECT_EQ(grid.GetFocusColumn(), FilterColumnLow) << pszWay;
        EXPECT_EQ(grid.selectionModel()->selectedIndexes().size(), 6) << pszWay;
        EXPECT_FALSE(m_log.m_Filter.m_bEnabled) << pszWay;
        EXPECT_FALSE(m_log.m_bDataViewStale || m_log.m_bGraphViewStale) << pszWay;
    }
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
