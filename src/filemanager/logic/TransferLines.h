#pragma once
// The lines that follow a running transfer: which file of how many, the file
// on its way and its bytes so far.
#include <cstdint>
#include <string>

// "Tranferring files 2 of 5...  " for row nRow (from 0) of nRows.
std::string CountLineText(int nRow, int nRows);
// "Tranferring NAME..."
std::string FileLineText(const std::string& strName);
// "Bytes transferred: N"
std::string BytesLineText(uint64_t nBytes);
