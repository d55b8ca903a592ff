// The Read Data page against a simulated panel: what the sheet opens with,
// the controls each range choice enables, each button reaching the cache, a
// refusal with its message and focus, Enter, and the progress window. The
// windows and refusals themselves are the page rules'.
#include "ViewerSheetTestSupport.h"

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

TEST_F(ReadDataPageTest, OpensWithTheLastTenRecordsAndTheFilterDates)
{
    OpenSheet();
    EXPECT_EQ(RecordSet(), "(91 - 100)");
    EXPECT_EQ(FileSummary(), "Total Records: 100\n\nFirst record logged at: Sun, Apr 12, 2026, "
                             "08:00:00\nLast record logged at: Sun, Apr 12, 2026, 08:01:39");
    EXPECT_EQ(CacheSummary(), "Total Records: 10\n\nFirst record logged at: Sun, Apr 12, 2026, "
                              "08:01:30\nLast record logged at: Sun, Apr 12, 2026, 08:01:39");
    EXPECT_EQ(m_log.m_Filter.m_tmFrom.wMinute, 1);
    EXPECT_EQ(m_log.m_Filter.m_tmFrom.wSecond, 30);
    EXPECT_EQ(m_log.m_Filter.m_tmTo.wSecond, 39);
    EXPECT_TRUE(m_log.m_bDataViewStale && m_log.m_bGraphViewStale);
    EXPECT_TRUE(m_pSheet->isEnabled());
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(ReadDataPageTest, EachChoiceEnablesItsOwnEdits)
{
    OpenSheet();
    struct SCase
    {
        const char* pszRadio;
        const char* pszSubRadio; // nullptr: leave it
        bool bFirst, bLast, bFrom, bSubRadios, bTo, bNumber;
    };
    const SCase arrCases[] = {
        {"radioLast", nullptr, false, true, false, false, false, false},
        {"radioAll", nullptr, false, false, false, false, false, false},
        {"radioFirst", nullptr, true, false, false, false, false, false},
        {"radioFrom", nullptr, false, false, true, true, true, false},
        {"radioFrom", "radioNumber", false, false, true, true, false, true},
        {"radioFrom", "radioToIndex", false, false, true, true, true, false},
    };
    for (const SCase& c : arrCases)
    {
        Choose(c.pszRadio);
        if (c.pszSubRadio)
            Choose(c.pszSubRadio);
        const std::string strCase =
            std::string(c.pszRadio) + "/" + (c.pszSubRadio ? c.pszSubRadio : "-");
        EXPECT_EQ(Find<QLineEdit>("editFirst")->isEnabled(), c.bFirst) << strCase;
        EXPECT_EQ(Find<QLineEdit>("editLast")->isEnabled(), c.bLast) << strCase;
        EXPECT_EQ(Find<QLineEdit>("editFromIndex")->isEnabled(), c.bFrom) << strCase;
        EXPECT_EQ(Find<QRadioButton>("radioToIndex")->isEnabled(), c.bSubRadios) << strCase;
        EXPECT_EQ(Find<QRadioButton>("radioNumber")->isEnabled(), c.bSubRadios) << strCase;
        EXPECT_EQ(Find<QLineEdit>("editToIndex")->isEnabled(), c.bTo) << strCase;
        EXPECT_EQ(Find<QLineEdit>("editNumber")->isEnabled(), c.bNumber) << strCase;
    }
}

TEST_F(ReadDataPageTest, AdditionsGrowTheRecordSet)
{
    OpenSheet();
    // Each step acts on the cache the step before left.
    struct SStep
    {
        const char* pszRadio;
        const char* pszSubRadio;
        const char* pszFirstField;  // First/Last count, or From
        const char* pszSecondField; // To or Number (From only)
        const char* pszButton;
        const char* pszRecordSet;
    };
    const SStep arrSteps[] = {
        {"radioFrom", "radioNumber", "50", "-5", "buttonAddRecords", "(46 - 50) & (91 - 100)"},
        {"radioFrom", "radioToIndex", "20", "22", "buttonClearAndAdd", "(20 - 22)"},
        {"radioFirst", nullptr, "3", nullptr, "buttonAddRecords", "(1 - 3) & (20 - 22)"},
        {"radioAll", nullptr, nullptr, nullptr, "buttonClearCache", ""},
    };
    for (const SStep& step : arrSteps)
    {
        Choose(step.pszRadio);
        if (step.pszSubRadio)
            Choose(step.pszSubRadio);
        const std::string strRadio = step.pszRadio;
        if (strRadio == "radioFirst" || strRadio == "radioLast")
            SetEdit(strRadio == "radioFirst" ? "editFirst" : "editLast", step.pszFirstField);
        if (strRadio == "radioFrom")
        {
            SetEdit("editFromIndex", step.pszFirstField);
            SetEdit(std::string(step.pszSubRadio) == "radioNumber" ? "editNumber" : "editToIndex",
                    step.pszSecondField);
        }
        m_log.m_bDataViewStale = m_log.m_bGraphViewStale = false;
        Press(step.pszButton);
        EXPECT_EQ(RecordSet(), step.pszRecordSet) << step.pszButton << " " << step.pszRecordSet;
        EXPECT_TRUE(m_log.m_bDataViewStale && m_log.m_bGraphViewStale) << step.pszRecordSet;
    }
    EXPECT_EQ(CacheSummary(),
              "Total Records: 0\n\nFirst record logged at: \nLast record logged at: ");
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(ReadDataPageTest, RefusalsShowTheirMessageAndFocusTheirEdit)
{
    OpenSheet();
    struct SCase
    {
        const char* pszRadio;
        const char* pszSubRadio;
        const char* pszEdit;
        const char* pszText;
        const char* pszMessage;
    };
    const SCase arrCases[] = {
        {"radioFirst", nullptr, "editFirst", "1", "Number of Records  must be between 2 and 100."},
        {"radioFrom", "radioNumber", "editNumber", "+3", "Number of Records is invalid."},
    };
    for (const SCase& c : arrCases)
    {
        Choose(c.pszRadio);
        if (c.pszSubRadio)
            Choose(c.pszSubRadio);
        SetEdit("editFromIndex", "10");
        SetEdit(c.pszEdit, c.pszText);
        m_prompt.Clear();
        Press("buttonClearAndAdd");
        ASSERT_EQ(m_prompt.Shown().size(), 1u) << c.pszMessage;
        EXPECT_EQ(m_prompt.Shown()[0].strText, c.pszMessage);
        EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
        EXPECT_EQ(FocusName(), c.pszEdit) << c.pszMessage;
        EXPECT_EQ(RecordSet(), "(91 - 100)") << "nothing cleared, nothing read";
    }
    // The To edit refuses a range shorter than three records.
    Choose("radioToIndex");
    SetEdit("editToIndex", "11");
    m_prompt.Clear();
    Press("buttonAddRecords");
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{"To Record Index must be between 12 and 100."});
    EXPECT_EQ(FocusName(), "editToIndex");
}

TEST_F(ReadDataPageTest, EnterAnywhereClearsAndAdds)
{
    OpenSheet();
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
