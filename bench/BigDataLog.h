#pragma once
// The data log of the viewer benchmarks: a header of six columns and
// records of 42 bytes (date, time and four tags), one second apart.
#include <cstdio>
#include <string>

inline std::string MakeBigDataLog(int nRecords)
{
    std::string strText = "Date,Time,Temp,Pump,Level,Flow\n";
    strText.reserve(strText.size() + static_cast<size_t>(nRecords) * 42);
    char szLine[64];
    for (int i = 0; i < nRecords; ++i)
    {
        const int nDay = 1 + i / 86400;
        const int nSecond = i % 86400;
        std::snprintf(szLine, sizeof(szLine), "01/%02d/14,%02d:%02d:%02d,%6.1f,%4s,%6.1f,%4d\n",
                      nDay, nSecond / 3600, nSecond / 60 % 60, nSecond % 60,
                      15.0 + (i % 200) / 10.0, i % 7 < 3 ? "on" : "off",
                      100.0 + (i * 37 % 1000) / 10.0, i * 13 % 5000);
        strText += szLine;
    }
    return strText;
}
