#pragma once
// The names of a panel list in order: what the list tests compare.
#include "panels/CNameIpRecInfo.h"

#include <string>
#include <vector>

inline std::vector<std::string> Names(const CNameIpRecInfo& list)
{
    std::vector<std::string> arrNames;
    for (int i = 0; i < list.GetCount(); ++i)
        arrNames.push_back(list.GetAt(i).m_strName);
    return arrNames;
}
