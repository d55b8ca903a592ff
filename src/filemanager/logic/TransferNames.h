#pragma once
// Rules about remote entries and the local names a transfer gives them: which
// entries are files, which count as CSV files, the ".CSV" extension rule, and
// the check that keeps a remote name from reaching outside its target folder.
#include "link/CDirData.h"

#include <cstdint>
#include <string>
#include <vector>

// A file is an entry whose size text holds no "<DIR>" and is not exactly "0";
// everything else (folders, empty files) is passed over by the transfer.
bool IsFileEntry(const DIR_DATA& entry);

// A file whose lower-cased name holds ".csv" first at position 1 or later,
// exactly four characters before its end.
bool IsCsvFileEntry(const DIR_DATA& entry);

// The sizes of the entries that are files, added up.
uint64_t TotalFileBytes(const std::vector<DIR_DATA>& arrEntries);

// The target path with ".CSV" appended when the preference is on and the entry
// fails the CSV file test.
std::string ApplyCsvExtension(const std::string& strTarget, const DIR_DATA& entry,
                              bool bAutoAddCsvExt);

// folder + separator + name; an empty folder gives the name alone.
std::string JoinLocalPath(const std::string& strFolder, const std::string& strName);

// Why a remote name cannot be used as a local file name (empty when it can):
// it is empty, "." or "..", or holds a path separator or a control character.
std::string UnsafeNameReason(const std::string& strName);

// The message shown when a remote name is refused, naming the file.
std::string UnsafeRemoteNameMessage(const std::string& strName);

// The name with control characters written as \xNN, for messages.
std::string PrintableName(const std::string& strName);
