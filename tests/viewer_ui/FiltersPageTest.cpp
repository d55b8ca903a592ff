// The Filters page in the sheet against a simulated panel: the controls each
// switch enables, the grid's rows, a refusal keeping the user on the page
// with its message and focus (the refusals themselves are the page rules'),
// and a filter that reaches both views.
#include "ViewerSheetTestSupport.h"

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
#include <ostream>

namespace
{
// The cache the sheet opens with holds 08:01:30 to 08:01:39 of 12 April 2026;
// Temp reads 29.0 to 29.9 there and Pump is on at the even seconds.
constexpr int TEMP_ROW = 1;
constexpr int PUMP_ROW = 2;

class FiltersPageTest : public CViewerSheetTest
{
protected:
    void OpenFilters()
    {
        OpenSheet();
        ASSERT_TRUE(m_pSheet->SetActivePage(CFileDataSheet::PageFilters));
    }
    CFileDataFiltersPage& Page() const { return *m_pSheet->FiltersPage(); }
    CGridCtrl& Grid() const { return *Page().Grid(); }

    void Tick(const char* pszCheck) const { Find<QCheckBox>(pszCheck)->click(); }
    void SetTime(const char* pszPicker, int nMinute, int nSecond) const
    {
        Find<QTimeEdit>(pszPicker)->setTime(QTime(8, nMinute, nSecond));
    }
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
    bool CellEditable(int nRow, int nColumn) const
    {
        return !Grid().IsReadOnly(nRow, nColumn) &&
               Grid().GetCellBackground(nRow, nColumn) == QColor(255, 255, 255);
    }
};

TEST_F(FiltersPageTest, SwitchesEnableTheirControls)
{
    OpenFilters();
    EXPECT_EQ(Grid().GetRowCount(), 3);
    EXPECT_EQ(Grid().GetItemText(0, 0).toStdString(), "Tags");
    EXPECT_EQ(Grid().GetItemText(TEMP_ROW, 0).toStdString(), "Temp");
    EXPECT_EQ(Grid().GetItemText(PUMP_ROW, 0).toStdString(), "Pump");
    EXPECT_EQ(Find<QTimeEdit>("timeFrom")->displayFormat().toStdString(), "HH:mm:ss");
    EXPECT_EQ(Find<QTimeEdit>("timeFrom")->time(), QTime(8, 1, 30));
    EXPECT_EQ(Find<QTimeEdit>("timeTo")->time(), QTime(8, 1, 39));
    EXPECT_EQ(Find<QComboBox>("comboDateCondition")->currentText().toStdString(), "In Range");

    struct SCase
    {
        bool bFilter, bDates;
        int nCondition;
        bool bDateCheckOn, bGridOn, bFromOn, bToOn;
    };
    const SCase arrCases[] = {
        {false, false, FilterInRange, false, false, false, false},
        {true, false, FilterInRange, true, true, false, false},
        {true, true, FilterInRange, true, true, true, true},
        {true, true, FilterOutOfRange, true, true, true, true},
        {true, true, FilterGreater, true, true, true, false},
        {false, true, FilterInRange, false, false, false, false},
    };
    for (const SCase& c : arrCases)
    {
        if (Find<QCheckBox>("checkFilter")->isChecked() != c.bFilter)
            Tick("checkFilter");
        if (Find<QCheckBox>("checkDateRange")->isChecked() != c.bDates)
            Tick("checkDateRange");
        Find<QComboBox>("comboDateCondition")->setCurrentIndex(c.nCondition);
        const std::string strCase =
            std::to_string(c.bFilter) + std::to_string(c.bDates) + std::to_string(c.nCondition);
        EXPECT_EQ(Find<QCheckBox>("checkDateRange")->isEnabled(), c.bDateCheckOn) << strCase;
        EXPECT_EQ(Grid().isEnabled(), c.bGridOn) << strCase;
        for (const char* pszName : {"radioShowDates", "radioHideDates"})
            EXPECT_EQ(Find<QWidget>(pszName)->isEnabled(), c.bFromOn) << strCase << pszName;
        for (const char* pszName : {"comboDateCondition", "dateFrom", "timeFrom"})
            EXPECT_EQ(Find<QWidget>(pszName)->isEnabled(), c.bFromOn) << strCase << pszName;
        for (const char* pszName : {"dateTo", "timeTo"})
            EXPECT_EQ(Find<QWidget>(pszName)->isEnabled(), c.bToOn) << strCase << pszName;
        // Tag cells are white only while the filter is on (and the cell editable).
        EXPECT_EQ(Grid().GetCellBackground(TEMP_ROW, 0) == QColor(255, 255, 255), c.bFilter)
            << strCase;
    }
}

TEST_F(FiltersPageTest, TagRowsEnableTheirCellsByTickTypeAndCondition)
{
    OpenFilters();
    Tick("checkFilter");
    struct SCells
    {
        bool bShowHide, bType, bCondition, bLow, bHigh;
    };
    auto cells = [this](int nRow)
    {
        return SCells{CellEditable(nRow, 1), CellEditable(nRow, 2), CellEditable(nRow, 3),
                      CellEditable(nRow, 4), CellEditable(nRow, 5)};
    };
    auto expect = [](const SCells& got, const SCells& want, const char* pszStep)
    {
        EXPECT_EQ(got.bShowHide, want.bShowHide) << pszStep;
        EXPECT_EQ(got.bType, want.bType) << pszStep;
        EXPECT_EQ(got.bCondition, want.bCondition) << pszStep;
        EXPECT_EQ(got.bLow, want.bLow) << pszStep;
        EXPECT_EQ(got.bHigh, want.bHigh) << pszStep;
    };
    expect(cells(TEMP_ROW), {false, false, false, false, false}, "unticked");
    TickRow(TEMP_ROW);
    expect(cells(TEMP_ROW), {true, true, true, true, false}, "ticked, Numeric, =");
    ChooseInRow(TEMP_ROW, FilterColumnCondition, FilterInRange);
    expect(cells(TEMP_ROW), {true, true, true, true, true}, "In Range");
    ChooseInRow(TEMP_ROW, FilterColumnDataType, FilterDiscrete);
    expect(cells(TEMP_ROW), {true, true, false, true, false}, "Discrete");
    EXPECT_EQ(Grid().GetItemText(TEMP_ROW, FilterColumnCondition).toStdString(), "=");
    TickRow(TEMP_ROW);
    expect(cells(TEMP_ROW), {false, false, false, false, false}, "unticked again");
    expect(cells(PUMP_ROW), {false, false, false, false, false}, "other row untouched");
}

struct SRefusalCase
{
    const char* pszLabel;
    bool bDateRange;
    int nDateCondition;
    int nFromSecond, nToSecond; // seconds after 08:01:00
    int nRow;                   // 0: no tag row
    int nDataType, nCondition;
    const char* pszLow;
    const char* pszHigh;
    const char* pszMessage;
    EPromptIcon eIcon;
    const char* pszFocus;
    int nFocusColumn;
};

// Test lists name the case, not its bytes.
void PrintTo(const SRefusalCase& c, std::ostream* pOut)
{
    *pOut << c.pszLabel;
}

const SRefusalCase REFUSAL_CASES[] = {
    {"FromBeforeCache", true, FilterEqual, 29, 39, 0, 0, 0, "", "",
     "From date should be between cache start and end date.", EPromptIcon::Warning, "dateFrom", -1},
    {"ToBeforeFrom", true, FilterOutOfRange, 35, 32, 0, 0, 0, "", "",
     "To date should not be earlier than from date.", EPromptIcon::Warning, "dateTo", -1},
    {"LowNotANumber", false, 0, 30, 39, TEMP_ROW, FilterNumeric, FilterGreater, "5x", "0",
     "Low limit is not valid", EPromptIcon::None, "gridTags", FilterColumnLow},
    {"HighBelowLow", false, 0, 30, 39, TEMP_ROW, FilterNumeric, FilterInRange, "5", "4",
     "High value should be greater than Low value for the tag Temp", EPromptIcon::Stop, "gridTags",
     FilterColumnHigh},
};

class FiltersRefusalTest : public FiltersPageTest,
                           public ::testing::WithParamInterface<SRefusalCase>
{
};

TEST_P(FiltersRefusalTest, KeepsThePageTheFilterAndTheFlags)
{
    const SRefusalCase& c = GetParam();
    OpenFilters();
    Tick("checkFilter");
    if (c.bDateRange)
        Tick("checkDateRange");
    Find<QComboBox>("comboDateCondition")->setCurrentIndex(c.nDateCondition);
    SetTime("timeFrom", 1, c.nFromSecond);
    SetTime("timeTo", 1, c.nToSecond);
    if (c.nRow > 0)
    {
        TickRow(c.nRow);
        ChooseInRow(c.nRow, FilterColumnDataType, c.nDataType);
        ChooseInRow(c.nRow, FilterColumnCondition, c.nCondition);
        Grid().SetItemText(c.nRow, FilterColumnLow, c.pszLow);
        Grid().SetItemText(c.nRow, FilterColumnHigh, c.pszHigh);
    }
    const CFilterSet before = m_log.m_Filter;
    m_log.m_bDataViewStale = m_log.m_bGraphViewStale = false;

    EXPECT_FALSE(m_pSheet->SetActivePage(CFileDataSheet::PageDataView));
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{c.pszMessage});
    ASSERT_FALSE(m_prompt.Shown().empty());
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, c.eIcon);
    EXPECT_EQ(m_pSheet->GetActiveIndex(), CFileDataSheet::PageFilters);
    EXPECT_EQ(m_pSheet->Tabs()->currentIndex(), CFileDataSheet::PageFilters);
    EXPECT_EQ(FocusName(), c.pszFocus);
    if (c.nRow > 0)
    {
        EXPECT_EQ(Grid().GetFocusRow(), c.nRow);
        EXPECT_EQ(Grid().GetFocusColumn(), c.nFocusColumn);
        EXPECT_EQ(Grid().selectionModel()->selectedIndexes().size(), 6) << "the whole row";
    }
    EXPECT_TRUE(m_log.m_Filter == before);
    EXPECT_FALSE(m_log.m_bDataViewStale || m_log.m_bGraphViewStale);
}

INSTANTIATE_TEST_SUITE_P(Table, FiltersRefusalTest, ::testing::ValuesIn(REFUSAL_CASES),
                         [](const ::testing::TestParamInfo<SRefusalCase>& info)
                         { return std::string(info.param.pszLabel); });

TEST_F(FiltersPageTest, AFilterReachesBothViews)
{
    OpenFilters();
    Tick("checkFilter");
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
