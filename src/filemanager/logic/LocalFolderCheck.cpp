#include "filemanager/logic/LocalFolderCheck.h"

#include <filesystem>

bool IsUsableLocalFolder(const std::string& strFolder)
{
    if (strFolder.empty())
        return false;
    std::error_code ec;
    return std::filesystem::is_directory(strFolder, ec);
}
