#pragma once
// Starts a program as a child process whose standard output and error go to
// files, never a terminal.
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// Starts arrArgv (program path first) with standard output and error written
// to the two files (created or emptied); fnInChild runs in the child just
// before the program starts (a folder change, limits, the environment).
// Returns the child's id, or -1.
pid_t SpawnWithOutputFiles(std::vector<std::string> arrArgv, const std::string& strOutPath,
                           const std::string& strErrPath,
                           const std::function<void()>& fnInChild = nullptr);
