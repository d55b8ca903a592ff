// The Read Data page against a simulated panel: what the sheet opens with,
// each button reaching the cache, a refusal's focus, Enter, and the progress
// window (the windows and refusals themselves are the page rules').
#include "ViewerUiTestSupport.h"

#include "viewer/ui/CFileDataReadPage.h"
#include "viewer/ui/CRecordSummaryBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace
{
class ReadDataPageTest : public CViewerSheetTest
{
protected:
    CFileDataReadPage& Page() const { return *m_pSheet->ReadPage(); }
    std::string RecordSet() const
    {
        return Page().Summary()->RecordSet()->toPlainText().toStdString();
    }
    void SetEdit(const char* pszName, const char* pszText) const
    {
        Find<QLineEdit>(pszName)->setText(pszText);
    }
    void Choose(const char* pszRadio) const { Find<QRadioButton>(pszRadio)->click(); }
    void Press(const char* pszButton) const { Find<QPushButton>(pszButton)->click(); }
};

// Each button acts on what the step before left; a refusal keeps the cache
// and focuses its edit; Enter clears and adds, and does not close the sheet.
TEST_F(ReadDataPageTest, ButtonsEnterAndRefusals)
{
    OpenSheet();
    // The sheet opens with the last ten records and the filter dates as their span.
    EXPECT_EQ(RecordSet(), "(91 - 100)");
    EXPECT_EQ(Page().Summary()->FileSummary()->text().toStdString(),
              "Total Records: 100\n\nFirst record logged at: Sun, Apr 12, 2026, "
              "08:00:00\nLast record logged at: Sun, Apr 12, 2026, 08:01:39");
    EXPECT_EQ(m_log.m_Filter.m_tmFrom.wSecond, 30);
    EXPECT_EQ(m_log.m_Filter.m_tmTo.wSecond, 39);

    Choose("radioFrom");
    Choose("radioNumber");
    SetEdit("editFromIndex", "50");
    SetEdit("editNumber", "+3");
    Press("buttonClearAndAdd");
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Number of Records is invalid."});
    EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
    EXPECT_EQ(FocusName(), "editNumber");
    EXPECT_EQ(RecordSet(), "(91 - 100)") << "nothing cleared, nothing read";
    m_prompt.Clear();
    // The choice (From's index stays "50"), an edit and its text, the button.
    const std::tuple<const char*, const char*, const char*, const char*, const char*, const char*>
        arrSteps[] = {
            {"radioFrom", "radioNumber", "editNumber", "-5", "buttonAddRecords",
             "(46 - 50) & (91 - 100)"},
            {"radioFrom", "radioToIndex", "editToIndex", "52", "buttonClearAndAdd", "(50 - 52)"},
            {"radioFirst", nullptr, "editFirst", "3", "buttonAddRecords", "(1 - 3) & (50 - 52)"},
            {"radioAll", nullptr, "editFirst", "3", "buttonClearCache", ""},
        };
    for (const auto& [pszRadio, pszSubRadio, pszEdit, pszText, pszButton, pszRecordSet] : arrSteps)
    {
        Choose(pszRadio);
        if (pszSubRadio)
            Choose(pszSubRadio);
        SetEdit(pszEdit, pszText);
        m_log.m_bDataViewStale = m_log.m_bGraphViewStale = false;
        Press(pszButton);
        EXPECT_EQ(RecordSet(), pszRecordSet) << pszButton;
        EXPECT_TRUE(m_log.m_bDataViewStale && m_log.m_bGraphViewStale) << pszRecordSet;
    }
    EXPECT_EQ(Page().Summary()->CacheSummary()->text().toStdString(),
              "Total Records: 0\n\nFirst record logged at: \nLast record logged at: ");

    Choose("radioFrom");
    Choose("radioToIndex");
    SetEdit("editFromIndex", "20");
    SetEdit("editToIndex", "30");
    PressKey(Find<QLineEdit>("editFromIndex"), Qt::Key_Return);
    EXPECT_EQ(RecordSet(), "(20 - 30)");
    Choose("radioLast");
    PressKey(Find<QRadioButton>("radioLast"), Qt::Key_Enter);
    EXPECT_EQ(RecordSet(), "(91 - 100)");
    EXPECT_TRUE(m_pSheet->isVisible()) << "Enter does not close the sheet";
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(ReadDataPageTest, LoadDisablesTheSheetUnderTheProgressWindow)
{
    OpenSheet();
    std::string strSeen; // at the first progress step: sheet enabled, progress shown
    QTimer::singleShot(0,
                       [&]
                       {
                           const QWidget* pProgress = m_pSheet->findChild<QWidget*>("progressDlg");
                           strSeen = StrFormat("%d%d", m_pSheet->isEnabled(),
                                               pProgress && pProgress->isVisible());
                       });
    Choose("radioAll");
    Press("buttonClearAndAdd");
    EXPECT_EQ(strSeen, "01");
    EXPECT_TRUE(m_pSheet->isEnabled());
    EXPECT_EQ(m_pSheet->findChild<QWidget*>("progressDlg"), nullptr);
}
} // namespace
