// The record cache side of CDataLogFile: loads by window, the text of the
// cached index ranges, the filter dates and the record filter test.
#include "CDataLogFile.h"

#include "DataLogText.h"
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
    SReadSpan span =
        TrimCachedEnds(window, [this](uint32_t nRecord) { return m_Cache.Contains(nRecord); });
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
    const size_t nCount = m_Cache.Size();
    if (nCount == 0)
        return;
    const uint32_t nHighest = m_Cache.IndexAt(nCount - 1);
    uint32_t nPrevious = m_Cache.IndexAt(0);
    uint32_t nRunStart = nPrevious;
    m_strRecordSet = StrFormat("(%u", nPrevious);
    for (size_t nPos = 1; nPos < nCount; ++nPos)
    {
        const uint32_t nRecord = m_Cache.IndexAt(nPos);
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
    if (m_Cache.Empty())
        m_strRecordSet.clear();
    return m_strRecordSet;
}

SYSTEMTIME CDataLogFile::GetCachedRecordTime(size_t nPosition)
{
    return ParseRecordTimeTexts(m_Cache.FieldAt(nPosition, 0), m_Cache.FieldAt(nPosition, 1),
                                m_Cache.FieldCountAt(nPosition), m_bHasMilliseconds);
}

void CDataLogFile::GetCacheSpan(SYSTEMTIME& tmStart, SYSTEMTIME& tmEnd)
{
    if (m_Cache.Empty())
    {
        tmStart = m_tmFirstRecord;
        tmEnd = m_tmLastRecord;
        return;
    }
    tmStart = GetCachedRecordTime(0);
    tmEnd = GetCachedRecordTime(m_Cache.Size() - 1);
}

void CDataLogFile::InitFilterDates()
{
    GetCacheSpan(m_Filter.m_tmFrom, m_Filter.m_tmTo);
}

void CDataLogFile::EmptyCache()
{
    m_Cache.Clear();
    ++m_nCacheGeneration;
}

bool CDataLogFile::IsRecordHidden(size_t nPosition)
{
    const SYSTEMTIME tm = m_Cache.TimeAt(nPosition, m_bHasMilliseconds);
    return m_Filter.IsHiddenBy(tm,
                               [this, nPosition](const CTagFilter& tag)
                               {
                                   const size_t nField = static_cast<size_t>(tag.m_nTagIndex) + 2;
                                   if (tag.m_nDataType == FilterDiscrete)
                                       return tag.ReadValue(m_Cache.FieldAt(nPosition, nField));
                                   return m_Cache.NumberAt(nPosition, nField);
                               });
}
