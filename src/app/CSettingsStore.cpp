#include "app/CSettingsStore.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QVariant>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace
{
QString ValuePath(const std::string& strKey, const std::string& strName)
{
    if (strKey.empty())
        return QString::fromStdString(strName);
    return QString::fromStdString(strKey + "/" + strName);
}
} // namespace

CSettingsStore::CSettingsStore(const std::string& strMakerName, const std::string& strAppName,
                               const std::string& strConfigRoot)
    : m_strMakerName(strMakerName), m_strConfigRoot(ResolveConfigRoot(strConfigRoot)),
      m_pSettings(std::make_unique<QSettings>(
          QString::fromStdString(SettingsFilePath(strMakerName, strAppName, m_strConfigRoot)),
          QSettings::NativeFormat))
{
}

CSettingsStore::~CSettingsStore()
{
    Flush();
}

std::string CSettingsStore::ResolveConfigRoot(const std::string& strConfigRoot)
{
    if (!strConfigRoot.empty())
        return strConfigRoot;
    // The folder QSettings itself uses for user-scope settings.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
}

std::string CSettingsStore::SettingsFilePath(const std::string& strMakerName,
                                             const std::string& strAppName,
                                             const std::string& strConfigRoot)
{
    return (fs::path(ResolveConfigRoot(strConfigRoot)) / strMakerName / (strAppName + ".conf"))
        .string();
}

int CSettingsStore::ReadInt(const std::string& strKey, const std::string& strName,
                            int nDefault) const
{
    const QVariant value = m_pSettings->value(ValuePath(strKey, strName));
    if (!value.isValid())
        return nDefault;
    bool bOk = false;
    const int nValue = value.toInt(&bOk);
    return bOk ? nValue : nDefault;
}

std::string CSettingsStore::ReadText(const std::string& strKey, const std::string& strName,
                                     const std::string& strDefault) const
{
    const QVariant value = m_pSettings->value(ValuePath(strKey, strName));
    if (!value.isValid())
        return strDefault;
    return value.toString().toStdString();
}

void CSettingsStore::WriteInt(const std::string& strKey, const std::string& strName, int nValue)
{
    m_pSettings->setValue(ValuePath(strKey, strName), nValue);
}

void CSettingsStore::WriteText(const std::string& strKey, const std::string& strName,
                               const std::string& strValue)
{
    m_pSettings->setValue(ValuePath(strKey, strName), QString::fromStdString(strValue));
}

void CSettingsStore::Flush()
{
    m_pSettings->sync();
}

void CSettingsStore::RemoveEarlierInstallations(const std::string& strTitle) const
{
    if (strTitle.empty())
        return;
    // Collect first, remove after: removing while enumerating would skip
    // entries.
    std::vector<fs::path> arrDoomed;
    std::error_code ec;
    for (auto it = fs::directory_iterator(m_strConfigRoot, ec);
         !ec && it != fs::directory_iterator(); it.increment(ec))
    {
        const std::string strName = it->path().filename().string();
        if (strName.compare(0, strTitle.size(), strTitle) == 0 && strName != m_strMakerName)
            arrDoomed.push_back(it->path());
    }
    for (const fs::path& path : arrDoomed)
        fs::remove_all(path, ec);
}
