#include "LinkTestSupport.h"
#include "support/SocketIo.h"

#include <unistd.h>

std::string PatternBytes(size_t nLength, unsigned nSeed)
{
    std::string str(nLength, '\0');
    uint32_t n = nSeed * 2654435761u;
    for (size_t i = 0; i < nLength; ++i)
    {
        n = n * 1103515245u + 12345u;
        str[i] = static_cast<char>(n >> 16);
    }
    return str;
}

void CSimPanel::Start(std::vector<std::string> arrArgs)
{
    arrArgs.insert(arrArgs.begin(), {"--no-tftp", "--card", m_card.Str()});
    m_pSim = std::make_unique<CSimulatorProcess>(arrArgs);
}

std::unique_ptr<CCommInterface> CSimPanel::MakeComm(int nReplyMs) const
{
    auto pComm = std::make_unique<CCommInterface>(m_pSim->Address(), m_pSim->Port());
    pComm->SetTimeouts(2000, nReplyMs);
    return pComm;
}

std::vector<std::string> NamesOf(const CDirData& list)
{
    std::vector<std::string> arrNames;
    for (const DIR_DATA& entry : list.Entries())
        arrNames.push_back(entry.strName);
    return arrNames;
}

int UnusedLoopbackPort()
{
    int nPort = 0;
    const int nSocket = BindLoopbackSocket(SOCK_STREAM, nPort);
    if (nSocket >= 0)
        close(nSocket);
    return nPort;
}
