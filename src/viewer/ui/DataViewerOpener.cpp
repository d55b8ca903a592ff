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

// Passes every message on and counts them, so that a refusal that said
// nothing can be told from one that did.
class CCountingPrompt : public CPrompt
{
public:
    explicit CCountingPrompt(CPrompt& inner) : m_inner(inner) {}
    EPromptAnswer Show(const std::string& strText, EPromptIcon eIcon,
                       EPromptButtons eButtons) override
    {
        ++m_nShown;
        return m_inner.Show(strText, eIcon, eButtons);
    }
    int Shown() const { return m_nShown; }

private:
    CPrompt& m_inner;
    int m_nShown = 0;
};
} // namespace

bool RunDataViewer(QWidget* pParent, CCommInterface& comm, const std::string& strRemoteName,
                   bool bReportSilentRejection)
{
    CPanelFileCommands files(&comm);
    CDataLogFile log(&files);
    bool bOpened = false;
    {
        CCountingPrompt counter(GetPrompt());
        const CScopedPrompt scope(counter);
        bOpened = log.OpenLog(strRemoteName);
        if (!bOpened && bReportSilentRejection && counter.Shown() == 0)
            GetPrompt().Message(StrFormat(FMT_NOT_A_DATA_LOG, strRemoteName.c_str()),
                                EPromptIcon::Stop);
    }
    if (!bOpened)
        return false;
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
