#pragma once
// The per-user settings of one maker's application: QSettings in its native
// format, so <configuration root>/<maker>/<application>.conf here, where the
// configuration root plays the part of the user's "Software" key. Values are
// addressed by key (a group below the application, or empty for the
// application itself) and value name. Failed reads give the default; failed
// writes are dropped, since settings never stop the program.
#include <memory>
#include <string>

class QSettings;

class CSettingsStore
{
public:
    // An empty configuration root means the user's own.
    CSettingsStore(const std::string& strMakerName, const std::string& strAppName,
                   const std::string& strConfigRoot = std::string());
    ~CSettingsStore();
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;

    // The folder standing for "Software": the given root, or the user's
    // configuration folder.
    static std::string ResolveConfigRoot(const std::string& strConfigRoot);
    static std::string SettingsFilePath(const std::string& strMakerName,
                                        const std::string& strAppName,
                                        const std::string& strConfigRoot);

    // Numbers: an absent value or one that is not a number gives the default.
    int ReadInt(const std::string& strKey, const std::string& strName, int nDefault) const;
    std::string ReadText(const std::string& strKey, const std::string& strName,
                         const std::string& strDefault) const;
    void WriteInt(const std::string& strKey, const std::string& strName, int nValue);
    void WriteText(const std::string& strKey, const std::string& strName,
                   const std::string& strValue);
    // Writes pending values to the file now.
    void Flush();

    // Removes, with everything in them, the entries directly in the
    // configuration root whose names begin with the given text (exact case):
    // what earlier installations left there. The maker's own folder, which
    // holds this application's settings, is never removed.
    void RemoveEarlierInstallations(const std::string& strTitle) const;

private:
    std::string m_strMakerName;
    std::string m_strConfigRoot;
    std::unique_ptr<QSettings> m_pSettings;
};
