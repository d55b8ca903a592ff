// The viewer sheet and its pages on a card with a 100-record log.
#include "ViewerUiTestSupport.h"

#include "support/ChildProcess.h"
#include "viewer/CsvExport.h"
#include "viewer/ui/CFileDataChartDlg.h"
#include "viewer/ui/CFileDataChartPage.h"
#include "viewer/ui/CFileDataFiltersPage.h"
#include "viewer/ui/CFileDataPage.h"
#include "widgets/CGridCtrl.h"

#include <QtWidgets>
#include <filesystem>

namespace
{
// The opening cache: 08:01:30 to 08:01:39, Temp 29.0 to 29.9, Pump on at even seconds.
constexpr int TEMP_ROW = 1;
constexpr int PUMP_ROW = 2;

struct SheetTest : CQtTestBase
{
    SheetTest() : m_card({{"41225A07.CSV", MakeDataLog(100)}}), m_log(m_card.Files()) {}

    // Opens the log and shows the sheet, which loads the last 10 records.
    void OpenSheet(int nPage = CFileDataSheet::PageReadData)
    {
        ASSERT_TRUE(m_log.OpenLog("41225A07.CSV"));
        m_pSheet = std::make_unique<CFileDataSheet>("Data from 41225A07.CSV", nullptr,
                                                    CFileDataSheet::PageReadData, &m_log);
        m_pSheet->show();
        QApplication::setActiveWindow(m_pSheet.get());
        QTest::qWait(20);
        ASSERT_TRUE(m_pSheet->SetActivePage(nPage));
    }

    template <typename TWidget> TWidget* Find(const char* pszName) const
    {
        auto* pWidget = m_pSheet->findChild<TWidget*>(pszName);
        EXPECT_NE(pWidget, nullptr) << pszName;
        return pWidget;
    }

    // As the window system delivers it: an ignored key travels to the parents.
    static void PressKey(QWidget* pTarget, int nKey, Qt::KeyboardModifiers modifiers = {})
    {
        for (const QEvent::Type eType : {QEvent::KeyPress, QEvent::KeyRelease})
        {
            QKeyEvent event(eType, nKey, modifiers);
            QApplication::sendEvent(pTarget, &event);
        }
    }

    std::string FocusName() const
    {
        const QWidget* pFocus = QApplication::focusWidget();
        return pFocus ? pFocus->objectName().toStdString() : std::string();
    }

    void ClickTab(int nIndex) const
    {
        QTabBar* pBar = m_pSheet->Tabs()->tabBar();
        QTest::mouseClick(pBar, Qt::LeftButton, {}, pBar->tabRect(nIndex).center());
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
    CGridCtrl& Grid() const { return *m_pSheet->FiltersPage()->Grid(); }

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
    std::string RecordSet() const { return RecordSetText(*m_pSheet); }
    // Clicks the named buttons and fills the named edits ("name=text") in turn.
    void Act(const std::string& strActions) const
    {
        for (const std::string& strAction : Words(strActions))
        {
            const size_t nEqual = strAction.find('=');
            if (nEqual == std::string::npos)
                Find<QAbstractButton>(strAction.c_str())->click();
            else
                Find<QLineEdit>(strAction.substr(0, nEqual).c_str())
                    ->setText(QString::fromStdString(strAction.substr(nEqual + 1)));
        }
    }

    CScriptedPrompt m_prompt;
    CScopedPrompt m_scopedPrompt{m_prompt};
    CSimulatedCard m_card;
    CDataLogFile m_log;
    std::unique_ptr<CFileDataSheet> m_pSheet;
};

TEST_F(SheetTest, ExtraButtonsPageKeysTabClicksAndGraphType)
{
    OpenSheet();
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
        std::string strShown;
        for (const QWidget* pButton : std::initializer_list<const QWidget*>{
                 m_pSheet->ExportButton(), m_pSheet->PrintButton(), m_pSheet->GraphTypeButton()})
            strShown += pButton->isVisibleTo(m_pSheet.get()) ? '1' : '0';
        EXPECT_EQ(strShown, arrPages[nPage].second) << "page " << nPage;
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
        EXPECT_EQ(std::make_pair(m_pSheet->GetActiveIndex(), m_pSheet->Tabs()->currentIndex()),
                  std::make_pair(nPage, nPage));
    }
    ClickTab(CFileDataSheet::PageDataView);
    EXPECT_EQ(m_pSheet->GetActiveIndex(), CFileDataSheet::PageDataView);

    // Work disables the sheet; enabled again, the keys must reach it at once.
    m_pSheet->setEnabled(false);
    m_pSheet->setEnabled(true);
    EXPECT_TRUE(m_pSheet->isAncestorOf(m_pSheet->focusWidget())); // none is no ancestor

    // Once the chart has loaded, the graph type button switches it and names the other type.
    ASSERT_TRUE(m_pSheet->SetActivePage(CFileDataSheet::PageGraphView));
    CFileDataChartDlg* pChart = m_pSheet->ChartPage()->m_pChartDlg;
    ASSERT_NE(pChart, nullptr);
    for (const char* pszText : {"Line Graph", "Bar Graph"})
    {
        ASSERT_TRUE(WaitFor([pChart] { return !pChart->m_bLoading; }, 60000));
        m_pSheet->GraphTypeButton()->click();
        EXPECT_EQ(m_pSheet->GraphTypeButton()->text().toStdString(), pszText);
        EXPECT_EQ(pChart->m_bColumnChart, std::string(pszText) == "Line Graph");
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

    // A click on Temp: texts ("29.1" is no whole number) sort downwards first. Not stale, a
    // second activation keeps the rows and their order.
    QHeaderView* pHeader = page.GetList()->horizontalHeader();
    QTest::mouseClick(pHeader->viewport(), Qt::LeftButton, {},
                      QPoint(pHeader->sectionViewportPosition(2) + 5, pHeader->height() / 2));
    const Texts arrDownwards{"100", "98", "96", "94", "92"};
    EXPECT_EQ(arrDownwards, RecordsShown());
    page.OnSetActive();
    QCoreApplication::processEvents();
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
}

// From the opening state through a refused tag row and From date to both views.
TEST_F(SheetTest, FiltersPageFromOpeningToBothViews)
{
    OpenSheet(CFileDataSheet::PageFilters);
    ASSERT_EQ(Grid().GetRowCount(), 3);
    EXPECT_EQ(Grid().GetItemText(0, 0) + Grid().GetItemText(TEMP_ROW, 0) +
                  Grid().GetItemText(PUMP_ROW, 0),
              "TagsTempPump");
    EXPECT_EQ(Find<QTimeEdit>("timeFrom")->displayFormat().toStdString(), "HH:mm:ss");
    EXPECT_EQ(Find<QTimeEdit>("timeFrom")->time(), QTime(8, 1, 30));
    EXPECT_EQ(Find<QTimeEdit>("timeTo")->time(), QTime(8, 1, 39));
    EXPECT_EQ(Find<QComboBox>("comboDateCondition")->currentText().toStdString(), "In Range");

    // Off, the filter leaves every control but its switch disabled.
    for (const char* pszName : {"checkDateRange", "gridTags", "comboDateCondition", "dateTo"})
        EXPECT_FALSE(Find<QWidget>(pszName)->isEnabled()) << pszName;

    // On, a tag row enables its cells by its tick, type and condition.
    Act("checkFilter");
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

    // A refused page keeps its tab and the focus every way it is left.
    TickRow(TEMP_ROW);
    ChooseInRow(TEMP_ROW, FilterColumnDataType, FilterNumeric);
    Grid().SetItemText(TEMP_ROW, FilterColumnLow, "x"); // no number
    m_log.m_bDataViewStale = m_log.m_bGraphViewStale = false;
    const std::vector<std::pair<const char*, std::function<void()>>> arrWays = {
        {"Ctrl+Tab",
         [this] { PressKey(m_pSheet->FiltersPage()->Grid(), Qt::Key_Tab, Qt::ControlModifier); }},
        {"tab click", [this] { ClickTab(CFileDataSheet::PageGraphView); }},
        {"tab bar arrow", [this] { PressKey(m_pSheet->Tabs()->tabBar(), Qt::Key_Right); }},
    };
    for (const auto& [pszWay, fnLeave] : arrWays)
    {
        m_prompt.Clear();
        fnLeave();
        EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Low limit is not valid"}) << pszWay;
        // Page and tab kept, the grid focused on the refused cell with its whole row selected.
        EXPECT_EQ(std::make_tuple(m_pSheet->GetActiveIndex(), m_pSheet->Tabs()->currentIndex(),
                                  FocusName(), Grid().GetFocusRow(), Grid().GetFocusColumn(),
                                  Grid().selectionModel()->selectedIndexes().size()),
                  std::make_tuple(int(CFileDataSheet::PageFilters),
                                  int(CFileDataSheet::PageFilters), std::string("gridTags"),
                                  TEMP_ROW, int(FilterColumnLow), qsizetype(6)))
            << pszWay;
        EXPECT_FALSE(m_log.m_Filter.m_bEnabled || m_log.m_bDataViewStale || m_log.m_bGraphViewStale)
            << pszWay;
    }

    // A From outside the cache keeps the page and focuses the date.
    ChooseInRow(TEMP_ROW, FilterColumnCondition, FilterGreater);
    Grid().SetItemText(TEMP_ROW, FilterColumnLow, " 29.55");
    Act("checkDateRange");
    Find<QTimeEdit>("timeFrom")->setTime(QTime(8, 1, 29));
    m_prompt.Clear();
    EXPECT_FALSE(m_pSheet->SetActivePage(CFileDataSheet::PageDataView));
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{"From date should be between cache start and end date."});
    EXPECT_EQ(FocusName(), "dateFrom");
    Act("checkDateRange");
    m_prompt.Clear();
    ASSERT_TRUE(m_pSheet->SetActivePage(CFileDataSheet::PageDataView));
    EXPECT_TRUE(m_prompt.Shown().empty());
    ASSERT_EQ(m_log.m_Filter.m_arrTagFilters.size(), 1u);
    EXPECT_DOUBLE_EQ(m_log.m_Filter.m_arrTagFilters[0].m_dLow, 29.55);
    EXPECT_TRUE(m_log.m_bGraphViewStale);
    QTest::qWait(20);
    EXPECT_EQ(m_pSheet->DataPage()->GetList()->model()->rowCount(), 4); // 29.6 to 29.9
    EXPECT_FALSE(m_log.m_bDataViewStale);
    ASSERT_TRUE(m_pSheet->SetActivePage(CFileDataSheet::PageGraphView));
    QTest::qWait(20);
    EXPECT_FALSE(m_log.m_bGraphViewStale);
}

// A refusal keeps the cache and focuses its edit; Enter does not close the sheet.
TEST_F(SheetTest, ReadDataButtonsEnterRefusalsAndProgress)
{
    OpenSheet();
    EXPECT_EQ(RecordSet(), "(91 - 100)"); // the last ten records
    EXPECT_EQ(m_pSheet->ReadPage()->Summary()->FileSummary()->text().toStdString(),
              FormatFileSummary(m_log));

    Act("radioFrom radioNumber editFromIndex=50 editNumber=+3 buttonClearAndAdd");
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Number of Records is invalid."});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_EQ(FocusName(), "editNumber");
    EXPECT_EQ(RecordSet(), "(91 - 100)") << "nothing cleared, nothing read";
    m_prompt.Clear();
    const std::pair<const char*, const char*> arrSteps[] = {
        {"radioFrom radioNumber editNumber=-5 buttonAddRecords", "(46 - 50) & (91 - 100)"},
        {"radioFrom radioToIndex editToIndex=52 buttonClearAndAdd", "(50 - 52)"},
        {"radioFirst editFirst=3 buttonAddRecords", "(1 - 3) & (50 - 52)"},
        {"radioAll buttonClearCache", ""},
    };
    for (const auto& [pszActions, pszRecordSet] : arrSteps)
    {
        m_log.m_bDataViewStale = m_log.m_bGraphViewStale = false;
        Act(pszActions);
        EXPECT_EQ(RecordSet(), pszRecordSet) << pszActions;
        EXPECT_TRUE(m_log.m_bDataViewStale && m_log.m_bGraphViewStale) << pszActions;
    }
    EXPECT_EQ(m_pSheet->ReadPage()->Summary()->CacheSummary()->text().toStdString(),
              "Total Records: 0\n\nFirst record logged at: \nLast record logged at: ");

    Act("radioFrom radioToIndex editFromIndex=20 editToIndex=30");
    PressKey(Find<QLineEdit>("editFromIndex"), Qt::Key_Return);
    EXPECT_EQ(RecordSet(), "(20 - 30)");
    Act("radioLast");
    PressKey(Find<QRadioButton>("radioLast"), Qt::Key_Enter);
    EXPECT_EQ(RecordSet(), "(91 - 100)");
    EXPECT_TRUE(m_pSheet->isVisible()) << "Enter does not close the sheet";
    EXPECT_TRUE(m_prompt.Shown().empty());

    std::string strSeen; // at the first progress step: sheet enabled, progress shown
    const auto fnLook = [&]
    {
        const QWidget* pProgress = m_pSheet->findChild<QWidget*>("progressDlg");
        strSeen = StrFormat("%d%d", m_pSheet->isEnabled(), pProgress && pProgress->isVisible());
    };
    QTimer::singleShot(0, fnLook);
    Act("radioAll buttonClearAndAdd");
    EXPECT_EQ(strSeen, "01");
    EXPECT_TRUE(m_pSheet->isEnabled());
    EXPECT_EQ(m_pSheet->findChild<QWidget*>("progressDlg"), nullptr);
}

} // namespace
