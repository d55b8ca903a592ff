#include "filemanager/logic/RemoteListRules.h"

#include "filemanager/logic/TransferNames.h"

#include <algorithm>
#include <cctype>

const std::array<const char*, REMOTE_LIST_COLUMNS> REMOTE_LIST_HEADINGS = {"#", "Name", "Size",
                                                                           "Date & Time"};
const std::array<int, REMOTE_LIST_COLUMNS> REMOTE_LIST_WIDTHS = {25, 100, 100, 70};

namespace
{
// Used by the GUI thread only (the remote list's column clicks).
bool g_bRemoteSortFlag = true;

int Sign(int64_t nValue)
{
    return nValue < 0 ? -1 : (nValue > 0 ? 1 : 0);
}

// Shared by Rename and View: they differ only in their wording.
std::string SingleFileMessage(const CDirData& table, const std::vector<int>& arrSelected,
                              const char* pszSeveral, const char* pszNone)
{
    if (arrSelected.size() >= 2)
        return pszSeveral;
    if (arrSelected.empty())
        return pszNone;
    if (!IsFileEntry(table.GetAt(arrSelected.front())))
        return "Select Remote File not Directory.";
    return std::string();
}
} // namespace

std::string RemoteDateText(const CDateTime& dt)
{
    return dt.Format("%a, %b %d, %Y, %X");
}

std::array<std::string, REMOTE_LIST_COLUMNS> RemoteRowTexts(int nRow, const DIR_DATA& entry)
{
    return {std::to_string(nRow + 1), entry.strName, entry.strSize,
            RemoteDateText(entry.dtModified)};
}

int64_t ParseSizeText(const std::string& strSize)
{
    size_t nPos = 0;
    while (nPos < strSize.size() && std::isspace(static_cast<unsigned char>(strSize[nPos])))
        ++nPos;
    int64_t nValue = 0;
    for (; nPos < strSize.size() && std::isdigit(static_cast<unsigned char>(strSize[nPos])); ++nPos)
    {
        // Sizes are 32-bit on the panel; anything longer is not a size.
        if (nValue > (INT64_MAX - 9) / 10)
            break;
        nValue = nValue * 10 + (strSize[nPos] - '0');
    }
    return nValue;
}

int CompareRemoteEntries(int nColumn, const DIR_DATA& a, const DIR_DATA& b, bool bFlag)
{
    const DIR_DATA& first = bFlag ? a : b;
    const DIR_DATA& second = bFlag ? b : a;
    switch (nColumn)
    {
    case REMOTE_COL_NAME:
        return Sign(first.strName.compare(second.strName));
    case REMOTE_COL_SIZE:
        return Sign(ParseSizeText(first.strSize) - ParseSizeText(second.strSize));
    case REMOTE_COL_DATE:
        if (first.dtModified == second.dtModified)
            return 0;
        return first.dtModified.IsLaterThan(second.dtModified) ? 1 : -1;
    default:
        return 0;
    }
}

bool GetRemoteSortFlag()
{
    return g_bRemoteSortFlag;
}

void SetRemoteSortFlag(bool bFlag)
{
    g_bRemoteSortFlag = bFlag;
}

bool SortRemoteOrder(std::vector<int>& arrOrder, const CDirData& table, int nColumn)
{
    if (nColumn == REMOTE_COL_NUMBER || arrOrder.size() < 2)
        return false;
    g_bRemoteSortFlag = !g_bRemoteSortFlag;
    const bool bFlag = g_bRemoteSortFlag;
    const std::vector<DIR_DATA>& arrEntries = table.Entries();
    const auto Entry = [&](int nIndex) -> const DIR_DATA&
    {
        static const DIR_DATA s_empty;
        return nIndex >= 0 && nIndex < table.GetSize() ? arrEntries[static_cast<size_t>(nIndex)]
                                                       : s_empty;
    };
    // The date comparison is not a strict order when invalid date-times are
    // involved (neither counts as later); a merge sort stays within bounds and
    // keeps such rows in their previous order.
    std::stable_sort(arrOrder.begin(), arrOrder.end(),
                     [&](int nA, int nB)
                     { return CompareRemoteEntries(nColumn, Entry(nA), Entry(nB), bFlag) < 0; });
    return true;
}

SRemoteButtonStates ComputeRemoteButtonStates(const CDirData& table,
                                              const std::vector<int>& arrSelected, bool bEnable,
                                              bool bCanBackupCsv, bool bCanViewData)
{
    SRemoteButtonStates states;
    const bool bHasFiles = !table.IsEmpty() && bEnable;
    states.bBackupAll = bHasFiles && bCanBackupCsv;

    const bool bSelected = bHasFiles && !arrSelected.empty();
    states.bDelete = states.bCopy = states.bMove = bSelected;

    bool bAllCsv = bSelected;
    for (const int nIndex : arrSelected)
        bAllCsv = bAllCsv && IsCsvFileEntry(table.GetAt(nIndex));
    states.bBackupSelected = bSelected && bCanBackupCsv && bAllCsv;

    const bool bSingle =
        bSelected && arrSelected.size() == 1 && IsFileEntry(table.GetAt(arrSelected.front()));
    states.bRename = bSingle;
    states.bView = bSingle && bCanViewData;
    return states;
}

std::string RenameSelectionMessage(const CDirData& table, const std::vector<int>& arrSelected)
{
    return SingleFileMessage(table, arrSelected, "Select only one Remote File to be renamed.",
                             "Select Remote File to be renamed.");
}

std::string ViewSelectionMessage(const CDirData& table, const std::vector<int>& arrSelected)
{
    return SingleFileMessage(table, arrSelected, "Select only one Remote File to view data.",
                             "Select Remote File to view data.");
}

SBackupPlan PlanBackupSelected(const CDirData& table, const std::vector<int>& arrSelected)
{
    SBackupPlan plan;
    for (const int nIndex : arrSelected)
    {
        const DIR_DATA entry = table.GetAt(nIndex);
        if (IsCsvFileEntry(entry))
            plan.arrNames.push_back(entry.strName);
    }
    const auto nCsvInTable =
        std::count_if(table.Entries().begin(), table.Entries().end(),
                      [](const DIR_DATA& entry) { return IsCsvFileEntry(entry); });
    if (static_cast<size_t>(nCsvInTable) == plan.arrNames.size() && plan.arrNames.size() > 1)
    {
        plan.bBackupAll = true;
        plan.arrNames.clear();
    }
    return plan;
}

std::vector<DIR_DATA> SelectedEntries(const CDirData& table, const std::vector<int>& arrSelected)
{
    std::vector<DIR_DATA> arrEntries;
    for (const int nIndex : arrSelected)
    {
        if (nIndex >= 0 && nIndex < table.GetSize())
            arrEntries.push_back(table.GetAt(nIndex));
    }
    return arrEntries;
}
