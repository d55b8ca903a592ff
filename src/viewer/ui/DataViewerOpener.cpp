#include "DataViewerOpener.h"

#include "CFileDataSheet.h"
#include "common/CPrompt.h"
#include "common/StrFormat.h"
#include "filemanager/COrvakFileListDlg.h"
#include "filemanager/MainWindowViewer.h"
#include "filemanager/logic/LinkError.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "viewer/CDataLogFile.h"

namespace
{
const char* const FMT_SHEET_TITLE = "Data from %s";
const char* const TEXT_NO_VIEW_PANEL = "This panel does not let its file data be viewed.";
const char* const FMT_NOT_A_DATA_LOG = "%s is not a data-log file.";
} // namespace

bool RunDataViewer(QWidget* pParent, CCommInterface& comm, const std::string& strRemoteName,
                   bool bReportSilentRejection)
{
    CPanelFileCommands files(&comm);
    CDataLogFile log(&files);
    if (!log.OpenLog(strRemoteName))
    {
        if (bReportSilentRejection && !log.m_bOpenFailureShown)
            GetPrompt().Message(StrFormat(FMT_NOT_A_DATA_LOG, strRemoteName.c_str()),
                                EPromptIcon::Stop);
        return false;
    }
    CFileDataSheet sheet(QString::fromStdString(StrFormat(FMT_SHEET_TITLE, strRemoteName.c_str())),
                         pParent, CFileDataSheet::PageReadData, &log);
    sheet.exec();
    return true;
}

void RegisterDataViewer()
{
    SetDataViewerOpener(
        [](QWidget* pParent, const CNameIpRec& panel, const std::string& strRemoteName)
        {
            const std::unique_ptr<CCommInterface> pComm = COrvakFileListDlg::MakeChannel(panel);
            RunDataViewer(pParent, *pComm, strRemoteName);
        });
}

int ViewRemoteFile(const std::string& strHost, int nPort, const std::string& strRemoteName)
{
    const std::unique_ptr<CCommInterface> pComm = COrvakFileListDlg::MakeChannel(strHost, nPort);
    if (!pComm->CheckPanelType())
    {
        ShowLinkError(std::string(), *pComm);
        return 1;
    }
    if (!CanViewFileData())
    {
        GetPrompt().Message(TEXT_NO_VIEW_PANEL, EPromptIcon::Stop);
        return 1;
    }
    return RunDataViewer(nullptr, *pComm, strRemoteName, true) ? 0 : 1;
}
