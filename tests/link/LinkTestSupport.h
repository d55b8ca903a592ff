#pragma once
// Shared pieces of the link tests: channels on a simulated panel, listing names.
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "link/CTFTPClient.h"
#include "support/CSimPanel.h"
#include "support/PatternBytes.h"

#include <memory>
#include <string>
#include <vector>

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
