#include "common/CTempFile.h"

#include "common/StrFormat.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int NAME_RANDOM_CHARS = 8;
constexpr int MAX_LIVE_TEMPS = 64;
constexpr size_t MAX_TEMP_PATH = 4096;

// The registry the signal handler reads: a slot is claimed (1), filled, then
// published (2); the handler only unlinks published slots, and unlink is safe
// in a signal handler.
struct STempSlot
{
    std::atomic<int> nState{0};
    char szPath[MAX_TEMP_PATH];
};
STempSlot g_arrSlots[MAX_LIVE_TEMPS];

void Register(const std::string& strPath)
{
    if (strPath.size() >= MAX_TEMP_PATH)
        return;
    for (STempSlot& slot : g_arrSlots)
    {
        int nFree = 0;
        if (!slot.nState.compare_exchange_strong(nFree, 1))
            continue;
        std::memcpy(slot.szPath, strPath.c_str(), strPath.size() + 1);
        slot.nState.store(2);
        return;
    }
}

void Unregister(const std::string& strPath)
{
    for (STempSlot& slot : g_arrSlots)
    {
        if (slot.nState.load() == 2 && strPath == slot.szPath)
        {
            slot.nState.store(0);
            return;
        }
    }
}

extern "C" void RemoveTempsAndEnd(int nSignal)
{
    for (STempSlot& slot : g_arrSlots)
    {
        if (slot.nState.load() == 2)
            ::unlink(slot.szPath);
    }
    std::signal(nSignal, SIG_DFL);
    std::raise(nSignal);
}

std::string FolderOf(const std::string& strPath)
{
    const size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos)
        return ".";
    if (nSlash == 0)
        return "/";
    return strPath.substr(0, nSlash);
}

std::string RandomName()
{
    static const char s_szChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 s_random{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof(s_szChars) - 2);
    std::string strName = TEMP_FILE_PREFIX;
    for (int i = 0; i < NAME_RANDOM_CHARS; ++i)
        strName += s_szChars[pick(s_random)];
    return strName + TEMP_FILE_SUFFIX;
}

mode_t NewFileMode()
{
    const mode_t nMask = ::umask(0);
    ::umask(nMask);
    return 0666 & ~nMask;
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

std::string Reason(const std::string& strPath, int nError)
{
    return StrFormat("%s: %s", strPath.c_str(), std::strerror(nError));
}
} // namespace

bool IsTempFileName(const std::string& strName)
{
    const std::string strPrefix = TEMP_FILE_PREFIX;
    const std::string strSuffix = TEMP_FILE_SUFFIX;
    return strName.size() == strPrefix.size() + NAME_RANDOM_CHARS + strSuffix.size() &&
           strName.compare(0, strPrefix.size(), strPrefix) == 0 &&
           strName.compare(strName.size() - strSuffix.size(), strSuffix.size(), strSuffix) == 0;
}

void InstallTempFileCleanup()
{
    struct sigaction action
    {
    };
    action.sa_handler = &RemoveTempsAndEnd;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGXFSZ, SIG_IGN);
}

std::string TargetRefusal(const std::string& strTarget)
{
    struct stat st
    {
    };
    if (::stat(strTarget.c_str(), &st) != 0)
        return errno == ENOENT ? std::string() : Reason(strTarget, errno);
    if (S_ISDIR(st.st_mode))
        return Reason(strTarget, EISDIR);
    // A file without any write permission is read-only for everyone, also for
    // a user (such as root) whom the system would let write it.
    if ((st.st_mode & 0222) == 0)
        return Reason(strTarget, EACCES);
    if (::access(strTarget.c_str(), W_OK) != 0)
        return Reason(strTarget, errno);
    return std::string();
}

bool CTempFile::Create(const std::string& strFolder, std::string& strError)
{
    Discard();
    const std::string strBase = strFolder.empty() ? "." : strFolder;
    for (int nTry = 0; nTry < 100; ++nTry)
    {
        std::string strPath = strBase;
        if (strPath.back() != '/')
            strPath += '/';
        strPath += RandomName();
        m_nFd = ::open(strPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (m_nFd >= 0)
        {
            m_strPath = strPath;
            Register(m_strPath);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    strError = Reason(strBase, errno);
    return false;
}

bool CTempFile::CreateBeside(const std::string& strTarget, std::string& strError)
{
    return Create(FolderOf(strTarget), strError);
}

bool CTempFile::WriteAll(const void* pData, size_t nLength, std::string& strError)
{
    const char* p = static_cast<const char*>(pData);
    while (nLength > 0)
    {
        const ssize_t nWritten = ::write(m_nFd, p, nLength);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
        {
            strError = Reason(m_strPath, nWritten < 0 ? errno : ENOSPC);
            return false;
        }
        p += nWritten;
        nLength -= static_cast<size_t>(nWritten);
    }
    return true;
}

void CTempFile::CloseFd()
{
    if (m_nFd >= 0)
    {
        ::close(m_nFd);
        m_nFd = -1;
    }
}

bool CTempFile::Commit(const std::string& strTarget, std::string& strError)
{
    strError = TargetRefusal(strTarget);
    if (!strError.empty())
    {
        Discard();
        return false;
    }
    if (m_nFd < 0)
        m_nFd = ::open(m_strPath.c_str(), O_RDWR | O_CLOEXEC);
    struct stat st
    {
    };
    const mode_t nMode =
        ::stat(strTarget.c_str(), &st) == 0 ? (st.st_mode & 07777) : NewFileMode();
    int nError = 0;
    if (m_nFd < 0 || ::fchmod(m_nFd, nMode) != 0 || ::fsync(m_nFd) != 0)
        nError = errno;
    if (m_nFd >= 0 && ::close(m_nFd) != 0 && nError == 0)
        nError = errno;
    m_nFd = -1;
    if (nError == 0 && ::rename(m_strPath.c_str(), strTarget.c_str()) != 0)
        nError = errno;
    if (nError != 0)
    {
        strError = Reason(strTarget, nError);
        Discard();
        return false;
    }
    Unregister(m_strPath);
    m_strPath.clear();
    SyncFolder(FolderOf(strTarget));
    return true;
}

void CTempFile::Discard()
{
    CloseFd();
    if (m_strPath.empty())
        return;
    ::unlink(m_strPath.c_str());
    Unregister(m_strPath);
    m_strPath.clear();
}
