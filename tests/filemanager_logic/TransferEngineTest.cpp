// The transfer engine against the panel simulator.
#include "TransferTestSupport.h"
#include "filemanager/logic/LocalFolderCheck.h"

#include <csignal>
#include <sys/resource.h>

struct TransferPaths : ::testing::TestWithParam<EFetchPath>
{
    CTransferTestBench b;
};

TEST_P(TransferPaths, SeveralFilesArriveWholeAndTheDisplayFollows)
{
    // The second ends in an empty TFTP block.
    const std::pair<const char*, size_t> arrFiles[] = {
        {"41225A07.CSV", 5000}, {"90101107.CSV", 3 * 512}, {"README.TXT", 600}};
    for (const auto& [pszName, nSize] : arrFiles)
        b.m_dir.WriteFile(std::string("card/") + pszName, PatternBytes(nSize, nSize));
    b.m_dir.WriteFile("card/EMPTY.DAT", "");
    b.m_dir.WriteFile("card/LOGS/inner.csv", "x");
    b.StartPanel(GetParam());
    b.m_fnOnStep = [&](int) { EXPECT_EQ(0u, b.m_strLastTransferText.rfind("Start Time: ", 0)); };
    ASSERT_TRUE(b.m_engine.Transfer(b.Request()));

    EXPECT_EQ(FolderNames(b.m_strRoot), (Names{"41225A07.CSV", "90101107.CSV", "README.TXT"}));
    for (const auto& [pszName, nSize] : arrFiles)
        EXPECT_EQ(PatternBytes(nSize, nSize), b.Read(std::string("local/") + pszName));
    // Folders and empty files are passed over silently, but they count as rows.
    EXPECT_EQ((Names{"started: 5", "Tranferring files 1 of 5...  ", "Tranferring 41225A07.CSV...",
                     "Tranferring files 2 of 5...  ", "Tranferring 90101107.CSV...",
                     "Tranferring files 5 of 5...  ", "Tranferring README.TXT...",
                     "rows done: " + b.m_strRoot, "finished: 0"}),
              b.m_arrEvents);
    EXPECT_EQ(100, b.m_nMaxPercent);
    EXPECT_EQ(b.Counts(), (std::vector<int>{3, 0, 2, 0, 0}));
    EXPECT_TRUE(b.m_prompt.Shown().empty());
    EXPECT_EQ(b.m_strLastTransferText, b.m_engine.GetLastTransferText());
    std::string strShape = b.m_strLastTransferText; // every digit a 9
    std::replace_if(
        strShape.begin(), strShape.end(), [](char c) { return c >= '0' && c <= '9'; }, '9');
    EXPECT_EQ(strShape, "Start Time: 99:99:99\n End Time: 99:99:99\n   Status: Sucess");
    EXPECT_EQ(ETransferStatus::Ok, b.m_engine.GetStatus());
}

TEST_P(TransferPaths, AFullDiskMidwayLeavesTheOldTargetIntact)
{
    b.m_dir.WriteFile("card/BIG.CSV", PatternBytes(200000, 6));
    b.m_dir.WriteFile("local/BIG.CSV", "the old copy");
    b.StartPanel(GetParam());
    b.m_arrAnswers.push_back({EConflictAction::Overwrite});
    // Once the whole file is fetched, the disk "fills": no file may grow past 64 KB.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limitOld{};
    getrlimit(RLIMIT_FSIZE, &limitOld);
    const rlimit limitSmall = {65536, limitOld.rlim_max};
    b.m_fnOnStep = [&](int)
    {
        if (b.m_nBytes == 200000)
            setrlimit(RLIMIT_FSIZE, &limitSmall);
    };
    const bool bResult = b.m_engine.Transfer(b.Request({"BIG.CSV"}));
    setrlimit(RLIMIT_FSIZE, &limitOld);

    EXPECT_FALSE(bResult);
    EXPECT_EQ("started: 1", b.m_arrEvents.front()); // a single selected file
    EXPECT_EQ(Names{"BIG.CSV=the old copy"}, b.Contents("local"));
    // By blocks the last buffered write finds the disk full; by TFTP the final copy.
    Names arrExpected = {FailedText("BIG.CSV")};
    if (GetParam() == EFetchPath::MessageCodes)
        arrExpected.insert(arrExpected.begin(), "fwrite error.");
    else
        EXPECT_NE(std::string::npos, b.m_engine.GetLastLocalError().find("File too large"));
    EXPECT_EQ(arrExpected, b.m_prompt.Texts());
    EXPECT_EQ(ETransferStatus::Failed, b.m_engine.GetLastOutcome());
    EXPECT_TRUE(b.EndedWith("Failed"));
}

INSTANTIATE_TEST_SUITE_P(BothFetchPaths, TransferPaths,
                         ::testing::Values(EFetchPath::MessageCodes, EFetchPath::Tftp),
                         [](const auto& info)
                         { return info.param == EFetchPath::Tftp ? "Tftp" : "MessageCodes"; });

// Without a local folder nothing is written anywhere (not into the working
// directory, not below "/"); one gone midway fails the file that needs it.
TEST(TransferLocalFolder, NoFolderWritesNothingAndAFolderGoneMidwayFailsTheFile)
{
    CTransferTestBench b;
    b.m_dir.WriteFile("card/A.CSV", PatternBytes(3000, 8));
    b.Write({"card/41225A07.CSV"});
    b.StartPanel(EFetchPath::MessageCodes);
    const std::filesystem::path oldWorkDir = std::filesystem::current_path();
    std::filesystem::current_path(b.m_strRoot);
    STransferRequest request = b.Request({"A.CSV"});
    request.strRootFolder.clear();
    EXPECT_FALSE(b.m_engine.Transfer(request));
    std::filesystem::current_path(oldWorkDir);
    EXPECT_TRUE(FolderNames(b.m_strRoot).empty());
    EXPECT_EQ(Names{NO_LOCAL_FOLDER_TEXT}, b.m_prompt.Texts());
    EXPECT_EQ(0, b.m_nSteps);
    EXPECT_EQ(ETransferStatus::Failed, b.m_engine.GetLastOutcome());

    // The folder is removed while the first file is on its way.
    request = b.Request({"A.CSV", "41225A07.CSV"});
    request.strRootFolder = b.m_strRoot + "/dest";
    std::filesystem::create_directory(request.strRootFolder);
    b.m_prompt.Clear();
    b.m_fnOnStep = [&](int nStep)
    {
        if (nStep == 1)
            std::filesystem::remove_all(request.strRootFolder);
    };
    EXPECT_FALSE(b.m_engine.Transfer(request));
    EXPECT_EQ(Names{FailedText("A.CSV")}, b.m_prompt.Texts());
    EXPECT_TRUE(FolderNames(b.m_strRoot).empty());
    EXPECT_EQ(b.Counts(), (std::vector<int>{0, 0, 0, 1, 1}));
}
