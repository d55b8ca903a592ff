// Opening the viewer: from the main window's View on a simulated panel, a
// file that the data-log reader rejects (no window), and the program's
// --view path with its panel and file checks.
#include "ViewerUiTestSupport.h"

#include "filemanager/MainWindowTestSupport.h"
#include "viewer/ui/CFileDataReadPage.h"
#include "viewer/ui/CRecordSummaryBox.h"
#include "viewer/ui/DataViewerOpener.h"

#include <QPlainTextEdit>
#include <QTimer>

namespace
{
const std::string DATA_LOG = MakeDataLog(30);
const std::string NOT_A_LOG = "Name,Value\nPump,on\nTemp,21\n";

// Closes every viewer sheet that comes up while it lives and tells what the
// last one showed. Its timer dies with it, so nothing reaches into a test
// that has ended.
class CSheetCloser
{
public:
    CSheetCloser()
    {
        m_timer.setInterval(10);
        QObject::connect(
            &m_timer, &QTimer::timeout,
            [this]
            {
                auto* pSheet = qobject_cast<CFileDataSheet*>(QApplication::activeModalWidget());
                if (!pSheet)
                    return;
                m_bOpened = true;
                m_strTitle = pSheet->windowTitle().toStdString();
                m_strRecordSet =
                    pSheet->ReadPage()->Summary()->RecordSet()->toPlainText().toStdString();
                pSheet->reject();
            });
        m_timer.start();
    }

    bool m_bOpened = false;
    std::string m_strTitle;
    std::string m_strRecordSet;

private:
    QTimer m_timer;
};

class OpenViewerTest : public CMainWindowTest
{
};

TEST_F(OpenViewerTest, ViewOnTheMainWindowOpensTheSheetOnThePanelsFile)
{
    m_strCard = MakeCard("card");
    m_dir.WriteFile("card/41225A07.CSV", DATA_LOG);
    StartPanel("Press", m_strCard);
    OpenWindow();
    ConnectTo(0);
    Dlg().SetDataViewerOpener(DataViewerOpener());
    SelectNames({"41225A07.CSV"});
    CSheetCloser seen;
    Button("buttonView")->click();
    EXPECT_TRUE(seen.m_bOpened);
    EXPECT_EQ(seen.m_strTitle, "Data from 41225A07.CSV");
    EXPECT_EQ(seen.m_strRecordSet, "(21 - 30)");
    EXPECT_TRUE(m_prompt.Shown().empty());
}

// The viewer on a panel's file, through the opener (as View runs it) or the
// program's --view path: it opens only a data log on an accepted panel.
TEST_F(OpenViewerTest, OpensOnlyADataLogOnAnAcceptedPanel)
{
    const struct
    {
        std::vector<std::string> arrPanelArgs;
        const char* pszFile;
        bool bCommandLine, bOpened;
        const char* pszMessageStart; // "": no message
    } arrCases[] = {
        {{}, "NOTLOG.CSV", false, false, ""}, // opening through View: the other test
        {{}, "MISSING.CSV", false, false, "Unable to open file MISSING.CSV\n"},
        {{}, "LOG.CSV", true, true, ""},
        {{"--type", "1"}, "LOG.CSV", true, false, "Error: Device Type Mismatch"},
        {{"--revision", "i13"},
         "LOG.CSV",
         true,
         false,
         "This panel does not let its file data be viewed."},
        {{}, "NOTLOG.CSV", true, false, "NOTLOG.CSV is not a data-log file."},
    };
    for (const auto& c : arrCases)
    {
        SCOPED_TRACE(std::string(c.pszFile) + (c.bCommandLine ? " --view" : " View"));
        m_prompt.Clear();
        CSimulatedCard card({{"LOG.CSV", DATA_LOG}, {"NOTLOG.CSV", NOT_A_LOG}}, c.arrPanelArgs);
        CSheetCloser seen;
        if (c.bCommandLine)
        {
            EXPECT_EQ(ViewRemoteFile("127.0.0.1", card.Port(), c.pszFile), c.bOpened ? 0 : 1);
        }
        else
        {
            CCommInterface comm("127.0.0.1", card.Port());
            comm.SetTimeouts(2000, 2000);
            EXPECT_EQ(RunDataViewer(nullptr, comm, c.pszFile), c.bOpened);
        }
        EXPECT_EQ(seen.m_bOpened, c.bOpened);
        EXPECT_EQ(seen.m_strTitle, c.bOpened ? std::string("Data from ") + c.pszFile : "");
        if (*c.pszMessageStart == '\0')
        {
            EXPECT_TRUE(m_prompt.Shown().empty());
        }
        else
        {
            ASSERT_EQ(m_prompt.Shown().size(), 1u);
            EXPECT_EQ(m_prompt.Shown()[0].strText.rfind(c.pszMessageStart, 0), 0u)
                << m_prompt.Shown()[0].strText;
            EXPECT_EQ(m_prompt.Shown()[0].eIcon, EPromptIcon::Stop);
        }
    }
}
} // namespace
