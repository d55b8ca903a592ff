#pragma once
// The decisions behind the main window's remote file list, free of widgets:
// the texts of a row, the sort comparison with its process-wide direction,
// which command buttons a selection enables, and what the selection-bound
// commands (Rename, View, Backup selected) make of a selection.
//
// Selections are given as indices into the remote file table, in list order.
#include "link/CDirData.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Headings and first widths of the four columns.
constexpr int REMOTE_LIST_COLUMNS = 4;
extern const std::array<const char*, REMOTE_LIST_COLUMNS> REMOTE_LIST_HEADINGS;
extern const std::array<int, REMOTE_LIST_COLUMNS> REMOTE_LIST_WIDTHS;

enum ERemoteColumn
{
    REMOTE_COL_NUMBER = 0,
    REMOTE_COL_NAME = 1,
    REMOTE_COL_SIZE = 2,
    REMOTE_COL_DATE = 3,
};

// "%a, %b %d, %Y, %X" of the entry's date-time, or "Invalid DateTime".
std::string RemoteDateText(const CDateTime& dt);
// The four texts of the row showing entry at row nRow (counted from 0).
std::array<std::string, REMOTE_LIST_COLUMNS> RemoteRowTexts(int nRow, const DIR_DATA& entry);

// The size text as a number: its leading decimal digits ("<DIR>" gives 0).
int64_t ParseSizeText(const std::string& strSize);

// The comparison of two rows on a column: entries a and b in this order when
// bFlag is true, swapped when it is false. Names compare ordinally (case
// matters), sizes as numbers, date-times give 0 when equal, 1 when the first
// is later and -1 otherwise. Column 0 and unknown columns give 0.
int CompareRemoteEntries(int nColumn, const DIR_DATA& a, const DIR_DATA& b, bool bFlag);

// The direction flag shared by every column of the list, true at start.
bool GetRemoteSortFlag();
void SetRemoteSortFlag(bool bFlag);

// A column click: nothing for column 0 or fewer than two rows (false).
// Otherwise the shared flag is inverted and arrOrder (table indices in list
// order) is sorted by CompareRemoteEntries; true.
bool SortRemoteOrder(std::vector<int>& arrOrder, const CDirData& table, int nColumn);

struct SRemoteButtonStates
{
    bool bDelete = false;
    bool bCopy = false;
    bool bMove = false;
    bool bRename = false;
    bool bView = false;
    bool bBackupSelected = false;
    bool bBackupAll = false;

    bool operator==(const SRemoteButtonStates&) const = default;
};

// Update buttons: which remote command buttons are enabled for the table, the
// selected indices, the enable argument and what the connected panel can do.
SRemoteButtonStates ComputeRemoteButtonStates(const CDirData& table,
                                              const std::vector<int>& arrSelected, bool bEnable,
                                              bool bCanBackupCsv, bool bCanViewData);

// Rename and View take exactly one file. The message for a selection they
// refuse (shown with the stop icon), or "" when the one selected entry is a
// file.
std::string RenameSelectionMessage(const CDirData& table, const std::vector<int>& arrSelected);
std::string ViewSelectionMessage(const CDirData& table, const std::vector<int>& arrSelected);

// Backup selected: the names of the selected CSV files, or the single "back
// up all" command when they are all the table's CSV files and more than one.
struct SBackupPlan
{
    bool bBackupAll = false;
    std::vector<std::string> arrNames;
};
SBackupPlan PlanBackupSelected(const CDirData& table, const std::vector<int>& arrSelected);

// The selected table entries, in the given order (out-of-range indices skipped).
std::vector<DIR_DATA> SelectedEntries(const CDirData& table, const std::vector<int>& arrSelected);
