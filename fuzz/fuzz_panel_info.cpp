// The panel information reply and every decision taken from it.
#include "CFuzzPanel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CFuzzPanel panel(pData, nSize);
    const bool bAccepted = panel.CheckPanelType();
    if (bAccepted && GetPanelType() == 0)
        __builtin_trap();
    IsFileCmdPanel();
    CanBackupCsvFiles();
    CanViewFileData();
    IsPanelGroupA(GetPanelType());
    IsPanelGroupC(GetPanelType());
    if (nSize >= 4)
    {
        const int nForward = CompareFirmwareRevision(static_cast<char>(pData[0]), pData[1],
                                                     static_cast<char>(pData[2]), pData[3]);
        const int nBack = CompareFirmwareRevision(static_cast<char>(pData[2]), pData[3],
                                                  static_cast<char>(pData[0]), pData[1]);
        if ((nForward < 0) != (nBack > 0) || (nForward == 0) != (nBack == 0))
            __builtin_trap();
    }
    return 0;
}
