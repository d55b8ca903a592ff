// A data log read in place on a panel: the open, the header read, then a run
// of records into the cache and the time of the last record.
#include "CFuzzPanel.h"
#include "link/CPanelFileCommands.h"
#include "viewer/CDataLogFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    static CSilentPrompt s_prompt;
    SetPrompt(&s_prompt);
    CFuzzPanel panel(pData, nSize);
    CPanelFileCommands cmds(&panel);
    CDataLogFile log(&cmds);
    if (!log.OpenLog("LOG.CSV"))
        return 0;
    const uint32_t nCount = log.GetRecordCount();
    log.ReadRecords(1, nCount < 50 ? nCount : 50, true);
    log.ReadRecords(nCount, 1, false);
    std::vector<std::string> arrFields;
    log.GetHeaderFields(arrFields);
    log.CloseLog();
    return 0;
}
