#pragma once
// The View command's way into the data viewer. The viewer lives in its own
// library and registers its opener here at start-up; the main window checks
// the selection and then calls OpenDataViewer. Until a viewer has registered,
// there is nothing to open and the call does nothing.
#include "panels/CNameIpRec.h"

#include <functional>
#include <string>

class QWidget;

// Opens the viewer modally over pParent on the remote file of the panel
// (the viewer builds its own channel to it).
using FnOpenDataViewer = std::function<void(QWidget* pParent, const CNameIpRec& panel,
                                            const std::string& strRemoteName)>;

// Installs the opener (an empty function removes it).
void SetDataViewerOpener(FnOpenDataViewer fnOpen);
bool HasDataViewer();
// True when a viewer was opened.
bool OpenDataViewer(QWidget* pParent, const CNameIpRec& panel, const std::string& strRemoteName);
