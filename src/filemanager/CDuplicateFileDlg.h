#pragma once
// Asks what to do when the local target of a transfer already exists: skip the
// file, overwrite the target, or copy under a new name, optionally for the
// following conflicts too. It only collects and checks the choice; the
// transfer engine acts on it.
#include "filemanager/logic/CConflictResolver.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class CDuplicateFileDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CDuplicateFileDlg(QWidget* pParent = nullptr);

    // Set by the caller before DoModal, read back after OK.
    std::string m_strFileName; // the remote name; on Rename, the new name
    std::string m_strSize;     // the remote entry's size text
    std::string m_strFolder;   // the local folder of the target
    std::string m_strTarget;   // the full local target path
    EConflictAction m_eAction = EConflictAction::Skip;
    bool m_bApplyToNext = false;

    // Fills the controls from the members (the dialog's start).
    void InitDialog();
    // InitDialog, then modal: 1 after OK, 2 after Esc or the close box.
    int DoModal();

    QRadioButton* SkipRadio() const { return m_pSkipRadio; }
    QRadioButton* OverwriteRadio() const { return m_pOverwriteRadio; }
    QRadioButton* RenameRadio() const { return m_pRenameRadio; }
    QLineEdit* NewNameEdit() const { return m_pNewNameEdit; }
    QCheckBox* ApplyCheck() const { return m_pApplyCheck; }
    QPushButton* OkButton() const { return m_pOkButton; }

public slots:
    // OK: closes only with a complete, checked choice.
    void accept() override;

private:
    void OnActionClicked(EConflictAction eAction);
    void UpdateNewNameEnabling();
    EConflictAction CheckedAction() const;

    QLabel* m_pSourceText;
    QLabel* m_pTargetLabel;
    QPlainTextEdit* m_pTargetText;
    QRadioButton* m_pSkipRadio;
    QRadioButton* m_pOverwriteRadio;
    QRadioButton* m_pRenameRadio;
    QLabel* m_pNewNameLabel;
    QLineEdit* m_pNewNameEdit;
    QCheckBox* m_pApplyCheck;
    QPushButton* m_pOkButton;
};

// The window's conflict resolver: runs the dialog modally over the parent.
class CDuplicateFileResolver : public CConflictResolver
{
public:
    explicit CDuplicateFileResolver(QWidget* pParent) : m_pParent(pParent) {}
    bool Resolve(SConflictRequest& request) override;

private:
    QWidget* m_pParent;
};
