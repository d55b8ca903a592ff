#pragma once
// A card command frame as a panel and its client both build it: 0x71 0x14,
// the frame's length, the payload (a reply's starts with its status byte),
// and the low byte of the sum of every byte before it.
#include <algorithm>
#include <numeric>
#include <vector>

inline std::vector<unsigned char> CardFrame(const std::vector<unsigned char>& arrPayload)
{
    std::vector<unsigned char> arr(arrPayload.size() + 4);
    arr[0] = 0x71;
    arr[1] = 0x14;
    arr[2] = static_cast<unsigned char>(arr.size());
    std::copy(arrPayload.begin(), arrPayload.end(), arr.begin() + 3);
    arr.back() = static_cast<unsigned char>(std::accumulate(arr.begin(), arr.end() - 1, 0u));
    return arr;
}
