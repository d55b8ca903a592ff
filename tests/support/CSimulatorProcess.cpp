#include "CSimulatorProcess.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <stdexcept>

#ifndef ORVAK_PANELSIM_PATH
#error "ORVAK_PANELSIM_PATH must name the simulator binary"
#endif

namespace
{
std::vector<std::string> AllArgs(const std::vector<std::string>& arrArgs)
{
    std::vector<std::string> arrAll = {ORVAK_PANELSIM_PATH, "--address", "127.0.0.1", "--port",
                                       "0"};
    if (std::none_of(arrArgs.begin(), arrArgs.end(),
                     [](const std::string& strArg)
                     { return strArg == "--tftp-port" || strArg == "--no-tftp"; }))
        arrAll.insert(arrAll.end(), {"--tftp-port", "0"});
    arrAll.insert(arrAll.end(), arrArgs.begin(), arrArgs.end());
    return arrAll;
}
} // namespace

CSimulatorProcess::CSimulatorProcess(const std::vector<std::string>& arrArgs)
    : m_child(AllArgs(arrArgs))
{
    // First line: "panelsim port=N tftp=M" (or tftp=off).
    const std::string strLine = m_child.FirstLine();
    if (std::sscanf(strLine.c_str(), "panelsim port=%d tftp=%d", &m_nPort, &m_nTftpPort) < 1)
    {
        Stop();
        throw std::runtime_error("simulator did not start: '" + strLine + "' " + m_child.Errors());
    }
}

void CSimulatorProcess::Stop()
{
    m_child.Signal(SIGTERM);
    if (!m_child.Wait(2000))
        m_child.Kill();
}
