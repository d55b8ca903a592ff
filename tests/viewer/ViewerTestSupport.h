#pragma once
// Helpers of the viewer tests: data-log files made to measure, the Read Data
// page's values, a data-log object whose cache and header are set by hand (it
// never talks to a panel), and a simulator serving a card folder with a
// channel to it.
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

// A fixed-width data log: "Date,Time,Temp,Pump" and nRecords records, one
// second apart from 04/12/26 08:00:00, Temp 20.0 up by 0.1, Pump on at the
// even seconds. strEol is "\n" or "\r\n".
inline std::string MakeDataLog(int nRecords, const std::string& strEol = "\n")
{
    std::string strText = "Date,Time,Temp,Pump" + strEol;
    for (int i = 0; i < nRecords; ++i)
        strText += StrFormat("04/12/26,%02d:%02d:%02d,%6.1f,%4s", 8 + i / 3600, i / 60 % 60, i % 60,
                             20.0 + (i % 100) / 10.0, i % 2 == 0 ? "on" : "off") +
                   strEol;
    return strText;
}

// The Read Data page's values: From with To, From with Number, or a choice
// (First, Last, All) with its count.
inline SReadDataValues ReadFromTo(const std::string& strFrom, const std::string& strTo)
{
    return {.nChoice = ReadChoiceFrom, .strFrom = strFrom, .strTo = strTo};
}

inline SReadDataValues ReadFromNumber(const std::string& strFrom, const std::string& strNumber)
{
    return {.nChoice = ReadChoiceFrom,
            .strFrom = strFrom,
            .strTo = "",
            .strNumber = strNumber,
            .bToChecked = false};
}

inline SReadDataValues ReadChoice(int nChoice, const std::string& strCount = "10")
{
    return {
        .nChoice = nChoice, .strFirst = strCount, .strLast = strCount, .strFrom = "", .strTo = ""};
}

// Every cached record of a data-log object by its index.
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

// A data-log object with a header and a cache filled by the test. It holds
// a command object (so the header fields count) but never sends anything.
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

// A simulator serving a temporary card folder, and a channel to it with short
// time-outs.
class CSimulatedCard
{
public:
    explicit CSimulatedCard(const std::vector<std::pair<std::string, std::string>>& arrFiles,
                            std::vector<std::string> arrExtraArgs = {})
    {
        for (const auto& [strName, strBytes] : arrFiles)
            m_dir.WriteFile(strName, strBytes);
        arrExtraArgs.insert(arrExtraArgs.begin(), {"--card", m_dir.Str(), "--no-tftp"});
        m_pSimulator = std::make_unique<CSimulatorProcess>(arrExtraArgs);
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
