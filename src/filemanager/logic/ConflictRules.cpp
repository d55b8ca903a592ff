#include "filemanager/logic/ConflictRules.h"

#include "common/StrFormat.h"
#include "filemanager/logic/RenameRules.h"
#include "filemanager/logic/TransferNames.h"

#include <sys/stat.h>

bool NeedsConflictDialog(EConflictAction eAction, bool bApplyToNext)
{
    return !bApplyToNext || eAction == EConflictAction::Rename;
}

std::string CheckConflictNewName(const std::string& strTyped, const std::string& strFileName,
                                 const std::string& strFolder, std::string& strNewName)
{
    const std::string strTrimmed = TrimBlanks(strTyped);
    if (strTrimmed.empty())
        return "Please entry valid file name.";
    if (EqualsNoCase(strTrimmed, strFileName))
        return "Please entry new file name.";
    // Control characters and the bare folder names "." and ".." would not make a
    // file inside the folder either.
    if (HasForbiddenFileNameChar(strTrimmed) || !UnsafeNameReason(strTrimmed).empty())
        return "Please entry valid file name.";
    if (LocalPathExists(JoinLocalPath(strFolder, strTrimmed)))
        return "File already exists.\nPlease entry new file name.";
    strNewName = strTrimmed;
    return std::string();
}

std::string SuggestFreeName(const std::string& strFolder, const std::string& strFileName)
{
    const size_t nDot = strFileName.rfind('.');
    const bool bHasExt = nDot != std::string::npos && nDot > 0;
    const std::string strStem = bHasExt ? strFileName.substr(0, nDot) : strFileName;
    const std::string strExt = bHasExt ? strFileName.substr(nDot) : std::string();
    for (int n = 1; n < 10000; ++n)
    {
        std::string strNewName;
        const std::string strCandidate = StrFormat("%s_%d%s", strStem.c_str(), n, strExt.c_str());
        if (CheckConflictNewName(strCandidate, strFileName, strFolder, strNewName).empty())
            return strNewName;
    }
    return std::string();
}

bool LocalPathExists(const std::string& strPath)
{
    struct stat st
    {
    };
    return ::lstat(strPath.c_str(), &st) == 0;
}
