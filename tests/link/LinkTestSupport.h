#pragma once
// Shared pieces of the link tests: a simulator on a fresh card, channels.
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "link/CTFTPClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "support/PatternBytes.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A card folder and the simulator serving it. Write the card's files, then Start.
class CSimPanel
{
public:
    const CTempDir& Card() const { return m_card; }
    // Without a TFTP server unless bTftp.
    void Start(std::vector<std::string> arrArgs = {}, bool bTftp = false)
    {
        arrArgs.insert(arrArgs.begin(), {"--card", m_card.Str()});
        if (!bTftp)
            arrArgs.push_back("--no-tftp");
        m_pSim = std::make_unique<CSimulatorProcess>(arrArgs);
    }
    int Port() const { return m_pSim->Port(); }
    int TftpPort() const { return m_pSim->TftpPort(); }
    bool CardHas(const std::string& strName) const
    {
        return std::filesystem::exists(m_card.Path() / strName);
    }

private:
    CTempDir m_card;
    std::unique_ptr<CSimulatorProcess> m_pSim;
};

// A channel with short time-outs and a file command object on it, as one user operation has them.
struct SLinkOperation
{
    explicit SLinkOperation(int nPort, int nReplyMs = 5000)
        : pComm(std::make_unique<CCommInterface>("127.0.0.1", nPort)), files(pComm.get())
    {
        pComm->SetTimeouts(2000, nReplyMs);
    }
    std::unique_ptr<CCommInterface> pComm;
    CPanelFileCommands files;
};

// The names of a listing, in order.
inline std::vector<std::string> NamesOf(const CDirData& list)
{
    std::vector<std::string> arrNames;
    for (const DIR_DATA& entry : list.Entries())
        arrNames.push_back(entry.strName);
    return arrNames;
}
