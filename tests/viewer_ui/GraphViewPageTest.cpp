// The Graph View page with its chart loaded in WebEngine.
#include "ViewerUiTestSupport.h"
#include "viewer/ui/CFileDataChartDlg.h"
#include "viewer/ui/CFileDataChartPage.h"

#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QWebEngineView>

#include <ctime>
#include <optional>

namespace
{
// Summer time: half of a year's points would be an hour off with one offset for all.
struct GraphViewPage : CQtTestBase
{
    static void SetUpTestSuite() { setenv("TZ", "Europe/Berlin", 1), tzset(); }

    // Shown at a fixed size, activated, and its chart loaded.
    void ActivateAndWait(CFileDataChartPage& page)
    {
        page.resize(800, 500);
        page.show();
        page.OnSetActive();
        ASSERT_TRUE(WaitFor([&] { return page.m_pChartDlg->m_bLoading; }, 5000));
        ASSERT_TRUE(WaitFor([&] { return !page.m_pChartDlg->m_bLoading; }));
    }

    // The script's result as a text ("true", "3", ...).
    std::string Script(CFileDataChartPage& page, const QString& strScript)
    {
        std::optional<QVariant> result;
        page.m_pChartDlg->GetView()->page()->runJavaScript(strScript, [&](const QVariant& value)
                                                           { result = value; });
        WaitFor([&] { return result.has_value(); });
        return result.value_or(QVariant()).toString().toStdString();
    }

    CScriptedPrompt m_prompt;
    CScopedPrompt m_scoped{m_prompt};
    CTempDir m_dir;
};
} // namespace

TEST_F(GraphViewPage, DrawsSeriesAndSwitchesTypeKeepingZoomAndHiddenSeries)
{
    CCachedLog cached(MakeDataLog(120));
    CFileDataChartPage page(&cached.Log());
    CFileDataChartDlg& dlg = *page.m_pChartDlg;
    const CChartExternal& ext = dlg.External(); // what the page reports
    QSignalSpy stateChanges(&dlg, &CFileDataChartDlg::chartStateChanged);
    ASSERT_NO_FATAL_FAILURE(ActivateAndWait(page));
    EXPECT_FALSE(cached.Log().m_bGraphViewStale);
    EXPECT_EQ(1, stateChanges.count());
    EXPECT_EQ("line", ext.m_strChartType);

    // One series per tag, every record a point ("on" is 1), the record set as title.
    EXPECT_EQ("3|Temp|Pump|120|1|20.5|" + cached.Log().GetRecordSetText(),
              Script(page,
                     "((c) => [c.series.length, c.series[1].label, "
                     "c.series[2].label, c.data[0].length, c.data[2][0], c.data[1][5], "
                     "document.querySelector('.u-title').textContent].join('|'))(orvakChart)"));

    // The user zooms and hides Pump in the legend; the page reports both.
    Script(page,
           "orvakChart.setScale('x', {min: orvakChart.data[0][10], max: orvakChart.data[0][40]});"
           "orvakChart.setSeries(2, {show: false}); true");
    ASSERT_TRUE(WaitFor([&] { return ext.m_nZoomPt2 != 0 && !ext.m_arrHiddenSeries.empty(); }));
    const auto zoom = std::make_pair(ext.m_nZoomPt1, ext.m_nZoomPt2);
    EXPECT_EQ(30000u, zoom.second - zoom.first); // 30 records, a second apart, in milliseconds
    EXPECT_EQ(std::vector<uint16_t>{1}, ext.m_arrHiddenSeries);

    // Switch to columns; while the page loads, nothing else is done.
    dlg.ToggleChartType();
    ASSERT_TRUE(dlg.m_bLoading);
    EXPECT_TRUE(dlg.m_bColumnChart);
    EXPECT_FALSE(page.window()->isEnabled());
    dlg.ToggleChartType();
    EXPECT_TRUE(dlg.m_bColumnChart);
    QSignalSpy printDone(&dlg, &CFileDataChartDlg::printDone);
    dlg.PrintChart();
    EXPECT_FALSE(dlg.IsPrinting());
    cached.Log().m_bGraphViewStale = true;
    page.RefreshChart();
    EXPECT_TRUE(cached.Log().m_bGraphViewStale);
    ASSERT_TRUE(WaitFor([&] { return !dlg.m_bLoading; }));
    EXPECT_TRUE(printDone.isEmpty());
    EXPECT_TRUE(page.window()->isEnabled());
    EXPECT_EQ("column", ext.m_strChartType);

    // The new page keeps Pump hidden and shows the same zoom.
    EXPECT_EQ("false|true|true|true",
              Script(page, "((c) => [c.series[2].show, c.series[1].show, Math.abs(c.scales.x.min "
                           "- c.data[0][10]) < 1e-6, Math.abs(c.scales.x.max - c.data[0][40]) < "
                           "1e-6].join('|'))(orvakChart)"));
    EXPECT_EQ(zoom, std::make_pair(ext.m_nZoomPt1, ext.m_nZoomPt2));

    // Showing Pump again and zooming out completely are reported too.
    Script(page, "orvakChart.setSeries(2, {show: true});"
                 "orvakChart.setScale('x', {min: orvakChart.data[0][0], max: "
                 "orvakChart.data[0][119]}); true");
    ASSERT_TRUE(WaitFor([&] { return ext.m_nZoomPt1 == 0; }));
    EXPECT_EQ(0u, ext.m_nZoomPt2);
    EXPECT_TRUE(ext.m_arrHiddenSeries.empty());
}

TEST_F(GraphViewPage, PointsInEverySeasonAndAPrintToPdfUnderTheHeader)
{
    CCachedLog cached("Date,Time,Temp,Pump\n01/15/26,08:00:00,  21.5,  on\n"
                      "07/15/26,08:00:00,  22.5, off\n07/15/26,09:30:00,  -7.0,  on\n",
                      "LINE7.CSV"); // one winter and two summer records
    CDataLogFile& log = cached.Log();
    CFileDataChartPage page(&log);
    ASSERT_NO_FATAL_FAILURE(ActivateAndWait(page));
    CFileDataChartDlg& dlg = *page.m_pChartDlg;
    // The legend's time of each point is the time written in its record.
    EXPECT_EQ("Jan15,2026 08:00:00|Jul15,2026 08:00:00|Jul15,2026 09:30:00",
              Script(page, "Array.from(orvakChart.data[0], (x) => "
                           "orvakChart.series[0].value(orvakChart, x)).join('|')"));
    // The time axis runs on the same wall-clock seconds: 08:00 in summer as in winter.
    EXPECT_EQ("28800|28800", Script(page, "orvakChart.data[0].slice(0, 2).map((x) => x % "
                                          "86400).join('|')"));
    // The JSON has the wall clock as UTC less the offset at start; the page adds it back.
    EXPECT_EQ(3600, dlg.External().m_nUtcOffset);
    EXPECT_NE(std::string::npos, dlg.External().m_strData.find("[1784098800000,22.5]"));

    // A filter reaches the chart, and the print header lists it.
    log.m_Filter.m_bEnabled = true;
    log.m_Filter.m_arrTagFilters = {CTagFilter{0, true, FilterNumeric, FilterGreater, 22}};
    log.m_bGraphViewStale = true;
    ASSERT_NO_FATAL_FAILURE(ActivateAndWait(page));
    EXPECT_EQ("1", Script(page, "orvakChart.data[0].length"));

    const std::string strPdf = (m_dir.Path() / "chart.pdf").string();
    dlg.m_fnSetUpPrinter = [&](QPrinter& printer)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(strPdf));
        return true;
    };
    std::optional<bool> printed;
    QObject::connect(&dlg, &CFileDataChartDlg::printDone, [&](bool bOk) { printed = bOk; });
    dlg.PrintChart();
    ASSERT_TRUE(WaitFor([&] { return printed.has_value(); }, 60000));
    EXPECT_TRUE(*printed);
    ASSERT_TRUE(std::filesystem::exists(strPdf));

    QProcess pdftotext;
    pdftotext.start("pdftotext", {QString::fromStdString(strPdf), "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed";
    const std::string strText = pdftotext.readAllStandardOutput().toStdString();
    EXPECT_NE(std::string::npos, strText.find("FileName:LINE7.CSV")) << strText;
    for (const char* pszCell : {"Filters", "Temp", "Show", "Numeric", ">", "22.000000"})
        EXPECT_NE(std::string::npos, strText.find(pszCell)) << pszCell << " in\n" << strText;

    // The header has gone from the page again; a cancelled print leaves nothing either.
    EXPECT_EQ("false", Script(page, "document.getElementById('PrintChart') !== null"));
    dlg.m_fnSetUpPrinter = [](QPrinter&) { return false; };
    printed.reset();
    dlg.PrintChart();
    ASSERT_TRUE(WaitFor([&] { return printed.has_value(); }));
    EXPECT_FALSE(*printed);
    EXPECT_EQ("false", Script(page, "document.getElementById('PrintChart') !== null"));
}
