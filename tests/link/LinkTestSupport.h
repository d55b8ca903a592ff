#pragma once
// Shared pieces of the panel link tests: a simulator serving a fresh card
// folder, channels with short time-outs, whole TFTP transfers and file
// contents to compare.
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "link/CTFTPClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <memory>
#include <string>
#include <vector>

// Bytes that differ from block to block, so a skipped or repeated block shows.
std::string PatternBytes(size_t nLength, unsigned nSeed = 1);

// A card folder and the simulator serving it. Write the card's files, then Start.
class CSimPanel
{
public:
    const CTempDir& Card() const { return m_card; }
    // Without a TFTP server unless bTftp.
    void Start(std::vector<std::string> arrArgs = {}, bool bTftp = false);
    int Port() const { return m_pSim->Port(); }
    int TftpPort() const { return m_pSim->TftpPort(); }
    // A channel to the simulator with short time-outs.
    std::unique_ptr<CCommInterface> MakeComm(int nReplyMs = 5000) const;

private:
    CTempDir m_card;
    std::unique_ptr<CSimulatorProcess> m_pSim;
};

// A channel and a file command object on it, as one user operation has them.
struct SLinkOperation
{
    explicit SLinkOperation(const CSimPanel& panel, int nReplyMs = 5000)
        : pComm(panel.MakeComm(nReplyMs)), files(pComm.get())
    {
    }
    explicit SLinkOperation(int nPort, int nReplyMs = 2000)
        : pComm(std::make_unique<CCommInterface>("127.0.0.1", nPort)), files(pComm.get())
    {
        pComm->SetTimeouts(2000, nReplyMs);
    }
    std::unique_ptr<CCommInterface> pComm;
    CPanelFileCommands files;
};

// The names of a listing, in order.
std::vector<std::string> NamesOf(const CDirData& list);

// A whole TFTP transfer with a server on 127.0.0.1:nPort; returns the last result.
int RunTftp(CTFTPClient& client, int nPort, bool bDownload, const std::string& strRemote,
            const std::string& strLocal);
