#include "LinkTestSupport.h"

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

void CSimPanel::Start(std::vector<std::string> arrArgs, bool bTftp)
{
    arrArgs.insert(arrArgs.begin(), {"--card", m_card.Str()});
    if (!bTftp)
        arrArgs.insert(arrArgs.begin(), "--no-tftp");
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

int RunTftp(CTFTPClient& client, int nPort, bool bDownload, const std::string& strRemote,
            const std::string& strLocal)
{
    client.SetServerPort(static_cast<uint16_t>(nPort));
    int nResult = client.StartTransfer(bDownload, strRemote, strLocal, "127.0.0.1");
    while (nResult == TFTP_RESULT_MORE)
        nResult = client.Step();
    return nResult;
}
