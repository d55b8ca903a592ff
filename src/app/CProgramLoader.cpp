#include "app/CProgramLoader.h"

#include "common/StrFormat.h"

#include <cctype>
#include <cstdio>

namespace
{
constexpr BRAND_RECORD BRAND_TABLE[] = {
    {0, "KELDRA", "1.1", 135, "IDI_KELDRA_ICON", "VS_KELDRA_VERSION", "KELDRAFileManager.exe",
     "Pexalon", "", "", 1},
    {1, "QUENZO", "1.1", 136, "IDI_QUENZO_ICON", "VS_QUENZO_VERSION", "QUENZOFileManager.exe",
     "Marvoth", "", "", 1},
    {2, "Ilvane Remote", "1.1.9", 136, "IDI_QUENZO_ICON", "VS_ILVANE_VERSION",
     "IlvaneRemoteFileManager.exe", "Ilvane", "", "", 1},
};

struct SShortName
{
    int nBrand;
    const char* pszShortName;
};

constexpr SShortName SHORT_NAME_TABLE[] = {
    {0, "KELDRA"},
    {1, "QUENZO"},
    {2, "Ilvane Remote"},
};
} // namespace

// The brand of this run, set once at start-up; read by every thread.
CProgramLoader g_ProgramLoader;

CProgramLoader::CProgramLoader(int nDefaultBrand) : CProgramLoader(BRAND_FILE_NAME, nDefaultBrand)
{
}

CProgramLoader::CProgramLoader(const std::string& strBrandFilePath, int nDefaultBrand)
{
    int nBrand = nDefaultBrand;
    if (std::FILE* pFile = std::fopen(strBrandFilePath.c_str(), "rb"))
    {
        char szBytes[2];
        const size_t nRead = std::fread(szBytes, 1, sizeof(szBytes), pFile);
        // A brand file that opens but cannot be read (a folder of that name,
        // say) counts as no brand file.
        if (!std::ferror(pFile))
            nBrand = ParseBrandNumber(std::string(szBytes, nRead));
        std::fclose(pFile);
    }
    SelectBrand(nBrand);
}

int CProgramLoader::ParseBrandNumber(const std::string& strBytes)
{
    size_t i = 0;
    while (i < strBytes.size() && std::isspace(static_cast<unsigned char>(strBytes[i])))
        ++i;
    bool bNegative = false;
    if (i < strBytes.size() && (strBytes[i] == '+' || strBytes[i] == '-'))
        bNegative = strBytes[i++] == '-';
    int nNumber = 0;
    // Two bytes at most, so no overflow to guard against.
    for (; i < strBytes.size() && std::isdigit(static_cast<unsigned char>(strBytes[i])); ++i)
        nNumber = nNumber * 10 + (strBytes[i] - '0');
    return bNegative ? -nNumber : nNumber;
}

const BRAND_RECORD& CProgramLoader::FindBrandRecord(int nBrand)
{
    for (const BRAND_RECORD& rec : BRAND_TABLE)
    {
        if (rec.nBrand == nBrand)
            return rec;
    }
    return BRAND_TABLE[0];
}

const char* CProgramLoader::FindShortName(int nBrand)
{
    for (const SShortName& entry : SHORT_NAME_TABLE)
    {
        if (entry.nBrand == nBrand)
            return entry.pszShortName;
    }
    return nullptr;
}

void CProgramLoader::SelectBrand(int nBrand)
{
    m_nBrand = nBrand;
    m_pszShortName = FindShortName(nBrand);
    m_pBrandRecord = &FindBrandRecord(nBrand);
}

std::string CProgramLoader::GetVersionText() const
{
    return StrFormat(" %s", m_pBrandRecord->pszVersion);
}
