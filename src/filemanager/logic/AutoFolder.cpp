#include "filemanager/logic/AutoFolder.h"

#include "common/StrFormat.h"
#include "filemanager/logic/TransferNames.h"

#include <cctype>
#include <cstring>
#include <sys/stat.h>

namespace
{
bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

int TwoDigits(const std::string& str, size_t nPos)
{
    return (str[nPos] - '0') * 10 + (str[nPos + 1] - '0');
}

// Line and batch characters are taken as they come; a level that could not be
// a folder name on a FAT card or a Windows share is refused like a failed
// creation, so the tree stays portable and never reaches outside the root.
bool IsPortableFolderName(const std::string& strName)
{
    for (const char c : strName)
    {
        const unsigned char uc = static_cast<unsigned char>(c);
        if (uc < 0x20 || uc == 0x7F || std::strchr("<>:\"/\\|?*", c) != nullptr)
            return false;
    }
    return true;
}

bool IsExistingFolder(const std::string& strPath)
{
    struct stat st
    {
    };
    return ::stat(strPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
} // namespace

bool ParseAutoFolderLevels(const std::string& strFileName, AutoFolderLevels& arrLevels)
{
    const size_t nDot = strFileName.rfind('.');
    const std::string strStem =
        (nDot != std::string::npos && nDot > 0) ? strFileName.substr(0, nDot) : strFileName;
    if (strStem.size() != 8)
        return false;
    for (const size_t nPos : {0, 1, 2, 3, 4})
    {
        if (!IsDigit(strStem[nPos]))
            return false;
    }
    const int nMonth = TwoDigits(strStem, 1);
    const int nDay = TwoDigits(strStem, 3);
    if (nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31)
        return false;

    arrLevels[0] = std::string("Year 201") + strStem[0];
    arrLevels[1] = "Month " + strStem.substr(1, 2);
    arrLevels[2] = "Day " + strStem.substr(3, 2);
    arrLevels[3] = std::string("Line ") + strStem[5];
    arrLevels[4] = "Batch " + strStem.substr(6, 2);
    return true;
}

bool DeriveFolder(const std::string& strFileName, bool bAutoCreate, std::string& strLocalFolder,
                  std::string& strError)
{
    if (!bAutoCreate)
        return true;
    AutoFolderLevels arrLevels;
    if (!ParseAutoFolderLevels(strFileName, arrLevels))
    {
        strError = StrFormat("Unable to recognise file name format for '%s'.",
                             PrintableName(strFileName).c_str());
        return false;
    }

    std::string strPath = strLocalFolder;
    for (const std::string& strLevel : arrLevels)
    {
        strPath = JoinLocalPath(strPath, strLevel);
        if (IsPortableFolderName(strLevel) && IsExistingFolder(strPath))
            continue;
        if (!IsPortableFolderName(strLevel) || ::mkdir(strPath.c_str(), 0777) != 0)
        {
            strError =
                StrFormat("Unable to create directory '%s'.", PrintableName(strPath).c_str());
            return false;
        }
    }
    strLocalFolder = strPath;
    return true;
}
