#pragma once
// Text rules of a data-log file: splitting a line into its comma-separated
// fields, splitting at a delimiter, reading a record's date and time columns
// into a SYSTEMTIME and showing such a time. Free functions without state so
// that the reader, the filters, the table and the chart share one rule.
#include "common/SysTime.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Splits one line into trimmed fields (quoted fields, doubled quotes inside
// them). Fills arrOut with exactly the fields and returns their count.
int SplitCsvFields(std::string_view strLine, std::vector<std::string>& arrOut);

// The same split for hot loops: the field texts land in arrScratch[0..count-1],
// whose strings keep their capacity between calls; elements past the count are
// left as they are. Returns the count.
int SplitCsvFieldsInto(std::string_view strLine, std::vector<std::string>& arrScratch);

// The same split without copying, for a line that holds no double quote:
// the trimmed fields as views into the line, the first nMax of them in pOut.
// Returns the field count (which may be above nMax), or -1 when the line
// holds a double quote after all.
int SplitPlainCsvFields(std::string_view strLine, std::string_view* pOut, int nMax);

// Pieces between the occurrences of strDelimiter; the text after the last one
// is always a last piece, even when empty. Returns the piece count.
int SplitAtDelimiter(std::string_view strText, std::string_view strDelimiter,
                     std::vector<std::string>& arrOut);

// The record time of a record's fields (date, time, ...): the date as
// month/day/year (a two-character year is in 2000..2099), the time as
// hour:minute:second[:milliseconds]. A record with two fields or fewer, or
// whose date or time does not split as required, gives an all-zero time.
// bHasMilliseconds tells whether the time had a milliseconds part.
SYSTEMTIME ParseRecordTime(const std::string* pFields, size_t nCount, bool& bHasMilliseconds);
// The same from the date and time texts of a record of nCount fields.
SYSTEMTIME ParseRecordTimeTexts(std::string_view strDate, std::string_view strTime, size_t nCount,
                                bool& bHasMilliseconds);

// A discrete tag's "on": the text is "on" in any case (every other text is off).
bool IsOnText(std::string_view strText);

// The leading decimal number of a text exactly as atof reads it (0 when
// there is none). Plain decimals are read here when the locale's decimal
// point is '.' (IsDecimalPointDot, asked once per run); the rest goes to atof.
double ReadLeadingNumber(std::string_view strText, bool bDecimalPointIsDot);
bool IsDecimalPointDot();

// "Fri, Dec 04, 2026, 15:26:16" for a real date and time, else
// "Invalid DateTime"; ":007"-style milliseconds appended when bWithMilliseconds.
std::string FormatRecordTimeText(const SYSTEMTIME& tm, bool bWithMilliseconds);

// FormatRecordTimeText for many record times in a row, appended to strOut:
// the date part of the text is kept for the last day shown and the time part
// for every time of day, so strftime runs once per day and per time of day
// instead of once per record.
class CRecordTimeFormatter
{
public:
    void Append(const SYSTEMTIME& tm, bool bWithMilliseconds, std::string& strOut);

private:
    uint32_t m_nDay = UINT32_MAX;
    std::string m_strDay;
    std::vector<std::string> m_arrTimesOfDay; // by second of the day; empty until shown
};

// Orders record times field by field (year, month, day, hour, minute, second,
// milliseconds; the day of week does not count). For real times this is the
// order of their file times; impossible times still compare consistently.
int CompareRecordTimes(const SYSTEMTIME& a, const SYSTEMTIME& b);
