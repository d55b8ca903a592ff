#pragma once
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

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
    void Stop() { m_pSim->Stop(); }
    bool CardHas(const std::string& strName) const
    {
        return std::filesystem::exists(m_card.Path() / strName);
    }

private:
    CTempDir m_card;
    std::unique_ptr<CSimulatorProcess> m_pSim;
};
