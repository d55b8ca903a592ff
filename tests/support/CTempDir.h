#pragma once
// A fresh folder below the system's temporary folder, removed with its
// contents when the object goes.
#include <filesystem>
#include <string>
#include <vector>

class CTempDir
{
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string Str() const { return m_path.string(); }

    // Writes a file below the folder (creating parent folders) and returns its path.
    std::filesystem::path WriteFile(const std::string& strRelative,
                                    const std::string& strBytes) const;
    std::string ReadFile(const std::string& strRelative) const;

private:
    std::filesystem::path m_path;
};

// The names in a folder, sorted (only its regular files when bFilesOnly); none when it is missing.
std::vector<std::string> FolderNames(const std::filesystem::path& folder, bool bFilesOnly = false);
