#pragma once
// The local side of the main window: the computer's drives at the top, folders
// and (optionally) files below, read one level at a time when the user opens
// an item and read afresh at every opening.
//
// Top-level items: on Linux QDir::drives() gives the single root "/", and its
// item reads "/" (the drive root without its trailing separator would be an
// empty text, which is what the placeholder child of an unread folder looks
// like). On Windows a drive reads "C:". A tree started at a root folder shows
// that folder's full path as its one top item. Every top item keeps its path
// in Qt::UserRole, so GetFullPath never has to parse the visible text.
#include <QFileIconProvider>
#include <QTreeWidget>

#include <string>

class QFileInfo;

class CDirTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr const char* ERR_IMAGE_LIST = "Cannot retrieve the Handle of SystemImageList!";
    static constexpr const char* ERR_DRIVES = "Error Getting Logical DriveStrings!";
    static constexpr const char* ERR_FILE_INFO = "Error Gettting SystemFileInfo!";

    explicit CDirTreeCtrl(QWidget* pParent = nullptr);
    ~CDirTreeCtrl() override;

    // Clears the tree and loads its top level: the drives when strRoot is
    // empty, otherwise strRoot alone with its children read. False (with
    // m_strError) when the top level cannot be had.
    bool DisplayTree(const std::string& strRoot, bool bShowFiles);
    // Opens the tree down to an existing folder and selects it. False, with
    // the tree and its selection as they were, for a path that is not an
    // existing folder or lies under no top item.
    bool SetSelPath(const std::string& strPath);
    // Reads the branch of an existing folder afresh (a transfer has just
    // written into it): the nearest folder of the path that still exists is
    // closed and opened again when it is open, so the tree shows what is on
    // disk now. The selection is kept unless it was inside that branch.
    void RefreshBranch(const std::string& strPath);
    // The item's path in native form; a drive root keeps its separator ("/").
    std::string GetFullPath(const QTreeWidgetItem* pItem) const;
    // The item's path is an existing folder.
    bool IsFolder(const QTreeWidgetItem* pItem) const;
    // The folder holds a sub-folder, or (when files are shown) a file that is
    // not hidden.
    bool HasSubEntries(const std::string& strPath) const;
    bool IsShowFiles() const { return m_bShowFiles; }

    // Text of the last failure, for the caller to show.
    std::string m_strError;

signals:
    // A double click (or Enter) on a file: the main window opens it.
    void FileOpenRequested(QTreeWidgetItem* pItem);
    // A right click on a file: the main window shows its "Open" menu there.
    void FileContextMenuRequested(QTreeWidgetItem* pItem, const QPoint& ptGlobal);

private:
    void OnItemExpanded(QTreeWidgetItem* pItem);
    void OnItemCollapsed(QTreeWidgetItem* pItem);
    void OnItemActivated(QTreeWidgetItem* pItem);
    void OnContextMenu(const QPoint& pt);

    void DisplayPath(QTreeWidgetItem* pParent, const QString& strPath);
    QTreeWidgetItem* InsertItem(QTreeWidgetItem* pParent, const QFileInfo& info,
                                const QString& strText);
    static void AddDummyChild(QTreeWidgetItem* pItem);
    static void DeleteChildren(QTreeWidgetItem* pItem);
    QTreeWidgetItem* FindChild(QTreeWidgetItem* pParent, const QString& strText) const;
    // The top item holding the path and the rest of the path below it.
    QTreeWidgetItem* FindTopFor(const QString& strClean, QString& strRest) const;
    QString ItemPath(const QTreeWidgetItem* pItem) const;

    bool m_bShowFiles = false;
    std::string m_strRoot;
    QFileIconProvider m_iconProvider;
};
