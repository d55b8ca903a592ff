#pragma once
// Name rules of the simulated SD card: which names are safe to touch, how FAT
// wildcards match, and what a backup is called. Header-only so that tests can
// check the rules without a running simulator.
#include <cctype>
#include <string>
#include <string_view>

namespace CardNames
{
// Files the simulator writes while a TFTP upload or a backup is in progress;
// they never show up in a listing.
constexpr std::string_view strTempPrefix = ".panelsim-";

inline char FoldCase(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// A name is one entry of the card folder: not empty, no folder separator of
// either family, not "." or "..", no control bytes, at most 255 bytes.
inline bool IsSafeCardName(std::string_view strName)
{
    if (strName.empty() || strName.size() > 255 || strName == "." || strName == "..")
        return false;
    for (char c : strName)
    {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F)
            return false;
    }
    return true;
}

inline bool IsTempName(std::string_view strName)
{
    return strName.substr(0, strTempPrefix.size()) == strTempPrefix;
}

// Plain wildcard match: '*' any run of characters, '?' exactly one; letters
// compared without regard to case (ASCII).
inline bool MatchWildcards(std::string_view strPattern, std::string_view strName)
{
    size_t p = 0, n = 0;
    size_t nStarP = std::string_view::npos, nStarN = 0;
    while (n < strName.size())
    {
        if (p < strPattern.size() && strPattern[p] == '*')
        {
            nStarP = p++;
            nStarN = n;
        }
        else if (p < strPattern.size() &&
                 (strPattern[p] == '?' || FoldCase(strPattern[p]) == FoldCase(strName[n])))
        {
            ++p;
            ++n;
        }
        else if (nStarP != std::string_view::npos)
        {
            p = nStarP + 1;
            n = ++nStarN;
        }
        else
            return false;
    }
    while (p < strPattern.size() && strPattern[p] == '*')
        ++p;
    return p == strPattern.size();
}

// FAT card matching: the empty pattern and "*.*" match every name, with or
// without a dot; a pattern ending in ".*" also matches names without an
// extension ("4122*.*" matches "41225A07"); a pattern ending in a single "."
// matches names without any dot ("*." lists the extension-less names).
inline bool MatchFatPattern(std::string_view strPattern, std::string_view strName)
{
    if (strPattern.empty() || strPattern == "*.*" || strPattern == "*")
        return true;
    if (MatchWildcards(strPattern, strName))
        return true;
    const size_t nLen = strPattern.size();
    if (nLen >= 2 && strPattern.substr(nLen - 2) == ".*" &&
        strName.find('.') == std::string_view::npos)
        return MatchWildcards(strPattern.substr(0, nLen - 2), strName);
    if (strPattern.back() == '.' && strName.find('.') == std::string_view::npos)
        return MatchWildcards(strPattern.substr(0, nLen - 1), strName);
    return false;
}

// NAME.CSV -> NAME.BAK: the last extension replaced by .BAK (appended when
// the name has none; a leading dot is not an extension).
inline std::string BackupNameFor(const std::string& strName)
{
    const size_t nDot = strName.rfind('.');
    if (nDot == std::string::npos || nDot == 0)
        return strName + ".BAK";
    return strName.substr(0, nDot) + ".BAK";
}

inline bool HasCsvExtension(std::string_view strName)
{
    const size_t nDot = strName.rfind('.');
    if (nDot == std::string_view::npos || nDot == 0)
        return false;
    const std::string_view strExt = strName.substr(nDot + 1);
    return strExt.size() == 3 && FoldCase(strExt[0]) == 'c' && FoldCase(strExt[1]) == 's' &&
           FoldCase(strExt[2]) == 'v';
}
} // namespace CardNames
