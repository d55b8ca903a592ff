#pragma once
// Where a load of the record cache reads: the window placed in the file for a
// load mode, and the part of it that is left after the cached records at both
// of its ends are skipped. Pure arithmetic, so every case can be shown alone.
#include <cstdint>
#include <functional>

enum LoadMode
{
    LoadFirst,
    LoadLast,
    LoadFrom,
    LoadAll,
};

struct SLoadWindow
{
    uint32_t nStart = 1; // first index of the window
    uint32_t nSize = 0;  // records in the window (the record count for LoadAll)
};

// nCount is the file's record count, nWindowSize the current window size.
SLoadWindow PlaceLoadWindow(LoadMode eMode, uint32_t nIndex, uint32_t nCount, uint32_t nWindowSize);

struct SReadSpan
{
    uint32_t nFirst = 0; // first index to read
    uint32_t nEnd = 0;   // one past the last index to read
    uint32_t Count() const { return nEnd > nFirst ? nEnd - nFirst : 0; }
};

// The window less the cached records at its start and at its end. Gaps inside
// are not examined: everything between the first and the last missing index
// is read again (the cache keeps the records it already has).
SReadSpan TrimCachedEnds(const SLoadWindow& window,
                         const std::function<bool(uint32_t)>& fnIsCached);
