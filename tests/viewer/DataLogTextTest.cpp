// A record's text: its fields, its date and time.
#include "ViewerTestSupport.h"

#include <gtest/gtest.h>

using Fields = std::vector<std::string>;

TEST(RecordText, FieldsSplitAndTimesParsedAndShown)
{
    const std::pair<const char*, Fields> arrCases[] = {
        {"04/12/26,08:00:00,  21.5,  on\r", {"04/12/26", "08:00:00", "21.5", "on"}},
        {" Date, Time ,\tTemp\n", {"Date", "Time", "Temp"}},
        {"a,b,", {"a", "b"}}, // no empty last field
        {",,x", {"", "", "x"}},
        {"", {}},
        {"  \r", {""}}, // characters since the last comma form a field
        {"\"2,5\"", {"2,5"}},
        {"a,\"say \"\"hi\"\"\",b", {"a", "say \"hi\"", "b"}},
        {"ab\"x y\",z", {"x y", "z"}},     // text before the opening quote is dropped
        {"\"q\"r,,z", {"q", "", "", "z"}}, // the one character after the closing quote is skipped
        {"\"q\"rz", {"q", "z"}},
        {"a,\"b\"\"c", {"a", "b\"\"c"}}, // unterminated: as it stands, pairs not replaced
        {"\" padded \"", {"padded"}},
    };
    for (const auto& [pszLine, arrExpected] : arrCases)
    {
        Fields arrFields = {"stale"}; // replaced, not added to
        EXPECT_EQ(static_cast<int>(arrExpected.size()), SplitCsvFields(pszLine, arrFields));
        EXPECT_EQ(arrExpected, arrFields) << pszLine;
    }

    // Date, time, the milliseconds flag they set and the text shown.
    const std::tuple<const char*, const char*, bool, const char*> arrTimes[] = {
        {"04/12/26", "08:00:10", false, "Sun, Apr 12, 2026, 08:00:10"},
        {"4/12/2026", "08:00:10:500", true, "Sun, Apr 12, 2026, 08:00:10:500"},
        {"12/04/2026", "15:26:16:7:99", true, "Fri, Dec 04, 2026, 15:26:16:007"}, // past 4th
        {"1/1/126", "0:0:0", false, "Tue, Jan 01, 126, 00:00:00"}, // years as written
        {"02/31/2026", "25:61:00", false, "Invalid DateTime"},
        {"02/31/2026", "01:00:00:7", true, "Invalid DateTime:007"},
        {"04-12-2026", "08:00:00", false, "Invalid DateTime"},
        {"04/12/2026", "08:00", false, "Invalid DateTime"},
        {"1/2/3/4", "08:00:00", false, "Invalid DateTime"},
    };
    for (const auto& [pszDate, pszTime, bMilliseconds, pszText] : arrTimes)
    {
        bool bMs = !bMilliseconds;
        const Fields arrFields = {pszDate, pszTime, "x"};
        const SYSTEMTIME tm = ParseRecordTime(arrFields.data(), 3, bMs);
        EXPECT_EQ(bMilliseconds, bMs) << pszDate << " " << pszTime;
        EXPECT_EQ(pszText, FormatRecordTimeText(tm, bMs)) << pszDate << " " << pszTime;
    }
    bool bMs = true;
    const Fields arrTwo = {"04/12/2026", "08:00:00:5"};
    EXPECT_EQ(SYSTEMTIME(), ParseRecordTime(arrTwo.data(), 2, bMs)); // two fields only
    EXPECT_FALSE(bMs);
}
