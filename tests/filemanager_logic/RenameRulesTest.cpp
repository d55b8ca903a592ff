// The rename rules: short names, forbidden characters, and the verdicts with
// their messages in the order they are checked.
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
    table.Add({"DATA1.CSV", "120", CDateTime()});
    table.Add({"LOGS", "<DIR>", CDateTime()});
    table.Add({"VERYLONGNAME.CSV", "10", CDateTime()});
    const char* EXISTS = "File alredy exists.\nEnter a different file name.";
    const char* INVALID = "Invalid File name.\nGive different name.";
    const struct
    {
        const char* pszName;
        const char* pszMessage; // empty: accepted
        EPromptIcon eIcon;
    } arrCases[] = {
        {"", "Enter a file name.", EPromptIcon::None},
        // Any entry counts, in any letter case, and before the name's own checks.
        {"data1.csv", EXISTS, EPromptIcon::Stop},
        {"logs", EXISTS, EPromptIcon::Stop},
        {"verylongname.csv", EXISTS, EPromptIcon::Stop},
        {"ABCDEFGHI.CSV", INVALID, EPromptIcon::Stop},
        {"NEW|.CSV", INVALID, EPromptIcon::Stop},
        {"DATA1.CS", "", EPromptIcon::None},
    };
    for (const auto& c : arrCases)
    {
        const SRenameVerdict verdict = CheckRenameName(c.pszName, &table);
        EXPECT_EQ(verdict.bAccepted, *c.pszMessage == '\0') << c.pszName;
        EXPECT_EQ(verdict.strMessage, c.pszMessage) << c.pszName;
        if (!verdict.bAccepted)
        {
            EXPECT_EQ(verdict.eIcon, c.eIcon) << c.pszName;
        }
    }
    EXPECT_TRUE(CheckRenameName("NEW.CSV", nullptr).bAccepted);
}

// The local tree's order: without regard to case, compared in lower case
// ('_' before the letters), equal texts keeping their order.
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
