#include "CTempDir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

CTempDir::CTempDir()
{
    std::string strTemplate =
        (std::filesystem::temp_directory_path() / "orvak-test-XXXXXX").string();
    if (!mkdtemp(strTemplate.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = strTemplate;
}

CTempDir::~CTempDir()
{
    std::error_code ec;
    // Tests may leave read-only folders behind; make them writable first.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path CTempDir::WriteFile(const std::string& strRelative,
                                          const std::string& strBytes) const
{
    const std::filesystem::path path = m_path / strRelative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    return path;
}

std::string CTempDir::ReadFile(const std::string& strRelative) const
{
    std::ifstream in(m_path / strRelative, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::vector<std::string> FolderNames(const std::filesystem::path& folder, bool bFilesOnly)
{
    std::vector<std::string> arrNames;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (!bFilesOnly || entry.is_regular_file())
            arrNames.push_back(entry.path().filename().string());
    std::sort(arrNames.begin(), arrNames.end());
    return arrNames;
}
