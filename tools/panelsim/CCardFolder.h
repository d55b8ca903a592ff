#pragma once
// The folder served as the SD card. Every access goes through the folder's
// own descriptor with a single checked name, so nothing outside the folder is
// ever read or written, and symbolic links are never followed.
#include <cstdint>
#include <string>
#include <vector>

struct CCardEntry
{
    std::string m_strName;
    uint32_t m_nSize = 0; // 0 for folders; larger files report 0xFFFFFFFF
    bool m_bFolder = false;
    int m_nYear = 0, m_nMonth = 0, m_nDay = 0, m_nHour = 0, m_nMinute = 0, m_nSecond = 0;
};

enum class ECardOutcome
{
    Done,
    Invalid,    // the (source) name is not a safe single name
    NotFound,   // no such file
    NewInvalid, // rename: the new name is not safe
    NewExists,  // rename: another entry already has the new name
    Failed,     // the system refused (a folder, no permission, disk full...)
};

class CCardFolder
{
public:
    CCardFolder() = default;
    ~CCardFolder();
    CCardFolder(const CCardFolder&) = delete;
    CCardFolder& operator=(const CCardFolder&) = delete;

    bool Open(const std::string& strPath, std::string& strError);
    const std::string& Path() const { return m_strPath; }

    // Entries matching the FAT pattern, sorted by name (byte order).
    bool List(const std::string& strPattern, std::vector<CCardEntry>& arrOut) const;

    // The on-disk name of an existing entry: the exact name, or else the one
    // entry that equals it without regard to case, as on a FAT card.
    ECardOutcome Resolve(const std::string& strName, std::string& strOnDisk) const;

    // A descriptor of a regular file for reading; the caller closes it.
    ECardOutcome OpenForRead(const std::string& strName, int& nFd) const;
    // Opens for appending (the growing log); the caller closes it.
    ECardOutcome OpenForAppend(const std::string& strName, int& nFd) const;

    ECardOutcome Delete(const std::string& strName) const;
    ECardOutcome Rename(const std::string& strOld, const std::string& strNew) const;
    // Copies NAME.EXT to NAME.BAK, replacing an older backup.
    ECardOutcome Backup(const std::string& strName) const;
    // Backs up every regular file with the extension CSV (any case).
    bool BackupAllCsv() const;

    // A hidden temporary file in the card folder for a file being written;
    // -1 on failure. CommitTemp renames it over the target name (an existing
    // entry differing only in case is the one replaced).
    int CreateTemp(std::string& strTempName) const;
    ECardOutcome CommitTemp(const std::string& strTempName, const std::string& strTarget) const;
    void DiscardTemp(const std::string& strTempName) const;

private:
    ECardOutcome OpenRegular(const std::string& strName, int nFlags, ECardOutcome eMissing,
                             int& nFd) const;
    ECardOutcome CopyOver(const std::string& strSource, const std::string& strTarget) const;

    int m_nDirFd = -1;
    std::string m_strPath;
};
