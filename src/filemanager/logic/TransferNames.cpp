#include "filemanager/logic/TransferNames.h"

#include "common/StrFormat.h"

#include <cstdlib>

bool IsFileEntry(const DIR_DATA& entry)
{
    return entry.strSize.find("<DIR>") == std::string::npos && entry.strSize != "0";
}

bool IsCsvFileEntry(const DIR_DATA& entry)
{
    if (!IsFileEntry(entry))
        return false;
    const std::string strLower = ToLowerAscii(entry.strName);
    const size_t nPos = strLower.find(".csv");
    return nPos != std::string::npos && nPos >= 1 && nPos + 4 == strLower.size();
}

uint64_t TotalFileBytes(const std::vector<DIR_DATA>& arrEntries)
{
    uint64_t nTotal = 0;
    for (const DIR_DATA& entry : arrEntries)
    {
        if (IsFileEntry(entry))
            nTotal += std::strtoull(entry.strSize.c_str(), nullptr, 10);
    }
    return nTotal;
}

std::string ApplyCsvExtension(const std::string& strTarget, const DIR_DATA& entry,
                              bool bAutoAddCsvExt)
{
    if (bAutoAddCsvExt && !IsCsvFileEntry(entry))
        return strTarget + ".CSV";
    return strTarget;
}

std::string JoinLocalPath(const std::string& strFolder, const std::string& strName)
{
    if (strFolder.empty())
        return strName;
    if (strFolder.back() == '/')
        return strFolder + strName;
    return strFolder + "/" + strName;
}

std::string UnsafeNameReason(const std::string& strName)
{
    if (strName.empty())
        return "it is empty";
    if (strName == "." || strName == "..")
        return "it names a folder";
    for (const char c : strName)
    {
        if (c == '/' || c == '\\')
            return "it holds a path separator";
        const unsigned char uc = static_cast<unsigned char>(c);
        if (uc < 0x20 || uc == 0x7F)
            return "it holds a control character";
    }
    return std::string();
}

std::string UnsafeRemoteNameMessage(const std::string& strName)
{
    return StrFormat("The remote file name '%s' cannot be used on the Local Computer: %s.",
                     PrintableName(strName).c_str(), UnsafeNameReason(strName).c_str());
}

std::string PrintableName(const std::string& strName)
{
    std::string strResult;
    for (const char c : strName)
    {
        const unsigned char uc = static_cast<unsigned char>(c);
        if (uc < 0x20 || uc == 0x7F)
            strResult += StrFormat("\\x%02X", uc);
        else
            strResult += c;
    }
    return strResult;
}
