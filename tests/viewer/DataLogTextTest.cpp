#include "viewer/DataLogText.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace
{
std::vector<std::string> Split(const std::string& strLine)
{
    std::vector<std::string> arrFields = {"stale"};
    const int nCount = SplitCsvFields(strLine, arrFields);
    EXPECT_EQ(static_cast<size_t>(nCount), arrFields.size());
    return arrFields;
}

using Fields = std::vector<std::string>;

SYSTEMTIME Parse(const Fields& arrFields, bool& bHasMilliseconds)
{
    return ParseRecordTime(arrFields.data(), arrFields.size(), bHasMilliseconds);
}
} // namespace

TEST(SplitCsvLine, CommasBlanksAndLineEnds)
{
    EXPECT_EQ((Fields{"04/12/26", "08:00:00", "21.5", "on"}),
              Split("04/12/26,08:00:00,  21.5,  on\r"));
    EXPECT_EQ((Fields{"Date", "Time", "Temp"}), Split(" Date, Time ,\tTemp\n"));
    EXPECT_EQ((Fields{"a", "b"}), Split("a,b,")); // no empty last field
    EXPECT_EQ((Fields{"", "a"}), Split(",a"));    // empty first field
    EXPECT_EQ((Fields{"", "", "x"}), Split(",,x"));
    EXPECT_EQ(Fields{}, Split(""));
    EXPECT_EQ(Fields{""}, Split("  \r")); // characters since the last comma form a field
}

TEST(SplitCsvLine, QuotedFields)
{
    EXPECT_EQ((Fields{"2,5"}), Split("\"2,5\""));
    EXPECT_EQ((Fields{"a", "say \"hi\"", "b"}), Split("a,\"say \"\"hi\"\"\",b"));
    // Text of the field before the opening quote is dropped.
    EXPECT_EQ((Fields{"x y", "z"}), Split("ab\"x y\",z"));
    // The one character after the closing quote is skipped, whatever it is.
    EXPECT_EQ((Fields{"q", "", "", "z"}), Split("\"q\"r,,z"));
    EXPECT_EQ((Fields{"q", "z"}), Split("\"q\"rz"));
    // Unterminated: the text as it stands, pairs not replaced.
    EXPECT_EQ((Fields{"a", "b\"\"c"}), Split("a,\"b\"\"c"));
    // Quoted fields are trimmed too.
    EXPECT_EQ((Fields{"padded"}), Split("\" padded \""));
}

TEST(SplitCsvLine, ScratchFormKeepsCapacityAndCounts)
{
    std::vector<std::string> arrScratch(5, "old");
    EXPECT_EQ(2, SplitCsvFieldsInto("x,y", arrScratch));
    EXPECT_EQ("x", arrScratch[0]);
    EXPECT_EQ("y", arrScratch[1]);
    EXPECT_EQ(5u, arrScratch.size());
    EXPECT_EQ(7, SplitCsvFieldsInto("1,2,3,4,5,6,7", arrScratch));
    EXPECT_EQ("7", arrScratch[6]);
}

TEST(SplitString, EveryDelimiterEndsAPiece)
{
    std::vector<std::string> arrPieces = {"stale"};
    EXPECT_EQ(3, SplitAtDelimiter("a\nb\n", "\n", arrPieces));
    EXPECT_EQ((Fields{"a", "b", ""}), arrPieces);
    EXPECT_EQ(1, SplitAtDelimiter("", "/", arrPieces));
    EXPECT_EQ(3, SplitAtDelimiter("1::2", ":", arrPieces));
    EXPECT_EQ(2, SplitAtDelimiter("a<>b", "<>", arrPieces));
    EXPECT_EQ("b", arrPieces[1]);
}

TEST(RecordTime, DatesTimesAndMilliseconds)
{
    bool bMs = true;
    SYSTEMTIME tm = Parse({"04/12/26", "08:00:10", "1"}, bMs);
    EXPECT_FALSE(bMs);
    EXPECT_EQ(2026, tm.wYear);
    EXPECT_EQ(4, tm.wMonth);
    EXPECT_EQ(12, tm.wDay);
    EXPECT_EQ(8, tm.wHour);
    EXPECT_EQ(10, tm.wSecond);
    EXPECT_EQ(0, tm.wDayOfWeek); // 12 April 2026 is a Sunday

    tm = Parse({"4/12/2026", "08:00:10:500", "1"}, bMs);
    EXPECT_TRUE(bMs);
    EXPECT_EQ(2026, tm.wYear);
    EXPECT_EQ(500, tm.wMilliseconds);

    // Parts past the fourth are ignored.
    tm = Parse({"12/04/2026", "15:26:16:7:99", "x"}, bMs);
    EXPECT_EQ(7, tm.wMilliseconds);
    EXPECT_EQ(5, tm.wDayOfWeek);

    // Three-character and one-character years are taken as written.
    EXPECT_EQ(126, Parse({"1/1/126", "0:0:0", "x"}, bMs).wYear);
    EXPECT_EQ(7, Parse({"1/1/7", "0:0:0", "x"}, bMs).wYear);
}

TEST(RecordTime, UnsplittableTimesStayEmpty)
{
    bool bMs = true;
    const SYSTEMTIME tmEmpty;
    EXPECT_EQ(tmEmpty, Parse({"04-12-2026", "08:00:00", "1"}, bMs));
    EXPECT_EQ(tmEmpty, Parse({"04/12/2026", "08:00", "1"}, bMs));
    EXPECT_EQ(tmEmpty, Parse({"04/12/2026", "08:00:00:5"}, bMs)); // two fields only
    EXPECT_FALSE(bMs);
    EXPECT_EQ(tmEmpty, Parse({"1/2/3/4", "08:00:00", "1"}, bMs));
    // Impossible values are kept as read; only the day of week stays unset.
    const SYSTEMTIME tm = Parse({"02/31/2026", "25:61:00", "1"}, bMs);
    EXPECT_EQ(31, tm.wDay);
    EXPECT_EQ(25, tm.wHour);
    EXPECT_EQ(0, tm.wDayOfWeek);
    EXPECT_EQ(0, Parse({"ab/cd/ef", "x:y:z", "1"}, bMs).wMonth);
}

TEST(RecordTime, DisplayText)
{
    SYSTEMTIME tm;
    tm.wYear = 2026;
    tm.wMonth = 12;
    tm.wDay = 4;
    tm.wHour = 15;
    tm.wMinute = 26;
    tm.wSecond = 16;
    tm.wMilliseconds = 7;
    EXPECT_EQ("Fri, Dec 04, 2026, 15:26:16", FormatRecordTimeText(tm, false));
    EXPECT_EQ("Fri, Dec 04, 2026, 15:26:16:007", FormatRecordTimeText(tm, true));
    tm.wDay = 31;
    tm.wMonth = 2;
    EXPECT_EQ("Invalid DateTime", FormatRecordTimeText(tm, false));
    EXPECT_EQ("Invalid DateTime:007", FormatRecordTimeText(tm, true));
    EXPECT_EQ("Invalid DateTime", FormatRecordTimeText(SYSTEMTIME(), false));
}

TEST(RecordTime, OrderIsFieldByFieldWithMilliseconds)
{
    bool bMs = false;
    const SYSTEMTIME a = Parse({"04/12/26", "08:00:10:500", "1"}, bMs);
    const SYSTEMTIME b = Parse({"04/12/26", "08:00:10:501", "1"}, bMs);
    const SYSTEMTIME c = Parse({"04/13/26", "00:00:00", "1"}, bMs);
    EXPECT_LT(CompareRecordTimes(a, b), 0);
    EXPECT_GT(CompareRecordTimes(c, b), 0);
    EXPECT_EQ(0, CompareRecordTimes(a, a));
    SYSTEMTIME d = a;
    d.wDayOfWeek = 3; // not part of the order
    EXPECT_EQ(0, CompareRecordTimes(a, d));
}

TEST(DataLogText, LeadingNumberReadsAsAtofDoes)
{
    std::vector<std::string> arrTexts;
    SplitAtDelimiter("21.5|-3|007|0|-0|5.|.5|+4|1e3|abc|| 5|0x1A|1.2.3|inf|nan|-|.|0.1|2x|"
                     "123456789012345|1234567890123456|0.30000000000000004|"
                     "99999999999999999999|-12.75|1-2",
                     "|", arrTexts);
    for (const std::string& strText : arrTexts)
    {
        const double dExpected = std::atof(strText.c_str());
        const double dRead = ReadLeadingNumber(strText, IsDecimalPointDot());
        // Bit for bit: the sign of a zero and NaN included.
        EXPECT_EQ(0, std::memcmp(&dExpected, &dRead, sizeof(double))) << strText;
    }
}

TEST(DataLogText, TimeFormatterWritesWhatFormatRecordTimeTextWrites)
{
    CRecordTimeFormatter formatter;
    const std::vector<std::string> arrTimes = {
        "04/12/26,08:00:00", "04/12/26,08:00:01:7", "04/12/26,08:00:00",       "04/13/26,23:59:59",
        "02/30/26,08:00:00", "04/12/26,25:00:00",   "12/31/1899,00:00:00:999", "04/12/26,08:00"};
    for (const std::string& strLine : arrTimes)
    {
        std::vector<std::string> arrFields;
        SplitCsvFields(strLine + ",x", arrFields);
        bool bMilliseconds = false;
        const SYSTEMTIME tm = ParseRecordTime(arrFields.data(), arrFields.size(), bMilliseconds);
        for (const bool bWith : {bMilliseconds, !bMilliseconds})
        {
            std::string strOut = "prefix";
            formatter.Append(tm, bWith, strOut);
            EXPECT_EQ("prefix" + FormatRecordTimeText(tm, bWith), strOut) << strLine;
        }
    }
}

TEST(DataLogText, PlainSplitIsTheCsvSplitOfLinesWithoutQuotes)
{
    for (const char* pszLine :
         {"a,b,", ",a", " a , b ,c", "", ",", "a,,b", "  ", "a, ", "x\ty,z\r"})
    {
        std::vector<std::string> arrExpected;
        SplitCsvFields(pszLine, arrExpected);
        std::string_view arrViews[8];
        const int nCount = SplitPlainCsvFields(pszLine, arrViews, 8);
        ASSERT_EQ(static_cast<int>(arrExpected.size()), nCount) << pszLine;
        for (int i = 0; i < nCount; ++i)
            EXPECT_EQ(arrExpected[static_cast<size_t>(i)], arrViews[i]) << pszLine;
    }
    std::string_view arrViews[2];
    EXPECT_EQ(-1, SplitPlainCsvFields("a,\"b\"", arrViews, 2));
    EXPECT_EQ(3, SplitPlainCsvFields("a,b,c", arrViews, 2)); // counts past the room
}
