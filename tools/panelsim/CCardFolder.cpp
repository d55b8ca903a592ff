#include "CCardFolder.h"

#include "CardNames.h"
#include "common/StrFormat.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool IsServedType(const struct stat& st)
{
    return S_ISREG(st.st_mode) || S_ISDIR(st.st_mode);
}

void FillEntry(const std::string& strName, const struct stat& st, CCardEntry& entry)
{
    entry.m_strName = strName;
    entry.m_bFolder = S_ISDIR(st.st_mode);
    entry.m_nSize = entry.m_bFolder             ? 0
                    : st.st_size > 0xFFFFFFFFLL ? 0xFFFFFFFFu
                                                : static_cast<uint32_t>(st.st_size);
    struct tm tmLocal
    {
    };
    const time_t tMod = st.st_mtime;
    if (localtime_r(&tMod, &tmLocal))
    {
        entry.m_nYear = tmLocal.tm_year + 1900;
        entry.m_nMonth = tmLocal.tm_mon + 1;
        entry.m_nDay = tmLocal.tm_mday;
        entry.m_nHour = tmLocal.tm_hour;
        entry.m_nMinute = tmLocal.tm_min;
        entry.m_nSecond = tmLocal.tm_sec;
    }
}

// Calls fn(name, stat) for every served entry of the folder (regular files
// and sub-folders; no links, no temporary files of our own).
template <typename Fn> bool ForEachEntry(int nDirFd, Fn fn)
{
    const int nListFd = openat(nDirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nListFd < 0)
        return false;
    DIR* pDir = fdopendir(nListFd);
    if (!pDir)
    {
        close(nListFd);
        return false;
    }
    while (const dirent* pEntry = readdir(pDir))
    {
        const std::string strName = pEntry->d_name;
        if (strName == "." || strName == ".." || CardNames::IsTempName(strName))
            continue;
        struct stat st
        {
        };
        if (fstatat(nDirFd, strName.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !IsServedType(st))
            continue;
        if (!fn(strName, st))
            break;
    }
    closedir(pDir);
    return true;
}
} // namespace

CCardFolder::~CCardFolder()
{
    if (m_nDirFd >= 0)
        close(m_nDirFd);
}

bool CCardFolder::Open(const std::string& strPath, std::string& strError)
{
    m_nDirFd = open(strPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_nDirFd < 0)
    {
        strError =
            StrFormat("cannot open card folder '%s': %s", strPath.c_str(), std::strerror(errno));
        return false;
    }
    m_strPath = strPath;
    return true;
}

bool CCardFolder::List(const std::string& strPattern, std::vector<CCardEntry>& arrOut) const
{
    arrOut.clear();
    const bool bOk = ForEachEntry(m_nDirFd,
                                  [&](const std::string& strName, const struct stat& st)
                                  {
                                      if (CardNames::MatchFatPattern(strPattern, strName))
                                      {
                                          arrOut.emplace_back();
                                          FillEntry(strName, st, arrOut.back());
                                      }
                                      return true;
                                  });
    std::sort(arrOut.begin(), arrOut.end(),
              [](const CCardEntry& a, const CCardEntry& b) { return a.m_strName < b.m_strName; });
    return bOk;
}

ECardOutcome CCardFolder::Resolve(const std::string& strName, std::string& strOnDisk) const
{
    if (!CardNames::IsSafeCardName(strName) || CardNames::IsTempName(strName))
        return ECardOutcome::Invalid;
    struct stat st
    {
    };
    if (fstatat(m_nDirFd, strName.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
    {
        if (!IsServedType(st))
            return ECardOutcome::NotFound;
        strOnDisk = strName;
        return ECardOutcome::Done;
    }
    bool bFound = false;
    ForEachEntry(m_nDirFd,
                 [&](const std::string& strEntry, const struct stat&)
                 {
                     if (EqualsNoCase(strEntry, strName))
                     {
                         strOnDisk = strEntry;
                         bFound = true;
                         return false;
                     }
                     return true;
                 });
    return bFound ? ECardOutcome::Done : ECardOutcome::NotFound;
}

// Opens the card's file of that name (found without regard to case) if it is
// a plain file; a missing file is eMissing.
ECardOutcome CCardFolder::OpenRegular(const std::string& strName, int nFlags, ECardOutcome eMissing,
                                      int& nFd) const
{
    std::string strOnDisk;
    const ECardOutcome eOutcome = Resolve(strName, strOnDisk);
    if (eOutcome != ECardOutcome::Done)
        return eOutcome;
    nFd = openat(m_nDirFd, strOnDisk.c_str(), nFlags | O_NOFOLLOW | O_CLOEXEC);
    if (nFd < 0)
        return errno == ENOENT ? eMissing : ECardOutcome::Failed;
    struct stat st
    {
    };
    if (fstat(nFd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        close(nFd);
        nFd = -1;
        return ECardOutcome::Failed;
    }
    return ECardOutcome::Done;
}

ECardOutcome CCardFolder::OpenForRead(const std::string& strName, int& nFd) const
{
    return OpenRegular(strName, O_RDONLY, ECardOutcome::NotFound, nFd);
}

ECardOutcome CCardFolder::OpenForAppend(const std::string& strName, int& nFd) const
{
    return OpenRegular(strName, O_WRONLY | O_APPEND, ECardOutcome::Failed, nFd);
}

ECardOutcome CCardFolder::Delete(const std::string& strName) const
{
    std::string strOnDisk;
    const ECardOutcome eOutcome = Resolve(strName, strOnDisk);
    if (eOutcome != ECardOutcome::Done)
        return eOutcome;
    // Folders are listed but never deleted: a panel deletes files.
    if (unlinkat(m_nDirFd, strOnDisk.c_str(), 0) != 0)
        return errno == ENOENT ? ECardOutcome::NotFound : ECardOutcome::Failed;
    return ECardOutcome::Done;
}

ECardOutcome CCardFolder::Rename(const std::string& strOld, const std::string& strNew) const
{
    if (!CardNames::IsSafeCardName(strOld) || CardNames::IsTempName(strOld))
        return ECardOutcome::Invalid;
    if (!CardNames::IsSafeCardName(strNew) || CardNames::IsTempName(strNew))
        return ECardOutcome::NewInvalid;
    std::string strSource;
    if (Resolve(strOld, strSource) != ECardOutcome::Done)
        return ECardOutcome::NotFound;
    std::string strExisting;
    const bool bNewExists = Resolve(strNew, strExisting) == ECardOutcome::Done;
    if (bNewExists && strExisting != strSource)
        return ECardOutcome::NewExists;
    if (strNew == strSource)
        return ECardOutcome::Done;
    // A change of case only is allowed; anything else never replaces an entry.
    int nResult = renameat2(m_nDirFd, strSource.c_str(), m_nDirFd, strNew.c_str(),
                            bNewExists ? 0 : RENAME_NOREPLACE);
    if (nResult != 0 && errno == EINVAL)
        nResult = renameat(m_nDirFd, strSource.c_str(), m_nDirFd, strNew.c_str());
    if (nResult != 0)
        return errno == EEXIST ? ECardOutcome::NewExists : ECardOutcome::Failed;
    return ECardOutcome::Done;
}

ECardOutcome CCardFolder::CopyOver(const std::string& strSource, const std::string& strTarget) const
{
    int nIn = -1;
    const ECardOutcome eOpen = OpenForRead(strSource, nIn);
    if (eOpen != ECardOutcome::Done)
        return eOpen;
    std::string strTemp;
    const int nOut = CreateTemp(strTemp);
    if (nOut < 0)
    {
        close(nIn);
        return ECardOutcome::Failed;
    }
    char arrBuffer[65536];
    bool bOk = true;
    for (;;)
    {
        const ssize_t nRead = read(nIn, arrBuffer, sizeof arrBuffer);
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead <= 0)
        {
            bOk = nRead == 0;
            break;
        }
        for (ssize_t nDone = 0; bOk && nDone < nRead;)
        {
            const ssize_t nWritten =
                write(nOut, arrBuffer + nDone, static_cast<size_t>(nRead - nDone));
            if (nWritten < 0 && errno == EINTR)
                continue;
            bOk = nWritten > 0;
            nDone += nWritten > 0 ? nWritten : 0;
        }
        if (!bOk)
            break;
    }
    close(nIn);
    bOk = close(nOut) == 0 && bOk;
    if (!bOk)
    {
        DiscardTemp(strTemp);
        return ECardOutcome::Failed;
    }
    return CommitTemp(strTemp, strTarget);
}

ECardOutcome CCardFolder::Backup(const std::string& strName) const
{
    std::string strSource;
    const ECardOutcome eOutcome = Resolve(strName, strSource);
    if (eOutcome != ECardOutcome::Done)
        return eOutcome;
    const std::string strTarget = CardNames::BackupNameFor(strSource);
    if (EqualsNoCase(strTarget, strSource))
        return ECardOutcome::Failed; // a backup of a backup would copy it onto itself
    return CopyOver(strSource, strTarget);
}

bool CCardFolder::BackupAllCsv() const
{
    std::vector<std::string> arrNames;
    ForEachEntry(m_nDirFd,
                 [&](const std::string& strName, const struct stat& st)
                 {
                     if (S_ISREG(st.st_mode) && CardNames::HasCsvExtension(strName))
                         arrNames.push_back(strName);
                     return true;
                 });
    bool bOk = true;
    for (const std::string& strName : arrNames)
        bOk = Backup(strName) == ECardOutcome::Done && bOk;
    return bOk;
}

int CCardFolder::CreateTemp(std::string& strTempName) const
{
    static std::atomic<unsigned long> s_nCounter{0};
    for (int nTry = 0; nTry < 100; ++nTry)
    {
        strTempName = StrFormat(
            "%.*s%ld-%lu.tmp", static_cast<int>(CardNames::strTempPrefix.size()),
            CardNames::strTempPrefix.data(), static_cast<long>(getpid()), s_nCounter.fetch_add(1));
        const int nFd = openat(m_nDirFd, strTempName.c_str(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (nFd >= 0 || errno != EEXIST)
            return nFd;
    }
    return -1;
}

ECardOutcome CCardFolder::CommitTemp(const std::string& strTempName,
                                     const std::string& strTarget) const
{
    if (!CardNames::IsSafeCardName(strTarget) || CardNames::IsTempName(strTarget))
    {
        DiscardTemp(strTempName);
        return ECardOutcome::Invalid;
    }
    std::string strFinal = strTarget;
    std::string strExisting;
    if (Resolve(strTarget, strExisting) == ECardOutcome::Done)
    {
        struct stat st
        {
        };
        if (fstatat(m_nDirFd, strExisting.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISDIR(st.st_mode))
        {
            DiscardTemp(strTempName);
            return ECardOutcome::Failed;
        }
        strFinal = strExisting;
    }
    if (renameat(m_nDirFd, strTempName.c_str(), m_nDirFd, strFinal.c_str()) != 0)
    {
        DiscardTemp(strTempName);
        return ECardOutcome::Failed;
    }
    return ECardOutcome::Done;
}

void CCardFolder::DiscardTemp(const std::string& strTempName) const
{
    unlinkat(m_nDirFd, strTempName.c_str(), 0);
}
