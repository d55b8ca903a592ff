#pragma once
// Settles which of the three brand variants this run is, from the brand file
// "version.txt" in the working directory at start. The brand decides where the
// settings and the application data folder live and which version text the
// user sees; nothing else about the program changes with it.
#include <string>

struct BRAND_RECORD
{
    int nBrand;
    const char* pszShortName;
    const char* pszVersion;
    int nIconId;
    const char* pszIconName;
    const char* pszVersionBlockName;
    const char* pszProgramFileName;
    const char* pszMakerName;
    const char* pszReserved1; // empty in every row
    const char* pszReserved2; // empty in every row
    int nReserved;            // 1 in every row
};

constexpr int DEFAULT_BRAND = 2;
constexpr const char* BRAND_FILE_NAME = "version.txt";

class CProgramLoader
{
public:
    // Reads the brand file by its relative name, so from the working directory.
    explicit CProgramLoader(int nDefaultBrand = DEFAULT_BRAND);
    // Reads the brand file at the given path (tests, other start folders).
    CProgramLoader(const std::string& strBrandFilePath, int nDefaultBrand);
    virtual ~CProgramLoader() = default;

    // The brand number the first two bytes of a brand file stand for: leading
    // blanks skipped, digits up to the first other character, 0 when none.
    static int ParseBrandNumber(const std::string& strBytes);
    // The row for a brand number; the first row for a number not in the table.
    static const BRAND_RECORD& FindBrandRecord(int nBrand);
    // The brand's short name, or nullptr for a number not in the table.
    static const char* FindShortName(int nBrand);

    int GetBrandNumber() const { return m_nBrand; }
    const char* GetShortNameEntry() const { return m_pszShortName; }
    const BRAND_RECORD& GetBrandRecord() const { return *m_pBrandRecord; }
    // " %s" of the record's version text: one blank, then the version.
    std::string GetVersionText() const;
    std::string GetMakerName() const { return m_pBrandRecord->pszMakerName; }

private:
    void SelectBrand(int nBrand);

    int m_nBrand = DEFAULT_BRAND;
    const char* m_pszShortName = nullptr;
    const BRAND_RECORD* m_pBrandRecord = nullptr;
};

// The process's brand, fixed during static initialisation.
extern CProgramLoader g_ProgramLoader;
