#include "viewer/LoadWindow.h"
#include "ViewerTestSupport.h"

#include <gtest/gtest.h>
#include <set>

namespace
{
SReadSpan Trim(const SLoadWindow& window, const std::set<uint32_t>& setCached)
{
    return TrimCachedEnds(window, [&](uint32_t n) { return setCached.count(n) != 0; });
}

void ExpectWindow(const SLoadWindow& window, uint32_t nStart, uint32_t nSize)
{
    EXPECT_EQ(nStart, window.nStart);
    EXPECT_EQ(nSize, window.nSize);
}
} // namespace

TEST(LoadWindow, PlacementPerMode)
{
    // A file no longer than the window starts at 1 whatever the mode.
    ExpectWindow(PlaceLoadWindow(LoadLast, 0, 7, 10), 1, 10);
    ExpectWindow(PlaceLoadWindow(LoadFrom, 5, 10, 10), 1, 10);
    ExpectWindow(PlaceLoadWindow(LoadFirst, 0, 0, 10), 1, 10);

    ExpectWindow(PlaceLoadWindow(LoadFirst, 0, 100, 10), 1, 10);
    ExpectWindow(PlaceLoadWindow(LoadLast, 0, 100, 10), 91, 10);
    ExpectWindow(PlaceLoadWindow(LoadAll, 0, 100, 10), 1, 100);
    ExpectWindow(PlaceLoadWindow(LoadAll, 0, 0, 10), 1, 0);

    ExpectWindow(PlaceLoadWindow(LoadFrom, 0, 100, 10), 1, 10);
    ExpectWindow(PlaceLoadWindow(LoadFrom, 46, 100, 5), 46, 5);
    ExpectWindow(PlaceLoadWindow(LoadFrom, 95, 100, 5), 95, 5);  // ends exactly at the last
    ExpectWindow(PlaceLoadWindow(LoadFrom, 97, 100, 5), 96, 5);  // pulled back to fit
    ExpectWindow(PlaceLoadWindow(LoadFrom, 100, 100, 5), 96, 5); // index at the end: as Last
    ExpectWindow(PlaceLoadWindow(LoadFrom, 500, 100, 5), 96, 5);
}

TEST(LoadWindow, CachedEndsAreSkipped)
{
    // 91 to 100 cached, Last 10 again: nothing to read.
    std::set<uint32_t> setCached;
    for (uint32_t n = 91; n <= 100; ++n)
        setCached.insert(n);
    EXPECT_EQ(0u, Trim({91, 10}, setCached).Count());

    // 95 to 100 cached, Last 10: only 91 to 94.
    setCached.clear();
    for (uint32_t n = 95; n <= 100; ++n)
        setCached.insert(n);
    SReadSpan span = Trim({91, 10}, setCached);
    EXPECT_EQ(91u, span.nFirst);
    EXPECT_EQ(95u, span.nEnd);

    // 1 to 3 and 8 to 10 cached, First 10 of 50: 4 to 7.
    setCached = {1, 2, 3, 8, 9, 10};
    span = Trim({1, 10}, setCached);
    EXPECT_EQ(4u, span.nFirst);
    EXPECT_EQ(8u, span.nEnd);

    // A gap inside is read again as a whole.
    setCached = {1, 5, 10};
    span = Trim({1, 10}, setCached);
    EXPECT_EQ(2u, span.nFirst);
    EXPECT_EQ(10u, span.nEnd);

    // Nothing cached: the whole window.
    span = Trim({46, 5}, {});
    EXPECT_EQ(46u, span.nFirst);
    EXPECT_EQ(5u, span.Count());
}

// The runs themselves are compared with the reference model's; here the
// highest indices and a cache emptied before the next update.
TEST(RecordSetText, LastIndicesAndEmptiedCache)
{
    CHandLog hand;
    CDataLogFile& log = hand.Log();
    for (uint32_t n : {5u, 4294967294u, 4294967295u})
        hand.Add(n, {"04/12/26", "08:00:00", "1", "on"});
    log.UpdateRecordSetText();
    EXPECT_EQ("(5) & (4294967294 - 4294967295)", log.GetRecordSetText());
    log.EmptyCache();
    EXPECT_EQ("", log.GetRecordSetText());
    EXPECT_EQ("", log.m_strRecordSet);
}
