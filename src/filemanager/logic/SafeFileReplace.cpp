#include "filemanager/logic/SafeFileReplace.h"

#include "common/StrFormat.h"
#include "filemanager/logic/TransferNames.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
std::string FolderOf(const std::string& strPath)
{
    const size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos)
        return ".";
    if (nSlash == 0)
        return "/";
    return strPath.substr(0, nSlash);
}

// Like mkstemp, but with the ordinary creation mode (0666 less the umask), as
// the finished file keeps the permissions it is created with.
int CreateSiblingTemp(const std::string& strFolder, std::string& strPath)
{
    static const char s_szChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    // One generator per thread: transfers may run on several threads at once.
    thread_local std::mt19937 s_random{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof(s_szChars) - 2);
    for (int nTry = 0; nTry < 100; ++nTry)
    {
        std::string strName = ".tmp";
        for (int i = 0; i < 8; ++i)
            strName += s_szChars[pick(s_random)];
        strPath = JoinLocalPath(strFolder, strName);
        const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteAll(int fd, const char* pData, size_t nLength)
{
    while (nLength > 0)
    {
        const ssize_t nWritten = ::write(fd, pData, nLength);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        pData += nWritten;
        nLength -= static_cast<size_t>(nWritten);
    }
    return true;
}

bool CopyAll(int fdIn, int fdOut)
{
    std::vector<char> arrBuffer(1 << 16);
    for (;;)
    {
        const ssize_t nRead = ::read(fdIn, arrBuffer.data(), arrBuffer.size());
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead < 0)
            return false;
        if (nRead == 0)
            return true;
        if (!WriteAll(fdOut, arrBuffer.data(), static_cast<size_t>(nRead)))
            return false;
    }
}

void SyncFolder(const std::string& strFolder)
{
    const int fd = ::open(strFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
    {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

std::string GetSystemTempFolder()
{
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::temp_directory_path(ec);
    return ec ? std::string() : path.string();
}

std::string CreateFetchTempFile(const std::string& strFolder)
{
    std::string strPath = JoinLocalPath(strFolder, "tmpXXXXXX");
    int fd = ::mkstemp(strPath.data());
    if (fd < 0)
    {
        const auto nTicks = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        strPath = JoinLocalPath(strFolder, StrFormat("%d.tmp", static_cast<int>(nTicks.count())));
        fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    }
    if (fd < 0)
        return std::string();
    ::close(fd);
    return strPath;
}

bool ReplaceFileWithCopy(const std::string& strSource, const std::string& strTarget,
                         std::string& strError)
{
    const int fdIn = ::open(strSource.c_str(), O_RDONLY | O_CLOEXEC);
    if (fdIn < 0)
    {
        strError = StrFormat("%s: %s", strSource.c_str(), std::strerror(errno));
        return false;
    }
    std::string strTemp;
    const int fdOut = CreateSiblingTemp(FolderOf(strTarget), strTemp);
    if (fdOut < 0)
    {
        strError = StrFormat("%s: %s", FolderOf(strTarget).c_str(), std::strerror(errno));
        ::close(fdIn);
        return false;
    }

    bool bOk = CopyAll(fdIn, fdOut);
    int nError = errno;
    struct stat stTarget
    {
    };
    if (bOk && ::stat(strTarget.c_str(), &stTarget) == 0 && S_ISREG(stTarget.st_mode))
        ::fchmod(fdOut, stTarget.st_mode & 07777);
    if (bOk && ::fsync(fdOut) != 0)
    {
        bOk = false;
        nError = errno;
    }
    ::close(fdIn);
    if (::close(fdOut) != 0 && bOk)
    {
        bOk = false;
        nError = errno;
    }
    if (bOk && ::rename(strTemp.c_str(), strTarget.c_str()) != 0)
    {
        bOk = false;
        nError = errno;
    }
    if (!bOk)
    {
        ::unlink(strTemp.c_str());
        strError = StrFormat("%s: %s", strTarget.c_str(), std::strerror(nError));
        return false;
    }
    SyncFolder(FolderOf(strTarget));
    return true;
}

void RemoveFileIfPresent(const std::string& strPath)
{
    struct stat st
    {
    };
    if (!strPath.empty() && ::lstat(strPath.c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
        ::unlink(strPath.c_str());
}
