#include "filemanager/MainWindowViewer.h"

namespace
{
FnOpenDataViewer& Opener()
{
    static FnOpenDataViewer s_fnOpen;
    return s_fnOpen;
}
} // namespace

void SetDataViewerOpener(FnOpenDataViewer fnOpen)
{
    Opener() = std::move(fnOpen);
}

bool HasDataViewer()
{
    return static_cast<bool>(Opener());
}

bool OpenDataViewer(QWidget* pParent, const CNameIpRec& panel, const std::string& strRemoteName)
{
    if (!Opener())
        return false;
    Opener()(pParent, panel, strRemoteName);
    return true;
}
