#include "support/CQtTestApp.h"
#include "widgets/CDlgProgressDlg.h"
#include "widgets/CTextProgressCtrl.h"

#include <QTest>
#include <QtWidgets>

#include <filesystem>
#include <set>
#include <thread>

namespace
{
// Qt starts threads of its own on first use: the tests look at thread ids.
std::set<std::string> ThreadIds()
{
    std::set<std::string> setIds;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        setIds.insert(entry.path().filename().string());
    return setIds;
}

QString Line(const CDlgProgressDlg& dlg, const char* pszName)
{
    auto* pLabel = dlg.findChild<QLabel*>(pszName);
    return pLabel ? pLabel->text() : QString("<missing>");
}

struct DlgProgressDlgTest : CQtTestBase
{
    void SetUp() override { m_owner.show(); }
    QDialog m_owner;
};

TEST_F(DlgProgressDlgTest, ShowsItsLinesAndDisablesTheOwnerOrTheActiveWindowUntilClosed)
{
    CDlgProgressDlg dlg(&m_owner, "Reading records");
    EXPECT_TRUE(dlg.isVisible() && (dlg.windowFlags() & Qt::FramelessWindowHint));
    EXPECT_FALSE(m_owner.isEnabled());
    EXPECT_EQ(Line(dlg, "staticTitle"), "Reading records");
    EXPECT_TRUE(dlg.Bar()->IsShowText());

    // Through the progress interface; SetPos handles waiting events.
    CProgressSink& sink = dlg;
    sink.SetRange(0, 40);
    sink.SetText("Reading 10 of 40 records...");
    bool bHandled = false;
    QMetaObject::invokeMethod(
        &m_owner, [&bHandled] { bHandled = true; }, Qt::QueuedConnection);
    sink.SetPos(10);
    EXPECT_TRUE(bHandled);
    EXPECT_EQ(std::pair(dlg.Bar()->GetPos(), dlg.Bar()->maximum()), std::pair(10, 40));
    EXPECT_EQ(Line(dlg, "staticMessage"), "Reading 10 of 40 records...");

    // Esc closes it; a second close leaves the owner alone; nothing shows once closed.
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.IsOpen() || dlg.isVisible());
    EXPECT_TRUE(m_owner.isEnabled());
    m_owner.setEnabled(false);
    dlg.Close();
    EXPECT_FALSE(m_owner.isEnabled());
    m_owner.setEnabled(true);
    dlg.SetMessage("late");
    EXPECT_EQ(Line(dlg, "staticMessage"), "Reading 10 of 40 records...");

    // Without an owner it disables the active window.
    QApplication::setActiveWindow(&m_owner);
    ASSERT_EQ(QApplication::activeWindow(), &m_owner);
    CDlgProgressDlg unowned(nullptr, "Reading records");
    EXPECT_EQ(unowned.GetOwner(), &m_owner);
    EXPECT_FALSE(m_owner.isEnabled());
    unowned.Close();
    EXPECT_TRUE(m_owner.isEnabled());
}

// Destroyed while running, the window stops its runner.
TEST_F(DlgProgressDlgTest, RunningBarIgnoresRangeAndLeavesNoThread)
{
    std::thread([] {}).join(); // ThreadSanitizer starts a thread of its own at the first one
    const std::set<std::string> setBefore = ThreadIds();
    std::set<std::string> setRunner;
    {
        CDlgProgressDlg dlg(&m_owner, "Waiting for the chart", true);
        EXPECT_FALSE(dlg.Bar()->IsShowText());
        dlg.SetRange(0, 10);
        dlg.StartRunning();
        dlg.StartRunning(); // no second runner
        EXPECT_TRUE(dlg.IsRunning());
        const std::set<std::string> setNow = ThreadIds();
        std::set_difference(setNow.begin(), setNow.end(), setBefore.begin(), setBefore.end(),
                            std::inserter(setRunner, setRunner.end()));
        EXPECT_EQ(setRunner.size(), 1u);
        dlg.SetRange(0, 1000);
        EXPECT_EQ(dlg.Bar()->maximum(), 10);
    }
    for (const std::string& strId : setRunner)
        EXPECT_EQ(ThreadIds().count(strId), 0u) << "the runner still runs";
    EXPECT_TRUE(m_owner.isEnabled());
}
} // namespace
