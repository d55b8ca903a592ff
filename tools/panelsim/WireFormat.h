#pragma once
// Byte layout of the command channel: request and reply frames share a six-byte
// header (magic 0x50 0x4C, message code, flags or result, payload length
// big-endian; docs/wire-format.md). Header-only so that tests can use the same
// helpers.
#include <cstddef>
#include <cstdint>

namespace Wire
{
constexpr uint8_t nMagic0 = 0x50;
constexpr uint8_t nMagic1 = 0x4C;
constexpr size_t nHeaderSize = 6;
constexpr size_t nMaxPayload = 65535;

constexpr uint8_t nMsgPanelInfo = 18;
constexpr uint8_t nMsgCard = 128;
constexpr uint8_t nMsgFile = 143;

// Library result codes the panel side answers.
constexpr uint8_t nResultOk = 0;
constexpr uint8_t nResultChecksum = 1;    // bad card frame
constexpr uint8_t nResultWrongCode = 3;   // message code the panel does not know
constexpr uint8_t nResultWrongLength = 8; // request too short to carry a sub-command
constexpr uint8_t nResultFileSystem = 24; // a file sub-command failed

inline uint16_t GetBe16(const uint8_t* p)
{
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

inline uint32_t GetLe32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void PutBe16(uint8_t* p, uint16_t n)
{
    p[0] = static_cast<uint8_t>(n >> 8);
    p[1] = static_cast<uint8_t>(n);
}

inline void PutBe32(uint8_t* p, uint32_t n)
{
    p[0] = static_cast<uint8_t>(n >> 24);
    p[1] = static_cast<uint8_t>(n >> 16);
    p[2] = static_cast<uint8_t>(n >> 8);
    p[3] = static_cast<uint8_t>(n);
}

inline void PutLe32(uint8_t* p, uint32_t n)
{
    p[0] = static_cast<uint8_t>(n);
    p[1] = static_cast<uint8_t>(n >> 8);
    p[2] = static_cast<uint8_t>(n >> 16);
    p[3] = static_cast<uint8_t>(n >> 24);
}

inline void PutHeader(uint8_t* p, uint8_t nCode, uint8_t nResultOrFlags, uint16_t nLength)
{
    p[0] = nMagic0;
    p[1] = nMagic1;
    p[2] = nCode;
    p[3] = nResultOrFlags;
    PutBe16(p + 4, nLength);
}

// Card frames inside message 128: 0x71 0x14 length ... checksum, where the
// checksum is the low 8 bits of the sum of every byte before it.
constexpr uint8_t nCardHead0 = 0x71;
constexpr uint8_t nCardHead1 = 0x14;
constexpr size_t nCardMinFrame = 5; // head, length, sub-command, checksum

inline uint8_t CardChecksum(const uint8_t* p, size_t n)
{
    unsigned nSum = 0;
    for (size_t i = 0; i < n; ++i)
        nSum += p[i];
    return static_cast<uint8_t>(nSum);
}
} // namespace Wire
