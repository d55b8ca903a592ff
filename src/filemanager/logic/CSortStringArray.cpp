#include "CSortStringArray.h"

#include <algorithm>
#include <cctype>

int CSortStringArray::CompareNoCase(const std::string& a, const std::string& b)
{
    const size_t nCommon = std::min(a.size(), b.size());
    for (size_t i = 0; i < nCommon; ++i)
    {
        const int nA = std::tolower(static_cast<unsigned char>(a[i]));
        const int nB = std::tolower(static_cast<unsigned char>(b[i]));
        if (nA != nB)
            return nA - nB;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

void CSortStringArray::Sort()
{
    // Swapping neighbours only when one is strictly greater never reorders
    // equal texts; a stable sort gives exactly that order in n log n.
    std::stable_sort(begin(), end(),
                     [](const std::string& a, const std::string& b)
                     { return CompareNoCase(a, b) < 0; });
}
