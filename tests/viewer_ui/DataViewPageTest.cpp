// The Data View page over a data log on the simulated card: the rows that
// pass the filter, the header-click sort and the exported bytes.
#include "ViewerUiTestSupport.h"
#include "viewer/CsvExport.h"
#include "viewer/ui/CFileDataPage.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <filesystem>

#include <gtest/gtest.h>

namespace
{
class DataViewPage : public CQtTestBase
{
protected:
    std::vector<std::string> Column(CFileDataPage& page, int nColumn)
    {
        std::vector<std::string> arrTexts;
        QAbstractItemModel* pModel = page.GetList()->model();
        for (int r = 0; r < pModel->rowCount(); ++r)
            arrTexts.push_back(pModel->data(pModel->index(r, nColumn)).toString().toStdString());
        return arrTexts;
    }

    void ClickHeader(CFileDataPage& page, int nColumn)
    {
        QHeaderView* pHeader = page.GetList()->horizontalHeader();
        const QPoint point(pHeader->sectionViewportPosition(nColumn) + 5, pHeader->height() / 2);
        for (QEvent::Type eType : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        {
            QMouseEvent event(eType, point, pHeader->viewport()->mapToGlobal(point), Qt::LeftButton,
                              eType == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(pHeader->viewport(), &event);
        }
    }

    CScriptedPrompt m_prompt;
    CScopedPrompt m_scoped{m_prompt};
    CTempDir m_dir;
};
} // namespace

TEST_F(DataViewPage, FilteredRowsSortAndExportAsShown)
{
    CCachedLog cached(MakeDataLog(6));
    CDataLogFile& log = cached.Log();
    // Hide the records whose pump is on: records 1, 3 and 5 are left.
    log.m_Filter.m_bEnabled = true;
    log.m_Filter.m_arrTagFilters = {CTagFilter{1, false, FilterDiscrete, FilterEqual, 1}};

    CFileDataPage page(&log);
    page.resize(700, 400);
    page.show();
    page.OnSetActive();
    ASSERT_TRUE(WaitFor([&] { return !log.m_bDataViewStale; }));

    QAbstractItemModel* pModel = page.GetList()->model();
    ASSERT_EQ(4, pModel->columnCount());
    EXPECT_EQ("Date & Time", pModel->headerData(1, Qt::Horizontal).toString().toStdString());
    EXPECT_EQ((std::vector<std::string>{"2", "4", "6"}), Column(page, 0));
    EXPECT_EQ("Sun, Apr 12, 2026, 08:00:01", Column(page, 1)[0]);
    // Every column is wide enough for its header and its texts.
    EXPECT_GE(page.GetList()->columnWidth(1),
              page.GetList()->fontMetrics().horizontalAdvance("Sun, Apr 12, 2026, 08:00:01"));

    // Not stale: a second activation keeps the rows and their order.
    ClickHeader(page, 2); // texts ("20.1" is no whole number) sort downwards first
    EXPECT_EQ((std::vector<std::string>{"6", "4", "2"}), Column(page, 0));
    page.OnSetActive();
    QCoreApplication::processEvents();
    EXPECT_EQ((std::vector<std::string>{"6", "4", "2"}), Column(page, 0));
    ClickHeader(page, 1); // every click flips the direction
    EXPECT_EQ((std::vector<std::string>{"6", "4", "2"}), Column(page, 0));

    // The export writes the rows in the order shown.
    const std::string strPath = (m_dir.Path() / "out.csv").string();
    std::string strOffered;
    page.m_fnAskSavePath = [&](const std::string& strInitial)
    {
        strOffered = strInitial;
        return strPath;
    };
    page.ExportCsv();
    EXPECT_EQ("41225A07.CSV", strOffered);
    const std::string strBytes = m_dir.ReadFile("out.csv");
    EXPECT_EQ(BuildCsvExport(log, page.GetTable()), strBytes);
    EXPECT_NE(std::string::npos,
              strBytes.find("\"#\",\"Date & Time\",\"Temp\",\"Pump\"\r\n\"6\","));
    EXPECT_TRUE(m_prompt.Shown().empty());

    // Cancelling the Save As dialog writes nothing.
    page.m_fnAskSavePath = [](const std::string&) { return std::string(); };
    std::filesystem::remove(strPath);
    page.ExportCsv();
    EXPECT_FALSE(std::filesystem::exists(strPath));

    // A changed filter reaches the table on the next activation.
    log.m_Filter.m_bEnabled = false;
    log.m_bDataViewStale = true;
    page.OnSetActive();
    ASSERT_TRUE(WaitFor([&] { return !log.m_bDataViewStale; }));
    EXPECT_EQ(6, pModel->rowCount());
    EXPECT_TRUE(page.isEnabled());
}
