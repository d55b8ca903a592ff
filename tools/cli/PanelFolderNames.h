#pragma once
// Folder names for panels: each panel's files go to a folder named after the
// panel, and a panel name may hold anything (slashes, "..", control bytes,
// nothing at all). Unsafe bytes are written as %XX (so is '%' itself, which
// keeps two different names apart), and names that still meet, ignoring case
// (duplicate panels, or a target file system that ignores case), get a
// suffix " (2)", " (3)"...
#include <string>
#include <vector>

// One name made safe as a single folder name below another folder.
std::string SafeFolderName(const std::string& strName);

// Safe, distinct folder names for the names, in the same order.
std::vector<std::string> PanelFolderNames(const std::vector<std::string>& arrNames);
