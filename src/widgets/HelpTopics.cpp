#include "HelpTopics.h"

std::string HelpTopicForId(int nContextId)
{
    switch (nContextId)
    {
    case HELP_MAIN_WINDOW:
        return "main_window.html";
    case HELP_PANEL_LIST:
        return "panel_list.html";
    case HELP_PANEL_ENTRY:
        return "panel_entry.html";
    case HELP_RENAME_FILE:
        return "rename.html";
    default:
        break;
    }
    return std::string();
}

std::string HelpDefaultTopic()
{
    return "index.html";
}

std::string HelpResourcePath(const std::string& strPage)
{
    return ":/help/" + strPage;
}
