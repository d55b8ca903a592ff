#include "filemanager/logic/SafeFileReplace.h"

#include "common/CTempFile.h"
#include "common/StrFormat.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace
{
// Copies the rest of fdIn into the temporary; false with strError set.
bool CopyAll(int fdIn, const std::string& strSource, CTempFile& temp, std::string& strError)
{
    std::vector<char> arrBuffer(1 << 16);
    for (;;)
    {
        const ssize_t nRead = ::read(fdIn, arrBuffer.data(), arrBuffer.size());
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead < 0)
        {
            strError = StrFormat("%s: %s", strSource.c_str(), std::strerror(errno));
            return false;
        }
        if (nRead == 0)
            return true;
        if (!temp.WriteAll(arrBuffer.data(), static_cast<size_t>(nRead), strError))
            return false;
    }
}
} // namespace

bool ReplaceFileWithCopy(const std::string& strSource, const std::string& strTarget,
                         std::string& strError)
{
    // Refused before anything is read or created for it.
    strError = TargetRefusal(strTarget);
    if (!strError.empty())
        return false;
    const int fdIn = ::open(strSource.c_str(), O_RDONLY | O_CLOEXEC);
    if (fdIn < 0)
    {
        strError = StrFormat("%s: %s", strSource.c_str(), std::strerror(errno));
        return false;
    }
    const bool bOk = SafeReplaceFile(
        strTarget,
        [fdIn, &strSource](CTempFile& temp, std::string& strCopyError)
        { return CopyAll(fdIn, strSource, temp, strCopyError); },
        strError);
    ::close(fdIn);
    return bOk;
}
