// The Read Data page against a simulated panel: what the sheet opens with,
// each button reaching the cache, a refusal with its message and focus,
// Enter, and the progress window. The windows and refusals themselves are
// the page rules'.
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
    std::string FileSummary() const
    {
        return Page().Summary()->FileSummary()->text().toStdString();
    }
    std::string CacheSummary() const
    {
        return Page().Summary()->CacheSummary()->text().toStdString();
    }
    void SetEdit(const char* pszName, const char* pszText) const
    {
        Find<QLineEdit>(pszName)->setText(pszText);
    }
    // Ticks a radio button as a click does (its handler runs).
    void Choose(const char* pszRadio) const { Find<QRadioButton>(pszRadio)->click(); }
    void Press(const char* pszButton) const { Find<QPushButton>(pszButton)->click(); }
};

// Each button reaches the cache, acting on what the step before left; a
// refusal (the rules are the page's) keeps the cache and focuses its edit;
// Enter anywhere clears and adds, and does not close the sheet.
TEST_F(ReadDataPageTest, ButtonsEnterAndRefusals)
{
    OpenSheet();
    // The sheet opens with the last ten records and the filter dates as their span.
    EXPECT_EQ(RecordSet(), "(91 - 100)");
    EXPECT_EQ(FileSummary(), "Total Records: 100\n\nFirst record logged at: Sun, Apr 12, 2026, "
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
    const struct
    {
        const char* pszRadio;
        const char* pszSubRadio; // of From, whose index is "50" throughout
        const char* pszEdit;     // and its text
        const char* pszText;
        const char* pszButton;
        const char* pszRecordSet;
    } arrSteps[] = {
        {"radioFrom", "radioNumber", "editNumber", "-5", "buttonAddRecords",
         "(46 - 50) & (91 - 100)"},
        {"radioFrom", "radioToIndex", "editToIndex", "52", "buttonClearAndAdd", "(50 - 52)"},
        {"radioFirst", nullptr, "editFirst", "3", "buttonAddRecords", "(1 - 3) & (50 - 52)"},
        {"radioAll", nullptr, "editFirst", "3", "buttonClearCache", ""},
    };
    for (const auto& step : arrSteps)
    {
        Choose(step.pszRadio);
        if (step.pszSubRadio)
            Choose(step.pszSubRadio);
        SetEdit(step.pszEdit, step.pszText);
        m_log.m_bDataViewStale = m_log.m_bGraphViewStale = false;
        Press(step.pszButton);
        EXPECT_EQ(RecordSet(), step.pszRecordSet) << step.pszButton;
        EXPECT_TRUE(m_log.m_bDataViewStale && m_log.m_bGraphViewStale) << step.pszRecordSet;
    }
    EXPECT_EQ(CacheSummary(),
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
    bool bSeen = false;
    bool bSheetEnabled = true;
    bool bProgressShown = false;
    // Runs at the first progress step, while the records load.
    QTimer::singleShot(0,
                       [&]
                       {
                           bSeen = true;
                           bSheetEnabled = m_pSheet->isEnabled();
                           const QWidget* pProgress = m_pSheet->findChild<QWidget*>("progressDlg");
                           bProgressShown = pProgress && pProgress->isVisible();
                       });
    Choose("radioAll");
    Press("buttonClearAndAdd");
    EXPECT_TRUE(bSeen);
    EXPECT_FALSE(bSheetEnabled);
    EXPECT_TRUE(bProgressShown);
    EXPECT_TRUE(m_pSheet->isEnabled());
    EXPECT_EQ(m_pSheet->findChild<QWidget*>("progressDlg"), nullptr);
}

} // namespace
