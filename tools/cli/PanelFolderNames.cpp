#include "PanelFolderNames.h"

#include "common/StrFormat.h"

#include <set>

namespace
{
// Longest folder name kept from a panel name, well below every file system's
// limit of 255 bytes even after escaping and a suffix.
constexpr size_t MAX_FOLDER_NAME = 120;

bool IsSafeByte(unsigned char c, size_t nPos, size_t nLength)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    // No hidden folder, no "." or "..", and no blank or dot at the end, which
    // some file systems drop.
    if (c == '.' || c == ' ')
        return nPos != 0 && nPos + 1 != nLength;
    return c == '-' || c == '_' || c == '+' || c == ',' || c == '(' || c == ')' || c == '[' ||
           c == ']' || c == '@' || c == '#' || c == '&' || c == '=';
}
} // namespace

std::string SafeFolderName(const std::string& strName)
{
    if (strName.empty())
        return "(no name)";
    std::string strSafe;
    for (size_t i = 0; i < strName.size() && strSafe.size() < MAX_FOLDER_NAME; ++i)
    {
        const auto c = static_cast<unsigned char>(strName[i]);
        if (IsSafeByte(c, i, strName.size()))
            strSafe += static_cast<char>(c);
        else
            strSafe += StrFormat("%%%02X", c);
    }
    return strSafe;
}

std::vector<std::string> PanelFolderNames(const std::vector<std::string>& arrNames)
{
    std::vector<std::string> arrFolders;
    std::set<std::string> setTaken; // in capitals
    for (const std::string& strName : arrNames)
    {
        const std::string strBase = SafeFolderName(strName);
        std::string strFolder = strBase;
        for (int n = 2; setTaken.count(ToUpperAscii(strFolder)); ++n)
            strFolder = StrFormat("%s (%d)", strBase.c_str(), n);
        setTaken.insert(ToUpperAscii(strFolder));
        arrFolders.push_back(strFolder);
    }
    return arrFolders;
}
