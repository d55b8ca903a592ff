#include "DemoCard.h"

#include "DataLogFormat.h"
#include "common/StrFormat.h"

#include <cmath>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <vector>

namespace
{
// One tag column: its name, decimals and width, and how its values move.
struct CDemoTag
{
    const char* m_pszName;
    int m_nDecimals; // -1: an on/off value
    size_t m_nWidth;
    double m_dBase;
    double m_dSwing;
    double m_dPeriod; // in records
};

struct CDemoLog
{
    const char* m_pszPath;
    int m_nYear, m_nMonth, m_nDay, m_nHour;
    int m_nSecondsApart;
    int m_nRecords;
    const char* m_pszEnding;
    std::vector<CDemoTag> m_arrTags;
};

std::string TagValue(const CDemoTag& tag, int nRecord)
{
    const double dPhase = std::sin(2.0 * M_PI * nRecord / tag.m_dPeriod);
    if (tag.m_nDecimals < 0)
        return DataLog::PadLeft(dPhase >= 0 ? "on" : "off", tag.m_nWidth);
    // A small saw-tooth wobble on top of the wave, so neighbours differ.
    const double dWobble = ((nRecord * 7) % 11 - 5) * 0.02 * tag.m_dSwing;
    return DataLog::FormatValue(tag.m_dBase + tag.m_dSwing * dPhase + dWobble, tag.m_nDecimals,
                                tag.m_nWidth);
}

struct tm LocalFields(int nYear, int nMonth, int nDay, int nHour, long nSeconds)
{
    struct tm tmWhen
    {
    };
    tmWhen.tm_year = nYear - 1900;
    tmWhen.tm_mon = nMonth - 1;
    tmWhen.tm_mday = nDay;
    tmWhen.tm_hour = nHour;
    tmWhen.tm_sec = static_cast<int>(nSeconds);
    tmWhen.tm_isdst = -1;
    mktime(&tmWhen); // normalises the seconds into minutes, hours and days
    return tmWhen;
}

bool WriteFile(const std::filesystem::path& path, const std::string& strBytes,
               std::string& strError)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    out.close();
    if (!out)
    {
        strError = StrFormat("cannot write '%s'", path.string().c_str());
        return false;
    }
    return true;
}

// Dates the file at its last record, as a panel's card would show it.
void SetModified(const std::filesystem::path& path, struct tm tmWhen)
{
    const time_t tWhen = mktime(&tmWhen);
    const timespec arrTimes[2] = {{tWhen, 0}, {tWhen, 0}};
    utimensat(AT_FDCWD, path.c_str(), arrTimes, 0);
}

bool WriteLog(const std::filesystem::path& folder, const CDemoLog& log, std::string& strError)
{
    std::string strText = "Date,Time";
    for (const CDemoTag& tag : log.m_arrTags)
        strText += std::string(",") + tag.m_pszName;
    strText += log.m_pszEnding;
    struct tm tmWhen
    {
    };
    for (int i = 0; i < log.m_nRecords; ++i)
    {
        tmWhen = LocalFields(log.m_nYear, log.m_nMonth, log.m_nDay, log.m_nHour,
                             static_cast<long>(i) * log.m_nSecondsApart);
        strText += DataLog::FormatDate(tmWhen, false) + "," + DataLog::FormatTime(tmWhen, false);
        for (const CDemoTag& tag : log.m_arrTags)
            strText += "," + TagValue(tag, i);
        strText += log.m_pszEnding;
    }
    const std::filesystem::path path = folder / log.m_pszPath;
    if (!WriteFile(path, strText, strError))
        return false;
    SetModified(path, tmWhen);
    return true;
}

const char* const pszReadme =
    "Demo card of the Orvak panel simulator.\r\n"
    "\r\n"
    "The CSV files are data logs as a panel writes them: a header line\r\n"
    "Date,Time,<tags>, then one fixed-width record per line.\r\n"
    "Their names follow the date/line/batch scheme: 41225A07 is year 4,\r\n"
    "December 25, line A, batch 07.\r\n"
    "\r\n"
    "EMPTY.DAT is empty; the folder LOGS holds one more data log.\r\n";
} // namespace

bool CreateDemoCard(const std::string& strFolder, std::string& strError)
{
    const std::filesystem::path folder = strFolder;
    std::error_code ec;
    std::filesystem::create_directories(folder / "LOGS", ec);
    if (ec)
    {
        strError = StrFormat("cannot create '%s': %s", strFolder.c_str(), ec.message().c_str());
        return false;
    }
    const std::vector<CDemoTag> arrProcess = {
        {"Temp", 1, 7, 21.5, 3.0, 120},
        {"Pressure", 2, 7, 1.25, 0.15, 60},
        {"Flow", 0, 6, 340, 45, 200},
        {"Pump", -1, 4, 0, 0, 90},
    };
    const std::vector<CDemoLog> arrLogs = {
        {"41225A07.CSV", 2014, 12, 25, 8, 10, 500, "\r\n", arrProcess},
        {"90101107.CSV",
         2019,
         1,
         1,
         6,
         60,
         50,
         "\n",
         {{"Level", 1, 6, 62.0, 8.0, 25}, {"Valve", -1, 4, 0, 0, 12}}},
        {"41226B01.CSV",
         2014,
         12,
         26,
         0,
         2,
         20000,
         "\n",
         {{"Temp1", 2, 8, 78.0, 4.5, 900},
          {"Temp2", 2, 8, 64.0, 6.0, 1300},
          {"Speed", 0, 6, 1450, 120, 700},
          {"Alarm", -1, 4, 0, 0, 5000}}},
        {"LOGS/41224C03.CSV", 2014, 12, 24, 14, 30, 20, "\r\n", {{"Temp", 1, 7, 19.0, 1.5, 10}}},
    };
    for (const CDemoLog& log : arrLogs)
    {
        if (!WriteLog(folder, log, strError))
            return false;
    }
    return WriteFile(folder / "README.TXT", pszReadme, strError) &&
           WriteFile(folder / "EMPTY.DAT", "", strError);
}
