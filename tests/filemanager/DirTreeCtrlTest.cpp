// The local folder tree: its order, expanders, paths, selection and requests.
#include "MainWindowTestSupport.h"
#include "filemanager/CDirTreeCtrl.h"

#include <filesystem>

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace
{
// Sub-folders in mixed case, one holding only a hidden file, an empty one, three files.
struct DirTreeCtrlTest : CQtTestBase
{
    void SetUp() override
    {
        for (const char* pszFolder : {"gamma/x", "Beta", "alpha/sub1", "empty"})
            fs::create_directories(m_temp.Path() / pszFolder);
        for (const char* pszFile : {"hiddenonly/.secret", "f3.txt", "f1.txt", "f2.txt"})
            m_temp.WriteFile(pszFile, "data");
        ASSERT_TRUE(m_tree.DisplayTree(m_temp.Str(), true));
    }
    QTreeWidgetItem* Top() { return m_tree.topLevelItem(0); }
    QTreeWidgetItem* Child(const char* pszText)
    {
        return m_tree.findItems(pszText, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }
    std::string Path(const std::string& strRelative) const
    {
        return (m_temp.Path() / strRelative).string();
    }

    CTempDir m_temp;
    CDirTreeCtrl m_tree;
};

TEST_F(DirTreeCtrlTest, FoldersSortedWithoutCaseThenFilesExpandersWhereSomethingShowsAndRequests)
{
    ASSERT_EQ(m_tree.topLevelItemCount(), 1);
    EXPECT_EQ(Top()->text(0).toStdString(), m_temp.Str());
    Names arrExpected = {"alpha", "Beta", "empty", "gamma", "hiddenonly"};
    // The files in the order the file system lists them.
    for (const fs::directory_entry& entry : fs::directory_iterator(m_temp.Path()))
        if (!entry.is_directory())
            arrExpected.push_back(entry.path().filename().string());
    EXPECT_EQ(ChildTexts(Top()), arrExpected);
    // An expander (a placeholder child) only where something shows.
    for (const std::string& strName : arrExpected)
        EXPECT_EQ(Child(strName.c_str())->childCount(), strName == "alpha" || strName == "gamma")
            << strName;
    EXPECT_EQ(m_tree.GetFullPath(Child("f2.txt")), Path("f2.txt"));
    EXPECT_FALSE(m_tree.IsFolder(Child("f2.txt")) || m_tree.IsFolder(nullptr));
    EXPECT_TRUE(m_tree.IsFolder(Child("Beta")));
    EXPECT_EQ(m_tree.GetFullPath(nullptr), "");
    // Opened by other means, the hidden file is listed.
    ASSERT_TRUE(m_tree.SetSelPath(Path("hiddenonly")));
    EXPECT_EQ(ChildTexts(m_tree.currentItem()), Names{".secret"});

    // Without files only folders are listed; a missing root is reported.
    m_temp.WriteFile("Beta/only.txt", "x");
    ASSERT_TRUE(m_tree.DisplayTree(m_temp.Str(), false));
    EXPECT_EQ(ChildTexts(Top()), Names(arrExpected.begin(), arrExpected.begin() + 5));
    EXPECT_EQ(Child("Beta")->childCount(), 0);
    EXPECT_FALSE(m_tree.DisplayTree(Path("missing"), true));
    EXPECT_EQ(m_tree.m_strError, "Error Gettting SystemFileInfo!");
    EXPECT_EQ(m_tree.topLevelItemCount(), 0);

    // Every expansion reads the folder again; closed, one placeholder is left.
    ASSERT_TRUE(m_tree.DisplayTree(m_temp.Str(), true));
    QTreeWidgetItem* pAlpha = Child("alpha");
    pAlpha->setExpanded(true);
    EXPECT_EQ(ChildTexts(pAlpha), Names{"sub1"});
    fs::create_directories(m_temp.Path() / "alpha" / "Sub0");
    pAlpha->setExpanded(false);
    EXPECT_EQ(ChildTexts(pAlpha), Names{""});
    pAlpha->setExpanded(true);
    EXPECT_EQ(ChildTexts(pAlpha), (Names{"Sub0", "sub1"}));

    // Files, not folders, ask to be opened (double click, Enter) or for a menu (right click).
    m_tree.resize(400, 600);
    m_tree.show();
    Top()->setExpanded(true);
    Names arrOpened, arrMenus;
    QObject::connect(&m_tree, &CDirTreeCtrl::FileOpenRequested,
                     [&](QTreeWidgetItem* pItem)
                     { arrOpened.push_back(m_tree.GetFullPath(pItem)); });
    QObject::connect(&m_tree, &CDirTreeCtrl::FileContextMenuRequested,
                     [&](QTreeWidgetItem* pItem, const QPoint&)
                     { arrMenus.push_back(m_tree.GetFullPath(pItem)); });
    for (const char* pszName : {"f1.txt", "Beta"})
        emit m_tree.itemActivated(Child(pszName), 0);
    for (const char* pszName : {"f3.txt", "gamma"})
    {
        const QPoint pt = m_tree.visualItemRect(Child(pszName)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pt, m_tree.viewport()->mapToGlobal(pt));
        QCoreApplication::sendEvent(m_tree.viewport(), &event);
    }
    EXPECT_EQ(arrOpened, Names{Path("f1.txt")});
    EXPECT_EQ(arrMenus, Names{Path("f3.txt")});
    // A right click selects what it was made on.
    EXPECT_EQ(m_tree.currentItem(), Child("gamma"));
}

TEST_F(DirTreeCtrlTest, SetSelPathOpensTheWayOrRefusesAndLeavesTheSelection)
{
    ASSERT_TRUE(m_tree.SetSelPath(Path("gamma/x/")));
    QTreeWidgetItem* pSelected = m_tree.currentItem();
    ASSERT_NE(pSelected, nullptr);
    EXPECT_EQ(m_tree.GetFullPath(pSelected), Path("gamma/x"));
    EXPECT_TRUE(pSelected->isSelected() && pSelected->parent()->isExpanded());
    // A folder created since is found on the way down, because each level is read again.
    fs::create_directories(m_temp.Path() / "gamma" / "late");
    ASSERT_TRUE(m_tree.SetSelPath(Path("gamma/late")));
    EXPECT_EQ(m_tree.currentItem()->text(0), "late");
    ASSERT_TRUE(m_tree.SetSelPath(m_temp.Str()));
    EXPECT_EQ(m_tree.currentItem(), Top());
    // Missing, a file, above the top item, only starting with its text, empty.
    for (const std::string& strPath :
         {Path("missing"), Path("f1.txt"), m_temp.Path().parent_path().string(),
          m_temp.Str() + "-other", std::string()})
    {
        EXPECT_FALSE(m_tree.SetSelPath(strPath)) << strPath;
        EXPECT_EQ(m_tree.currentItem(), Top()) << strPath;
    }
    // Without a root the tree starts at "/", which always has something below it.
    ASSERT_TRUE(m_tree.DisplayTree("", true));
    ASSERT_EQ(m_tree.topLevelItemCount(), 1);
    EXPECT_EQ(m_tree.GetFullPath(Top()), "/");
    EXPECT_EQ(Top()->childCount(), 1);
    ASSERT_TRUE(m_tree.SetSelPath(Path("alpha")));
    EXPECT_EQ(m_tree.GetFullPath(m_tree.currentItem()), Path("alpha"));
    // Below the root the separator is not doubled.
    EXPECT_EQ(m_tree.GetFullPath(Top()->child(0)), "/" + Top()->child(0)->text(0).toStdString());
}
} // namespace
