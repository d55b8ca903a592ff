// The rename rules: short names, forbidden characters, verdicts in their order.
#include "filemanager/logic/RenameRules.h"
#include "filemanager/logic/CSortStringArray.h"
#include "link/CDirData.h"

#include <gtest/gtest.h>

namespace
{
TEST(RenameRules, ShortNamesAndForbiddenCharacters)
{
    // At most eight characters before the first dot and twelve in all.
    for (const char* pszName : {"ABCDEFGH.CSV", "README", "A.B.C", "ABCDEFGHIJKL", ".CSV"})
        EXPECT_TRUE(IsValidShortName(pszName)) << pszName;
    for (const char* pszName :
         {"ABCDEFGHI.CSV", "ABCDEFGHI.CS", "ABCDEFGHIJKLM", "ABCDEFGH.CSVX", ""})
        EXPECT_FALSE(IsValidShortName(pszName)) << pszName;

    const std::string strForbidden = "\"*+,/:;<=>?[\\]|";
    for (int nCode = 1; nCode < 256; ++nCode)
    {
        const char c = static_cast<char>(nCode);
        const std::string strName = std::string("AB") + c + "D.CSV";
        const bool bForbidden = strForbidden.find(c) != std::string::npos;
        EXPECT_EQ(HasForbiddenFileNameChar(strName), bForbidden) << nCode;
        EXPECT_EQ(IsValidShortName(strName), !bForbidden) << nCode;
    }
}

TEST(RenameRules, VerdictsInTheirOrder)
{
    CDirData table;
    for (const char* pszName : {"DATA1.CSV", "LOGS", "VERYLONGNAME.CSV"})
        table.Add({pszName, "10", CDateTime()});
    const char* EXISTS = "File alredy exists.\nEnter a different file name.";
    const char* INVALID = "Invalid File name.\nGive different name.";
    // Any entry counts, in any letter case, and before the name's own checks.
    const std::pair<const char*, const char*> arrCases[] = {
        {"", "Enter a file name."}, {"data1.csv", EXISTS},
        {"logs", EXISTS},           {"verylongname.csv", EXISTS},
        {"ABCDEFGHI.CSV", INVALID}, {"NEW|.CSV", INVALID},
        {"DATA1.CS", ""},
    };
    for (const auto& [pszName, pszMessage] : arrCases)
    {
        const SRenameVerdict verdict = CheckRenameName(pszName, &table);
        EXPECT_EQ(verdict.bAccepted, *pszMessage == '\0') << pszName;
        EXPECT_EQ(verdict.strMessage, pszMessage) << pszName;
        EXPECT_TRUE(verdict.bAccepted ||
                    verdict.eIcon == (*pszName ? EPromptIcon::Stop : EPromptIcon::None))
            << pszName;
    }
    EXPECT_TRUE(CheckRenameName("NEW.CSV", nullptr).bAccepted);
}

// The local tree's order: in lower case ('_' first), equal texts keep their order.
TEST(SortStringArray, LowerCaseOrderKeepingEqualTexts)
{
    CSortStringArray arr;
    for (const char* psz : {"gamma", "DATA", "_tmp", "Beta", "data", "alpha", "Data"})
        arr.Add(psz);
    arr.Sort();
    EXPECT_EQ(arr,
              (std::vector<std::string>{"_tmp", "alpha", "Beta", "DATA", "data", "Data", "gamma"}));
    EXPECT_LT(CSortStringArray::CompareNoCase("ab", "ABC"), 0);
}
} // namespace
