#include "AppCommandLine.h"

#include "app/CProgramLoader.h"
#include "common/AppStrings.h"
#include "common/NumberText.h"
#include "panels/CNameIpRec.h"

#include <set>

namespace
{
const char* const PROGRAM_NAME = "OrvakFileManager";

// Qt's own options that take a value in the next argument.
const std::set<std::string>& QtOptionsWithValue()
{
    static const std::set<std::string> s_setOptions = {"-platform",
                                                       "-platformpluginpath",
                                                       "-platformtheme",
                                                       "-plugin",
                                                       "-qwindowgeometry",
                                                       "-qwindowicon",
                                                       "-qwindowtitle",
                                                       "-style",
                                                       "-stylesheet",
                                                       "-display",
                                                       "-geometry",
                                                       "-title",
                                                       "-name",
                                                       "-session"};
    return s_setOptions;
}

SAppCommandLine Usage(const std::string& strError)
{
    SAppCommandLine cmd;
    cmd.eAction = EAppAction::UsageError;
    cmd.strError = strError;
    return cmd;
}
} // namespace

SAppCommandLine ParseAppCommandLine(const std::vector<std::string>& arrArgs)
{
    SAppCommandLine cmd;
    bool bView = false;
    std::vector<std::string> arrPositional;
    for (size_t i = 0; i < arrArgs.size(); ++i)
    {
        const std::string& strArg = arrArgs[i];
        if (strArg == "--help" || strArg == "-h")
        {
            cmd.eAction = EAppAction::Help;
            return cmd;
        }
        if (strArg == "--version")
        {
            cmd.eAction = EAppAction::Version;
            return cmd;
        }
        if (strArg == "--view")
            bView = true;
        else if (strArg.rfind("--", 0) == 0)
            return Usage("unknown option " + strArg);
        else if (strArg.size() > 1 && strArg[0] == '-')
        {
            if (QtOptionsWithValue().count(strArg) && i + 1 < arrArgs.size())
                ++i; // a Qt option and its value
        }
        else
            arrPositional.push_back(strArg);
    }
    if (!bView)
    {
        if (!arrPositional.empty())
            return Usage("unexpected argument " + arrPositional.front());
        return cmd;
    }
    if (arrPositional.size() != 2)
        return Usage("--view needs HOST[:PORT] and FILE");
    cmd.nPort = DEFAULT_PANEL_PORT;
    if (!ParseHostAndPort(arrPositional[0], cmd.strHost, cmd.nPort))
        return Usage("bad HOST[:PORT] " + arrPositional[0]);
    if (arrPositional[1].empty())
        return Usage("--view needs a FILE name");
    cmd.strFile = arrPositional[1];
    cmd.eAction = EAppAction::View;
    return cmd;
}

std::string AppUsageText()
{
    std::string strText = std::string("Usage: ") + PROGRAM_NAME + " [--view HOST[:PORT] FILE]\n";
    strText += std::string("       ") + PROGRAM_NAME + " --help | --version\n\n";
    strText += std::string(STR_APP_TITLE) +
               ": manages the files on the SD cards of operator panels\n"
               "on the local network. "
               "Without options it opens the main window.\n\n"
               "Options:\n"
               "  --view HOST[:PORT] FILE  open the data viewer on the data-log FILE of the\n"
               "                           panel at HOST, without the main window (the port\n"
               "                           defaults to " +
               std::to_string(DEFAULT_PANEL_PORT) +
               ")\n"
               "  --help                   print this help and exit\n"
               "  --version                print the version and exit\n\n"
               "Exit status: 0 success, 1 panel or file refused, 2 bad command line.\n";
    return strText;
}

std::string AppVersionText(const CProgramLoader& loader)
{
    return std::string(STR_APP_NAME) + " Version" + loader.GetVersionText() + "\n";
}
