// The record cache side of CDataLogFile: loads by window, the text of the
// cached index ranges, the filter dates and the record filter test.
#include "CDataLogFile.h"

#include "common/StrFormat.h"
#include "link/CPanelFileCommands.h"

void CDataLogFile::LoadRecords(LoadMode eMode, uint32_t nIndex)
{
    if (m_pFileCmds == nullptr)
        return;

    // The panel keeps appending while the file is viewed: recount first.
    unsigned long nSize = 0;
    if (m_pFileCmds->SeekFile(1, 0, &nSize))
    {
        m_nFileSize = static_cast<uint32_t>(nSize > UINT32_MAX ? UINT32_MAX : nSize);
        m_nRecordCount = GetRecordCount();
        if (m_nRecordCount > 0)
            ReadRecords(m_nRecordCount, 1, false);
    }
    else if (!OpenLog(m_strFileName))
        return;

    const uint32_t nCount = m_nRecordCount;
    if (eMode == LoadAll)
        m_nWindowSize = nCount;
    const SLoadWindow window = PlaceLoadWindow(eMode, nIndex, nCount, m_nWindowSize);
    m_nWindowStart = window.nStart;
    SReadSpan span = TrimCachedEnds(
        window, [this](uint32_t nRecord) { return m_mapCache.count(nRecord) != 0; });
    // A window larger than the file reaches past its last whole record; there
    // is nothing there to read yet, so do not ask the panel for it.
    if (span.nEnd > static_cast<uint64_t>(nCount) + 1)
        span.nEnd = nCount + 1;
    if (span.Count() == 0)
        return;
    ReadRecords(span.nFirst, span.Count(), true);
    UpdateRecordSetText();
}

void CDataLogFile::UpdateRecordSetText()
{
    m_strRecordSet.clear();
    if (m_mapCache.empty())
        return;
    const uint32_t nHighest = m_mapCache.rbegin()->first;
    auto it = m_mapCache.begin();
    uint32_t nPrevious = it->first;
    uint32_t nRunStart = nPrevious;
    m_strRecordSet = StrFormat("(%u", nPrevious);
    for (++it; it != m_mapCache.end(); ++it)
    {
        const uint32_t nRecord = it->first;
        if (nRecord == nPrevious + 1)
        {
            if (nRecord == nHighest)
                m_strRecordSet += StrFormat(" - %u", nHighest);
        }
        else
        {
            if (nPrevious != nRunStart)
                m_strRecordSet += StrFormat(" - %u", nPrevious);
            m_strRecordSet += StrFormat(") & (%u", nRecord);
            nRunStart = nRecord;
        }
        nPrevious = nRecord;
    }
    m_strRecordSet += ")";
}

std::string CDataLogFile::GetRecordSetText()
{
    if (m_mapCache.empty())
        m_strRecordSet.clear();
    return m_strRecordSet;
}

void CDataLogFile::GetCacheSpan(SYSTEMTIME& tmStart, SYSTEMTIME& tmEnd)
{
    if (m_mapCache.empty())
    {
        tmStart = m_tmFirstRecord;
        tmEnd = m_tmLastRecord;
        return;
    }
    tmStart = GetRecordTime(m_mapCache.begin()->second);
    tmEnd = GetRecordTime(m_mapCache.rbegin()->second);
}

void CDataLogFile::InitFilterDates()
{
    GetCacheSpan(m_Filter.m_tmFrom, m_Filter.m_tmTo);
}

void CDataLogFile::EmptyCache()
{
    m_mapCache.clear();
    ++m_nCacheGeneration;
}

bool CDataLogFile::IsRecordHidden(RecordCache::const_iterator itRecord)
{
    const SYSTEMTIME tm = GetRecordTime(itRecord->second);
    return m_Filter.IsHidden(tm, itRecord->second);
}
