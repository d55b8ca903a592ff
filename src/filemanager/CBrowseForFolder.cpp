#include "CBrowseForFolder.h"

#include <QDir>

CBrowseForFolder::CBrowseForFolder(QWidget* pOwner, const std::string& strTitle,
                                   QFileDialog::Options nFlags)
    : m_pOwner(pOwner), m_strTitle(strTitle), m_nFlags(nFlags | QFileDialog::ShowDirsOnly)
{
}

CBrowseForFolder::~CBrowseForFolder() = default;

bool CBrowseForFolder::SelectFolder()
{
    const QString strChosen =
        QFileDialog::getExistingDirectory(m_pOwner, QString::fromStdString(m_strTitle),
                                          QString::fromStdString(m_strInitialFolder), m_nFlags);
    if (strChosen.isEmpty())
        return false;
    m_strSelected = QDir::toNativeSeparators(QDir::cleanPath(strChosen)).toStdString();
    return true;
}

CSBDestination::CSBDestination(QWidget* pOwner, const std::string& strTitle)
    : CBrowseForFolder(pOwner, strTitle)
{
}
