// The user's part in a transfer and what goes wrong: auto folders and their
// question, the conflict choices, failed files, names that could leave the
// folder, read-only targets, and Move's deletion after a full success.
#include "TransferTestSupport.h"
#include "filemanager/logic/CopyMoveCommands.h"
#include "filemanager/logic/LocalFolderCheck.h"
#include "link/CPanelFileCommands.h"

#include <sys/fsuid.h>

TEST(TransferAutoFolders, DerivedFoldersAndTheRootFolderQuestion)
{
    const std::string strDay = "Year 2014/Month 12/Day 25";
    CTransferTestBench b;
    for (const char* pszName : {"41225A07.CSV", "90101107.CSV", "README.TXT", "ZZ.TXT"})
        b.m_dir.WriteFile(std::string("card/") + pszName, pszName);
    b.m_dir.WriteFile("local/" + strDay + "/earlier.csv", "kept");
    b.StartPanel(EFetchPath::MessageCodes);
    STransferRequest request = b.MakeRequest(b.Select());
    request.bAutoCreateFolders = true;
    // Yes: the odd name goes to the root folder; No: the transfer ends there,
    // with the status unchanged.
    b.m_prompt.QueueAnswer(EPromptAnswer::Yes);
    b.m_prompt.QueueAnswer(EPromptAnswer::No);
    EXPECT_FALSE(b.m_engine.Transfer(request));
    EXPECT_EQ("41225A07.CSV",
              b.m_dir.ReadFile("local/" + strDay + "/Line A/Batch 07/41225A07.CSV"));
    EXPECT_EQ("90101107.CSV",
              b.m_dir.ReadFile("local/Year 2019/Month 01/Day 01/Line 1/Batch 07/90101107.CSV"));
    EXPECT_EQ("kept", b.m_dir.ReadFile("local/" + strDay + "/earlier.csv"));
    EXPECT_EQ("README.TXT", b.m_dir.ReadFile("local/README.TXT"));
    EXPECT_FALSE(std::filesystem::exists(b.m_strRoot + "/ZZ.TXT"));
    std::vector<std::string> arrAsked;
    for (const std::string strName : {"README.TXT", "ZZ.TXT"})
        arrAsked.push_back("Unable to recognise file name format for '" + strName +
                           "'.\nDo you want to copy remote file ( " + strName +
                           " ) to Root Folder ( " + b.m_strRoot + " )?");
    EXPECT_EQ(arrAsked, b.m_prompt.Texts());
    EXPECT_EQ(EPromptIcon::Question, b.m_prompt.Shown()[0].eIcon);
    EXPECT_NE(std::string::npos, b.m_display.m_strLastTransferText.find("Status: Sucess"));
    EXPECT_EQ(1, b.m_engine.GetCounts().nNotAttempted);
}

// Each dialog starts from the last confirmed choice; Esc skips one file and
// changes nothing; Rename always asks again; an applied Skip skips silently.
TEST(TransferConflicts, EveryChoiceAndWhatTheNextDialogStartsFrom)
{
    CTransferTestBench b;
    for (const char* pszName : {"A.CSV", "B.CSV", "C.CSV", "D.TXT", "E.CSV", "F.CSV"})
    {
        b.m_dir.WriteFile(std::string("card/") + pszName, std::string("new ") + pszName);
        b.m_dir.WriteFile(std::string("local/") + pszName, "old");
    }
    b.m_dir.WriteFile("local/D.TXT.CSV", "old");
    b.StartPanel(EFetchPath::MessageCodes);
    b.m_resolver.m_arrAnswers = {
        {true, EConflictAction::Skip, false, ""},            // A: Esc skips A only
        {false, EConflictAction::Overwrite, false, ""},      // B: Overwrite
        {false, EConflictAction::Rename, true, "C2.CSV"},    // C: Rename, apply checked
        {false, EConflictAction::Rename, true, "D new.txt"}, // D: Rename asks again
        {false, EConflictAction::Skip, true, ""},            // E: Skip for the rest
    };
    STransferRequest request = b.MakeRequest(b.Select());
    request.bAutoAddCsvExt = true;
    ASSERT_TRUE(b.m_engine.Transfer(request));

    const std::vector<SConflictRequest>& arrAsked = b.m_resolver.m_arrAsked;
    ASSERT_EQ(5u, arrAsked.size());
    EXPECT_EQ("A.CSV", arrAsked[0].strFileName);
    EXPECT_EQ("9", arrAsked[0].strSize);
    EXPECT_EQ(b.m_strRoot, arrAsked[0].strFolder);
    EXPECT_EQ(b.m_strRoot + "/A.CSV", arrAsked[0].strTarget);
    EXPECT_FALSE(arrAsked[0].bApplyToNext);
    const EConflictAction arrStartAction[] = {EConflictAction::Skip, EConflictAction::Skip,
                                              EConflictAction::Overwrite, EConflictAction::Rename,
                                              EConflictAction::Rename};
    for (size_t i = 0; i < arrAsked.size(); ++i)
        EXPECT_EQ(arrStartAction[i], arrAsked[i].eAction) << i;
    EXPECT_TRUE(arrAsked[3].bApplyToNext);
    EXPECT_EQ(b.m_strRoot + "/D.TXT.CSV", arrAsked[3].strTarget);
    for (const char* pszName : {"A.CSV", "C.CSV", "D.TXT.CSV", "E.CSV", "F.CSV"})
        EXPECT_EQ("old", b.m_dir.ReadFile(std::string("local/") + pszName)) << pszName;
    EXPECT_EQ("new B.CSV", b.m_dir.ReadFile("local/B.CSV"));
    EXPECT_EQ("new C.CSV", b.m_dir.ReadFile("local/C2.CSV"));
    EXPECT_EQ("new D.TXT", b.m_dir.ReadFile("local/D new.txt")); // no ".CSV" after a new name
    EXPECT_EQ(3, b.m_engine.GetCounts().nCopied);
    EXPECT_EQ(3, b.m_engine.GetCounts().nSkipped);
    EXPECT_NE(std::string::npos, b.m_display.m_strLastTransferText.find("Status: Sucess"));
}

// A file the panel fails to deliver ends the transfer, by either fetch path.
TEST(TransferFailures, AFailedFetchEndsTheTransfer)
{
    const struct
    {
        EFetchPath ePath;
        std::vector<std::string> arrArgs;
        const char* pszFirstLine;  // the link's reason
        const char* pszSecondLine; // the file's failure line (by TFTP both in one box)
    } arrCases[] = {
        {EFetchPath::MessageCodes,
         {"--fail-after", "143:0=3"},
         "File System Error.\nUnable to read file A.CSV",
         "Error in copying file.\nCould not copy the remote file A.CSV to the Local Computer."},
        {EFetchPath::Tftp,
         {"--tftp-error", "1:File not found"},
         "#1:File not found",
         "\nError in copying A.CSV"},
    };
    for (const auto& c : arrCases)
    {
        CTransferTestBench b;
        b.m_dir.WriteFile("card/A.CSV", PatternBytes(2000));
        b.m_dir.WriteFile("card/B.CSV", "b");
        b.m_dir.WriteFile("local/A.CSV", "old");
        b.StartPanel(c.ePath, c.arrArgs);
        b.m_resolver.m_arrAnswers.push_back({false, EConflictAction::Overwrite, false, ""});
        EXPECT_FALSE(b.m_engine.Transfer(b.MakeRequest(b.Select())));
        EXPECT_EQ(std::vector<std::string>{"A.CSV"}, FolderNames(b.m_strRoot));
        EXPECT_EQ("old", b.m_dir.ReadFile("local/A.CSV"));
        const std::vector<std::string> arrTexts = b.m_prompt.Texts();
        ASSERT_EQ(2u, arrTexts.size()) << c.pszFirstLine;
        EXPECT_EQ(0u, arrTexts[0].rfind(c.pszFirstLine, 0)) << arrTexts[0];
        EXPECT_NE(std::string::npos, (arrTexts[0] + arrTexts[1]).find(c.pszSecondLine));
        EXPECT_EQ(EPromptIcon::Stop, b.m_prompt.Shown()[0].eIcon);
        EXPECT_EQ(ETransferStatus::Failed, b.m_engine.GetLastOutcome());
        EXPECT_EQ(1, b.m_engine.GetCounts().nNotAttempted);
    }
}

TEST(TransferFailures, UnsafeRemoteNamesAreRefusedAsFailedFiles)
{
    CTransferTestBench b;
    b.m_dir.WriteFile("card/A1.CSV", "1");
    b.m_dir.WriteFile("card/" + std::string("BAD\x01.CSV"), "bad");
    b.m_dir.WriteFile("card/C2.CSV", "2");
    b.StartPanel(EFetchPath::MessageCodes);
    EXPECT_FALSE(b.m_engine.Transfer(b.MakeRequest(b.Select())));
    EXPECT_EQ(std::vector<std::string>{"A1.CSV"}, FolderNames(b.m_strRoot));
    EXPECT_EQ((std::vector<std::string>{
                  "The remote file name 'BAD\\x01.CSV' cannot be used on the Local Computer: it "
                  "holds a control character.",
                  FailedText("BAD\\x01.CSV")}),
              b.m_prompt.Texts());
    // Names a panel might deliver with separators or as folder names never
    // reach the disk, whatever the preferences.
    for (const std::string strName : {"../OUT.CSV", "..\\OUT.CSV", "sub/OUT.CSV", ".."})
    {
        b.m_prompt.Clear();
        STransferRequest request = b.MakeRequest({{strName, "10", {}}});
        request.bAutoCreateFolders = true;
        EXPECT_FALSE(b.m_engine.Transfer(request));
        ASSERT_EQ(2u, b.m_prompt.Shown().size()) << strName;
        EXPECT_NE(std::string::npos, b.m_prompt.Shown()[0].strText.find("'" + strName + "'"));
    }
    // A replaceable conflict resolver cannot lead the copy out of the folder either.
    b.m_resolver.m_arrAnswers.push_back({false, EConflictAction::Rename, false, "../OUT.CSV"});
    EXPECT_FALSE(b.m_engine.Transfer(b.MakeRequest(b.Select({"A1.CSV"}))));
    EXPECT_EQ((std::vector<std::string>{"card", "local", "systemp"}), FolderNames(b.m_dir.Str()));
    EXPECT_EQ(std::vector<std::string>{"A1.CSV"}, FolderNames(b.m_strRoot));
}

// A read-only target folder keeps the old target; going on after failed
// files (read-only targets) keeps every failed file's reason, not only the
// last one's, and a later success does not clear them.
TEST(TransferFailures, ReadOnlyTargetsStayAndEveryReasonIsKept)
{
    CTransferTestBench b;
    b.m_dir.WriteFile("card/A.CSV", PatternBytes(3000));
    b.m_dir.WriteFile("local/A.CSV", "old");
    b.StartPanel(EFetchPath::MessageCodes);
    b.m_resolver.m_arrAnswers.push_back({false, EConflictAction::Overwrite, false, ""});
    ::chmod(b.m_dir.Str().c_str(), 0755);
    ::chmod(b.m_strTemp.c_str(), 0777);
    ::chmod(b.m_strRoot.c_str(), 0555);
    // File access is checked as an unprivileged user, so that the folder
    // stays read-only for a test run as root.
    const bool bRoot = ::geteuid() == 0;
    if (bRoot)
        ::setfsuid(65534), ::setfsgid(65534);
    const bool bResult = b.m_engine.Transfer(b.MakeRequest(b.Select()));
    if (bRoot)
        ::setfsuid(0), ::setfsgid(0);
    EXPECT_FALSE(bResult);
    EXPECT_EQ("old", b.m_dir.ReadFile("local/A.CSV"));
    EXPECT_EQ(std::vector<std::string>{"A.CSV"}, FolderNames(b.m_strRoot));
    EXPECT_EQ(std::vector<std::string>{FailedText("A.CSV")}, b.m_prompt.Texts());
    EXPECT_NE(std::string::npos, b.m_engine.GetLastLocalError().find("Permission denied"));

    ::chmod(b.m_strRoot.c_str(), 0755);
    for (const char* pszName : {"B.CSV", "C.CSV", "D.CSV"})
        b.m_dir.WriteFile(std::string("card/") + pszName, "new");
    b.m_dir.WriteFile("local/C.CSV", "old");
    for (const char* pszName : {"/A.CSV", "/C.CSV"})
        ::chmod((b.m_strRoot + pszName).c_str(), 0444);
    b.m_resolver.m_arrAnswers.push_back({false, EConflictAction::Overwrite, true, ""});
    STransferRequest request = b.MakeRequest(b.Select());
    request.bKeepGoing = true;
    EXPECT_FALSE(b.m_engine.Transfer(request));
    EXPECT_EQ(2, b.m_engine.GetCounts().nCopied);
    EXPECT_EQ(2, b.m_engine.GetCounts().nFailed);
    EXPECT_EQ(0, b.m_engine.GetCounts().nNotAttempted);
    EXPECT_EQ("old", b.m_dir.ReadFile("local/A.CSV"));
    EXPECT_EQ("new", b.m_dir.ReadFile("local/D.CSV"));
    EXPECT_EQ(b.m_strRoot + "/A.CSV: Permission denied\n" + b.m_strRoot +
                  "/C.CSV: Permission denied",
              b.m_engine.GetLastLocalError());
}

TEST(TransferMove, DeletesOnlyAfterFullSuccessAndOnlyWhatWasCopied)
{
    CTransferTestBench b;
    for (const char* pszName : {"A.CSV", "B.CSV", "C.CSV"})
        b.m_dir.WriteFile(std::string("card/") + pszName, "x");
    b.m_dir.WriteFile("card/EMPTY.DAT", "");
    b.m_dir.WriteFile("local/B.CSV", "local B");
    b.StartPanel(EFetchPath::MessageCodes);
    const STransferRequest request = b.MakeRequest(b.Select());
    std::vector<std::string> arrDeleted;
    auto deleteFiles = [&](const std::vector<std::string>& arrNames)
    {
        arrDeleted = arrNames;
        CCommInterface comm(request.strPanelAddress, request.nPanelPort);
        CPanelFileCommands files(&comm);
        EXPECT_TRUE(files.Delete(arrNames)) << files.GetErrors();
    };
    // B is skipped at its conflict, so it stays on the panel.
    b.m_resolver.m_arrAnswers.push_back({false, EConflictAction::Skip, false, ""});
    EXPECT_TRUE(RunMove(b.m_engine, request, deleteFiles));
    EXPECT_EQ((std::vector<std::string>{"A.CSV", "C.CSV"}), arrDeleted);
    EXPECT_EQ((std::vector<std::string>{"B.CSV", "EMPTY.DAT"}), FolderNames(b.m_strCard));
    EXPECT_EQ("local B", b.m_dir.ReadFile("local/B.CSV"));
    EXPECT_TRUE(b.m_prompt.Shown().empty());

    // A failed transfer deletes nothing, not even the files copied before it.
    CTransferTestBench f;
    f.m_dir.WriteFile("card/A.CSV", "a");
    f.m_dir.WriteFile("card/B.CSV", PatternBytes(1000));
    f.StartPanel(EFetchPath::MessageCodes, {"--fail-after", "143:0=2"});
    bool bDeleteCalled = false;
    EXPECT_FALSE(RunMove(f.m_engine, f.MakeRequest(f.Select()),
                         [&](const std::vector<std::string>&) { bDeleteCalled = true; }));
    EXPECT_FALSE(bDeleteCalled);
    EXPECT_EQ((std::vector<std::string>{"A.CSV", "B.CSV"}), FolderNames(f.m_strCard));
    EXPECT_EQ("a", f.m_dir.ReadFile("local/A.CSV"));
    ASSERT_FALSE(f.m_prompt.Shown().empty());
    EXPECT_EQ("Error in copying files. Hence did not perform any delete operation.",
              f.m_prompt.Shown().back().strText);
    EXPECT_EQ(EPromptIcon::Stop, f.m_prompt.Shown().back().eIcon);
}

TEST(TransferMove, CopyAndMoveQuestions)
{
    CScriptedPrompt prompt;
    CScopedPrompt scoped(prompt);
    CTempDir dir;
    EXPECT_EQ(ECopyMoveStart::NoSelection, ConfirmCopy(0, dir.Str()));
    EXPECT_EQ(ECopyMoveStart::NoSelection, ConfirmMove(0, dir.Str()));
    prompt.QueueAnswer(EPromptAnswer::No);
    EXPECT_EQ(ECopyMoveStart::Declined, ConfirmCopy(2, dir.Str()));
    EXPECT_EQ(ECopyMoveStart::Confirmed, ConfirmMove(1, dir.Str()));
    EXPECT_EQ((std::vector<std::string>{
                  "Select remote panel file(s) to copy.", "Select remote panel file(s) to move.",
                  "Copy selected remote panel file(s) to Local Computer?",
                  "This copies the selected Remote Panel files to the Local Computer and then "
                  "deletes the files from the Remote Panel.\nMove the selected remote panel "
                  "file(s) to Local Computer?"}),
              prompt.Texts());
    EXPECT_EQ(EPromptIcon::Question, prompt.Shown()[3].eIcon);
    // No usable local folder (the remembered one is gone, so the folder box
    // is empty): the user is told to choose one, and nobody is asked.
    for (const std::string& strBad : {std::string(), dir.Str() + "/gone"})
    {
        prompt.Clear();
        EXPECT_EQ(ECopyMoveStart::NoLocalFolder, ConfirmCopy(1, strBad)) << strBad;
        EXPECT_EQ(ECopyMoveStart::NoLocalFolder, ConfirmMove(3, strBad)) << strBad;
        EXPECT_EQ((std::vector<std::string>{NO_LOCAL_FOLDER_TEXT, NO_LOCAL_FOLDER_TEXT}),
                  prompt.Texts());
    }
}
