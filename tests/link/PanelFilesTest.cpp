// The family-neutral file calls pick the connected panel's command family:
// each row's simulator fails every request of the family its panel must not
// be sent, so a call that chose wrongly fails.
#include "LinkTestSupport.h"

#include <gtest/gtest.h>

TEST(PanelFilesTest, NeutralCallsUseThePanelsOwnFamily)
{
    const std::string NO_BACKUP = "Error: This panel cannot back up CSV files.";
    const struct
    {
        const char* pszPanel;
        std::vector<std::string> arrArgs;
        bool bCanBackup;
    } arrCases[] = {
        {"file commands", {"--type", "186", "--fail", "128=24"}, true},
        // Card commands for the files; backups are file commands on every panel.
        {"card commands, backups",
         {"--type", "161", "--fail", "143:6=24", "--fail", "143:13=24", "--fail", "143:14=24"},
         true},
        {"card commands", {"--type", "80", "--fail", "143=24"}, false},
    };
    for (const auto& c : arrCases)
    {
        SCOPED_TRACE(c.pszPanel);
        CSimPanel panel;
        panel.Card().WriteFile("A.CSV", "a\n");
        panel.Card().WriteFile("B.CSV", "b\n");
        panel.Card().WriteFile("C.TXT", "c\n");
        panel.Start(c.arrArgs);
        SLinkOperation op(panel.Port());
        ASSERT_TRUE(op.pComm->ReadPanelInfo());

        CDirData list;
        ASSERT_TRUE(op.files.ListFiles(list, "*.*")) << op.files.GetErrors();
        EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"A.CSV", "B.CSV", "C.TXT"}));
        EXPECT_TRUE(op.files.Rename("C.TXT", "D.TXT")) << op.files.GetErrors();
        EXPECT_TRUE(panel.CardHas("D.TXT"));
        EXPECT_TRUE(op.files.Delete({"D.TXT"})) << op.files.GetErrors();
        EXPECT_FALSE(panel.CardHas("D.TXT"));

        EXPECT_EQ(op.files.Backup({"A.CSV"}), c.bCanBackup);
        EXPECT_EQ(panel.CardHas("A.BAK"), c.bCanBackup);
        EXPECT_EQ(op.files.BackupAll(), c.bCanBackup);
        EXPECT_EQ(panel.CardHas("B.BAK"), c.bCanBackup);
        EXPECT_EQ(op.files.GetErrors(), c.bCanBackup ? "" : NO_BACKUP + "\n" + NO_BACKUP);
    }
}
