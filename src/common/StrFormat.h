#pragma once
// printf-style formatting into std::string. The system's messages are fixed
// printf format texts ("%s\n%s", "Unable to open file %s\n%s", ...), so the
// code keeps them as they stand and fills them here.
#include <string>

#if defined(__GNUC__)
#define ORVAK_PRINTF(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))
#else
#define ORVAK_PRINTF(fmtIndex, firstArg)
#endif

std::string StrFormat(const char* pszFormat, ...) ORVAK_PRINTF(1, 2);

// Joins two failure texts the way every error collector of the system does:
// "%s\n%s" when both are present, otherwise whichever is not empty.
std::string JoinLines(const std::string& strFirst, const std::string& strSecond);

// Blanks (and the other white-space characters) removed at both ends.
std::string TrimBlanks(const std::string& str);
std::string ToUpperAscii(std::string str);
std::string ToLowerAscii(std::string str);
bool EqualsNoCase(const std::string& a, const std::string& b);
