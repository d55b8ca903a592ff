#pragma once
// The remote listing: entries in the order the panel delivers them.
#include "common/SysTime.h"

#include <cstdint>
#include <string>
#include <vector>

class CDirData
{
public:
    struct DIR_DATA
    {
        std::string strName;  // trimmed at both ends
        std::string strSize;  // decimal text of the unsigned 32-bit size
        CDateTime dtModified; // invalid when the fields form no real date and time
    };

    void Add(const DIR_DATA& entry) { m_arrEntries.push_back(entry); }
    void RemoveAll() { m_arrEntries.clear(); }
    // A copy of the entry, or an empty entry when the index is out of range.
    DIR_DATA GetAt(int nIndex) const;
    int GetSize() const { return static_cast<int>(m_arrEntries.size()); }
    bool IsEmpty() const { return m_arrEntries.empty(); }
    const std::vector<DIR_DATA>& Entries() const { return m_arrEntries; }

private:
    std::vector<DIR_DATA> m_arrEntries;
};

using DIR_DATA = CDirData::DIR_DATA;

// An entry as both command families deliver it: the raw name (trimmed here),
// the unsigned 32-bit size and six date-time fields (invalid when they form no
// real date and time).
DIR_DATA MakeDirEntry(const std::string& strRawName, uint32_t nSize, int nYear, int nMonth,
                      int nDay, int nHour, int nMinute, int nSecond);
