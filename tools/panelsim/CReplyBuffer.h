#pragma once
// One reply frame being built: the six header bytes, then the payload that a
// handler appends. The buffer keeps its capacity from reply to reply, so a
// connection allocates nothing per request once it has warmed up.
#include "WireFormat.h"

#include <cstring>
#include <vector>

class CReplyBuffer
{
public:
    CReplyBuffer()
    {
        m_arrBytes.reserve(Wire::nHeaderSize + 512);
        Reset();
    }

    void Reset() { m_arrBytes.resize(Wire::nHeaderSize); }
    void Put(uint8_t n) { m_arrBytes.push_back(n); }
    void PutBytes(const void* p, size_t n)
    {
        const size_t nOld = m_arrBytes.size();
        m_arrBytes.resize(nOld + n);
        if (n)
            std::memcpy(m_arrBytes.data() + nOld, p, n);
    }
    // n more payload bytes, zero-filled, to be written in place.
    uint8_t* Grow(size_t n)
    {
        const size_t nOld = m_arrBytes.size();
        m_arrBytes.resize(nOld + n, 0);
        return m_arrBytes.data() + nOld;
    }
    void ResizePayload(size_t n) { m_arrBytes.resize(Wire::nHeaderSize + n, 0); }

    size_t PayloadSize() const { return m_arrBytes.size() - Wire::nHeaderSize; }
    uint8_t* Payload() { return m_arrBytes.data() + Wire::nHeaderSize; }
    uint8_t* Frame() { return m_arrBytes.data(); }
    size_t FrameSize() const { return m_arrBytes.size(); }

private:
    std::vector<uint8_t> m_arrBytes;
};
