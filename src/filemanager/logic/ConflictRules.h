#pragma once
// What happens when a transfer's local target already exists: the remembered
// action, when the conflict dialog must be asked, and the checks on a new name
// typed for Rename.
#include <string>

enum class EConflictAction
{
    Skip,
    Overwrite,
    Rename,
};

// The dialog is asked unless the last confirmed choice is to be applied to the
// next conflicts; Rename needs a fresh name each time, so it always asks.
bool NeedsConflictDialog(EConflictAction eAction, bool bApplyToNext);

// Checks the text typed as the new name of a conflicting file. On success the
// result is empty and strNewName holds the text with blanks trimmed at both
// ends; otherwise the result is the message to show.
std::string CheckConflictNewName(const std::string& strTyped, const std::string& strFileName,
                                 const std::string& strFolder, std::string& strNewName);

// A new name that passes CheckConflictNewName ("name_1.ext", "name_2.ext"...),
// for callers without a user to ask; empty when none is free.
std::string SuggestFreeName(const std::string& strFolder, const std::string& strFileName);

// True when something (file, folder or link) exists at the path.
bool LocalPathExists(const std::string& strPath);
