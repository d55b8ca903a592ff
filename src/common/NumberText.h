#pragma once
// Numbers and HOST[:PORT] typed by a user on a command line or read from an
// option: the whole text must be the number, so "80x", " 80" or "+80" are
// refused rather than read as something the user did not write.
#include <string>

// A decimal integer from nMin to nMax, nothing before or after it.
bool ParseIntInRange(const std::string& strText, long nMin, long nMax, long& nValue);

// HOST or HOST:PORT with a port from 1 to 65535; without ":PORT" nPort keeps
// the value the caller gave it. False for an empty host or a bad port.
bool ParseHostAndPort(const std::string& strText, std::string& strHost, int& nPort);
