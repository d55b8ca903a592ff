// The card's name rules, checked directly on the simulator's header-only
// helpers: FAT wildcard matching, safe names, backup names.
#include "../../tools/panelsim/CardNames.h"

#include <gtest/gtest.h>

using namespace CardNames;

TEST(SimCardNames, FatPatternTable)
{
    struct CCase
    {
        const char* m_pszPattern;
        const char* m_pszName;
        bool m_bMatch;
    };
    const CCase arrCases[] = {
        {"*.*", "41225A07.CSV", true},
        {"*.*", "NOEXT", true},
        {"*.*", "a.b.c", true},
        {"", "ANYTHING", true},
        {"*", "x.y", true},
        {"*.CSV", "41225A07.CSV", true},
        {"*.CSV", "41225a07.csv", true},
        {"*.csv", "41225A07.CSV", true},
        {"*.CSV", "41225A07.CSV.BAK", false},
        {"*.CSV", "41225A07.CSVX", false},
        {"*.CSV", "CSV", false},
        {"4122?A07.CSV", "41225A07.CSV", true},
        {"4122?A07.CSV", "4122A07.CSV", false},
        {"????????.CSV", "41225A07.CSV", true},
        {"????????.CSV", "1225A07.CSV", false},
        {"4*7.c?v", "41225A07.CSV", true},
        {"*A0*", "41225A07.CSV", true},
        {"*B0*", "41225A07.CSV", false},
        {"4122*.*", "41225A07", true},
        {"*.", "NOEXT", true},
        {"*.", "HAS.EXT", false},
        {"README.TXT", "readme.txt", true},
        {"README.TXT", "README.TX", false},
        {"**.CSV", "A.CSV", true},
    };
    for (const CCase& c : arrCases)
        EXPECT_EQ(c.m_bMatch, MatchFatPattern(c.m_pszPattern, c.m_pszName))
            << "'" << c.m_pszPattern << "' vs '" << c.m_pszName << "'";
}

TEST(SimCardNames, OnlySingleNamesInsideTheFolderAreSafe)
{
    for (const char* pszName : {"A.CSV", "name with blanks.txt", ".hidden", "..a", "a..b"})
        EXPECT_TRUE(IsSafeCardName(pszName)) << pszName;
    for (const char* pszName : {"", ".", "..", "../A.CSV", "..\\A.CSV", "SUB/A.CSV", "/etc/passwd",
                                "C:\\A.CSV", "tab\there", "bell\a"})
        EXPECT_FALSE(IsSafeCardName(pszName)) << pszName;
    EXPECT_FALSE(IsSafeCardName(std::string(256, 'x')));
    EXPECT_TRUE(IsSafeCardName(std::string(255, 'x')));
}

TEST(SimCardNames, BackupReplacesTheLastExtension)
{
    EXPECT_EQ("41225A07.BAK", BackupNameFor("41225A07.CSV"));
    EXPECT_EQ("a.b.BAK", BackupNameFor("a.b.csv"));
    EXPECT_EQ("NOEXT.BAK", BackupNameFor("NOEXT"));
    EXPECT_EQ(".profile.BAK", BackupNameFor(".profile"));
    EXPECT_TRUE(HasCsvExtension("x.csv"));
    EXPECT_TRUE(HasCsvExtension("X.CsV"));
    EXPECT_FALSE(HasCsvExtension("x.csv.bak"));
    EXPECT_FALSE(HasCsvExtension(".csv"));
}
