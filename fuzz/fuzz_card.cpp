// The card family: its frames (header, status, result) and listing entries,
// through a listing, a rename and a delete.
#include "CFuzzPanel.h"
#include "link/CPanelFileCommands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CFuzzPanel panel(pData, nSize);
    CPanelFileCommands cmds(&panel);
    CDirData list;
    cmds.CardGetFileList(list, nSize % 2 ? "" : "*.CSV");
    for (const DIR_DATA& entry : list.Entries())
    {
        if (entry.strName.size() > 32)
            __builtin_trap();
    }
    cmds.CardRenameFile("A.CSV", "B.CSV");
    cmds.CardDeleteFile("B.CSV");
    return 0;
}
