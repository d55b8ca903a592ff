#include "link/CardStatus.h"

std::string GetCardStatusText(unsigned char nCode, bool* pIsError)
{
    static const char* const s_arrInfo[] = {
        "Card Present, No Error",
        "Card Present, Data Acc. ready, No Error",
        "Processing Data Acc. Init.",
        "Processing File Close",
        "File Close Complete",
        "Processing Format",
        "Format Complete",
        "Processing Copy File",
    };
    static const char* const s_arrErrors[] = {
        "Unexpected Error",
        "No Card",
        "Card is Write Protected",
        "Card is Full",
        "Card Not Formatted",
        "Data Buff Err",
        "Data Flush Err",
        "Data Acc. Not Initialized",
        "Format Error",
    };
    constexpr unsigned nInfoCount = sizeof(s_arrInfo) / sizeof(s_arrInfo[0]);
    constexpr unsigned nErrorCount = sizeof(s_arrErrors) / sizeof(s_arrErrors[0]);
    const bool bError = nCode >= 128 && nCode < 128 + nErrorCount;
    if (pIsError)
        *pIsError = bError;
    if (bError)
        return s_arrErrors[nCode - 128];
    if (nCode < nInfoCount)
        return s_arrInfo[nCode];
    return std::string();
}

namespace
{
constexpr unsigned char CARD_RESULT_IN_USE = 241;
}

std::string GetCardDeleteResultText(unsigned char nResult)
{
    switch (nResult)
    {
    case 1:
        return "Source filename invalid";
    case 2:
        return "Source file not found";
    case CARD_RESULT_IN_USE:
        return "File may be in use.";
    default:
        return "Unknown";
    }
}

std::string GetCardRenameResultText(unsigned char nResult)
{
    switch (nResult)
    {
    case 1:
        return "Source filename invalid";
    case 2:
        return "New filename invalid";
    case 3:
        return "Filenames are not unique";
    case 4:
        return "Rename failed";
    case CARD_RESULT_IN_USE:
        return "File may be in use.";
    default:
        return "Unknown";
    }
}
