#pragma once
// The folder browser behind the main window's "..." button: the system's
// folder selection dialog with a title, a starting folder and only folders
// to choose from.
#include <QFileDialog>

#include <string>

class QWidget;

class CBrowseForFolder
{
public:
    // Flags as the file dialog takes them; folders only by default.
    CBrowseForFolder(QWidget* pOwner, const std::string& strTitle,
                     QFileDialog::Options nFlags = QFileDialog::ShowDirsOnly);
    virtual ~CBrowseForFolder();

    void SetInitialFolder(const std::string& strFolder) { m_strInitialFolder = strFolder; }
    const std::string& GetInitialFolder() const { return m_strInitialFolder; }
    const std::string& GetTitle() const { return m_strTitle; }

    // Shows the dialog; true, with GetSelectedFolder(), when the user confirms a folder.
    bool SelectFolder();
    const std::string& GetSelectedFolder() const { return m_strSelected; }

private:
    QWidget* m_pOwner;
    std::string m_strTitle;
    QFileDialog::Options m_nFlags;
    std::string m_strInitialFolder;
    std::string m_strSelected;
};

// The main window's browser: titled "Select System Folder" unless told otherwise.
class CSBDestination : public CBrowseForFolder
{
public:
    explicit CSBDestination(QWidget* pOwner, const std::string& strTitle = "Select System Folder");
};
