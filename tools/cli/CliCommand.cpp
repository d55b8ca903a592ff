#include "CliCommand.h"

namespace
{
// Function-local tables: registrars run during static initialisation of other
// files, whose order is not known.
std::map<std::string, CCliCommand>& CommandTable()
{
    static std::map<std::string, CCliCommand> s_mapCommands;
    return s_mapCommands;
}

std::map<std::string, CCliOption>& OptionTable()
{
    static std::map<std::string, CCliOption> s_mapOptions;
    return s_mapOptions;
}
} // namespace

std::string CCliContext::GetOption(const std::string& strName, const std::string& strDefault) const
{
    const auto it = m_mapOptions.find(strName);
    return it == m_mapOptions.end() ? strDefault : it->second;
}

CCliCommandRegistrar::CCliCommandRegistrar(const char* pszName, const char* pszUsage,
                                           const char* pszSummary, CliCommandFn pfnRun,
                                           int nMinArgs, int nMaxArgs)
{
    CommandTable()[pszName] =
        CCliCommand{pszName, pszUsage, pszSummary, pfnRun, nMinArgs, nMaxArgs};
}

CCliOptionRegistrar::CCliOptionRegistrar(const char* pszName, const char* pszValueName,
                                         const char* pszHelp)
{
    OptionTable()[pszName] = CCliOption{pszName, pszValueName, pszHelp};
}

const std::map<std::string, CCliCommand>& CliCommands()
{
    return CommandTable();
}

const std::map<std::string, CCliOption>& CliOptions()
{
    return OptionTable();
}
