#pragma once
// The View command's way into the data viewer. The viewer lives in its own
// library; whoever creates the main window hands it an opener
// (COrvakFileListDlg::SetDataViewerOpener). The window checks the selection,
// builds a channel to the connected panel and calls the opener; without one,
// View opens nothing.
#include <functional>
#include <string>

class CCommInterface;
class QWidget;

// Opens the viewer modally over pParent on the remote file, read over comm.
using FnOpenDataViewer =
    std::function<void(QWidget* pParent, CCommInterface& comm, const std::string& strRemoteName)>;
