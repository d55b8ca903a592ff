#pragma once
// The panel's file system seen from the computer: both command families
// (message code 143 "file commands" and message code 128 "card commands")
// over one channel (docs/wire-format.md). Failure lines collect in m_strErrors.
// Callers list, rename, delete and back up through the family-neutral calls,
// which pick the family from the connected panel (IsFileCmdPanel,
// CanBackupCsvFiles); the family calls below them stay public for reading
// files and for tests that pin each family's wire form.
#include "link/CDirData.h"

#include <string>
#include <vector>

class CCommInterface;

// A file command request carries the sub-command and at most this many bytes.
constexpr unsigned long FILE_CMD_MAX_PAYLOAD = 255;
// The most entries a listing can hold (the card family's 16-bit count); a
// panel that sends more has a file list that does not end.
constexpr unsigned long MAX_LIST_ENTRIES = 65535;

class CPanelFileCommands
{
public:
    explicit CPanelFileCommands(CCommInterface* pComm);

    void AddError(const std::string& strLine);
    std::string GetErrors() const { return m_strErrors; }
    CCommInterface* GetComm() const { return m_pComm; }

    // Family-neutral: the connected panel's own command family.
    bool ListFiles(CDirData& list, const std::string& strPattern);
    bool Rename(const std::string& strOldName, const std::string& strNewName);
    // Stops at the first name that fails.
    bool Delete(const std::vector<std::string>& arrNames);
    // Backups exist in the file command family only, on panels that offer
    // them; other panels are refused with a line and sent nothing.
    bool Backup(const std::vector<std::string>& arrNames);
    bool BackupAll();

    // File command family (message code 143).
    bool SendFileCmd(unsigned char nSub, const unsigned char* pPayload, unsigned long nPayloadLen,
                     unsigned char* pOut, unsigned long* pOutLen);
    bool SeekFile(unsigned char nOrigin, int nOffset, unsigned long* pPosition);
    unsigned long OpenRemoteFile(const std::string& strName); // size, 0 on failure
    // The same opening, telling an empty file (true, size 0) from a failure.
    bool OpenRemoteFileSize(const std::string& strName, unsigned long* pSize);
    // Reads the next block (at most 254 bytes) into pBlock; *pLen holds the
    // capacity on entry (255) and the block length on return.
    bool ReadFileBlock(unsigned char* pBlock, unsigned long* pLen);
    void CloseRemoteFile();
    bool BackupFile(const std::string& strName);
    bool RenameFile(const std::string& strOldName, const std::string& strNewName);
    bool DeleteFile(const std::string& strName);
    bool BackupFiles(const std::vector<std::string>& arrNames);
    bool DeleteFiles(const std::vector<std::string>& arrNames);
    bool BackupAllCsvFiles();
    bool GetFileList(CDirData& list, const std::string& strPattern);

    // Card command family (message code 128).
    bool SendCardCmd(const unsigned char* pPayload, unsigned long nPayloadLen,
                     unsigned long* pValue, DIR_DATA* pEntry);
    bool CardGetFileList(CDirData& list, const std::string& strPattern);
    bool CardRenameFile(const std::string& strOldName, const std::string& strNewName);
    bool CardDeleteFile(const std::string& strName);
    bool CardDeleteFiles(const std::vector<std::string>& arrNames);

private:
    // False (with a line) when the panel offers no backups.
    bool BackupOffered();
    // False (with a line) when a file command payload cannot fit one request.
    bool FileRequestFits(unsigned long nPayloadLen);
    bool SendNameCmd(unsigned char nSub, const std::string& strName, const char* pszFailure);
    bool ReadDirEntries(CDirData& list);
    bool CardReadDir(CDirData& list, const std::string& strPattern);

    CCommInterface* m_pComm;
    std::string m_strErrors;
};
