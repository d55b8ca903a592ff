#include "panels/CNameIpRec.h"

#include <gtest/gtest.h>

namespace
{
CNameIpRec Parsed(const std::string& strLine, bool* pbResult = nullptr)
{
    CNameIpRec rec;
    const bool bResult = rec.ParseLine(strLine);
    if (pbResult)
        *pbResult = bResult;
    return rec;
}

void ExpectAddress(const CNameIpRec& rec, int b0, int b1, int b2, int b3)
{
    EXPECT_EQ(rec.m_IPAddress[0], b0);
    EXPECT_EQ(rec.m_IPAddress[1], b1);
    EXPECT_EQ(rec.m_IPAddress[2], b2);
    EXPECT_EQ(rec.m_IPAddress[3], b3);
}
} // namespace

TEST(NameIpRec, DefaultsResetAndCopy)
{
    CNameIpRec rec("Line 3", 192, 168, 1, 20, 502);
    EXPECT_EQ(rec.GetIPText(), "192.168.1.20");
    CNameIpRec copy;
    copy.CopyFrom(rec);
    EXPECT_EQ(copy.m_strName, "Line 3");
    EXPECT_EQ(copy.GetIPText(), "192.168.1.20");
    EXPECT_EQ(copy.m_nPort, 502);

    rec.ResetToDefault();
    EXPECT_EQ(rec.m_strName, "");
    EXPECT_TRUE(rec.IsBlankAddress());
    EXPECT_EQ(rec.m_nPort, 10001);
    EXPECT_EQ(CNameIpRec().GetIPText(), "0.0.0.0");
}

TEST(NameIpRec, SamePanelIgnoresNameCaseOnly)
{
    const CNameIpRec rec("Press Line", 10, 0, 0, 7, 10001);
    EXPECT_TRUE(rec.IsSamePanel(CNameIpRec("PRESS line", 10, 0, 0, 7, 10001)));
    EXPECT_FALSE(rec.IsSamePanel(CNameIpRec("Press Line ", 10, 0, 0, 7, 10001)));
    EXPECT_FALSE(rec.IsSamePanel(CNameIpRec("Press Line", 10, 0, 0, 7, 10002)));
    for (int i = 0; i < 4; ++i)
    {
        CNameIpRec other(rec);
        other.m_IPAddress[i] ^= 1;
        EXPECT_FALSE(rec.IsSamePanel(other)) << "byte " << i;
    }
}

TEST(NameIpRec, ParseWellFormedAndLenientLines)
{
    bool bOk = false;
    CNameIpRec rec = Parsed("  Kiln 2 |10.1.2.3|502|", &bOk);
    EXPECT_TRUE(bOk);
    EXPECT_EQ(rec.m_strName, "  Kiln 2 ");
    ExpectAddress(rec, 10, 1, 2, 3);
    EXPECT_EQ(rec.m_nPort, 502);

    // Only two separators: the port is the remainder.
    rec = Parsed("Kiln|10.1.2.3|502", &bOk);
    EXPECT_TRUE(bOk);
    EXPECT_EQ(rec.m_nPort, 502);

    // Address bytes wrap modulo 256 and read like atoi; extra pieces ignored.
    rec = Parsed("x|300.1.2.3|1|", &bOk);
    EXPECT_TRUE(bOk);
    ExpectAddress(rec, 44, 1, 2, 3);
    rec = Parsed("x|-1. 7z.abc.99999999999999999999.5|12ab|anything|more");
    // 10^20 - 1 leaves 255 modulo 256, as a byte of that many digits wraps.
    ExpectAddress(rec, 255, 7, 0, 255);
    EXPECT_EQ(rec.m_nPort, 12);

    rec = Parsed("x|1.2.3.4|99999999999|");
    EXPECT_EQ(rec.m_nPort, 2147483647);
}

TEST(NameIpRec, ParseRejectsIncompleteLinesKeepingWhatWasSet)
{
    bool bOk = true;
    CNameIpRec rec = Parsed("", &bOk);
    EXPECT_FALSE(bOk);
    EXPECT_EQ(rec.FormatLine(), CNameIpRec().FormatLine());

    rec = Parsed("name only|1.2.3.4", &bOk);
    EXPECT_FALSE(bOk);
    EXPECT_EQ(rec.m_strName, "");

    // The name is taken before the address is found short.
    rec = Parsed("Short|1.2.3|77|", &bOk);
    EXPECT_FALSE(bOk);
    EXPECT_EQ(rec.m_strName, "Short");
    EXPECT_TRUE(rec.IsBlankAddress());
    EXPECT_EQ(rec.m_nPort, 10001);
}
