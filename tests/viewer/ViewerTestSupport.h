#pragma once
// Helpers of the viewer tests.
#include "common/StrFormat.h"
#include "link/CCommInterface.h"
#include "link/CPanelFileCommands.h"
#include "support/CSimulatorProcess.h"
#include "support/CTempDir.h"
#include "viewer/CDataLogFile.h"
#include "viewer/DataLogText.h"
#include "viewer/ReadDataRules.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// "Date,Time,Temp,Pump" and nRecords fixed-width records, a second apart from
// 04/12/26 08:00:00, Temp 20.0 up by 0.1, Pump on at the even seconds.
inline std::string MakeDataLog(int nRecords, const std::string& strEol = "\n")
{
    std::string strText = "Date,Time,Temp,Pump" + strEol;
    for (int i = 0; i < nRecords; ++i)
        strText += StrFormat("04/12/26,%02d:%02d:%02d,%6.1f,%4s", 8 + i / 3600, i / 60 % 60, i % 60,
                             20.0 + (i % 100) / 10.0, i % 2 == 0 ? "on" : "off") +
                   strEol;
    return strText;
}

inline std::map<uint32_t, std::vector<std::string>> CachedRecords(const CDataLogFile& log)
{
    std::map<uint32_t, std::vector<std::string>> mapRecords;
    for (size_t nPos = 0; nPos < log.m_Cache.Size(); ++nPos)
        mapRecords[log.m_Cache.IndexAt(nPos)] = log.m_Cache.FieldsAt(nPos);
    return mapRecords;
}

// A record's time as the reader takes it from its date and time fields.
inline SYSTEMTIME TimeOf(const std::string& strDate, const std::string& strTime)
{
    bool bMilliseconds = false;
    const std::string arrFields[] = {strDate, strTime, "x"};
    return ParseRecordTime(arrFields, 3, bMilliseconds);
}

// Holds a command object (so the header fields count) that never sends.
class CHandLog
{
public:
    explicit CHandLog(const std::string& strHeader = "Date,Time,Temp,Pump")
        : m_comm("127.0.0.1", 9), m_files(&m_comm), m_log(&m_files)
    {
        m_log.m_strHeader = strHeader;
        m_log.m_strFileName = "41225A07.CSV";
    }
    ~CHandLog() { m_log.m_pFileCmds = nullptr; }

    CDataLogFile& Log() { return m_log; }
    void Add(uint32_t nIndex, const std::vector<std::string>& arrFields)
    {
        m_log.m_Cache.Put(nIndex, arrFields);
    }

private:
    CCommInterface m_comm;
    CPanelFileCommands m_files;
    CDataLogFile m_log;
};

// A simulator serving a temporary card folder, and a channel with short time-outs.
class CSimulatedCard
{
public:
    explicit CSimulatedCard(const std::vector<std::pair<std::string, std::string>>& arrFiles,
                            std::vector<std::string> arrArgs = {})
    {
        for (const auto& [strName, strBytes] : arrFiles)
            m_dir.WriteFile(strName, strBytes);
        arrArgs.insert(arrArgs.begin(), {"--card", m_dir.Str(), "--no-tftp"});
        m_pSimulator = std::make_unique<CSimulatorProcess>(arrArgs);
        m_pComm = std::make_unique<CCommInterface>("127.0.0.1", m_pSimulator->Port());
        m_pComm->SetTimeouts(2000, 1500);
        m_pFiles = std::make_unique<CPanelFileCommands>(m_pComm.get());
    }

    CPanelFileCommands* Files() { return m_pFiles.get(); }
    int Port() const { return m_pSimulator->Port(); }
    const CTempDir& Dir() const { return m_dir; }

private:
    CTempDir m_dir;
    std::unique_ptr<CSimulatorProcess> m_pSimulator;
    std::unique_ptr<CCommInterface> m_pComm;
    std::unique_ptr<CPanelFileCommands> m_pFiles;
};
