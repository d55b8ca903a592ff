#include "CsvExport.h"

#include "DataLogText.h"
#include "common/CPrompt.h"
#include "common/CTempFile.h"
#include "common/StrFormat.h"

#include <fcntl.h>

#include <functional>

namespace
{
// Export lines end in CR LF, as a text-mode write of "\n" gives them.
const char* const EOL = "\r\n";
constexpr size_t FLUSH_BYTES = 1 << 20;

void AppendDoubled(std::string& strOut, const std::string& strText)
{
    size_t nStart = 0;
    while (true)
    {
        const size_t nQuote = strText.find('"', nStart);
        if (nQuote == std::string::npos)
        {
            strOut.append(strText, nStart, std::string::npos);
            return;
        }
        strOut.append(strText, nStart, nQuote + 1 - nStart);
        strOut.push_back('"');
        nStart = nQuote + 1;
    }
}

// Doubles every double quote of strOut from nStart on.
void DoubleQuotesFrom(std::string& strOut, size_t nStart)
{
    size_t nQuote = strOut.find('"', nStart);
    while (nQuote != std::string::npos)
    {
        strOut.insert(nQuote, 1, '"');
        nQuote = strOut.find('"', nQuote + 2);
    }
}

void AppendQuoted(std::string& strOut, const std::string& strText)
{
    strOut.push_back('"');
    AppendDoubled(strOut, strText);
    strOut.push_back('"');
}

// Emits the export into strOut, handing it to fnFlush whenever it has grown
// past FLUSH_BYTES (and once at the end). Stops when fnFlush fails.
bool EmitCsvExport(CDataLogFile& log, const CDataViewTable& table, std::string& strOut,
                   const std::function<bool(std::string&)>& fnFlush)
{
    const CFilterSet& filter = log.m_Filter;
    strOut += "FileName:,";
    AppendDoubled(strOut, log.m_strFileName);
    strOut += EOL;
    if (filter.HasCriteriaInUse())
    {
        strOut += "Filters,Show/Hide,DataType,Condition,Low Limit,High Limit";
        strOut += EOL;
    }
    if (filter.m_bEnabled && filter.m_bDateRange)
    {
        strOut += "DateRange,";
        strOut += filter.m_bShowDates ? "show" : "hide";
        strOut += ",Data,";
        strOut += GetConditionExportText(filter.m_nDateCondition);
        strOut += ",";
        AppendQuoted(strOut, log.FormatRecordTime(filter.m_tmFrom));
        strOut += ",";
        AppendQuoted(strOut, log.FormatRecordTime(filter.m_tmTo));
        strOut += EOL;
    }
    if (filter.m_bEnabled)
    {
        std::vector<std::string> arrColumns;
        log.GetHeaderFields(arrColumns);
        for (const CTagFilter& tag : filter.m_arrTagFilters)
        {
            const size_t nColumn = static_cast<size_t>(tag.m_nTagIndex) + 2;
            AppendQuoted(strOut, nColumn < arrColumns.size() ? arrColumns[nColumn] : std::string());
            strOut += ",";
            AppendQuoted(strOut, tag.m_bShow ? "Show" : "Hide");
            strOut += ",";
            AppendQuoted(strOut, tag.m_nDataType == FilterDiscrete ? "Discrete" : "Numeric");
            strOut += ",";
            AppendQuoted(strOut, GetConditionExportText(tag.m_nCondition));
            strOut += ",";
            AppendQuoted(strOut, StrFormat("%f", tag.m_dLow));
            strOut += ",";
            AppendQuoted(strOut, StrFormat("%f", tag.m_dHigh));
            strOut += EOL;
        }
    }

    const int nRows = table.IsCurrent(log) ? table.GetRowCount() : 0;
    if (nRows > 0)
    {
        strOut += EOL;
        strOut += EOL;
        const std::vector<std::string>& arrHeaders = table.GetHeaders();
        for (size_t i = 0; i < arrHeaders.size(); ++i)
        {
            if (i > 0)
                strOut += ",";
            AppendQuoted(strOut, arrHeaders[i].substr(0, 255)); // a list header holds 255 at most
        }
        strOut += EOL;
        const int nColumns = table.GetColumnCount();
        CRecordTimeFormatter formatter;
        for (int nRow = 0; nRow < nRows; ++nRow)
        {
            for (int nColumn = 0; nColumn < nColumns; ++nColumn)
            {
                if (nColumn > 0)
                    strOut += ',';
                // The cell goes straight into the output, its quotes doubled there.
                strOut += '"';
                const size_t nStart = strOut.size();
                table.AppendCellText(nRow, nColumn, formatter, strOut);
                if (nColumn > 0) // the index is digits only
                    DoubleQuotesFrom(strOut, nStart);
                strOut += '"';
            }
            strOut += EOL;
            if (strOut.size() >= FLUSH_BYTES && !fnFlush(strOut))
                return false;
        }
    }
    return fnFlush(strOut);
}

bool WriteCsvExport(CTempFile& temp, CDataLogFile& log, const CDataViewTable& table,
                    std::string& strError)
{
    std::string strBuffer;
    strBuffer.reserve(FLUSH_BYTES + 4096);
    off_t nWritten = 0;
    const auto fnWrite = [&temp, &strError, &nWritten](std::string& strPart)
    {
        const bool bOk = temp.WriteAll(strPart.data(), strPart.size(), strError);
        // Start this part on its way to the disk now, so that the flush
        // before the rename has little left to wait for.
        if (bOk)
            ::sync_file_range(temp.Fd(), nWritten, static_cast<off_t>(strPart.size()),
                              SYNC_FILE_RANGE_WRITE);
        nWritten += static_cast<off_t>(strPart.size());
        strPart.clear();
        return bOk;
    };
    return EmitCsvExport(log, table, strBuffer, fnWrite);
}
} // namespace

std::string DoubleQuotes(const std::string& strText)
{
    std::string strOut;
    AppendDoubled(strOut, strText);
    return strOut;
}

std::string EncloseQuoted(const std::string& strText)
{
    std::string strOut;
    AppendQuoted(strOut, strText);
    return strOut;
}

std::string BuildCsvExport(CDataLogFile& log, const CDataViewTable& table)
{
    std::string strText;
    std::string strBuffer;
    EmitCsvExport(log, table, strBuffer,
                  [&strText](std::string& strPart)
                  {
                      strText += strPart;
                      strPart.clear();
                      return true;
                  });
    return strText;
}

bool ExportCsv(const std::string& strPath, CDataLogFile& log, const CDataViewTable& table)
{
    std::string strError;
    const bool bWritten = SafeReplaceFile(
        strPath,
        [&log, &table](CTempFile& temp, std::string& strWriteError)
        { return WriteCsvExport(temp, log, table, strWriteError); },
        strError);
    if (!bWritten)
        GetPrompt().Message(JoinLines("Unable to create/open the csv file.", strError),
                            EPromptIcon::Stop);
    return bWritten;
}
