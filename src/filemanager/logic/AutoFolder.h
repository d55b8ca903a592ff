#pragma once
// Auto-created local folders: a data log named by the date/line/batch scheme
// (e.g. 41225A07.CSV) is filed five levels deep below the root folder:
// Year 2014 / Month 12 / Day 25 / Line A / Batch 07.
#include <array>
#include <string>

constexpr size_t AUTO_FOLDER_LEVELS = 5;
using AutoFolderLevels = std::array<std::string, AUTO_FOLDER_LEVELS>;

// The five folder names for a file name, or false when the name does not follow
// the scheme (stem of eight characters, digits for year, month 1-12, day 1-31).
bool ParseAutoFolderLevels(const std::string& strFileName, AutoFolderLevels& arrLevels);

// With bAutoCreate off: true, the folder unchanged. Otherwise strLocalFolder
// holds the root folder on entry and the derived folder on success, created on
// disk level by level (existing levels are used as they are). On failure the
// folder is unchanged and strError says why.
bool DeriveFolder(const std::string& strFileName, bool bAutoCreate, std::string& strLocalFolder,
                  std::string& strError);
