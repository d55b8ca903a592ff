#pragma once
// Data-log records as a panel writes them: a header line "Date,Time,Tag1,...",
// then fixed-width records "MM/DD/YY,HH:MM:SS,  value,..." where every record
// line has exactly the same length in bytes (values padded with blanks on the
// left), so that a reader finds record i by arithmetic alone.
#include <cstddef>
#include <ctime>
#include <string>

namespace DataLog
{
// Right-aligns strValue in nWidth characters (blanks on the left); a longer
// value is returned unchanged.
std::string PadLeft(const std::string& strValue, size_t nWidth);

std::string FormatDate(const struct tm& tmWhen, bool bFourDigitYear);
std::string FormatTime(const struct tm& tmWhen, bool bMilliseconds);

// A fixed-point number in exactly nWidth characters with nDecimals decimals.
std::string FormatValue(double dValue, int nDecimals, size_t nWidth);

// The record that follows strLast (a whole record line with its line ending):
// the same length and line ending, date and time from tmNow (in the same
// style: two- or four-digit year, with or without milliseconds), numbers
// moved a little (nStep varies the walk), on/off values toggled now and then,
// other text kept. A field whose new text would not fit its width keeps its
// old text, so the length never changes.
std::string NextRecord(const std::string& strLast, const struct tm& tmNow, unsigned nStep);

// Header and record lengths of a data-log's start: H, the header without its
// line feed, and R, the first record line with its line feed. False when the
// bytes hold no complete header line and first record line.
bool MeasureLayout(const std::string& strStart, size_t& nHeader, size_t& nRecord);
} // namespace DataLog
