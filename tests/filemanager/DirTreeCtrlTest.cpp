#include "filemanager/CDirTreeCtrl.h"
#include "support/CQtTestApp.h"
#include "support/CTempDir.h"

#include <QContextMenuEvent>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
std::vector<std::string> ChildTexts(const QTreeWidgetItem* pItem)
{
    std::vector<std::string> arrTexts;
    for (int i = 0; i < pItem->childCount(); ++i)
        arrTexts.push_back(pItem->child(i)->text(0).toStdString());
    return arrTexts;
}

QTreeWidgetItem* Child(QTreeWidgetItem* pItem, const std::string& strText)
{
    const std::vector<std::string> arrTexts = ChildTexts(pItem);
    const auto it = std::find(arrTexts.begin(), arrTexts.end(), strText);
    return it == arrTexts.end() ? nullptr : pItem->child(static_cast<int>(it - arrTexts.begin()));
}

// A folder with sub-folders in mixed case, a folder holding only a hidden
// file, an empty folder and three files.
class DirTreeCtrlTest : public CQtTestBase
{
protected:
    void SetUp() override
    {
        for (const char* pszFolder : {"gamma/x", "Beta", "alpha/sub1", "empty"})
            fs::create_directories(m_temp.Path() / pszFolder);
        m_temp.WriteFile("hiddenonly/.secret", "s");
        for (const char* pszFile : {"f3.txt", "f1.txt", "f2.txt"})
            m_temp.WriteFile(pszFile, "data");
    }

    QTreeWidgetItem* Top() { return m_tree.topLevelItem(0); }

    CTempDir m_temp;
    CDirTreeCtrl m_tree;
};

TEST_F(DirTreeCtrlTest, FoldersSortedWithoutCaseThenFilesAndExpandersOnlyWhereSomethingShows)
{
    ASSERT_TRUE(m_tree.DisplayTree(m_temp.Str(), true));
    ASSERT_EQ(m_tree.topLevelItemCount(), 1);
    EXPECT_EQ(Top()->text(0).toStdString(), m_temp.Str());
    std::vector<std::string> arrExpected = {"alpha", "Beta", "empty", "gamma", "hiddenonly"};
    // The files in the order the file system lists them.
    for (const fs::directory_entry& entry : fs::directory_iterator(m_temp.Path()))
    {
        if (!entry.is_directory())
            arrExpected.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(ChildTexts(Top()), arrExpected);

    EXPECT_EQ(Child(Top(), "alpha")->childCount(), 1); // the placeholder
    for (const char* pszName : {"empty", "hiddenonly", "f1.txt"})
        EXPECT_EQ(Child(Top(), pszName)->childCount(), 0) << pszName;
    EXPECT_EQ(m_tree.GetFullPath(Child(Top(), "f2.txt")), (m_temp.Path() / "f2.txt").string());
    EXPECT_FALSE(m_tree.IsFolder(Child(Top(), "f2.txt")));
    EXPECT_TRUE(m_tree.IsFolder(Child(Top(), "Beta")));
    EXPECT_FALSE(m_tree.IsFolder(nullptr));
    EXPECT_EQ(m_tree.GetFullPath(nullptr), "");
    // Opened by other means, the hidden file is listed.
    ASSERT_TRUE(m_tree.SetSelPath((m_temp.Path() / "hiddenonly").string()));
    EXPECT_EQ(ChildTexts(m_tree.currentItem()), std::vector<std::string>{".secret"});

    // Without files only folders are listed; a missing root is reported.
    m_temp.WriteFile("Beta/only.txt", "x");
    ASSERT_TRUE(m_tree.DisplayTree(m_temp.Str(), false));
    EXPECT_EQ(ChildTexts(Top()),
              std::vector<std::string>(arrExpected.begin(), arrExpected.begin() + 5));
    EXPECT_EQ(Child(Top(), "Beta")->childCount(), 0);
    EXPECT_FALSE(m_tree.DisplayTree((m_temp.Path() / "missing").string(), true));
    EXPECT_EQ(m_tree.m_strError, "Error Gettting SystemFileInfo!");
    EXPECT_EQ(m_tree.topLevelItemCount(), 0);

    // Every expansion reads the folder again.
    ASSERT_TRUE(m_tree.DisplayTree(m_temp.Str(), true));
    QTreeWidgetItem* pAlpha = Child(Top(), "alpha");
    pAlpha->setExpanded(true);
    EXPECT_EQ(ChildTexts(pAlpha), std::vector<std::string>{"sub1"});
    fs::create_directories(m_temp.Path() / "alpha" / "Sub0");
    pAlpha->setExpanded(false);
    // Closed again: one placeholder until the next opening.
    EXPECT_EQ(ChildTexts(pAlpha), std::vector<std::string>{""});
    pAlpha->setExpanded(true);
    EXPECT_EQ(ChildTexts(pAlpha), (std::vector<std::string>{"Sub0", "sub1"}));
}

TEST_F(DirTreeCtrlTest, SetSelPathOpensTheWayOrRefusesAndLeavesTheSelection)
{
    ASSERT_TRUE(m_tree.DisplayTree(m_temp.Str(), true));
    const fs::path target = m_temp.Path() / "gamma" / "x";
    ASSERT_TRUE(m_tree.SetSelPath(target.string() + "/"));
    QTreeWidgetItem* pSelected = m_tree.currentItem();
    ASSERT_NE(pSelected, nullptr);
    EXPECT_EQ(m_tree.GetFullPath(pSelected), target.string());
    EXPECT_TRUE(pSelected->isSelected());
    EXPECT_TRUE(pSelected->parent()->isExpanded());
    // A folder created since is found on the way down, because each level is read again.
    fs::create_directories(m_temp.Path() / "gamma" / "late");
    ASSERT_TRUE(m_tree.SetSelPath((m_temp.Path() / "gamma" / "late").string()));
    EXPECT_EQ(m_tree.currentItem()->text(0), "late");
    ASSERT_TRUE(m_tree.SetSelPath(m_temp.Str()));
    EXPECT_EQ(m_tree.currentItem(), Top());

    const std::string arrRefused[] = {
        (m_temp.Path() / "missing").string(), // does not exist
        (m_temp.Path() / "f1.txt").string(),  // not a folder
        m_temp.Path().parent_path().string(), // above the top item
        m_temp.Str() + "-other",              // only starts with the top item's text
        "",
    };
    for (const std::string& strPath : arrRefused)
    {
        EXPECT_FALSE(m_tree.SetSelPath(strPath)) << strPath;
        EXPECT_EQ(m_tree.currentItem(), Top()) << strPath;
    }
    // Without a root the tree starts at "/".
    ASSERT_TRUE(m_tree.DisplayTree("", true));
    ASSERT_EQ(m_tree.topLevelItemCount(), 1);
    EXPECT_EQ(m_tree.GetFullPath(Top()), "/");
    EXPECT_EQ(Top()->childCount(), 1); // "/" always has something below it
    ASSERT_TRUE(m_tree.SetSelPath((m_temp.Path() / "alpha").string()));
    EXPECT_EQ(m_tree.GetFullPath(m_tree.currentItem()), (m_temp.Path() / "alpha").string());
    // Below the root the separator is not doubled.
    const QTreeWidgetItem* pFirst = Top()->child(0);
    EXPECT_EQ(m_tree.GetFullPath(pFirst), "/" + pFirst->text(0).toStdString());
}

TEST_F(DirTreeCtrlTest, FileItemsAskToBeOpenedFoldersDoNot)
{
    ASSERT_TRUE(m_tree.DisplayTree(m_temp.Str(), true));
    m_tree.resize(400, 600);
    m_tree.show();
    Top()->setExpanded(true);

    std::vector<std::string> arrOpened;
    std::vector<std::string> arrMenus;
    QObject::connect(&m_tree, &CDirTreeCtrl::FileOpenRequested,
                     [&](QTreeWidgetItem* pItem)
                     { arrOpened.push_back(m_tree.GetFullPath(pItem)); });
    QObject::connect(&m_tree, &CDirTreeCtrl::FileContextMenuRequested,
                     [&](QTreeWidgetItem* pItem, const QPoint&)
                     { arrMenus.push_back(m_tree.GetFullPath(pItem)); });

    // A double click or Enter activates an item; a right click asks for a menu.
    const auto doubleClick = [this](QTreeWidgetItem* pItem)
    { emit m_tree.itemActivated(pItem, 0); };
    const auto rightClick = [this](QTreeWidgetItem* pItem)
    {
        const QPoint pt = m_tree.visualItemRect(pItem).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pt, m_tree.viewport()->mapToGlobal(pt));
        QCoreApplication::sendEvent(m_tree.viewport(), &event);
    };
    doubleClick(Child(Top(), "f1.txt"));
    doubleClick(Child(Top(), "Beta"));
    rightClick(Child(Top(), "f3.txt"));
    rightClick(Child(Top(), "gamma"));
    const std::string strF1 = (m_temp.Path() / "f1.txt").string();
    const std::string strF3 = (m_temp.Path() / "f3.txt").string();
    EXPECT_EQ(arrOpened, std::vector<std::string>{strF1});
    EXPECT_EQ(arrMenus, std::vector<std::string>{strF3});
    // A right click selects what it was made on.
    EXPECT_EQ(m_tree.currentItem(), Child(Top(), "gamma"));
}
} // namespace
