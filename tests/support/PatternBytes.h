#pragma once
#include <cstdint>
#include <string>

// Bytes that differ from block to block, so a skipped or repeated block shows.
inline std::string PatternBytes(size_t nLength, unsigned nSeed = 1)
{
    std::string str(nLength, '\0');
    uint32_t n = nSeed * 2654435761u;
    for (char& c : str)
        c = static_cast<char>((n = n * 1103515245u + 12345u) >> 16);
    return str;
}
