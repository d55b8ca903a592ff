#pragma once
// Opening the data viewer on a remote file: a command channel of its own to
// the panel, the file commands on it and the data-log object, the file opened
// and, only when the panel accepted it as a data log, the viewer sheet run
// modally. Everything is released again when the sheet closes.
#include "filemanager/MainWindowViewer.h"

#include <string>

class CCommInterface;
class QWidget;

// Runs the viewer over the channel; false when the file was not opened (the
// reasons were shown, or the file was rejected silently: with
// bReportSilentRejection a message says so).
bool RunDataViewer(QWidget* pParent, CCommInterface& comm, const std::string& strRemoteName,
                   bool bReportSilentRejection = false);

// The opener for the main window's View command (see SetDataViewerOpener).
FnOpenDataViewer DataViewerOpener();

// The viewer straight on a panel's file, without the main window: the panel
// checked as a connect checks it, then the viewer. Returns the exit status:
// 0 after the viewer closed, 1 when the panel or the file was refused (its
// message already shown).
int ViewRemoteFile(const std::string& strHost, int nPort, const std::string& strRemoteName);
