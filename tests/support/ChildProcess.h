#pragma once
// A program run by a test as a child process, in a process group of its own:
// standard output and error go to files, never a terminal, and the group is
// killed when the object goes unless the program has ended.
#include "support/CTempDir.h"

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// The words of a command line, split at blanks.
std::vector<std::string> Words(const std::string& strLine);

class CChildProcess
{
public:
    // arrArgv: the program's path first. fnInChild runs in the child just before
    // the program starts (a folder, limits, the environment, descriptors).
    explicit CChildProcess(std::vector<std::string> arrArgv,
                           const std::function<void()>& fnInChild = nullptr);
    ~CChildProcess() { Kill(); }
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    std::string Output() const { return m_files.ReadFile("out"); }
    std::string Errors() const { return m_files.ReadFile("err"); }
    // The first line of standard output; empty when none came in time.
    std::string FirstLine() const;
    void Signal(int nSignal) const;
    // Waits up to nTimeoutMs for the end, calling fnMeanwhile between looks;
    // true when the program ended.
    bool Wait(int nTimeoutMs, const std::function<void()>& fnMeanwhile = nullptr);
    void Kill();
    int ExitCode() const;  // -1 unless it ended by exit
    int EndSignal() const; // the signal that ended it, else 0

private:
    CTempDir m_files;
    pid_t m_pid = -1;
    bool m_bEnded = false;
    int m_nStatus = 0; // as waitpid gives it
};
