// ls: the card's listing through the panel's own command family.
#include "CliSession.h"
#include "filemanager/logic/TransferNames.h"

#include <cstdio>

namespace
{
constexpr const char* ALL_FILES = "*.*";

int RunList(const CCliContext& ctx)
{
    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    const std::string strPattern = ctx.m_arrArgs.empty() ? ALL_FILES : ctx.m_arrArgs[0];
    CDirData list;
    if (!session.Files().ListFiles(list, strPattern))
        return session.Fail();
    // A name is the panel's text: control characters are shown escaped, so
    // that no name can steer the terminal.
    for (const DIR_DATA& entry : list.Entries())
        std::printf("%s\t%s\t%s\n", PrintableName(entry.strName).c_str(), entry.strSize.c_str(),
                    entry.dtModified.Format("%Y-%m-%d %H:%M:%S").c_str());
    return CLI_EXIT_OK;
}

CCliCommandRegistrar s_list("ls", "ls [PATTERN]", "List the card (default pattern *.*)", &RunList,
                            0, 1);
} // namespace
