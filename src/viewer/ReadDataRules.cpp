#include "ReadDataRules.h"

#include "common/StrFormat.h"

namespace
{
// Texts of the page's string table.
const char* const TEXT_NUMBER_OF_RECORDS = "Number of Records";                           // 105
const char* const FMT_NEGATIVE_RANGE = "%s must be between -%d and -%d";                  // 106
const char* const TEXT_NUMBER_INVALID = "Number of Records is invalid.";                  // 107
const char* const FMT_NOT_SPECIFIED = "%s is not specified.";                             // 109
const char* const FMT_RANGE = "%s must be between %d and %d.";                            // 110
const char* const TEXT_NO_PREVIOUS = "Previous records cannot be read from the index 1."; // 111
const char* const TEXT_FROM_INDEX = "From Record Index";                                  // 112
const char* const TEXT_TO_INDEX = "To Record Index";                                      // 113
// First and Last name their count with a trailing blank, so their messages
// read "Number of Records  must ..." and "Number of Records  is ...".
const char* const TEXT_COUNT_NAME = "Number of Records ";

bool IsBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

SAddRecordsOutcome Refuse(std::string strText, int nControl)
{
    SAddRecordsOutcome outcome;
    outcome.message.strText = std::move(strText);
    outcome.message.eIcon = EPromptIcon::Stop;
    outcome.message.nFocusControl = nControl;
    return outcome;
}
} // namespace

bool ValidateNumber(const std::string& strName, const std::string& strText, int64_t nMin,
                    int64_t nMax, bool bNegative, uint32_t& nValue, std::string& strMessage)
{
    if (strText.empty())
    {
        strMessage = StrFormat(FMT_NOT_SPECIFIED, strName.c_str());
        return false;
    }
    size_t i = 0;
    while (i < strText.size() && IsBlankChar(strText[i]))
        ++i;
    if (bNegative && i < strText.size() && strText[i] == '-')
        ++i;
    while (i < strText.size() && IsBlankChar(strText[i]))
        ++i;
    // Saturates instead of wrapping, so a long run of digits stays out of range.
    int64_t nNumber = 0;
    for (; i < strText.size() && strText[i] >= '0' && strText[i] <= '9'; ++i)
    {
        if (nNumber <= INT64_C(0xFFFFFFFF))
            nNumber = nNumber * 10 + (strText[i] - '0');
    }
    if (nMin <= nNumber && nNumber <= nMax)
    {
        nValue = static_cast<uint32_t>(nNumber);
        return true;
    }
    strMessage = StrFormat(bNegative ? FMT_NEGATIVE_RANGE : FMT_RANGE, strName.c_str(),
                           static_cast<int>(nMin), static_cast<int>(nMax));
    return false;
}

SAddRecordsOutcome EvaluateAddRecords(const SReadDataValues& values, uint32_t nRecordCount,
                                      bool bClearFirst)
{
    const int64_t nCount = nRecordCount;
    SAddRecordsOutcome outcome;
    SAddRecordsRequest& request = outcome.request;
    request.bClearFirst = bClearFirst;
    std::string strMessage;

    switch (values.nChoice)
    {
    case ReadChoiceAll:
        request.eMode = LoadAll;
        request.nIndex = 0;
        break;
    case ReadChoiceFirst:
    case ReadChoiceLast:
    {
        const bool bFirst = values.nChoice == ReadChoiceFirst;
        uint32_t nNumber = 0;
        if (!ValidateNumber(TEXT_COUNT_NAME, bFirst ? values.strFirst : values.strLast, 2, nCount,
                            false, nNumber, strMessage))
            return Refuse(strMessage, bFirst ? IDC_READ_FIRST : IDC_READ_LAST);
        request.eMode = bFirst ? LoadFirst : LoadLast;
        request.bSetWindowSize = true;
        request.nWindowSize = nNumber;
        break;
    }
    case ReadChoiceFrom:
    {
        uint32_t nFrom = 0;
        if (!ValidateNumber(TEXT_FROM_INDEX, values.strFrom, 1, nCount, false, nFrom, strMessage))
            return Refuse(strMessage, IDC_READ_FROM);
        request.eMode = LoadFrom;
        request.bSetWindowSize = true;
        if (values.bToChecked)
        {
            uint32_t nTo = 0;
            if (!ValidateNumber(TEXT_TO_INDEX, values.strTo, static_cast<int64_t>(nFrom) + 2,
                                nCount, false, nTo, strMessage))
                return Refuse(strMessage, IDC_READ_TO);
            request.nWindowSize = nTo - nFrom + 1;
            request.nIndex = nFrom;
            break;
        }
        const std::string strNumber = TrimBlanks(values.strNumber);
        for (size_t i = 0; i < strNumber.size(); ++i)
        {
            const char c = strNumber[i];
            if (!(c >= '0' && c <= '9') && !(c == '-' && i == 0))
                return Refuse(TEXT_NUMBER_INVALID, IDC_READ_NUMBER);
        }
        const bool bNegative = !strNumber.empty() && strNumber[0] == '-';
        if (bNegative && nFrom == 1)
            return Refuse(TEXT_NO_PREVIOUS, IDC_READ_NUMBER);
        const int64_t nMax = bNegative ? static_cast<int64_t>(nFrom) : nCount + 1 - nFrom;
        uint32_t nNumber = 0;
        if (!ValidateNumber(TEXT_NUMBER_OF_RECORDS, values.strNumber, 1, nMax, bNegative, nNumber,
                            strMessage))
            return Refuse(strMessage, IDC_READ_NUMBER);
        request.nWindowSize = nNumber;
        request.nIndex = bNegative ? nFrom - nNumber + 1 : nFrom;
        break;
    }
    default:
        return outcome; // no choice made: nothing to do, nothing to say
    }
    outcome.bAccepted = true;
    return outcome;
}

void PerformAddRecords(CDataLogFile& log, const SAddRecordsRequest& request)
{
    if (request.bClearFirst)
        log.EmptyCache();
    if (request.bSetWindowSize)
        log.m_nWindowSize = request.nWindowSize;
    log.LoadRecords(request.eMode, request.nIndex);
}

namespace
{
const char* const FMT_SUMMARY =
    "Total Records: %lu\n\nFirst record logged at: %s\nLast record logged at: %s";
}

std::string FormatFileSummary(CDataLogFile& log)
{
    return StrFormat(FMT_SUMMARY, static_cast<unsigned long>(log.GetRecordCount()),
                     log.FormatRecordTime(log.m_tmFirstRecord).c_str(),
                     log.FormatRecordTime(log.m_tmLastRecord).c_str());
}

SCacheSummary FormatCacheSummary(CDataLogFile& log)
{
    std::string strFirst;
    std::string strLast;
    const size_t nCached = log.GetCachedCount();
    if (nCached != 0)
    {
        strFirst = log.FormatRecordTime(log.GetCachedRecordTime(0));
        strLast = log.FormatRecordTime(log.GetCachedRecordTime(nCached - 1));
    }
    SCacheSummary summary;
    summary.strSummary = StrFormat(FMT_SUMMARY, static_cast<unsigned long>(nCached),
                                   strFirst.c_str(), strLast.c_str());
    summary.strRecordSet = log.GetRecordSetText();
    return summary;
}

SCacheSummary UpdateCacheSummary(CDataLogFile& log)
{
    const SCacheSummary summary = FormatCacheSummary(log);
    log.m_bDataViewStale = true;
    log.m_bGraphViewStale = true;
    return summary;
}
