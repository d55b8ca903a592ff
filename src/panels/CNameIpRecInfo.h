#pragma once
// The stored list of known panels: owned records in the user's order,
// duplicates allowed, kept in the file PanelsList.INI of the application data
// folder.
#include "panels/CNameIpRec.h"

#include <memory>
#include <string>
#include <vector>

constexpr const char* PANEL_LIST_FILE_NAME = "PanelsList.INI";

class CNameIpRecInfo
{
public:
    CNameIpRecInfo() = default;
    virtual ~CNameIpRecInfo() { RemoveAll(); }
    CNameIpRecInfo(const CNameIpRecInfo&) = delete;
    CNameIpRecInfo& operator=(const CNameIpRecInfo&) = delete;

    void RemoveAll() { m_PanelList.clear(); }
    // RemoveAll, then a copy of each of the other list's records in order.
    void CopyFrom(const CNameIpRecInfo& other);

    int GetCount() const { return static_cast<int>(m_PanelList.size()); }
    bool IsEmpty() const { return m_PanelList.empty(); }
    CNameIpRec& GetAt(int nIndex) { return *m_PanelList.at(static_cast<size_t>(nIndex)); }
    const CNameIpRec& GetAt(int nIndex) const
    {
        return *m_PanelList.at(static_cast<size_t>(nIndex));
    }
    // Appends a copy and returns it.
    CNameIpRec& AddTail(const CNameIpRec& rec);
    void RemoveAt(int nIndex);
    // Index of the first record that IsSamePanel with the given one, or -1.
    int FindSamePanel(const CNameIpRec& rec) const;

    // Reads the list file. A missing or empty file gives false and leaves the
    // list as it was; otherwise the list is replaced by one record per line.
    bool Load() { return LoadFrom(GetPanelListPath()); }
    // Load from another list file of the same form (orvak-cli collect).
    bool LoadFrom(const std::string& strPath);
    // Replaces the list file with the current list. The new text goes to a
    // temporary file beside it first, so a failure at any point leaves the old
    // file as it was; failures are reported to the user and give false.
    bool Save() const;

    // The application data folder holding the list file; the application
    // shell sets it at start-up.
    static void SetDataFolder(const std::string& strFolder);
    static const std::string& GetDataFolder();
    static std::string GetPanelListPath();

private:
    std::vector<std::unique_ptr<CNameIpRec>> m_PanelList;
};
