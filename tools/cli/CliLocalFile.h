#pragma once
// A download's local side: a temporary file beside the target, renamed over the
// target only when the download is complete, removed otherwise. The target is
// therefore never left half-written.
#include <filesystem>
#include <string>
#include <vector>

class CCliLocalFile
{
public:
    explicit CCliLocalFile(std::filesystem::path target);
    ~CCliLocalFile();
    CCliLocalFile(const CCliLocalFile&) = delete;
    CCliLocalFile& operator=(const CCliLocalFile&) = delete;

    // Creates the temporary file in the target's folder.
    bool Create(std::string& strError);
    const std::string& TempPath() const { return m_strTempPath; }
    // Buffered: blocks of a few hundred bytes reach the disk in large writes.
    bool Write(const unsigned char* pData, size_t nLen, std::string& strError);
    // Closes the temporary file so that another writer may fill it by path
    // (instead of Write, not after it).
    void CloseTemp();
    // Flushes the temporary file and renames it over the target.
    bool Commit(std::string& strError);

private:
    bool Flush(std::string& strError);

    std::filesystem::path m_target;
    std::vector<unsigned char> m_arrPending;
    std::string m_strTempPath;
    int m_nFd = -1;
    bool m_bCommitted = false;
};

// A remote name that is safe as a local file name: not empty, not "." or "..",
// no "/" or "\\", no control characters.
bool IsSafeRemoteName(const std::string& strName);
