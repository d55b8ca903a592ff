#include "filemanager/logic/FetchCheck.h"

#include "common/StrFormat.h"

std::string IncompleteFetchReason(uint64_t nReceived, uint64_t nOpenSize, int64_t nListedSize)
{
    if (nOpenSize == 0 && nListedSize > 0)
        return StrFormat("Error: The panel opened the file with 0 bytes, but its list shows %lld.",
                         static_cast<long long>(nListedSize));
    if (nReceived < nOpenSize)
        return StrFormat("Error: The panel ended the file after %llu of %llu bytes.",
                         static_cast<unsigned long long>(nReceived),
                         static_cast<unsigned long long>(nOpenSize));
    return std::string();
}
