#pragma once
// Which help page answers which context id. The pages ship inside the
// program as Qt resources below ":/help/".
#include <string>

enum EHelpContext
{
    HELP_MAIN_WINDOW = 10001, // the main window
    HELP_PANEL_LIST = 10002,  // Panel List Manager
    HELP_PANEL_ENTRY = 10003, // Name/IP Details Entry Dialog
    HELP_RENAME_FILE = 10004, // Rename Remote Panel File Dialog
};

// The page of a context id ("main_window.html", ...), or "" for an unknown id.
std::string HelpTopicForId(int nContextId);
// The page shown when a topic cannot be found: the contents page.
std::string HelpDefaultTopic();
// The resource path of a page: ":/help/" followed by the page.
std::string HelpResourcePath(const std::string& strPage);
