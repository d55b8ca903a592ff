// PanelsList.INI: every line of the file read as a record, and a record that
// reads completely comes back unchanged from its own stored line.
#include "panels/CNameIpRec.h"

#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize == 0)
        return 0;
    std::FILE* pFile = fmemopen(const_cast<uint8_t*>(pData), nSize, "rb");
    if (pFile == nullptr)
        return 0;
    int c = 0;
    for (int nLines = 0; nLines < 10000 && (c = std::getc(pFile)) != EOF; ++nLines)
    {
        std::ungetc(c, pFile);
        CNameIpRec rec;
        if (!rec.ReadLine(pFile))
            continue;
        std::string strLine = rec.FormatLine();
        while (!strLine.empty() && (strLine.back() == '\n' || strLine.back() == '\r'))
            strLine.pop_back();
        CNameIpRec again;
        if (strLine.find('\n') == std::string::npos && again.ParseLine(strLine) &&
            !again.IsSamePanel(rec))
            __builtin_trap();
    }
    std::fclose(pFile);
    return 0;
}
