// Opening the viewer: from the main window's View, the opener and --view.
#include "ViewerUiTestSupport.h"

#include "filemanager/MainWindowTestSupport.h"
#include "support/ChildProcess.h"
#include "viewer/ui/DataViewerOpener.h"

namespace
{
const std::string DATA_LOG = MakeDataLog(30);
const std::string NOT_A_LOG = "Name,Value\nPump,on\nTemp,21\n";

// Closes every viewer sheet that comes up while it lives; keeps the last one's title.
struct CSheetCloser
{
    CSheetCloser()
    {
        QObject::connect(
            &m_timer, &QTimer::timeout,
            [this]
            {
                if (auto* pSheet = qobject_cast<CFileDataSheet*>(QApplication::activeModalWidget()))
                {
                    m_strSeen = pSheet->windowTitle().toStdString() + " " + RecordSetText(*pSheet);
                    pSheet->reject();
                }
            });
        m_timer.start(10);
    }
    std::string m_strSeen;
    QTimer m_timer;
};

using OpenViewerTest = CMainWindowTest;

// Through the opener, --view or View: only a data log on an accepted panel opens.
TEST_F(OpenViewerTest, OpensOnlyADataLogOnAnAcceptedPanelAndFromView)
{
    const std::tuple<const char*, const char*, bool, std::string> arrCases[] = {
        {"", "NOTLOG.CSV", false, ""},
        {"", "MISSING.CSV", false, "Unable to open file MISSING.CSV\n"},
        {"", "LOG.CSV", true, ""},
        {"--type 1", "LOG.CSV", true, "Error: Device Type Mismatch"},
        {"--revision i13", "LOG.CSV", true, "This panel does not let its file data be viewed."},
        {"", "NOTLOG.CSV", true, "NOTLOG.CSV is not a data-log file."},
    };
    for (const auto& [pszPanelArgs, pszFile, bCommandLine, strMessage] : arrCases)
    {
        SCOPED_TRACE(std::string(pszFile) + (bCommandLine ? " --view" : " View"));
        const bool bOpened = bCommandLine && strMessage.empty();
        m_prompt.Clear();
        CSimulatedCard card({{"LOG.CSV", DATA_LOG}, {"NOTLOG.CSV", NOT_A_LOG}},
                            Words(pszPanelArgs));
        CSheetCloser seen;
        CCommInterface comm("127.0.0.1", card.Port());
        comm.SetTimeouts(2000, 2000);
        if (bCommandLine)
            EXPECT_EQ(ViewRemoteFile("127.0.0.1", card.Port(), pszFile), bOpened ? 0 : 1);
        else
            EXPECT_EQ(RunDataViewer(nullptr, comm, pszFile), bOpened);
        EXPECT_EQ(seen.m_strSeen,
                  bOpened ? std::string("Data from ") + pszFile + " (21 - 30)" : "");
        ASSERT_EQ(m_prompt.Shown().size(), strMessage.empty() ? 0u : 1u);
        for (const auto& shown : m_prompt.Shown()) // its start, with the Stop icon
            EXPECT_EQ(std::make_pair(shown.strText.substr(0, strMessage.size()), shown.eIcon),
                      std::make_pair(strMessage, EPromptIcon::Stop));
    }
    // View on the main window opens the sheet on the panel's file.
    m_strCard = MakeCard("card");
    m_dir.WriteFile("card/41225A07.CSV", DATA_LOG);
    StartPanel("Press", m_strCard);
    OpenWindow();
    ConnectTo(0);
    Dlg().SetDataViewerOpener(DataViewerOpener());
    SelectNames({"41225A07.CSV"});
    m_prompt.Clear();
    CSheetCloser seen;
    Button("buttonView")->click();
    EXPECT_EQ(seen.m_strSeen, "Data from 41225A07.CSV (21 - 30)");
    EXPECT_TRUE(m_prompt.Shown().empty());
}
} // namespace
