#include "LoadWindow.h"

SLoadWindow PlaceLoadWindow(LoadMode eMode, uint32_t nIndex, uint32_t nCount, uint32_t nWindowSize)
{
    SLoadWindow window;
    window.nSize = eMode == LoadAll ? nCount : nWindowSize;
    const uint32_t nLastStart = nCount - window.nSize + 1; // used only when nCount > nSize
    if (nCount <= window.nSize)
        window.nStart = 1;
    else if (eMode == LoadLast)
        window.nStart = nLastStart;
    else if (eMode == LoadFrom)
    {
        if (nIndex < 1)
            window.nStart = 1;
        else if (nIndex >= nCount)
            window.nStart = nLastStart;
        else
        {
            window.nStart = nIndex;
            if (static_cast<uint64_t>(window.nStart) + window.nSize > nCount)
                window.nStart = nLastStart;
        }
    }
    else
        window.nStart = 1;
    return window;
}

SReadSpan TrimCachedEnds(const SLoadWindow& window, const std::function<bool(uint32_t)>& fnIsCached)
{
    SReadSpan span;
    span.nFirst = window.nStart;
    const uint64_t nWindowEnd = static_cast<uint64_t>(window.nStart) + window.nSize;
    span.nEnd = static_cast<uint32_t>(nWindowEnd > UINT32_MAX ? UINT32_MAX : nWindowEnd);
    uint32_t nSkipped = 0;
    while (span.nFirst < span.nEnd && fnIsCached(span.nFirst))
    {
        ++span.nFirst;
        ++nSkipped;
    }
    if (nSkipped == window.nSize)
        return span;
    for (uint32_t k = span.nEnd; k > window.nStart && fnIsCached(k - 1); --k)
        span.nEnd = k - 1;
    return span;
}
