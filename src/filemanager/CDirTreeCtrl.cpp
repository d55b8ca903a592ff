#include "CDirTreeCtrl.h"

#include "filemanager/logic/CSortStringArray.h"
#include "widgets/CWaitCursor.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <vector>

namespace
{
// Paths compare the way the file system names them.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

constexpr int kTopPathRole = Qt::UserRole;

constexpr QDir::Filters kAllEntries =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

// "/" and "C:/" keep their separator; every other path loses a trailing one.
QString CleanPath(const QString& strPath)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(strPath));
}

QString JoinPath(const QString& strFolder, const QString& strName)
{
    return strFolder.endsWith('/') ? strFolder + strName : strFolder + '/' + strName;
}

// When strPath is strTop or lies below it, the part after strTop.
bool PathBelow(const QString& strPath, const QString& strTop, QString& strRest)
{
    if (strPath.compare(strTop, kPathCase) == 0)
    {
        strRest.clear();
        return true;
    }
    const QString strPrefix = strTop.endsWith('/') ? strTop : strTop + '/';
    if (!strPath.startsWith(strPrefix, kPathCase))
        return false;
    strRest = strPath.mid(strPrefix.size());
    return true;
}

bool IsDummy(const QTreeWidgetItem* pItem)
{
    return pItem->text(0).isEmpty();
}
} // namespace

CDirTreeCtrl::CDirTreeCtrl(QWidget* pParent) : QTreeWidget(pParent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QTreeWidget::itemExpanded, this, &CDirTreeCtrl::OnItemExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CDirTreeCtrl::OnItemCollapsed);
    // itemActivated covers the double click and Enter; a folder's double
    // click still opens and closes the folder as usual.
    connect(this, &QTreeWidget::itemActivated, this, &CDirTreeCtrl::OnItemActivated);
    connect(this, &QWidget::customContextMenuRequested, this, &CDirTreeCtrl::OnContextMenu);
}

CDirTreeCtrl::~CDirTreeCtrl() = default;

bool CDirTreeCtrl::DisplayTree(const std::string& strRoot, bool bShowFiles)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    clear();
    // The icons come from QFileIconProvider, which is always there: the
    // system image list cannot be missing on this platform, so ERR_IMAGE_LIST
    // is never set here.
    m_bShowFiles = bShowFiles;
    m_strRoot = strRoot;

    if (!strRoot.empty())
    {
        const QString strPath = CleanPath(QString::fromStdString(strRoot));
        QTreeWidgetItem* pTop =
            InsertItem(nullptr, QFileInfo(strPath), QDir::toNativeSeparators(strPath));
        if (!pTop)
            return false;
        DisplayPath(pTop, strPath);
        return true;
    }

    const QFileInfoList arrDrives = QDir::drives();
    if (arrDrives.isEmpty())
    {
        m_strError = ERR_DRIVES;
        return false;
    }
    for (const QFileInfo& drive : arrDrives)
    {
        // A network drive's share name exists only on platforms that map
        // drives to shares; here the drive root is the whole text.
        QString strText = QDir::toNativeSeparators(drive.absoluteFilePath());
        while (strText.size() > 1 && (strText.endsWith('/') || strText.endsWith('\\')))
            strText.chop(1);
        QTreeWidgetItem* pTop = InsertItem(nullptr, drive, strText);
        if (pTop && HasSubEntries(drive.absoluteFilePath().toStdString()))
            AddDummyChild(pTop);
    }
    return true;
}

QTreeWidgetItem* CDirTreeCtrl::InsertItem(QTreeWidgetItem* pParent, const QFileInfo& info,
                                          const QString& strText)
{
    if (!info.exists())
    {
        m_strError = ERR_FILE_INFO;
        return nullptr;
    }
    auto* pItem = new QTreeWidgetItem(QStringList(strText));
    // Qt shows one icon per item; the folder's open state is shown by the
    // expander, so there is no separate open icon.
    pItem->setIcon(0, m_iconProvider.icon(info));
    if (pParent)
    {
        pParent->addChild(pItem);
    }
    else
    {
        pItem->setData(0, kTopPathRole, CleanPath(info.absoluteFilePath()));
        addTopLevelItem(pItem);
    }
    return pItem;
}

void CDirTreeCtrl::AddDummyChild(QTreeWidgetItem* pItem)
{
    pItem->addChild(new QTreeWidgetItem(QStringList(QString())));
}

void CDirTreeCtrl::DeleteChildren(QTreeWidgetItem* pItem)
{
    const QList<QTreeWidgetItem*> arrChildren = pItem->takeChildren();
    qDeleteAll(arrChildren);
}

bool CDirTreeCtrl::HasSubEntries(const std::string& strPath) const
{
    QDirIterator it(QString::fromStdString(strPath), kAllEntries);
    while (it.hasNext())
    {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir())
            return true;
        if (m_bShowFiles && !info.isHidden())
            return true;
    }
    return false;
}

void CDirTreeCtrl::DisplayPath(QTreeWidgetItem* pParent, const QString& strPath)
{
    CWaitCursor wait;
    CSortStringArray arrFolders;
    std::vector<QString> arrFiles;
    QDirIterator it(strPath, kAllEntries);
    while (it.hasNext())
    {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir())
            arrFolders.Add(info.fileName().toStdString());
        else if (m_bShowFiles)
            arrFiles.push_back(info.fileName());
    }
    // Folders by name regardless of case; files in the order the folder gave them.
    arrFolders.Sort();

    for (const std::string& strName : arrFolders)
    {
        const QString strChild = JoinPath(strPath, QString::fromStdString(strName));
        QTreeWidgetItem* pItem =
            InsertItem(pParent, QFileInfo(strChild), QString::fromStdString(strName));
        if (pItem && HasSubEntries(strChild.toStdString()))
            AddDummyChild(pItem);
    }
    for (const QString& strName : arrFiles)
        InsertItem(pParent, QFileInfo(JoinPath(strPath, strName)), strName);
}

void CDirTreeCtrl::OnItemExpanded(QTreeWidgetItem* pItem)
{
    DeleteChildren(pItem);
    DisplayPath(pItem, ItemPath(pItem));
}

void CDirTreeCtrl::OnItemCollapsed(QTreeWidgetItem* pItem)
{
    DeleteChildren(pItem);
    AddDummyChild(pItem);
}

QString CDirTreeCtrl::ItemPath(const QTreeWidgetItem* pItem) const
{
    if (!pItem)
        return QString();
    std::vector<QString> arrNames;
    const QTreeWidgetItem* pTop = pItem;
    while (pTop->parent())
    {
        arrNames.push_back(pTop->text(0));
        pTop = pTop->parent();
    }
    QString strPath = pTop->data(0, kTopPathRole).toString();
    for (auto it = arrNames.rbegin(); it != arrNames.rend(); ++it)
        strPath = JoinPath(strPath, *it);
    return strPath;
}

std::string CDirTreeCtrl::GetFullPath(const QTreeWidgetItem* pItem) const
{
    return QDir::toNativeSeparators(ItemPath(pItem)).toStdString();
}

bool CDirTreeCtrl::IsFolder(const QTreeWidgetItem* pItem) const
{
    if (!pItem)
        return false;
    return QFileInfo(ItemPath(pItem)).isDir();
}

QTreeWidgetItem* CDirTreeCtrl::FindChild(QTreeWidgetItem* pParent, const QString& strText) const
{
    for (int i = 0; i < pParent->childCount(); ++i)
    {
        QTreeWidgetItem* pChild = pParent->child(i);
        if (!IsDummy(pChild) && pChild->text(0).compare(strText, kPathCase) == 0)
            return pChild;
    }
    return nullptr;
}

bool CDirTreeCtrl::SetSelPath(const std::string& strPath)
{
    const QString strClean = CleanPath(QString::fromStdString(strPath));
    if (strClean.isEmpty() || !QFileInfo(strClean).isDir())
        return false;

    QString strRest;
    QTreeWidgetItem* pItem = FindTopFor(strClean, strRest);
    if (!pItem)
        return false;

    // Each level is closed (dropping what was read before) and opened again,
    // so the way down shows the folders as they are now.
    const auto reopen = [](QTreeWidgetItem* pLevel)
    {
        if (pLevel->isExpanded())
            pLevel->setExpanded(false);
        pLevel->setExpanded(true);
    };

    const bool bUpdates = updatesEnabled();
    setUpdatesEnabled(false);
    reopen(pItem);
    const QStringList arrParts = strRest.split('/', Qt::SkipEmptyParts);
    for (const QString& strPart : arrParts)
    {
        QTreeWidgetItem* pChild = FindChild(pItem, strPart);
        if (!pChild)
        {
            setUpdatesEnabled(bUpdates);
            return false;
        }
        reopen(pChild);
        pItem = pChild;
    }
    setCurrentItem(pItem);
    scrollToItem(pItem);
    setUpdatesEnabled(bUpdates);
    return true;
}

QTreeWidgetItem* CDirTreeCtrl::FindTopFor(const QString& strClean, QString& strRest) const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
    {
        QTreeWidgetItem* pTop = topLevelItem(i);
        if (PathBelow(strClean, pTop->data(0, kTopPathRole).toString(), strRest))
            return pTop;
    }
    return nullptr;
}

void CDirTreeCtrl::RefreshBranch(const std::string& strPath)
{
    QString strClean = CleanPath(QString::fromStdString(strPath));
    while (!strClean.isEmpty() && !QFileInfo(strClean).isDir())
    {
        const QString strParent = CleanPath(QFileInfo(strClean).path());
        strClean = strParent == strClean ? QString() : strParent;
    }
    QString strRest;
    QTreeWidgetItem* pItem = strClean.isEmpty() ? nullptr : FindTopFor(strClean, strRest);
    // Only what has been read can be stale: walk the items already there.
    for (const QString& strPart : strRest.split('/', Qt::SkipEmptyParts))
    {
        if (!pItem || !pItem->isExpanded())
            return;
        pItem = FindChild(pItem, strPart);
    }
    if (!pItem || !pItem->isExpanded())
        return;

    // The selection survives the re-reading when it lies outside the branch.
    const QString strBranch = ItemPath(pItem);
    const QString strCurrent = currentItem() ? ItemPath(currentItem()) : QString();
    QString strBelow;
    const bool bCurrentInside = !strCurrent.isEmpty() && PathBelow(strCurrent, strBranch, strBelow);
    const bool bUpdates = updatesEnabled();
    setUpdatesEnabled(false);
    pItem->setExpanded(false);
    pItem->setExpanded(true);
    if (bCurrentInside)
        setCurrentItem(pItem);
    setUpdatesEnabled(bUpdates);
}

void CDirTreeCtrl::OnItemActivated(QTreeWidgetItem* pItem)
{
    if (pItem && !IsDummy(pItem) && !IsFolder(pItem))
        emit FileOpenRequested(pItem);
}

void CDirTreeCtrl::OnContextMenu(const QPoint& pt)
{
    QTreeWidgetItem* pItem = itemAt(pt);
    if (!pItem || IsDummy(pItem))
        return;
    setCurrentItem(pItem);
    if (!IsFolder(pItem))
        emit FileContextMenuRequested(pItem, viewport()->mapToGlobal(pt));
}
