#include "MainWindowTestSupport.h"

#include "filemanager/RemoteListCtrl.h"
#include "widgets/CHelpWindow.h"

namespace fs = std::filesystem;

CMainWindowTest::CMainWindowTest()
{
    fs::create_directories(m_strTarget);
    m_shell.SetConfigRoot(m_dir.Str() + "/config");
    m_shell.SetDocumentsFolder(m_dir.Str() + "/documents");
    m_shell.StartUp();
    m_shell.m_strLocalFolderPath = m_strTarget;
}

CMainWindowTest::~CMainWindowTest()
{
    m_pDlg.reset();
    CloseHelpWindow();
}

std::string CMainWindowTest::MakeCard(const std::string& strName) const
{
    m_dir.WriteFile(strName + "/A.CSV", "Date,Time,Tag\r\n01/02/14,10:00:00,1\r\n");
    m_dir.WriteFile(strName + "/B.CSV", std::string(300, 'b'));
    m_dir.WriteFile(strName + "/LOG.TXT", std::string(1200, 'l'));
    m_dir.WriteFile(strName + "/EMPTY.DAT", std::string());
    fs::create_directories(m_dir.Path() / strName / "SUB");
    return (m_dir.Path() / strName).string();
}

void CMainWindowTest::StartPanel(const std::string& strName, const std::string& strCard,
                                 const std::vector<std::string>& arrArgs)
{
    std::vector<std::string> arrAll = {"--card", strCard, "--no-tftp"};
    arrAll.insert(arrAll.end(), arrArgs.begin(), arrArgs.end());
    m_arrSims.push_back(std::make_unique<CSimulatorProcess>(arrAll));
    m_shell.m_PanelList.AddTail(CNameIpRec(strName, 127, 0, 0, 1, m_arrSims.back()->Port()));
}

void CMainWindowTest::OpenWindow()
{
    m_pDlg = std::make_unique<COrvakFileListDlg>(m_shell);
    m_pDlg->SetChannelSettings(m_channelSettings);
    m_pDlg->SetLocalTreeRoot(m_strLocal);
    m_pDlg->show();
    for (int i = 0; i < 200 && !m_pDlg->IsLoaded(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(m_pDlg->IsLoaded());
}

void CMainWindowTest::SelectNames(const std::vector<std::string>& arrNames)
{
    std::vector<int> arrIndices;
    const CDirData& table = m_pDlg->GetFileTable();
    for (const std::string& strName : arrNames)
        for (int i = 0; i < table.GetSize(); ++i)
            if (table.GetAt(i).strName == strName)
                arrIndices.push_back(i);
    EXPECT_EQ(arrIndices.size(), arrNames.size()) << "a name is not listed";
    m_pDlg->RemoteList()->SelectIndices(arrIndices);
}

std::vector<std::string> CMainWindowTest::ListColumn(int nColumn) const
{
    std::vector<std::string> arrTexts;
    const CRemoteListCtrl* pList = m_pDlg->RemoteList();
    for (int nRow = 0; nRow < pList->rowCount(); ++nRow)
        arrTexts.push_back(pList->item(nRow, nColumn)->text().toStdString());
    return arrTexts;
}
