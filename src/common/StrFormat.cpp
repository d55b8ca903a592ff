#include "StrFormat.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <vector>

std::string StrFormat(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list argsCopy;
    va_copy(argsCopy, args);
    const int nNeeded = std::vsnprintf(nullptr, 0, pszFormat, args);
    va_end(args);
    std::string strResult;
    if (nNeeded > 0)
    {
        std::vector<char> arrBuffer(static_cast<size_t>(nNeeded) + 1);
        std::vsnprintf(arrBuffer.data(), arrBuffer.size(), pszFormat, argsCopy);
        strResult.assign(arrBuffer.data(), static_cast<size_t>(nNeeded));
    }
    va_end(argsCopy);
    return strResult;
}

std::string JoinLines(const std::string& strFirst, const std::string& strSecond)
{
    if (strFirst.empty())
        return strSecond;
    if (strSecond.empty())
        return strFirst;
    return strFirst + "\n" + strSecond;
}

std::string TrimBlanks(const std::string& str)
{
    const char* pszSpace = " \t\n\v\f\r";
    const size_t nFirst = str.find_first_not_of(pszSpace);
    if (nFirst == std::string::npos)
        return std::string();
    const size_t nLast = str.find_last_not_of(pszSpace);
    return str.substr(nFirst, nLast - nFirst + 1);
}

std::string ToUpperAscii(std::string str)
{
    for (char& c : str)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return str;
}

std::string ToLowerAscii(std::string str)
{
    for (char& c : str)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return str;
}

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}
