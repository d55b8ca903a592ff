#include "link/CDirData.h"

#include "common/StrFormat.h"

CDirData::DIR_DATA CDirData::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSize())
        return DIR_DATA();
    return m_arrEntries[static_cast<size_t>(nIndex)];
}

DIR_DATA MakeDirEntry(const std::string& strRawName, uint32_t nSize, int nYear, int nMonth,
                      int nDay, int nHour, int nMinute, int nSecond)
{
    DIR_DATA entry;
    entry.strName = TrimBlanks(strRawName);
    // Unsigned: a card file of 2 GiB or more must not show a negative size.
    entry.strSize = StrFormat("%u", static_cast<unsigned>(nSize));
    entry.dtModified = CDateTime::FromFields(nYear, nMonth, nDay, nHour, nMinute, nSecond);
    return entry;
}
