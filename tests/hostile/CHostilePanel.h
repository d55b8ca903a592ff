#pragma once
// A panel on loopback that lies. It speaks the file command family well
// enough for every orvak-cli command, over a small table of files, and can
// lie in each of the ways a hostile panel would: a size at the open that the
// data does not reach (or 0 for a listed file), data that never ends, replies
// that come slowly. It identifies itself as a file command panel that may
// view data.
#include "support/CFramePeer.h"

#include <cstdint>
#include <string>
#include <vector>

struct SHostileFile
{
    std::string strName;
    std::string strContent;
    int64_t nListedSize = -1;   // the listing's size (-1: the content's)
    int64_t nOpenSize = -1;     // the size the open reports (-1: the content's)
    int64_t nDeliverBytes = -1; // bytes delivered before empty blocks (-1: all)
    bool bEndless = false;      // blocks never run out: the content, again and again
};

struct SHostileScript
{
    std::vector<SHostileFile> arrFiles;
    int nReadDelayMs = 0; // wait before every block reply after the first
};

class CHostilePanel
{
public:
    explicit CHostilePanel(SHostileScript script);

    int Port() const { return m_peer.Port(); }
    std::string Address() const { return "127.0.0.1:" + std::to_string(Port()); }
    int RequestCount() const { return m_peer.RequestCount(); }

private:
    using CBytes = CFramePeer::CBytes;
    CBytes Answer(unsigned char nCode, const CBytes& arrRequest);
    CBytes NextListEntry();
    CBytes NextBlock();

    SHostileScript m_script;
    // The panel's state between requests (used by the serving thread only).
    std::string m_strPattern;
    size_t m_nListNext = 0;
    const SHostileFile* m_pOpen = nullptr;
    uint64_t m_nPosition = 0;
    int m_nBlocksSent = 0;
    CFramePeer m_peer; // last: it serves only once the state above exists
};
