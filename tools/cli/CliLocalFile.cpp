#include "CliLocalFile.h"

#include "common/StrFormat.h"
#include "filemanager/logic/TransferNames.h"

namespace
{
constexpr size_t WRITE_CHUNK = 64 * 1024;
}

CCliLocalFile::CCliLocalFile(std::string strTarget) : m_strTarget(std::move(strTarget))
{
    m_arrPending.reserve(WRITE_CHUNK + 256);
}

bool CCliLocalFile::Create(std::string& strError)
{
    std::string strReason = TargetRefusal(m_strTarget);
    if (strReason.empty() && m_temp.CreateBeside(m_strTarget, strReason))
        return true;
    strError = StrFormat("Can't open local file.\n%s", strReason.c_str());
    return false;
}

bool CCliLocalFile::Write(const unsigned char* pData, size_t nLen, std::string& strError)
{
    m_arrPending.insert(m_arrPending.end(), pData, pData + nLen);
    return m_arrPending.size() < WRITE_CHUNK || Flush(strError);
}

bool CCliLocalFile::Flush(std::string& strError)
{
    std::string strReason;
    const bool bOk = m_temp.WriteAll(m_arrPending.data(), m_arrPending.size(), strReason);
    m_arrPending.clear();
    if (!bOk)
        strError = StrFormat("fwrite error.\n%s", strReason.c_str());
    return bOk;
}

bool CCliLocalFile::Commit(std::string& strError)
{
    if (m_temp.Fd() >= 0 && !Flush(strError))
        return false;
    std::string strReason;
    if (m_temp.Commit(m_strTarget, strReason))
        return true;
    strError = StrFormat("Unable to write %s", strReason.c_str());
    return false;
}

bool IsSafeRemoteName(const std::string& strName)
{
    return UnsafeNameReason(strName).empty();
}
