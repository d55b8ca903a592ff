#pragma once
// The local folder a transfer writes into. A copy needs an existing folder:
// an empty folder text would put the files wherever the program happens to
// run, and a folder that is gone has nothing to hold them.
#include <string>

constexpr const char* NO_LOCAL_FOLDER_TEXT =
    "No folder on the Local Computer is selected, or the selected folder no longer exists.\n"
    "Select a folder on the Local Computer first.";

// The text names an existing folder.
bool IsUsableLocalFolder(const std::string& strFolder);
