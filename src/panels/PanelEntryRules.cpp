#include "panels/PanelEntryRules.h"

#include "common/StrFormat.h"
#include "panels/CNameIpRecInfo.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>

int ParsePortText(const std::string& strText)
{
    const long nValue = std::strtol(strText.c_str(), nullptr, 10);
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return static_cast<int>(nValue);
}

bool IsStorablePanelName(const std::string& strName)
{
    return strName.find_first_of("|\r\n") == std::string::npos;
}

SPanelEntryVerdict ReadPanelEntry(const std::string& strNameText, const unsigned char arrAddress[4],
                                  const std::string& strPortText)
{
    SPanelEntryVerdict verdict;
    verdict.rec.m_strName = TrimBlanks(strNameText);
    for (int i = 0; i < 4; ++i)
        verdict.rec.m_IPAddress[i] = arrAddress[i];

    if (verdict.rec.IsBlankAddress())
    {
        verdict.strMessage = STR_INVALID_IP_ADDRESS;
        verdict.eIcon = EPromptIcon::Stop;
        verdict.eFocus = EPanelField::Address;
        return verdict;
    }
    if (!IsStorablePanelName(verdict.rec.m_strName))
    {
        verdict.strMessage = STR_NAME_NOT_STORABLE;
        verdict.eIcon = EPromptIcon::Stop;
        verdict.eFocus = EPanelField::Name;
        return verdict;
    }
    verdict.rec.m_nPort = ParsePortText(strPortText);
    verdict.bAccepted = true;
    return verdict;
}

std::string RowNumberText(int nRow)
{
    return StrFormat("%d", nRow + 1);
}

std::vector<std::string> PanelRowTexts(const CNameIpRec& rec, int nRow)
{
    return {RowNumberText(nRow), rec.m_strName, rec.GetIPText(), StrFormat("%d", rec.m_nPort)};
}

std::vector<int> RemoveSelectedRecords(CNameIpRecInfo& list, std::vector<int> arrSelected)
{
    const int nCount = list.GetCount();
    std::erase_if(arrSelected, [nCount](int nRow) { return nRow < 0 || nRow >= nCount; });
    std::sort(arrSelected.begin(), arrSelected.end(), std::greater<int>());
    arrSelected.erase(std::unique(arrSelected.begin(), arrSelected.end()), arrSelected.end());
    for (const int nRow : arrSelected)
        list.RemoveAt(nRow);
    return arrSelected;
}
