#include "RenameRules.h"

#include "common/StrFormat.h"
#include "link/CDirData.h"

const char* ForbiddenFileNameChars()
{
    return "\"*+,/:;<=>?[\\]|";
}

bool HasForbiddenFileNameChar(const std::string& strName)
{
    return strName.find_first_of(ForbiddenFileNameChars()) != std::string::npos;
}

bool IsValidShortName(const std::string& strName)
{
    if (strName.empty() || strName.size() > 12)
        return false;
    const size_t nDot = strName.find('.');
    if (nDot != std::string::npos && nDot > 8)
        return false;
    return !HasForbiddenFileNameChar(strName);
}

SRenameVerdict CheckRenameName(const std::string& strNewName, const CDirData* pTable)
{
    SRenameVerdict verdict;
    if (strNewName.empty())
    {
        verdict.strMessage = "Enter a file name.";
        verdict.eIcon = EPromptIcon::None;
        return verdict;
    }
    if (pTable)
    {
        // Folders count too, and so does the file's own present name.
        for (const DIR_DATA& entry : pTable->Entries())
        {
            if (EqualsNoCase(strNewName, entry.strName))
            {
                verdict.strMessage = "File alredy exists.\nEnter a different file name.";
                verdict.eIcon = EPromptIcon::Stop;
                return verdict;
            }
        }
    }
    if (!IsValidShortName(strNewName))
    {
        verdict.strMessage = "Invalid File name.\nGive different name.";
        verdict.eIcon = EPromptIcon::Stop;
        return verdict;
    }
    verdict.bAccepted = true;
    return verdict;
}
