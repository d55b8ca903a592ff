#include "CliLocalFile.h"

#include "common/StrFormat.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr size_t WRITE_CHUNK = 64 * 1024;
}

CCliLocalFile::CCliLocalFile(std::filesystem::path target) : m_target(std::move(target))
{
    m_arrPending.reserve(WRITE_CHUNK + 256);
}

CCliLocalFile::~CCliLocalFile()
{
    CloseTemp();
    if (!m_bCommitted && !m_strTempPath.empty())
        unlink(m_strTempPath.c_str());
}

bool CCliLocalFile::Create(std::string& strError)
{
    std::filesystem::path folder = m_target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string strTemplate = (folder / ("." + m_target.filename().string() + ".XXXXXX")).string();
    m_nFd = mkstemp(strTemplate.data());
    if (m_nFd < 0)
    {
        strError =
            StrFormat("Can't open local file.\n%s: %s", strTemplate.c_str(), std::strerror(errno));
        return false;
    }
    m_strTempPath = strTemplate;
    // mkstemp makes the file private; the download gets the usual mode.
    const mode_t nMask = umask(0);
    umask(nMask);
    fchmod(m_nFd, 0666 & ~nMask);
    return true;
}

bool CCliLocalFile::Write(const unsigned char* pData, size_t nLen, std::string& strError)
{
    m_arrPending.insert(m_arrPending.end(), pData, pData + nLen);
    return m_arrPending.size() < WRITE_CHUNK || Flush(strError);
}

bool CCliLocalFile::Flush(std::string& strError)
{
    const unsigned char* p = m_arrPending.data();
    size_t nLeft = m_arrPending.size();
    while (nLeft > 0)
    {
        const ssize_t nWritten = write(m_nFd, p, nLeft);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
        {
            strError = StrFormat("fwrite error.\n%s", std::strerror(errno));
            return false;
        }
        p += nWritten;
        nLeft -= static_cast<size_t>(nWritten);
    }
    m_arrPending.clear();
    return true;
}

void CCliLocalFile::CloseTemp()
{
    if (m_nFd >= 0)
    {
        close(m_nFd);
        m_nFd = -1;
    }
}

bool CCliLocalFile::Commit(std::string& strError)
{
    if (m_nFd >= 0 && !Flush(strError))
        return false;
    if (m_nFd >= 0 && fsync(m_nFd) != 0)
    {
        strError = StrFormat("fwrite error.\n%s", std::strerror(errno));
        return false;
    }
    CloseTemp();
    if (std::rename(m_strTempPath.c_str(), m_target.c_str()) != 0)
    {
        strError = StrFormat("Unable to write %s: %s", m_target.c_str(), std::strerror(errno));
        return false;
    }
    m_bCommitted = true;
    return true;
}

bool IsSafeRemoteName(const std::string& strName)
{
    if (strName.empty() || strName == "." || strName == "..")
        return false;
    for (const char c : strName)
    {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F)
            return false;
    }
    return true;
}
