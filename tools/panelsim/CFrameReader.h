#pragma once
// Reads request frames from a connected socket through one buffer, so that
// a burst of small requests costs one receive, and a frame's payload is handed
// out in place without copying.
#include <cstddef>
#include <cstdint>
#include <vector>

class CFrameReader
{
public:
    explicit CFrameReader(int nFd);

    enum class EStatus
    {
        Frame,    // a complete frame is available
        Closed,   // the peer closed (or reset) the connection, possibly mid-frame
        BadMagic, // the stream does not start with 0x50 0x4C: no way to resynchronise
    };

    // The next frame; pPayload stays valid until the next call.
    EStatus Next(uint8_t& nCode, uint8_t& nFlags, const uint8_t*& pPayload, size_t& nLength);

private:
    bool Fill();

    int m_nFd;
    std::vector<uint8_t> m_arrBuffer;
    size_t m_nStart = 0;
    size_t m_nEnd = 0;
};
