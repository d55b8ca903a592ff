// The demo card's sample files. (The growing data log is read as it grows by
// the viewer's tests.)
#include "SimRawClient.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

namespace
{
struct CLogShape
{
    size_t m_nRecord = 0; // record bytes with the line feed
    size_t m_nRecords = 0;
    std::string m_strEnding;
};

// Checks the data-log format and returns its shape: a header "Date,Time,..."
// with at least one tag, then whole records all of one length, each a date,
// a time and one blank-padded value per tag.
CLogShape CheckDataLog(const std::string& strText)
{
    CLogShape shape;
    const size_t nHeaderEnd = strText.find('\n');
    const std::string strHeader = strText.substr(0, nHeaderEnd);
    EXPECT_EQ(0u, strHeader.rfind("Date,Time,", 0)) << strHeader;
    const long nTags = std::count(strHeader.begin(), strHeader.end(), ',') - 1;
    EXPECT_GE(nTags, 1);
    shape.m_strEnding = strHeader.back() == '\r' ? "\r\n" : "\n";
    const std::regex record("\\d\\d/\\d\\d/\\d\\d,\\d\\d:\\d\\d:\\d\\d(, *[-0-9.a-z]+){" +
                            std::to_string(nTags) + "}" + (shape.m_strEnding == "\n" ? "" : "\r"));
    for (size_t nStart = nHeaderEnd + 1; nStart < strText.size() && !::testing::Test::HasFailure();)
    {
        const size_t nEnd = strText.find('\n', nStart);
        EXPECT_NE(std::string::npos, nEnd) << "partial record at the end";
        const std::string strLine = strText.substr(nStart, nEnd - nStart);
        shape.m_nRecord = shape.m_nRecord ? shape.m_nRecord : strLine.size() + 1;
        EXPECT_EQ(shape.m_nRecord, strLine.size() + 1) << "record " << shape.m_nRecords + 1;
        EXPECT_TRUE(std::regex_match(strLine, record)) << strLine;
        ++shape.m_nRecords;
        nStart = nEnd + 1;
    }
    return shape;
}
} // namespace

TEST(SimDemoCard, SampleFilesAreValidDataLogsAndFriends)
{
    CTempDir temp;
    temp.WriteFile("new/demo/41225A07.CSV", "stale content");
    temp.WriteFile("new/demo/MINE.TXT", "kept");
    CSimulatorProcess sim({"--demo-card", temp.Str() + "/new/demo"});

    const std::tuple<const char*, size_t, const char*> arrLogs[] = {
        {"41225A07.CSV", 500, "\r\n"},
        {"90101107.CSV", 50, "\n"},
        {"41226B01.CSV", 20000, nullptr},
        {"LOGS/41224C03.CSV", 20, nullptr}};
    for (const auto& [pszName, nRecords, pszEnding] : arrLogs)
    {
        const CLogShape shape = CheckDataLog(temp.ReadFile(std::string("new/demo/") + pszName));
        EXPECT_EQ(nRecords, shape.m_nRecords) << pszName;
        EXPECT_TRUE(!pszEnding || shape.m_strEnding == pszEnding) << pszName;
    }
    const std::string strFirst = temp.ReadFile("new/demo/41225A07.CSV");
    EXPECT_EQ("12/25/14,08:00:00,", strFirst.substr(strFirst.find('\n') + 1, 18));
    EXPECT_FALSE(temp.ReadFile("new/demo/README.TXT").empty());
    EXPECT_EQ(0u, std::filesystem::file_size(temp.Path() / "new/demo/EMPTY.DAT"));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(temp.Path() / "new/demo/LOGS"),
                               std::filesystem::directory_iterator()));
    EXPECT_EQ("kept", temp.ReadFile("new/demo/MINE.TXT"));

    // And it is what the simulator serves.
    CSimRawLink link(sim.Port());
    ASSERT_EQ(0, link.File(WithName(CBytes{3, 0}, "41226B01.CSV")).m_nResult);
    const CSimReply size = link.File(CBytes{2, 0, 0, 0, 0, 1});
    EXPECT_EQ(std::filesystem::file_size(temp.Path() / "new/demo/41226B01.CSV"),
              size.m_arrPayload.at(1) | size.m_arrPayload.at(2) << 8 |
                  size.m_arrPayload.at(3) << 16);
}
