#include "CliViewArgs.h"

#include "viewer/DataLogText.h"

namespace
{
// all | first:N | last:N | from:F:to:T | from:F:count:N. The numbers stay
// text: the page's own rules judge them.
bool ParseAddSpec(const std::string& strSpec, SReadDataValues& values)
{
    std::vector<std::string> arrParts;
    SplitAtDelimiter(strSpec, ":", arrParts);
    if (arrParts.size() == 1 && arrParts[0] == "all")
    {
        values.nChoice = ReadChoiceAll;
        return true;
    }
    if (arrParts.size() == 2 && (arrParts[0] == "first" || arrParts[0] == "last"))
    {
        const bool bFirst = arrParts[0] == "first";
        values.nChoice = bFirst ? ReadChoiceFirst : ReadChoiceLast;
        (bFirst ? values.strFirst : values.strLast) = arrParts[1];
        return true;
    }
    if (arrParts.size() == 4 && arrParts[0] == "from" &&
        (arrParts[2] == "to" || arrParts[2] == "count"))
    {
        values.nChoice = ReadChoiceFrom;
        values.strFrom = arrParts[1];
        values.bToChecked = arrParts[2] == "to";
        (values.bToChecked ? values.strTo : values.strNumber) = arrParts[3];
        return true;
    }
    return false;
}

bool ParseCondition(const std::string& strText, int& nCondition)
{
    static const char* const s_arrNames[] = {"=", "!=", ">", "<", "in", "out"};
    for (int i = 0; i < 6; ++i)
    {
        if (strText == s_arrNames[i])
        {
            nCondition = i;
            return true;
        }
    }
    return false;
}

bool ParseShowHide(const std::string& strText, bool& bShow)
{
    bShow = strText == "show";
    return bShow || strText == "hide";
}

// Takes the values of an option: at least nMin, at most nMax, stopping at the
// next option.
bool TakeValues(const std::vector<std::string>& arrArgs, size_t& i, size_t nMin, size_t nMax,
                std::vector<std::string>& arrValues)
{
    arrValues.clear();
    while (i + 1 < arrArgs.size() && arrValues.size() < nMax &&
           (arrValues.size() < nMin || arrArgs[i + 1].rfind("--", 0) != 0))
        arrValues.push_back(arrArgs[++i]);
    return arrValues.size() >= nMin;
}
} // namespace

bool ParseCliTime(const std::string& strText, SYSTEMTIME& tm)
{
    const size_t nBlank = strText.find(' ');
    if (nBlank == std::string::npos)
        return false;
    const std::vector<std::string> arrFields = {strText.substr(0, nBlank),
                                                strText.substr(nBlank + 1), ""};
    bool bHasMilliseconds = false;
    tm = ParseRecordTime(arrFields.data(), arrFields.size(), bHasMilliseconds);
    return CDateTime::FromFields(tm.wYear, tm.wMonth, tm.wDay, tm.wHour, tm.wMinute, tm.wSecond)
        .IsValid();
}

bool ParseCliViewArgs(const std::vector<std::string>& arrArgs, SCliViewArgs& args,
                      std::string& strError)
{
    if (arrArgs.empty() || arrArgs[0].rfind("--", 0) == 0)
    {
        strError = "view needs the remote FILE first";
        return false;
    }
    args.strFile = arrArgs[0];
    std::vector<std::string> arrValues;
    for (size_t i = 1; i < arrArgs.size(); ++i)
    {
        const std::string& strOption = arrArgs[i];
        if (strOption == "--add")
        {
            SCliViewStep step;
            if (!TakeValues(arrArgs, i, 1, 1, arrValues) ||
                !ParseAddSpec(arrValues[0], step.values))
            {
                strError = "--add needs all, first:N, last:N, from:F:to:T or from:F:count:N";
                return false;
            }
            args.arrSteps.push_back(step);
        }
        else if (strOption == "--clear")
        {
            SCliViewStep step;
            step.bClear = true;
            args.arrSteps.push_back(step);
        }
        else if (strOption == "--filter-date")
        {
            if (!TakeValues(arrArgs, i, 3, 4, arrValues) ||
                !ParseShowHide(arrValues[0], args.bShowDates) ||
                !ParseCondition(arrValues[1], args.nDateCondition) ||
                !ParseCliTime(arrValues[2], args.tmFrom) ||
                (arrValues.size() == 4 && !ParseCliTime(arrValues[3], args.tmTo)))
            {
                strError = "--filter-date needs show|hide, a condition (= != > < in out) and "
                           "\"MM/DD/YYYY HH:MM:SS\" FROM [TO]";
                return false;
            }
            args.bDateFilter = true;
            args.bHasTo = arrValues.size() == 4;
        }
        else if (strOption == "--filter-tag")
        {
            SCliTagFilter tag;
            bool bNumeric = false;
            if (!TakeValues(arrArgs, i, 5, 6, arrValues) ||
                !ParseShowHide(arrValues[1], tag.bShow) ||
                !((bNumeric = arrValues[2] == "numeric") || arrValues[2] == "discrete") ||
                !ParseCondition(arrValues[3], tag.nCondition))
            {
                strError = "--filter-tag needs NAME, show|hide, numeric|discrete, a condition "
                           "(= != > < in out) and LOW [HIGH]";
                return false;
            }
            tag.strName = arrValues[0];
            tag.nDataType = bNumeric ? 0 : 1;
            tag.strLow = arrValues[4];
            if (arrValues.size() == 6)
                tag.strHigh = arrValues[5];
            args.arrTagFilters.push_back(tag);
        }
        else if (strOption == "--summary")
            args.bSummary = true;
        else if (strOption == "--json")
            args.bJson = true;
        else if (strOption == "--csv")
        {
            if (!TakeValues(arrArgs, i, 1, 1, arrValues))
            {
                strError = "--csv needs the file to write";
                return false;
            }
            args.strCsvPath = arrValues[0];
        }
        else
        {
            strError = "unknown view option " + strOption;
            return false;
        }
    }
    return true;
}
