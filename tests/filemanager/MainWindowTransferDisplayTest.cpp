// How the main window shows the transfer engine's events: the lines, bars,
// box, button and enabling while a transfer runs and once it ends. (What the
// engine tells, and when, is tested with the engine.)
#include "filemanager/MainWindowTransferDisplay.h"
#include "filemanager/CDirTreeCtrl.h"
#include "support/CQtTestApp.h"
#include "widgets/CTextProgressCtrl.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace
{
class MainWindowTransferDisplayTest : public CQtTestBase
{
protected:
    MainWindowTransferDisplayTest() { m_window.show(); }
    static STransferControls MakeControls(QWidget* pWindow)
    {
        return {new QLabel(pWindow),      new CTextProgressCtrl(pWindow),
                new QLabel(pWindow),      new CTextProgressCtrl(pWindow),
                new QLabel(pWindow),      new QLabel(pWindow),
                new QLabel(pWindow),      new QPushButton(pWindow),
                new QGroupBox(pWindow),   new QLabel(pWindow),
                new CDirTreeCtrl(pWindow)};
    }
    static bool Shown(const QWidget* pWidget) { return pWidget->isVisible(); }
    static std::string Text(const QLabel* pLabel) { return pLabel->text().toStdString(); }

    QWidget m_window;
    STransferControls m_controls = MakeControls(&m_window);
    bool m_bEnabled = true;
    CMainWindowTransferDisplay m_display{m_controls,
                                         [this](bool bEnable) { m_bEnabled = bEnable; }};
};

TEST_F(MainWindowTransferDisplayTest, ShowsTheRunningTransferThenTheRecord)
{
    const STransferControls& c = m_controls;
    // One selected row: no count line and no overall bar.
    m_display.TransferStarted(1, 10);
    EXPECT_FALSE(Shown(c.pCountText));
    EXPECT_FALSE(Shown(c.pOverallBar));
    EXPECT_TRUE(Shown(c.pFileBar));
    EXPECT_TRUE(Shown(c.pCancelButton));

    m_display.TransferStarted(5, 1000);
    m_display.TimesChanged("Start Time: 10:00:00");
    EXPECT_FALSE(m_bEnabled);
    for (const QWidget* pShown : std::initializer_list<const QWidget*>{
             c.pCountText, c.pOverallBar, c.pTransferRateText, c.pFileBar, c.pFileRateText,
             c.pCancelButton, c.pLastTransferBox, c.pLastTransferText})
        EXPECT_TRUE(Shown(pShown));
    EXPECT_EQ(5, c.pOverallBar->maximum());
    EXPECT_EQ("Transfer", c.pLastTransferBox->title().toStdString());
    EXPECT_EQ("Start Time: 10:00:00", Text(c.pLastTransferText));

    // The overall bar counts the files done: at the second and fifth row's
    // file and at the end.
    m_display.FileReached(0, 5);
    m_display.FileBegins("A.CSV", 200);
    m_display.BytesTransferred(150, 75);
    EXPECT_EQ("Tranferring files 1 of 5...  ", Text(c.pCountText));
    EXPECT_EQ("Tranferring A.CSV...", Text(c.pFileText));
    EXPECT_EQ("Bytes transferred: 150", Text(c.pBytesText));
    EXPECT_EQ(75, c.pFileBar->GetPos());
    EXPECT_EQ(0, c.pOverallBar->GetPos());
    m_display.FileReached(1, 5);
    m_display.FileBegins("B.CSV", 200);
    EXPECT_EQ(0, c.pFileBar->GetPos());
    m_display.FileReached(4, 5);
    EXPECT_EQ(2, c.pOverallBar->GetPos());
    m_display.RowsDone("/nowhere");
    EXPECT_EQ(3, c.pOverallBar->GetPos());

    m_display.TransferFinished(STransferCounts(), ETransferStatus::Ok,
                               "Start Time: 10:00:00\n End Time: 10:00:01\n   Status: Sucess");
    EXPECT_TRUE(m_bEnabled);
    for (const QWidget* pHidden : std::initializer_list<const QWidget*>{
             c.pOverallBar, c.pFileBar, c.pTransferRateText, c.pFileRateText, c.pCancelButton})
        EXPECT_FALSE(Shown(pHidden));
    for (const QLabel* pLine : {c.pCountText, c.pFileText, c.pBytesText})
        EXPECT_EQ("", Text(pLine));
    EXPECT_EQ("Last Tranfer", c.pLastTransferBox->title().toStdString());
    EXPECT_EQ("Start Time: 10:00:00\n End Time: 10:00:01\n   Status: Sucess",
              Text(c.pLastTransferText));
}
} // namespace
