#pragma once
// A download's local side: a temporary file (CTempFile) beside the target,
// renamed over the target only when the download is complete, removed
// otherwise. The target is therefore never left half-written, a read-only
// target is never replaced, and a replaced target keeps its permissions.
#include "common/CTempFile.h"

#include <string>
#include <vector>

class CCliLocalFile
{
public:
    explicit CCliLocalFile(std::string strTarget);
    CCliLocalFile(const CCliLocalFile&) = delete;
    CCliLocalFile& operator=(const CCliLocalFile&) = delete;

    // Creates the temporary file in the target's folder; refused at once when
    // the target cannot be replaced.
    bool Create(std::string& strError);
    const std::string& TempPath() const { return m_temp.Path(); }
    // Buffered: blocks of a few hundred bytes reach the disk in large writes.
    bool Write(const unsigned char* pData, size_t nLen, std::string& strError);
    // Closes the temporary file so that another writer may fill it by path
    // (instead of Write, not after it).
    void CloseTemp() { m_temp.CloseFd(); }
    // Flushes the temporary file and renames it over the target.
    bool Commit(std::string& strError);

private:
    bool Flush(std::string& strError);

    std::string m_strTarget;
    std::vector<unsigned char> m_arrPending;
    CTempFile m_temp;
};

// A remote name that is safe as a local file name (the transfer engine's
// check): not empty, not "." or "..", no "/" or "\\", no control characters.
bool IsSafeRemoteName(const std::string& strName);
