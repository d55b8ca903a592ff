// How the main window shows the transfer engine's events while a transfer runs
// and once it ends (what the engine tells, and when, is the engine's test).
#include "filemanager/MainWindowTransferDisplay.h"
#include "filemanager/CDirTreeCtrl.h"
#include "support/CQtTestApp.h"
#include "widgets/CTextProgressCtrl.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace
{
std::string Text(const QLabel* pLabel)
{
    return pLabel->text().toStdString();
}

class MainWindowTransferDisplayTest : public CQtTestBase
{
protected:
    MainWindowTransferDisplayTest() { m_window.show(); }
    // Which of the count line, overall bar, transfer rate, file bar, file
    // rate, Cancel, record box and record text show.
    std::string Shown() const
    {
        const STransferControls& c = m_controls;
        std::string strShown;
        for (const QWidget* pWidget : std::initializer_list<const QWidget*>{
                 c.pCountText, c.pOverallBar, c.pTransferRateText, c.pFileBar, c.pFileRateText,
                 c.pCancelButton, c.pLastTransferBox, c.pLastTransferText})
            strShown += pWidget->isVisible() ? '1' : '0';
        return strShown;
    }

    QWidget m_window;
    STransferControls m_controls = {new QLabel(&m_window),      new CTextProgressCtrl(&m_window),
                                    new QLabel(&m_window),      new CTextProgressCtrl(&m_window),
                                    new QLabel(&m_window),      new QLabel(&m_window),
                                    new QLabel(&m_window),      new QPushButton(&m_window),
                                    new QGroupBox(&m_window),   new QLabel(&m_window),
                                    new CDirTreeCtrl(&m_window)};
    bool m_bEnabled = true;
    CMainWindowTransferDisplay m_display{m_controls,
                                         [this](bool bEnable) { m_bEnabled = bEnable; }};
};

TEST_F(MainWindowTransferDisplayTest, ShowsTheRunningTransferThenTheRecord)
{
    const STransferControls& c = m_controls;
    m_display.TransferStarted(1, 10); // one selected row: no count line and no overall bar
    EXPECT_EQ(Shown(), "00011111");
    m_display.TransferStarted(5, 1000);
    m_display.TimesChanged("Start Time: 10:00:00");
    EXPECT_FALSE(m_bEnabled);
    EXPECT_EQ(Shown(), "11111111");
    EXPECT_EQ(5, c.pOverallBar->maximum());
    EXPECT_EQ("Transfer", c.pLastTransferBox->title().toStdString());
    EXPECT_EQ("Start Time: 10:00:00", Text(c.pLastTransferText));

    // The overall bar counts the files done: at the second and fifth row's
    // file and at the end.
    m_display.FileReached(0, 5);
    m_display.FileBegins("A.CSV", 200);
    m_display.BytesTransferred(150, 75);
    EXPECT_EQ("Tranferring files 1 of 5...  |Tranferring A.CSV...|Bytes transferred: 150",
              Text(c.pCountText) + "|" + Text(c.pFileText) + "|" + Text(c.pBytesText));
    EXPECT_EQ(75, c.pFileBar->GetPos());
    EXPECT_EQ(0, c.pOverallBar->GetPos());
    m_display.FileReached(1, 5);
    m_display.FileBegins("B.CSV", 200);
    EXPECT_EQ(0, c.pFileBar->GetPos());
    m_display.FileReached(4, 5);
    EXPECT_EQ(2, c.pOverallBar->GetPos());
    m_display.RowsDone("/nowhere");
    EXPECT_EQ(3, c.pOverallBar->GetPos());

    const char* pszRecord = "Start Time: 10:00:00\n End Time: 10:00:01\n   Status: Sucess";
    m_display.TransferFinished(STransferCounts(), ETransferStatus::Ok, pszRecord);
    EXPECT_TRUE(m_bEnabled);
    EXPECT_EQ(Shown(), "10000011");
    EXPECT_EQ("||", Text(c.pCountText) + "|" + Text(c.pFileText) + "|" + Text(c.pBytesText));
    EXPECT_EQ("Last Tranfer", c.pLastTransferBox->title().toStdString());
    EXPECT_EQ(pszRecord, Text(c.pLastTransferText));
}
} // namespace
