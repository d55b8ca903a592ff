#pragma once
// The Read Data page's rules without its widgets: which request its values
// make (or the message that refuses them), carrying a request out on the
// data-log object, and the texts of its summaries.
#include "CDataLogFile.h"
#include "ViewerMessage.h"

#include <cstdint>
#include <string>

// Control identifiers of the page (dialog 1999).
enum EReadDataControl
{
    IDC_READ_FIRST = 1071,
    IDC_READ_LAST = 1072,
    IDC_READ_FROM = 1073,
    IDC_READ_TO = 1074,
    IDC_READ_NUMBER = 1080,
};

// The range choice of the radio group.
enum EReadChoice
{
    ReadChoiceAll = 0,
    ReadChoiceFirst = 1,
    ReadChoiceLast = 2,
    ReadChoiceFrom = 3,
};

struct SReadDataValues
{
    int nChoice = ReadChoiceLast;
    std::string strFirst = "10";
    std::string strLast = "10";
    std::string strFrom;
    std::string strTo;
    std::string strNumber = "10";
    bool bToChecked = true; // "To Record Index" rather than "Number of Records"
};

struct SAddRecordsRequest
{
    LoadMode eMode = LoadLast;
    uint32_t nIndex = 0;
    bool bSetWindowSize = false; // All leaves the window size to the load
    uint32_t nWindowSize = 0;
    bool bClearFirst = false;
};

struct SAddRecordsOutcome
{
    bool bAccepted = false;
    SAddRecordsRequest request;
    SViewerMessage message; // when refused
};

// Reads the edit's text as a count between nMin and nMax; bNegative: the
// text carries a minus sign in front. Any value past the range (however
// long the digits run) is out of range. On refusal fills strMessage.
bool ValidateNumber(const std::string& strName, const std::string& strText, int64_t nMin,
                    int64_t nMax, bool bNegative, uint32_t& nValue, std::string& strMessage);

// "Add Records" (bClearFirst false) or "Clear Cache and Add Records" (true)
// with the page's values; nRecordCount is the file's count before any load.
SAddRecordsOutcome EvaluateAddRecords(const SReadDataValues& values, uint32_t nRecordCount,
                                      bool bClearFirst);

// Carries an accepted request out: empties the cache when asked, sets the
// window size, loads.
void PerformAddRecords(CDataLogFile& log, const SAddRecordsRequest& request);

// "Total Records: ..." of the file (static 1063).
std::string FormatFileSummary(CDataLogFile& log);

struct SCacheSummary
{
    std::string strSummary;   // static 1084
    std::string strRecordSet; // edit 1088
};

// The cache summary and the RecordSet text, as the Filters page shows them.
SCacheSummary FormatCacheSummary(CDataLogFile& log);
// The same, and both views marked stale, as every load and every emptying of
// the cache does.
SCacheSummary UpdateCacheSummary(CDataLogFile& log);
