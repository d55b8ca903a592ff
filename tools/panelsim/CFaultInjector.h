#pragma once
// The request-level faults of the command channel that do not depend on one
// connection: forced results (--fail, --fail-after) and corrupted replies
// (--malform). The per-connection faults (no reply, closing mid-reply) are
// counted by the connection itself.
#include "CReplyBuffer.h"
#include "CSimSettings.h"

#include <atomic>
#include <memory>

class CFaultInjector
{
public:
    explicit CFaultInjector(const CSimSettings& settings);

    // The result a request of message nMsg and sub-command nSub (-1 when it
    // has none) must be answered with instead of being carried out; 0 when it
    // is to be carried out. Counts the request for --fail-after.
    uint8_t ForcedResult(int nMsg, int nSub);

    // Corrupts a finished reply frame as --malform asks (frame-level kinds).
    void MalformReply(uint8_t nMsg, CReplyBuffer& reply) const;

private:
    const CSimSettings& m_settings;
    // One counter per --fail-after rule, shared by all connections.
    std::unique_ptr<std::atomic<long>[]> m_arrFailAfterCounts;
};
