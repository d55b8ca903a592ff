// The file family's listing: open, one entry record per "next" reply, close.
#include "CFuzzPanel.h"
#include "link/CPanelFileCommands.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CFuzzPanel panel(pData, nSize);
    CPanelFileCommands cmds(&panel);
    CDirData list;
    cmds.GetFileList(list, "*.*");
    for (const DIR_DATA& entry : list.Entries())
    {
        if (entry.strName.size() > 255 || entry.strSize.empty())
            __builtin_trap();
    }
    return 0;
}
