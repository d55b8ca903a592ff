#pragma once
// Runs the orvak-cli binary as a child process and collects what it printed.
#include <string>
#include <vector>

struct SCliResult
{
    int nExit = -1;
    std::string strOut;
    std::string strErr;
};

// Runs ORVAK_CLI_PATH with the arguments in folder strWorkDir (empty: the
// current folder), with the environment entries ("NAME=VALUE") added. The
// child's output goes through files, never a terminal.
SCliResult RunCli(const std::vector<std::string>& arrArgs, const std::string& strWorkDir = "",
                  const std::vector<std::string>& arrEnv = {});
