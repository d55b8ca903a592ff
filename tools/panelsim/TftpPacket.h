#pragma once
// TFTP packets (RFC 1350): opcode and block numbers big-endian, requests as
// file name, 0, mode, 0. Header-only so that tests build packets the same way.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Tftp
{
constexpr uint16_t nOpRrq = 1;
constexpr uint16_t nOpWrq = 2;
constexpr uint16_t nOpData = 3;
constexpr uint16_t nOpAck = 4;
constexpr uint16_t nOpError = 5;

constexpr size_t nBlockSize = 512;

constexpr uint16_t nErrUndefined = 0;
constexpr uint16_t nErrNotFound = 1;
constexpr uint16_t nErrAccess = 2;
constexpr uint16_t nErrDiskFull = 3;
constexpr uint16_t nErrIllegal = 4;
constexpr uint16_t nErrUnknownTid = 5;

inline uint16_t Get16(const uint8_t* p)
{
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

inline void Put16(std::vector<uint8_t>& arr, uint16_t n)
{
    arr.push_back(static_cast<uint8_t>(n >> 8));
    arr.push_back(static_cast<uint8_t>(n));
}

inline uint16_t Opcode(const uint8_t* p, size_t n)
{
    return n >= 2 ? Get16(p) : 0;
}

inline void BuildRequest(std::vector<uint8_t>& arr, uint16_t nOp, const std::string& strName,
                         const std::string& strMode = "octet")
{
    arr.clear();
    Put16(arr, nOp);
    arr.insert(arr.end(), strName.begin(), strName.end());
    arr.push_back(0);
    arr.insert(arr.end(), strMode.begin(), strMode.end());
    arr.push_back(0);
}

inline void BuildData(std::vector<uint8_t>& arr, uint16_t nBlock, const uint8_t* pData, size_t n)
{
    arr.clear();
    Put16(arr, nOpData);
    Put16(arr, nBlock);
    arr.insert(arr.end(), pData, pData + n);
}

inline void BuildAck(std::vector<uint8_t>& arr, uint16_t nBlock)
{
    arr.clear();
    Put16(arr, nOpAck);
    Put16(arr, nBlock);
}

inline void BuildError(std::vector<uint8_t>& arr, uint16_t nCode, const std::string& strMessage)
{
    arr.clear();
    Put16(arr, nOpError);
    Put16(arr, nCode);
    arr.insert(arr.end(), strMessage.begin(), strMessage.end());
    arr.push_back(0);
}

// A read or write request: the file name and the mode, both 0-terminated
// (anything after the mode, such as options, is ignored). False when the
// packet is not a well-formed request.
inline bool ParseRequest(const uint8_t* p, size_t n, std::string& strName, std::string& strMode)
{
    const uint16_t nOp = Opcode(p, n);
    if (nOp != nOpRrq && nOp != nOpWrq)
        return false;
    size_t i = 2;
    const size_t nNameStart = i;
    while (i < n && p[i] != 0)
        ++i;
    if (i >= n)
        return false;
    strName.assign(reinterpret_cast<const char*>(p + nNameStart), i - nNameStart);
    const size_t nModeStart = ++i;
    while (i < n && p[i] != 0)
        ++i;
    if (i >= n)
        return false;
    strMode.assign(reinterpret_cast<const char*>(p + nModeStart), i - nModeStart);
    return true;
}
} // namespace Tftp
