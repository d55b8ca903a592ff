// The header printed above the chart. Every text from the file or the panel
// is escaped, so a column name can never add markup or script to the page.
#include "ChartData.h"

#include "common/StrFormat.h"

namespace
{
const char* const CELL_STYLE =
    "style=\" border: 1px solid black;padding: 5px;border-collapse: collapse;font-size: 11px; "
    "font-weight: bold;font-family: Dosis, sans-serif;\"";

// One table row of cells of the given tag ("th" or "td").
std::string TableRow(const char* pszCell, const std::vector<std::string>& arrTexts)
{
    std::string strRow = "<tr>";
    for (const std::string& strText : arrTexts)
    {
        strRow += StrFormat("<%s %s>", pszCell, CELL_STYLE);
        strRow += HtmlEscape(strText);
        strRow += StrFormat("</%s>", pszCell);
    }
    strRow += "</tr>";
    return strRow;
}
} // namespace

std::string HtmlEscape(std::string_view strText)
{
    std::string strOut;
    strOut.reserve(strText.size());
    for (const char c : strText)
    {
        switch (c)
        {
        case '&':
            strOut += "&amp;";
            break;
        case '<':
            strOut += "&lt;";
            break;
        case '>':
            strOut += "&gt;";
            break;
        case '"':
            strOut += "&quot;";
            break;
        case '\'':
            strOut += "&#39;";
            break;
        default:
            strOut += c;
        }
    }
    return strOut;
}

std::string BuildPrintHeader(const CDataLogFile& log)
{
    std::string strHtml =
        "<div id =\"PrintChart\" align=\"center\"><div id=\"FileName\" align=\"center\" "
        "style=\"color: rgb(51, 51, 51);font-size: 11px; \t\t\t\t\t\t\t\tfont-family: Dosis, "
        "sans-serif;font-weight: bold; fill: #333333;\">FileName:";
    strHtml += HtmlEscape(log.m_strFileName);
    strHtml += "</div>";

    const CFilterSet& filter = log.m_Filter;
    if (filter.HasCriteriaInUse())
    {
        strHtml += "<br /><div id=\"Filters\" align=\"center\">";
        strHtml +=
            "<table style=\"width:100%; border: 1px solid black;border-collapse: collapse;\">";
        strHtml += TableRow(
            "th", {"Filters", "Show/Hide", "DataType", "Condition", "Low limit", "High Limit"});
        if (filter.m_bDateRange)
            strHtml += TableRow("td", {"DateRange", filter.m_bShowDates ? "show" : "hide", "Date",
                                       GetConditionExportText(filter.m_nDateCondition),
                                       log.FormatRecordTime(filter.m_tmFrom),
                                       log.FormatRecordTime(filter.m_tmTo)});
        std::vector<std::string> arrColumns;
        log.GetHeaderFields(arrColumns);
        for (const CTagFilter& tag : filter.m_arrTagFilters)
        {
            const size_t nColumn = static_cast<size_t>(tag.m_nTagIndex) + 2;
            strHtml +=
                TableRow("td", {nColumn < arrColumns.size() ? arrColumns[nColumn] : std::string(),
                                tag.m_bShow ? "Show" : "Hide",
                                tag.m_nDataType == FilterDiscrete ? "Discrete" : "Numeric",
                                GetConditionExportText(tag.m_nCondition),
                                StrFormat("%f", tag.m_dLow), StrFormat("%f", tag.m_dHigh)});
        }
        strHtml += "</table></div>";
    }
    strHtml += "</br></div>";
    return strHtml;
}
