#include "CliCommand.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

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
                                           int nMinArgs, int nMaxArgs, bool bNeedsHost,
                                           const char* pszDetails)
{
    CommandTable()[pszName] = CCliCommand{pszName,  pszUsage, pszSummary, pfnRun,
                                          nMinArgs, nMaxArgs, bNeedsHost, pszDetails};
}

CCliOptionRegistrar::CCliOptionRegistrar(const char* pszName, const char* pszValueName,
                                         const char* pszHelp)
{
    OptionTable()[pszName] = CCliOption{pszName, pszValueName, pszHelp};
}

bool ParseCliSeconds(const std::string& strText, int& nMs)
{
    char* pEnd = nullptr;
    errno = 0;
    const double dSeconds = std::strtod(strText.c_str(), &pEnd);
    if (strText.empty() || *pEnd != 0 || errno != 0 || !std::isfinite(dSeconds) || dSeconds <= 0 ||
        dSeconds > 3600)
        return false;
    nMs = static_cast<int>(std::ceil(dSeconds * 1000));
    return true;
}

void SetCliReplyTimeout(CCliContext& ctx, int nMs)
{
    ctx.m_nReplyTimeoutMs = nMs;
    ctx.m_nConnectTimeoutMs = std::min(ctx.m_nConnectTimeoutMs, nMs);
}

const std::map<std::string, CCliCommand>& CliCommands()
{
    return CommandTable();
}

const std::map<std::string, CCliOption>& CliOptions()
{
    return OptionTable();
}
