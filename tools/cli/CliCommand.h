#pragma once
// The command table of orvak-cli. Each command lives in its own file and
// registers itself with a static CCliCommandRegistrar, so a new command never
// needs an edit of main:
//
//     static int RunView(const CCliContext& ctx) { ... }
//     static CCliCommandRegistrar s_view("view", "view REMOTE", "Show a data log", &RunView);
//
// A command that works on many panels (collect) registers with bNeedsHost
// false: it comes first on the command line, without HOST, and may add a
// paragraph of its own to the help text.
//
// A command file may also register a global option taking one value, or a
// flag when its value name is empty (CCliOptionRegistrar); main accepts it
// before HOST and stores its value ("1" for a flag) in CCliContext::m_mapOptions.
#include <map>
#include <string>
#include <vector>

constexpr int CLI_EXIT_OK = 0;
constexpr int CLI_EXIT_FAILED = 1;
constexpr int CLI_EXIT_USAGE = 2;
constexpr int CLI_DEFAULT_PORT = 10001;

// What main parsed: the panel, the time-outs, the registered options that were
// given, and the command's own arguments (after the command name).
class CCliContext
{
public:
    std::string m_strHost;
    int m_nPort = CLI_DEFAULT_PORT;
    int m_nConnectTimeoutMs = 3000;
    int m_nReplyTimeoutMs = 10000;
    std::map<std::string, std::string> m_mapOptions;
    std::vector<std::string> m_arrArgs;

    std::string GetOption(const std::string& strName, const std::string& strDefault) const;
};

using CliCommandFn = int (*)(const CCliContext& ctx);

class CCliCommand
{
public:
    std::string m_strName;
    std::string m_strUsage;   // e.g. "get REMOTE [LOCAL]"
    std::string m_strSummary; // one line for the help text
    CliCommandFn m_pfnRun = nullptr;
    int m_nMinArgs = 0;
    int m_nMaxArgs = -1; // -1: no limit
    bool m_bNeedsHost = true;
    std::string m_strDetails; // more help lines, printed after the options
};

class CCliOption
{
public:
    std::string m_strName;      // e.g. "--tftp-port"
    std::string m_strValueName; // e.g. "PORT"
    std::string m_strHelp;
};

class CCliCommandRegistrar
{
public:
    CCliCommandRegistrar(const char* pszName, const char* pszUsage, const char* pszSummary,
                         CliCommandFn pfnRun, int nMinArgs = 0, int nMaxArgs = -1,
                         bool bNeedsHost = true, const char* pszDetails = "");
};

class CCliOptionRegistrar
{
public:
    CCliOptionRegistrar(const char* pszName, const char* pszValueName, const char* pszHelp);
};

// A time in seconds above 0 and at most an hour, as milliseconds (rounded up).
bool ParseCliSeconds(const std::string& strText, int& nMs);
// The reply time-out; connecting never waits longer than it.
void SetCliReplyTimeout(CCliContext& ctx, int nMs);

// The registered commands and options, by name.
const std::map<std::string, CCliCommand>& CliCommands();
const std::map<std::string, CCliOption>& CliOptions();
