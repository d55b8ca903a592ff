#pragma once
// The frames of the command channel as a panel and its client both build
// them: a message frame (0x50 0x4C, the message code, the result byte, the
// payload's length, big-endian, and the payload), and the card command frame
// carried in message 128 (0x71 0x14, the frame's length, the payload, a
// reply's starting with its status byte, and the low byte of the sum of
// every byte before it).
#include <cstdint>
#include <numeric>
#include <vector>

inline std::vector<uint8_t> MessageFrame(uint8_t nCode, const std::vector<uint8_t>& arrPayload)
{
    const auto n = arrPayload.size();
    std::vector<uint8_t> arr = {0x50, 0x4C, nCode, 0, uint8_t(n >> 8), uint8_t(n)};
    arr.insert(arr.end(), arrPayload.begin(), arrPayload.end());
    return arr;
}

inline std::vector<uint8_t> CardFrame(const std::vector<uint8_t>& arrPayload)
{
    std::vector<uint8_t> arr = {0x71, 0x14, uint8_t(arrPayload.size() + 4)};
    arr.insert(arr.end(), arrPayload.begin(), arrPayload.end());
    arr.push_back(uint8_t(std::accumulate(arr.begin(), arr.end(), 0u)));
    return arr;
}
