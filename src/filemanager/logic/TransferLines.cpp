#include "filemanager/logic/TransferLines.h"

#include "common/StrFormat.h"

std::string CountLineText(int nRow, int nRows)
{
    return StrFormat("Tranferring files %d of %d...  ", nRow + 1, nRows);
}

std::string FileLineText(const std::string& strName)
{
    return StrFormat("Tranferring %s...", strName.c_str());
}

std::string BytesLineText(uint64_t nBytes)
{
    return "Bytes transferred: " + std::to_string(nBytes);
}
