#pragma once
// A data-log file read in place on the panel: its header, its fixed record
// length and count, runs of records read by index into the record cache, the
// filter set over the cache and the flags that tell the views to reload.
//
// The file format: a header line "Date,Time,tag,..." and then fixed-width,
// comma-separated record lines; record i (from 1) starts at byte
// H + 1 + (i - 1) * R, where H is the header's length without its line feed
// and R the length of a record line with its line feed.
#include "CFilterSet.h"
#include "CRecordCache.h"
#include "LoadWindow.h"
#include "common/CProgressSink.h"
#include "common/SysTime.h"

#include <cstdint>
#include <string>
#include <vector>

class CPanelFileCommands;

class CDataLogFile
{
public:
    using RecordFields = std::vector<std::string>;

    explicit CDataLogFile(CPanelFileCommands* pFileCmds);
    ~CDataLogFile();
    CDataLogFile(const CDataLogFile&) = delete;
    CDataLogFile& operator=(const CDataLogFile&) = delete;

    // Reader.
    bool OpenLog(const std::string& strName);
    void CloseLog();
    uint32_t GetRecordCount() const;
    void ReadRecords(uint32_t nFirst, uint32_t nCount, bool bAddToCache);
    int GetHeaderFields(std::vector<std::string>& arrOut) const;
    SYSTEMTIME GetRecordTime(const RecordFields& arrFields);
    SYSTEMTIME GetLineTime(const std::string& strLine);
    std::string FormatRecordTime(const SYSTEMTIME& tm) const;
    static int SplitCsvLine(const std::string& strLine, std::vector<std::string>& arrOut);
    static int SplitString(const std::string& strText, const std::string& strDelimiter,
                           std::vector<std::string>& arrOut);

    // Record cache.
    void LoadRecords(LoadMode eMode, uint32_t nIndex);
    void UpdateRecordSetText();
    std::string GetRecordSetText();
    void InitFilterDates();
    void EmptyCache();
    // The time span of the cache (of the file when the cache is empty), as
    // InitFilterDates sets the filter's From and To.
    void GetCacheSpan(SYSTEMTIME& tmStart, SYSTEMTIME& tmEnd);
    // Counts every emptying of the cache; views that point into the cache
    // rebuild when it differs from the one they were built at.
    uint64_t GetCacheGeneration() const { return m_nCacheGeneration; }
    // The number of cached records; positions 0 .. count - 1 are the cached
    // records in ascending index order (m_Cache.IndexAt gives the index).
    size_t GetCachedCount() const { return m_Cache.Size(); }
    // GetRecordTime of the cached record at that position.
    SYSTEMTIME GetCachedRecordTime(size_t nPosition);

    // Record filter test of the cached record at that position. Like
    // GetRecordTime, it leaves m_bHasMilliseconds as the record's time has it.
    bool IsRecordHidden(size_t nPosition);

    CPanelFileCommands* m_pFileCmds = nullptr;
    std::string m_strFileName;
    // After a failed OpenLog: whether it told the user why. A file that opens
    // and reads but is no data log fails without a word.
    bool m_bOpenFailureShown = false;
    std::string m_strHeader;
    uint32_t m_nRecordLength = 0;
    uint32_t m_nRecordCount = 0;
    uint32_t m_nFileSize = 0;
    uint32_t m_nWindowStart = 1;
    bool m_bHasMilliseconds = false;
    SYSTEMTIME m_tmFirstRecord;
    SYSTEMTIME m_tmLastRecord;
    std::string m_strRecordSet;
    uint32_t m_nWindowSize = 10;
    CRecordCache m_Cache;
    bool m_bDataViewStale = false;
    bool m_bGraphViewStale = false;
    CFilterSet m_Filter;
    CProgressSink* m_pProgress = nullptr;

private:
    std::string FailureReason() const;
    bool ParseHeader(const std::string& strBuffer);
    // Seeks to the record's offset and fetches exactly nBytes (fewer when the
    // panel stops delivering). False when the offset cannot be reached.
    bool FetchRecordBytes(uint32_t nFirst, uint32_t nCount, std::string& strBuffer);
    void CacheRecordLines(uint32_t nFirst, const std::string& strBuffer);

    uint64_t m_nCacheGeneration = 0;
};
