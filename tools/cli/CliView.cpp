// view: a data-log file read in place on the panel, as the viewer reads it:
// the initial load of the last ten records, the Read Data requests in order,
// the filter as leaving the Filters page sets it, then the summaries, the
// Data View export and the chart series.
#include "CliSession.h"
#include "CliViewArgs.h"
#include "common/CPrompt.h"
#include "viewer/CDataViewTable.h"
#include "viewer/ChartData.h"
#include "viewer/CsvExport.h"
#include "viewer/FilterPageRules.h"

#include <algorithm>
#include <cstdio>

namespace
{
int UsageError(const std::string& strText)
{
    std::fprintf(stderr, "orvak-cli: %s\n", strText.c_str());
    return CLI_EXIT_USAGE;
}

// A refusal of a page, shown as the page shows it.
int Refused(const SViewerMessage& message)
{
    GetPrompt().Message(message.strText, message.eIcon);
    return CLI_EXIT_FAILED;
}

bool RunSteps(CDataLogFile& log, const std::vector<SCliViewStep>& arrSteps)
{
    for (const SCliViewStep& step : arrSteps)
    {
        if (step.bClear)
        {
            log.EmptyCache();
            UpdateCacheSummary(log);
            continue;
        }
        const SAddRecordsOutcome outcome =
            EvaluateAddRecords(step.values, log.GetRecordCount(), false);
        if (!outcome.bAccepted)
        {
            Refused(outcome.message);
            return false;
        }
        PerformAddRecords(log, outcome.request);
        UpdateCacheSummary(log);
    }
    return true;
}

// Fills the Filters page as the options say and leaves it.
int ApplyFilterOptions(CDataLogFile& log, const SCliViewArgs& args)
{
    if (!args.bDateFilter && args.arrTagFilters.empty())
        return CLI_EXIT_OK;
    std::vector<std::string> arrColumns;
    log.GetHeaderFields(arrColumns);
    const std::vector<std::string> arrTags(
        arrColumns.begin() + std::min<size_t>(2, arrColumns.size()), arrColumns.end());
    SFilterPageValues values = MakeFilterPageValues(log.m_Filter, arrTags);
    values.bFilterEnabled = true;
    if (args.bDateFilter)
    {
        values.bDateRange = true;
        values.bShowDates = args.bShowDates;
        values.nDateCondition = args.nDateCondition;
        values.tmFromDate = values.tmFromTime = args.tmFrom;
        if (args.bHasTo)
            values.tmToDate = values.tmToTime = args.tmTo;
    }
    for (const SCliTagFilter& tag : args.arrTagFilters)
    {
        size_t nRow = 0;
        while (nRow < arrTags.size() && arrTags[nRow] != tag.strName)
            ++nRow;
        if (nRow == arrTags.size())
            return UsageError("the file has no tag \"" + tag.strName + "\"");
        SFilterGridRow& row = values.arrRows[nRow];
        row.bTicked = true;
        row.nShowHide = tag.bShow ? 0 : 1;
        row.nDataType = tag.nDataType;
        row.nCondition = tag.nCondition;
        row.strLow = tag.strLow;
        row.strHigh = tag.strHigh;
    }
    SYSTEMTIME tmStart, tmEnd;
    log.GetCacheSpan(tmStart, tmEnd);
    const SFilterPageOutcome outcome = ValidateFilterPage(values, tmStart, tmEnd);
    if (!outcome.bAccepted)
        return Refused(outcome.message);
    ApplyFilterSet(log, outcome.filter);
    return CLI_EXIT_OK;
}

int RunView(const CCliContext& ctx)
{
    SCliViewArgs args;
    std::string strError;
    if (!ParseCliViewArgs(ctx.m_arrArgs, args, strError))
        return UsageError(strError);

    CCliSession session(ctx);
    if (!session.Connect())
        return CLI_EXIT_FAILED;
    if (!CanViewFileData())
    {
        std::fprintf(stderr, "Error: This panel does not let its file data be viewed.\n");
        return CLI_EXIT_FAILED;
    }
    CDataLogFile log(&session.Files());
    if (!log.OpenLog(args.strFile))
    {
        // A file without a data-log header is refused silently by the viewer.
        if (log.m_pFileCmds == nullptr)
            std::fprintf(stderr, "Error: %s is not a data-log file.\n", args.strFile.c_str());
        return CLI_EXIT_FAILED;
    }
    // The viewer's first page loads the last ten records when it opens.
    PerformAddRecords(log, {LoadLast, 0, false, 0, false});
    UpdateCacheSummary(log);
    log.InitFilterDates();

    if (!RunSteps(log, args.arrSteps))
        return CLI_EXIT_FAILED;
    if (const int nResult = ApplyFilterOptions(log, args); nResult != CLI_EXIT_OK)
        return nResult;

    if (args.bSummary)
    {
        const std::string strFile = FormatFileSummary(log);
        const SCacheSummary cache = UpdateCacheSummary(log);
        std::printf("Records in File:\n%s\n\nRecords in Application Cache:\n%s\n\nRecordSet:\n%s\n",
                    strFile.c_str(), cache.strSummary.c_str(), cache.strRecordSet.c_str());
    }
    if (!args.strCsvPath.empty())
    {
        CDataViewTable table;
        table.Load(log);
        if (!ExportCsv(args.strCsvPath, log, table))
            return CLI_EXIT_FAILED;
    }
    if (args.bJson)
    {
        const std::optional<std::string> strData = BuildChartData(log, GetLocalUtcOffset());
        std::printf("%s\n", strData.value_or(std::string()).c_str());
    }
    return CLI_EXIT_OK;
}

CCliCommandRegistrar s_view("view",
                            "view FILE [--add RANGE]... [--clear] [--filter-date show|hide COND "
                            "FROM [TO]] [--filter-tag NAME show|hide numeric|discrete COND LOW "
                            "[HIGH]]... [--summary] [--csv OUT] [--json]",
                            "Read a data log in place as the viewer does (RANGE: all, first:N, "
                            "last:N, from:F:to:T, from:F:count:N; COND: = != > < in out; times "
                            "\"MM/DD/YYYY HH:MM:SS\")",
                            &RunView, 1, -1);
} // namespace
