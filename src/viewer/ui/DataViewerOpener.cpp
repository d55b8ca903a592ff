#include "DataViewerOpener.h"

#include "CFileDataSheet.h"
#include "common/CPrompt.h"
#include "common/StrFormat.h"
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

FnOpenDataViewer DataViewerOpener()
{
    return [](QWidget* pParent, CCommInterface& comm, const std::string& strRemoteName)
    { RunDataViewer(pParent, comm, strRemoteName); };
}

int ViewRemoteFile(const std::string& strHost, int nPort, const std::string& strRemoteName)
{
    CCommInterface comm(strHost, nPort);
    if (!comm.CheckPanelType())
    {
        ShowLinkError(std::string(), comm);
        return 1;
    }
    if (!CanViewFileData())
    {
        GetPrompt().Message(TEXT_NO_VIEW_PANEL, EPromptIcon::Stop);
        return 1;
    }
    return RunDataViewer(nullptr, comm, strRemoteName, true) ? 0 : 1;
}
