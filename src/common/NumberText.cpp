#include "common/NumberText.h"

#include <charconv>

bool ParseIntInRange(const std::string& strText, long nMin, long nMax, long& nValue)
{
    const char* pBegin = strText.data();
    const char* pEnd = pBegin + strText.size();
    long nParsed = 0;
    const auto [pStop, eError] = std::from_chars(pBegin, pEnd, nParsed);
    if (pBegin == pEnd || eError != std::errc() || pStop != pEnd || nParsed < nMin ||
        nParsed > nMax)
        return false;
    nValue = nParsed;
    return true;
}

bool ParseHostAndPort(const std::string& strText, std::string& strHost, int& nPort)
{
    const size_t nColon = strText.rfind(':');
    strHost = strText.substr(0, nColon);
    if (strHost.empty())
        return false;
    if (nColon == std::string::npos)
        return true;
    long nValue = 0;
    if (!ParseIntInRange(strText.substr(nColon + 1), 1, 65535, nValue))
        return false;
    nPort = static_cast<int>(nValue);
    return true;
}
