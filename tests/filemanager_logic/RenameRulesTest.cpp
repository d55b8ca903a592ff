#include "filemanager/logic/RenameRules.h"
#include "link/CDirData.h"

#include <gtest/gtest.h>

namespace
{
TEST(RenameRules, ShortNameLengthAndFirstDot)
{
    EXPECT_TRUE(IsValidShortName("ABCDEFGH.CSV"));   // dot at position 8
    EXPECT_FALSE(IsValidShortName("ABCDEFGHI.CSV")); // 13 characters, dot at 9
    EXPECT_FALSE(IsValidShortName("ABCDEFGHI.CS"));  // 12 characters, but the dot at 9
    EXPECT_TRUE(IsValidShortName("README"));
    EXPECT_TRUE(IsValidShortName("A.B.C"));        // only the first dot counts
    EXPECT_TRUE(IsValidShortName("ABCDEFGHIJKL")); // 12 characters without a dot
    EXPECT_FALSE(IsValidShortName("ABCDEFGHIJKLM"));
    EXPECT_FALSE(IsValidShortName("ABCDEFGH.CSVX"));
    EXPECT_FALSE(IsValidShortName(""));
    EXPECT_TRUE(IsValidShortName(".CSV"));
}

TEST(RenameRules, EveryForbiddenCharacterIsRefusedAndNoOther)
{
    const std::string strForbidden = "\"*+,/:;<=>?[\\]|";
    EXPECT_EQ(std::string(ForbiddenFileNameChars()), strForbidden);
    for (int nCode = 1; nCode < 256; ++nCode)
    {
        const char c = static_cast<char>(nCode);
        const std::string strName = std::string("AB") + c + "D.CSV";
        const bool bForbidden = strForbidden.find(c) != std::string::npos;
        EXPECT_EQ(HasForbiddenFileNameChar(strName), bForbidden) << nCode;
        EXPECT_EQ(IsValidShortName(strName), !bForbidden) << nCode;
    }
}

CDirData MakeTable()
{
    CDirData table;
    table.Add({"DATA1.CSV", "120", CDateTime()});
    table.Add({"LOGS", "<DIR>", CDateTime()});
    table.Add({"EMPTY.TXT", "0", CDateTime()});
    return table;
}

TEST(RenameRules, VerdictsInTheirOrder)
{
    const CDirData table = MakeTable();

    SRenameVerdict verdict = CheckRenameName("", &table);
    EXPECT_FALSE(verdict.bAccepted);
    EXPECT_EQ(verdict.strMessage, "Enter a file name.");
    EXPECT_EQ(verdict.eIcon, EPromptIcon::None);

    // Any entry counts, in any letter case: files, folders and the file itself.
    for (const char* pszName : {"data1.csv", "DATA1.CSV", "logs", "Empty.Txt"})
    {
        verdict = CheckRenameName(pszName, &table);
        EXPECT_FALSE(verdict.bAccepted) << pszName;
        EXPECT_EQ(verdict.strMessage, "File alredy exists.\nEnter a different file name.");
        EXPECT_EQ(verdict.eIcon, EPromptIcon::Stop);
    }

    for (const char* pszName : {"ABCDEFGHI.CSV", "A*B.CSV", "NEW|.CSV"})
    {
        verdict = CheckRenameName(pszName, &table);
        EXPECT_FALSE(verdict.bAccepted) << pszName;
        EXPECT_EQ(verdict.strMessage, "Invalid File name.\nGive different name.");
        EXPECT_EQ(verdict.eIcon, EPromptIcon::Stop);
    }

    for (const char* pszName : {"ABCDEFGH.CSV", "README", "A.B.C", "DATA1.CS"})
    {
        verdict = CheckRenameName(pszName, &table);
        EXPECT_TRUE(verdict.bAccepted) << pszName;
        EXPECT_TRUE(verdict.strMessage.empty());
    }
}

TEST(RenameRules, ExistingNameIsReportedBeforeAnInvalidOne)
{
    CDirData table;
    table.Add({"VERYLONGNAME.CSV", "10", CDateTime()});
    EXPECT_EQ(CheckRenameName("verylongname.csv", &table).strMessage,
              "File alredy exists.\nEnter a different file name.");
    EXPECT_TRUE(CheckRenameName("NEW.CSV", nullptr).bAccepted);
}
} // namespace
