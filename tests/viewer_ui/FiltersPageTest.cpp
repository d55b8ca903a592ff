// The Filters page in the sheet: what it opens with, the grid's rows, and a
// filter that reaches both views.
#include "ViewerUiTestSupport.h"

#include "viewer/ui/CFileDataChartPage.h"
#include "viewer/ui/CFileDataFiltersPage.h"
#include "viewer/ui/CFileDataPage.h"
#include "widgets/CGridCtrl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTimeEdit>

namespace
{
// The cache the sheet opens with holds 08:01:30 to 08:01:39 of 12 April 2026;
// Temp reads 29.0 to 29.9 there and Pump is on at the even seconds.
constexpr int TEMP_ROW = 1;
constexpr int PUMP_ROW = 2;

class FiltersPageTest : public CViewerSheetTest
{
protected:
    CGridCtrl& Grid() const { return *m_pSheet->FiltersPage()->Grid(); }

    void Tick(const char* pszCheck) const { Find<QCheckBox>(pszCheck)->click(); }
    // The row ticked as a click on its box does it.
    void TickRow(int nRow) const
    {
        Grid().SetCheck(nRow, FilterColumnTag, !Grid().GetCheck(nRow, FilterColumnTag));
        emit Grid().CellClicked(nRow, FilterColumnTag);
    }
    // A choice in a list cell, as the end of its in-place edit reports it.
    void ChooseInRow(int nRow, int nColumn, int nIndex) const
    {
        Grid().SetCurSel(nRow, nColumn, nIndex);
        emit Grid().EditEnded(nRow, nColumn);
    }
    // Which of Show/Hide, Data Type, Condition, Low and High can be edited.
    std::string Cells(int nRow) const
    {
        std::string strCells;
        for (int nColumn = FilterColumnShowHide; nColumn <= FilterColumnHigh; ++nColumn)
            strCells += !Grid().IsReadOnly(nRow, nColumn) &&
                                Grid().GetCellBackground(nRow, nColumn) == Qt::white
                            ? '1'
                            : '0';
        return strCells;
    }
};

TEST_F(FiltersPageTest, OpensWithTheTagsAndTheCacheSpanThenRowsEnableTheirCells)
{
    OpenSheet(CFileDataSheet::PageFilters);
    ASSERT_EQ(Grid().GetRowCount(), 3);
    EXPECT_EQ((Grid().GetItemText(0, 0) + Grid().GetItemText(TEMP_ROW, 0) +
               Grid().GetItemText(PUMP_ROW, 0))
                  .toStdString(),
              "TagsTempPump");
    EXPECT_EQ(Find<QTimeEdit>("timeFrom")->displayFormat().toStdString(), "HH:mm:ss");
    EXPECT_EQ(Find<QTimeEdit>("timeFrom")->time(), QTime(8, 1, 30));
    EXPECT_EQ(Find<QTimeEdit>("timeTo")->time(), QTime(8, 1, 39));
    EXPECT_EQ(Find<QComboBox>("comboDateCondition")->currentText().toStdString(), "In Range");

    // Off, the filter leaves every control but its switch disabled.
    for (const char* pszName : {"checkDateRange", "gridTags", "comboDateCondition", "dateTo"})
        EXPECT_FALSE(Find<QWidget>(pszName)->isEnabled()) << pszName;

    // On, a tag row enables its cells by its tick, type and condition.
    Tick("checkFilter");
    EXPECT_EQ(Cells(TEMP_ROW), "00000") << "unticked";
    TickRow(TEMP_ROW);
    EXPECT_EQ(Cells(TEMP_ROW), "11110") << "ticked, Numeric, =";
    ChooseInRow(TEMP_ROW, FilterColumnCondition, FilterInRange);
    EXPECT_EQ(Cells(TEMP_ROW), "11111") << "In Range";
    ChooseInRow(TEMP_ROW, FilterColumnDataType, FilterDiscrete);
    EXPECT_EQ(Cells(TEMP_ROW), "11010") << "Discrete";
    EXPECT_EQ(Grid().GetItemText(TEMP_ROW, FilterColumnCondition).toStdString(), "=");
    TickRow(TEMP_ROW);
    EXPECT_EQ(Cells(TEMP_ROW), "00000") << "unticked again";
    EXPECT_EQ(Cells(PUMP_ROW), "00000") << "other row untouched";
}

// A From outside the cache keeps the page and focuses the date; the filter
// then set reaches both views.
TEST_F(FiltersPageTest, AFilterReachesBothViews)
{
    OpenSheet(CFileDataSheet::PageFilters);
    Tick("checkFilter");
    Tick("checkDateRange");
    Find<QTimeEdit>("timeFrom")->setTime(QTime(8, 1, 29));
    EXPECT_FALSE(m_pSheet->SetActivePage(CFileDataSheet::PageDataView));
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{"From date should be between cache start and end date."});
    EXPECT_EQ(FocusName(), "dateFrom");
    Tick("checkDateRange");
    m_prompt.Clear();
    TickRow(TEMP_ROW);
    ChooseInRow(TEMP_ROW, FilterColumnCondition, FilterGreater);
    Grid().SetItemText(TEMP_ROW, FilterColumnLow, " 29.55");
    ASSERT_TRUE(m_pSheet->SetActivePage(CFileDataSheet::PageDataView));
    EXPECT_TRUE(m_prompt.Shown().empty());
    ASSERT_EQ(m_log.m_Filter.m_arrTagFilters.size(), 1u);
    EXPECT_DOUBLE_EQ(m_log.m_Filter.m_arrTagFilters[0].m_dLow, 29.55);
    EXPECT_TRUE(m_log.m_bGraphViewStale);
    ProcessEvents();
    // 29.6 to 29.9 pass.
    EXPECT_EQ(m_pSheet->DataPage()->GetList()->model()->rowCount(), 4);
    EXPECT_FALSE(m_log.m_bDataViewStale);
    ASSERT_TRUE(m_pSheet->SetActivePage(CFileDataSheet::PageGraphView));
    ProcessEvents();
    EXPECT_FALSE(m_log.m_bGraphViewStale);
}
} // namespace
