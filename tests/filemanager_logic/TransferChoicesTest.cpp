// The user's part in a transfer and what goes wrong.
#include "TransferTestSupport.h"
#include "filemanager/logic/CopyMoveCommands.h"

#include <sys/fsuid.h>

TEST(TransferAutoFolders, DerivedFoldersAndTheRootFolderQuestion)
{
    const std::string strDay = "local/Year 2014/Month 12/Day 25";
    CTransferTestBench b;
    b.Write({"card/41225A07.CSV", "card/90101107.CSV", "card/README.TXT", "card/ZZ.TXT"});
    b.m_dir.WriteFile(strDay + "/earlier.csv", "kept");
    b.StartPanel(EFetchPath::MessageCodes);
    STransferRequest request = b.Request();
    request.bAutoCreateFolders = true;
    // Yes: the odd name goes to the root folder; No ends the transfer as a success.
    b.m_prompt.QueueAnswer(EPromptAnswer::Yes);
    b.m_prompt.QueueAnswer(EPromptAnswer::No);
    EXPECT_FALSE(b.m_engine.Transfer(request));
    for (const std::string& strPath :
         Names{strDay + "/Line A/Batch 07/41225A07.CSV",
               "local/Year 2019/Month 01/Day 01/Line 1/Batch 07/90101107.CSV", "local/README.TXT"})
        EXPECT_EQ(strPath.substr(strPath.rfind('/') + 1), b.Read(strPath));
    EXPECT_EQ("kept", b.Read(strDay + "/earlier.csv"));
    EXPECT_FALSE(std::filesystem::exists(b.m_strRoot + "/ZZ.TXT"));
    Names arrAsked;
    for (const std::string strName : {"README.TXT", "ZZ.TXT"})
        arrAsked.push_back("Unable to recognise file name format for '" + strName +
                           "'.\nDo you want to copy remote file ( " + strName +
                           " ) to Root Folder ( " + b.m_strRoot + " )?");
    EXPECT_EQ(arrAsked, b.m_prompt.Texts());
    EXPECT_EQ(EPromptIcon::Question, b.m_prompt.Shown()[0].eIcon);
    EXPECT_TRUE(b.EndedWith("Sucess"));
    EXPECT_EQ(b.Counts(), (std::vector<int>{3, 0, 0, 0, 1}));
}

// Each dialog starts from the last confirmed choice; Esc changes nothing.
TEST(TransferConflicts, EveryChoiceAndWhatTheNextDialogStartsFrom)
{
    CTransferTestBench b;
    for (const std::string strName : {"A.CSV", "B.CSV", "C.CSV", "D.TXT", "E.CSV", "F.CSV"})
        b.Write({"card/" + strName}, "new "), b.m_dir.WriteFile("local/" + strName, "old");
    b.m_dir.WriteFile("local/D.TXT.CSV", "old");
    b.StartPanel(EFetchPath::MessageCodes);
    b.m_arrAnswers = {
        {EConflictAction::Skip, false, "", true},     // A: Esc skips A only
        {EConflictAction::Overwrite},                 // B: Overwrite
        {EConflictAction::Rename, true, "C2.CSV"},    // C: Rename, apply checked
        {EConflictAction::Rename, true, "D new.txt"}, // D: Rename asks again
        {EConflictAction::Skip, true},                // E: Skip for the rest
    };
    STransferRequest request = b.Request();
    request.bAutoAddCsvExt = true;
    ASSERT_TRUE(b.m_engine.Transfer(request));

    // Name, size, target and the action and check box the dialog starts from.
    Names arrAsked;
    for (const SConflictRequest& r : b.m_arrAsked)
    {
        EXPECT_EQ(b.m_strRoot, r.strFolder);
        arrAsked.push_back(
            r.strFileName + " " + r.strSize + " " + r.strTarget.substr(b.m_strRoot.size()) + " " +
            std::to_string(static_cast<int>(r.eAction)) + " " + (r.bApplyToNext ? "apply" : "-"));
    }
    EXPECT_EQ(arrAsked, (Names{"A.CSV 9 /A.CSV 0 -", "B.CSV 9 /B.CSV 0 -", "C.CSV 9 /C.CSV 1 -",
                               "D.TXT 9 /D.TXT.CSV 2 apply", "E.CSV 9 /E.CSV 2 apply"}));
    // No ".CSV" after a new name.
    EXPECT_EQ(b.Contents("local"), (Names{"A.CSV=old", "B.CSV=new B.CSV", "C.CSV=old",
                                          "C2.CSV=new C.CSV", "D new.txt=new D.TXT", "D.TXT=old",
                                          "D.TXT.CSV=old", "E.CSV=old", "F.CSV=old"}));
    EXPECT_EQ(b.Counts(), (std::vector<int>{3, 3, 0, 0, 0}));
    EXPECT_TRUE(b.EndedWith("Sucess"));
}

TEST(TransferFailures, UnsafeRemoteNamesAreRefusedAsFailedFiles)
{
    CTransferTestBench b;
    b.Write({"card/A1.CSV", "card/BAD\x01.CSV", "card/C2.CSV"});
    b.StartPanel(EFetchPath::MessageCodes);
    EXPECT_FALSE(b.m_engine.Transfer(b.Request()));
    EXPECT_EQ(Names{"A1.CSV"}, FolderNames(b.m_strRoot));
    EXPECT_EQ((Names{"The remote file name 'BAD\\x01.CSV' cannot be used on the Local Computer: "
                     "it holds a control character.",
                     FailedText("BAD\\x01.CSV")}),
              b.m_prompt.Texts());
    // A name that could leave the folder never reaches the disk, whatever the preferences.
    STransferRequest request = b.Request();
    request.arrSelected = {{"../OUT.CSV", "10", {}}}, request.bAutoCreateFolders = true;
    EXPECT_FALSE(b.m_engine.Transfer(request));
    EXPECT_EQ(FailedText("../OUT.CSV"), b.m_prompt.Texts().back());
    // A replaceable conflict resolver cannot lead the copy out of the folder either.
    b.m_arrAnswers.push_back({EConflictAction::Rename, false, "../OUT.CSV"});
    EXPECT_FALSE(b.m_engine.Transfer(b.Request({"A1.CSV"})));
    EXPECT_EQ((Names{"card", "local", "systemp"}), FolderNames(b.m_dir.Str()));
    EXPECT_EQ(Names{"A1.CSV"}, FolderNames(b.m_strRoot));
}

// Going on after failed files keeps every failed file's reason, not only the last.
TEST(TransferFailures, ReadOnlyTargetsStayAndEveryReasonIsKept)
{
    CTransferTestBench b;
    b.m_dir.WriteFile("card/A.CSV", PatternBytes(3000));
    b.m_dir.WriteFile("local/A.CSV", "old");
    b.StartPanel(EFetchPath::MessageCodes);
    b.m_arrAnswers.push_back({EConflictAction::Overwrite});
    ::chmod(b.m_dir.Str().c_str(), 0755);
    ::chmod(b.m_strTemp.c_str(), 0777);
    ::chmod(b.m_strRoot.c_str(), 0555);
    // As nobody, so that the folder stays read-only for root too (no effect unless root).
    ::setfsuid(65534), ::setfsgid(65534);
    const bool bResult = b.m_engine.Transfer(b.Request());
    ::setfsuid(0), ::setfsgid(0);
    EXPECT_FALSE(bResult);
    EXPECT_EQ(Names{"A.CSV=old"}, b.Contents("local"));
    EXPECT_EQ(Names{FailedText("A.CSV")}, b.m_prompt.Texts());
    EXPECT_NE(std::string::npos, b.m_engine.GetLastLocalError().find("Permission denied"));

    ::chmod(b.m_strRoot.c_str(), 0755);
    b.Write({"card/B.CSV", "card/C.CSV", "card/D.CSV"}, "new ");
    b.m_dir.WriteFile("local/C.CSV", "old");
    for (const char* pszName : {"/A.CSV", "/C.CSV"})
        ::chmod((b.m_strRoot + pszName).c_str(), 0444);
    b.m_arrAnswers.push_back({EConflictAction::Overwrite, true});
    STransferRequest request = b.Request();
    request.bKeepGoing = true;
    EXPECT_FALSE(b.m_engine.Transfer(request));
    EXPECT_EQ(b.Counts(), (std::vector<int>{2, 0, 0, 2, 0}));
    EXPECT_EQ(b.Contents("local"),
              (Names{"A.CSV=old", "B.CSV=new B.CSV", "C.CSV=old", "D.CSV=new D.CSV"}));
    EXPECT_EQ(b.m_strRoot + "/A.CSV: Permission denied\n" + b.m_strRoot +
                  "/C.CSV: Permission denied",
              b.m_engine.GetLastLocalError());
}

TEST(TransferMove, DeletesOnlyAfterFullSuccessAndOnlyWhatWasCopied)
{
    CTransferTestBench b;
    b.Write({"card/A.CSV", "card/B.CSV", "card/C.CSV"});
    b.m_dir.WriteFile("card/EMPTY.DAT", "");
    b.m_dir.WriteFile("local/B.CSV", "local B");
    b.StartPanel(EFetchPath::MessageCodes);
    // B is skipped at its conflict and the empty file left out, so both stay on the panel.
    b.m_arrAnswers.push_back({EConflictAction::Skip});
    Names arrDeleted;
    EXPECT_TRUE(
        RunMove(b.m_engine, b.Request(), [&](const Names& arrNames) { arrDeleted = arrNames; }));
    EXPECT_EQ((Names{"A.CSV", "C.CSV"}), arrDeleted);
    EXPECT_EQ("local B", b.Read("local/B.CSV"));
    EXPECT_TRUE(b.m_prompt.Shown().empty());

    // A failed transfer deletes nothing, not even the files copied before it.
    CTransferTestBench f;
    f.m_dir.WriteFile("card/A.CSV", "a");
    f.m_dir.WriteFile("card/B.CSV", PatternBytes(1000));
    f.StartPanel(EFetchPath::MessageCodes, {"--fail-after", "143:0=2"});
    bool bDeleteCalled = false;
    EXPECT_FALSE(RunMove(f.m_engine, f.Request(), [&](const Names&) { bDeleteCalled = true; }));
    EXPECT_FALSE(bDeleteCalled);
    EXPECT_EQ(Names{"A.CSV=a"}, f.Contents("local"));
    ASSERT_FALSE(f.m_prompt.Shown().empty());
    EXPECT_EQ("Error in copying files. Hence did not perform any delete operation.",
              f.m_prompt.Shown().back().strText);
    EXPECT_EQ(EPromptIcon::Stop, f.m_prompt.Shown().back().eIcon);
}
