#include "common/CTempFile.h"

#include "common/StrFormat.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <pthread.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int NAME_RANDOM_CHARS = 8;
// Enough for collect's most parallel transfers (64), each holding two.
constexpr int MAX_LIVE_TEMPS = 256;
constexpr size_t MAX_TEMP_PATH = 4096;
// How long (in ms) the clean-up waits for a temporary another thread is
// creating: long enough for a busy machine, short of a hung file system.
constexpr int CLAIM_WAIT_MS = 3000;

// The live temporaries, shared by every thread (collect writes on several) and
// read by the SIGINT/SIGTERM handler. No mutex: a handler that interrupted its
// holder would wait forever, and locking is not async-signal-safe. Each slot
// has a lock-free atomic state instead, and only its owner writes its path:
// FREE -> CLAIMED (owner) -> LIVE (owner, path written and file created) ->
// FREE (owner, once committed or removed), or LIVE -> TAKEN (the handler,
// before it reads the path, so the slot cannot be reused under it). The owner
// blocks SIGINT and SIGTERM on its thread while it holds a CLAIMED slot, so
// the handler never interrupts that step; running on another thread, it waits
// (sleeping, for a bounded time) for the step to end. g_bEnding turns away
// temporaries begun after the handler started. Only SIGKILL, a power loss, or
// more live temporaries than slots can leave one behind.
enum ESlotState : int
{
    SLOT_FREE,
    SLOT_CLAIMED,
    SLOT_LIVE,
    SLOT_TAKEN,
};
struct STempSlot
{
    std::atomic<int> nState{SLOT_FREE};
    char szPath[MAX_TEMP_PATH];
};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free slots");
// Process-wide because the signal handler must find every live temporary;
// any thread registers, the handler only reads.
STempSlot g_arrSlots[MAX_LIVE_TEMPS];
std::atomic<bool> g_bEnding{false};

constexpr int NO_SLOT = -1; // all in use: the temporary goes unregistered
constexpr int ENDING = -2;  // the clean-up has begun: no new temporary

// A free slot, claimed, or NO_SLOT or ENDING.
int ClaimSlot()
{
    for (int i = 0; i < MAX_LIVE_TEMPS; ++i)
    {
        int nFree = SLOT_FREE;
        if (!g_arrSlots[i].nState.compare_exchange_strong(nFree, SLOT_CLAIMED))
            continue;
        if (!g_bEnding.load())
            return i;
        g_arrSlots[i].nState.store(SLOT_FREE);
        return ENDING;
    }
    return g_bEnding.load() ? ENDING : NO_SLOT;
}

// Gives the slot up unless the handler has taken it (then the process ends).
void ReleaseSlot(int nSlot, int nFrom)
{
    if (nSlot >= 0)
        g_arrSlots[nSlot].nState.compare_exchange_strong(nFrom, SLOT_FREE);
}

// SIGINT and SIGTERM held off on this thread while it holds a CLAIMED slot.
class CSignalsHeld
{
public:
    CSignalsHeld()
    {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        ::pthread_sigmask(SIG_BLOCK, &set, &m_previous);
    }
    ~CSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    CSignalsHeld(const CSignalsHeld&) = delete;
    CSignalsHeld& operator=(const CSignalsHeld&) = delete;

private:
    sigset_t m_previous;
};

extern "C" void RemoveTempsAndEnd(int nSignal)
{
    g_bEnding.store(true);
    for (STempSlot& slot : g_arrSlots)
    {
        int nState = slot.nState.load();
        // poll without descriptors sleeps (and is safe here), leaving the
        // processor to the thread that is creating the file.
        for (int nWaited = 0; nState == SLOT_CLAIMED && nWaited < CLAIM_WAIT_MS; ++nWaited)
        {
            ::poll(nullptr, 0, 1);
            nState = slot.nState.load();
        }
        if (nState == SLOT_LIVE && slot.nState.compare_exchange_strong(nState, SLOT_TAKEN))
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
    // One generator per thread: transfers run on several threads at once.
    thread_local std::mt19937 s_random{std::random_device{}()};
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
    const CSignalsHeld held;
    const int nSlot = ClaimSlot();
    if (nSlot == ENDING)
    {
        strError = Reason(strBase, EINTR);
        return false;
    }
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
            if (nSlot >= 0 && strPath.size() < MAX_TEMP_PATH)
            {
                std::memcpy(g_arrSlots[nSlot].szPath, strPath.c_str(), strPath.size() + 1);
                g_arrSlots[nSlot].nState.store(SLOT_LIVE);
                m_nSlot = nSlot;
            }
            else
                ReleaseSlot(nSlot, SLOT_CLAIMED);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    const int nError = errno;
    ReleaseSlot(nSlot, SLOT_CLAIMED);
    strError = Reason(strBase, nError);
    return false;
}

std::string GetSystemTempFolder()
{
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::temp_directory_path(ec);
    return ec ? std::string() : path.string();
}

bool CTempFile::CreateBeside(const std::string& strTarget, std::string& strError)
{
    // A device or pipe is written through (Commit), so its folder (/dev) need
    // not take a temporary.
    struct stat st
    {
    };
    if (::stat(strTarget.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return Create(GetSystemTempFolder(), strError);
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
    const bool bExists = ::stat(strTarget.c_str(), &st) == 0;
    // A device, pipe or socket (say /dev/null or a FIFO a script reads) is
    // written to, as cp would; renaming over it would put a plain file in its
    // place, for every program that uses it.
    if (bExists && !S_ISREG(st.st_mode))
        return CopyInto(strTarget, strError);
    const mode_t nMode = bExists ? (st.st_mode & 07777) : NewFileMode();
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
    ReleaseSlot(m_nSlot, SLOT_LIVE);
    m_nSlot = -1;
    m_strPath.clear();
    SyncFolder(FolderOf(strTarget));
    return true;
}

bool CTempFile::CopyInto(const std::string& strTarget, std::string& strError)
{
    int nError = 0;
    const int fdTarget = ::open(strTarget.c_str(), O_WRONLY | O_CLOEXEC);
    if (fdTarget < 0 || m_nFd < 0 || ::lseek(m_nFd, 0, SEEK_SET) != 0)
        nError = errno;
    char arrBuffer[1 << 16];
    while (nError == 0)
    {
        const ssize_t nRead = ::read(m_nFd, arrBuffer, sizeof(arrBuffer));
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead <= 0)
        {
            nError = nRead < 0 ? errno : 0;
            break;
        }
        for (ssize_t nDone = 0; nDone < nRead && nError == 0;)
        {
            const ssize_t nWritten = ::write(fdTarget, arrBuffer + nDone, nRead - nDone);
            if (nWritten > 0)
                nDone += nWritten;
            else if (nWritten < 0 && errno != EINTR)
                nError = errno;
            else if (nWritten == 0)
                nError = ENOSPC;
        }
    }
    if (fdTarget >= 0 && ::close(fdTarget) != 0 && nError == 0)
        nError = errno;
    Discard();
    if (nError != 0)
        strError = Reason(strTarget, nError);
    return nError == 0;
}

void CTempFile::Discard()
{
    CloseFd();
    if (m_strPath.empty())
        return;
    ::unlink(m_strPath.c_str());
    ReleaseSlot(m_nSlot, SLOT_LIVE);
    m_nSlot = -1;
    m_strPath.clear();
}

bool SafeReplaceFile(const std::string& strTarget, const TempFileWriteFn& fnWrite,
                     std::string& strError)
{
    CTempFile temp;
    return temp.CreateBeside(strTarget, strError) && fnWrite(temp, strError) &&
           temp.Commit(strTarget, strError);
}
