#pragma once
// The Graph View's data without its web view: the series of the cached
// records that pass the filter as JSON text for the chart page, the time
// stamp and value of a point, and the print header in HTML.
#include "CDataLogFile.h"
#include "common/CProgressSink.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Local time minus UTC in seconds, as the chart dialog takes it once:
// mktime of localtime(now) minus mktime of gmtime(now). While summer time is
// in force this is the standard offset, one hour short of the one in force.
int32_t GetLocalUtcOffset();

// Milliseconds since 1970-01-01 00:00:00 of a local wall-clock record time,
// less nUtcOffset seconds; empty when the time is no real date and time.
std::optional<int64_t> ChartTimeStamp(const SYSTEMTIME& tm, int32_t nUtcOffset);

// A field text as a JSON number: a decimal number (optional minus sign,
// digits, optional fraction) as that number, "on"/"off" (any case) as 1/0,
// anything else as 0.
std::string ChartValueText(std::string_view strField);

// A JSON string literal (quotes included) of a single-byte text: quotes,
// backslashes and control characters escaped, bytes past 127 as \u00XX.
std::string JsonQuote(std::string_view strText);

// "[{"name":"tag","data":[[stamp,value],...]},...]", one series per tag.
// Empty (no change) when the file's columns are not "Date", "Time" and at
// least one tag. Points of records that are filtered out, have two fields or
// fewer, lack the series' field or carry no real time are left out.
std::optional<std::string> BuildChartData(CDataLogFile& log, int32_t nUtcOffset,
                                          CProgressSink* pProgress = nullptr);

// HTML-escaped text (&, <, >, double and single quote).
std::string HtmlEscape(std::string_view strText);

// The header printed above the chart: the file name and, when the filter has
// a criterion in use, a table of the filters in force.
std::string BuildPrintHeader(const CDataLogFile& log);
