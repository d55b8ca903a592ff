#pragma once
// Asks for the new name of one remote file and checks it against the names on
// the panel's card (RenameRules) before the caller sends the rename command.
#include <QDialog>

#include <string>

class CDirData;
class QLineEdit;
class QPushButton;

class CRenameFileDlg : public QDialog
{
    Q_OBJECT
public:
    // pFileTable: the main window's listing, not owned; strFileName: the
    // name of the file to rename.
    CRenameFileDlg(const CDirData* pFileTable, const std::string& strFileName,
                   QWidget* pParent = nullptr);

    // The name of the file to rename; after OK, the new name.
    std::string m_strFileName;

    QLineEdit* FileNameEdit() const { return m_pFileNameEdit; }
    QLineEdit* NewNameEdit() const { return m_pNewNameEdit; }

public slots:
    // OK: accepted only when the new name passes every rule.
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void ShowHelpTopic();

    const CDirData* m_pFileTable;
    QLineEdit* m_pFileNameEdit;
    QLineEdit* m_pNewNameEdit;
    QPushButton* m_pOkButton;
    QPushButton* m_pCancelButton;
    QPushButton* m_pHelpButton;
};
