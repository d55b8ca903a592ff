#include "CDuplicateFileDlg.h"

#include "common/CPrompt.h"
#include "common/StrFormat.h"
#include "filemanager/logic/ConflictRules.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace
{
QString Q(const std::string& str)
{
    return QString::fromStdString(str);
}

unsigned LocalFileSize(const std::string& strPath)
{
    struct stat st
    {
    };
    if (::stat(strPath.c_str(), &st) != 0)
        return 0;
    return static_cast<unsigned>(st.st_size);
}
} // namespace

// "Overwtite" and "confilct" are spelt as the dialog always has been: users and
// their written procedures refer to these texts as they are.
CDuplicateFileDlg::CDuplicateFileDlg(QWidget* pParent)
    : QDialog(pParent), m_pSourceText(new QLabel(this)),
      m_pTargetLabel(new QLabel("Target File", this)), m_pTargetText(new QPlainTextEdit(this)),
      m_pSkipRadio(new QRadioButton("Skip", this)),
      m_pOverwriteRadio(new QRadioButton("Overwtite", this)),
      m_pRenameRadio(new QRadioButton("Rename", this)),
      m_pNewNameLabel(new QLabel("New Name:", this)), m_pNewNameEdit(new QLineEdit(this)),
      m_pApplyCheck(new QCheckBox("Apply this action to next confilct", this)),
      m_pOkButton(new QPushButton("OK", this))
{
    setObjectName("duplicateFileDlg");
    setWindowTitle("Target file already exists");
    m_pSourceText->setObjectName("labelSourceFile");
    m_pTargetLabel->setObjectName("labelTargetFile");
    m_pTargetText->setObjectName("editTargetFile");
    m_pTargetText->setReadOnly(true);
    m_pTargetText->setMaximumHeight(60);
    m_pSkipRadio->setObjectName("radioSkip");
    m_pOverwriteRadio->setObjectName("radioOverwrite");
    m_pRenameRadio->setObjectName("radioRename");
    m_pNewNameLabel->setObjectName("labelNewName");
    m_pNewNameEdit->setObjectName("editNewName");
    m_pApplyCheck->setObjectName("checkApplyToNext");
    m_pOkButton->setObjectName("buttonOk");
    m_pOkButton->setDefault(true);

    auto* pActionGroup = new QGroupBox("Action", this);
    pActionGroup->setObjectName("groupAction");
    auto* pRadios = new QButtonGroup(this);
    pRadios->addButton(m_pSkipRadio);
    pRadios->addButton(m_pOverwriteRadio);
    pRadios->addButton(m_pRenameRadio);
    auto* pNewName = new QHBoxLayout;
    pNewName->addSpacing(20);
    pNewName->addWidget(m_pNewNameLabel);
    pNewName->addWidget(m_pNewNameEdit, 1);
    auto* pActions = new QVBoxLayout(pActionGroup);
    pActions->addWidget(m_pSkipRadio);
    pActions->addWidget(m_pOverwriteRadio);
    pActions->addWidget(m_pRenameRadio);
    pActions->addLayout(pNewName);

    auto* pBottom = new QHBoxLayout;
    pBottom->addWidget(m_pApplyCheck, 1);
    pBottom->addWidget(m_pOkButton);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pSourceText);
    pLayout->addWidget(m_pTargetLabel);
    pLayout->addWidget(m_pTargetText);
    pLayout->addWidget(pActionGroup);
    pLayout->addLayout(pBottom);
    setMinimumWidth(460);

    connect(m_pSkipRadio, &QRadioButton::clicked, this,
            [this] { OnActionClicked(EConflictAction::Skip); });
    connect(m_pOverwriteRadio, &QRadioButton::clicked, this,
            [this] { OnActionClicked(EConflictAction::Overwrite); });
    connect(m_pRenameRadio, &QRadioButton::clicked, this,
            [this] { OnActionClicked(EConflictAction::Rename); });
    connect(m_pOkButton, &QPushButton::clicked, this, &CDuplicateFileDlg::accept);
}

void CDuplicateFileDlg::InitDialog()
{
    const char* pszName = m_strFileName.c_str();
    m_pSourceText->setText(
        Q(StrFormat("Source File: %s ( Size: %s Bytes)", pszName, m_strSize.c_str())));
    m_pTargetText->setPlainText(
        Q(StrFormat("%s ( Size: %u Bytes)", m_strTarget.c_str(), LocalFileSize(m_strTarget))));
    m_pSkipRadio->setText(Q(StrFormat("Skip copy/move %s file", pszName)));
    m_pOverwriteRadio->setText(Q(StrFormat("Overwrite %s file", pszName)));
    m_pRenameRadio->setText(Q(StrFormat("Rename %s file", pszName)));

    // The radio shown checked is the action that OK returns, so an earlier
    // Overwrite is offered as Overwrite, not silently kept behind a Skip radio.
    if (m_eAction != EConflictAction::Overwrite && m_eAction != EConflictAction::Rename)
        m_eAction = EConflictAction::Skip;
    m_pSkipRadio->setChecked(m_eAction == EConflictAction::Skip);
    m_pOverwriteRadio->setChecked(m_eAction == EConflictAction::Overwrite);
    m_pRenameRadio->setChecked(m_eAction == EConflictAction::Rename);
    UpdateNewNameEnabling();
    m_pApplyCheck->setChecked(m_bApplyToNext);
}

int CDuplicateFileDlg::DoModal()
{
    InitDialog();
    return exec() == QDialog::Accepted ? 1 : 2;
}

void CDuplicateFileDlg::OnActionClicked(EConflictAction eAction)
{
    m_eAction = eAction;
    UpdateNewNameEnabling();
}

void CDuplicateFileDlg::UpdateNewNameEnabling()
{
    const bool bRename = m_eAction == EConflictAction::Rename;
    m_pNewNameLabel->setEnabled(bRename);
    m_pNewNameEdit->setEnabled(bRename);
}

EConflictAction CDuplicateFileDlg::CheckedAction() const
{
    if (m_pRenameRadio->isChecked())
        return EConflictAction::Rename;
    if (m_pOverwriteRadio->isChecked())
        return EConflictAction::Overwrite;
    return EConflictAction::Skip;
}

void CDuplicateFileDlg::accept()
{
    // What the user sees checked is what the caller gets.
    m_eAction = CheckedAction();
    if (m_eAction == EConflictAction::Rename)
    {
        std::string strNewName;
        const std::string strMessage = CheckConflictNewName(m_pNewNameEdit->text().toStdString(),
                                                            m_strFileName, m_strFolder, strNewName);
        if (!strMessage.empty())
        {
            GetPrompt().Message(strMessage);
            m_pNewNameEdit->setFocus();
            return;
        }
        m_strFileName = strNewName;
    }
    m_bApplyToNext = m_pApplyCheck->isChecked();
    QDialog::accept();
}

bool CDuplicateFileResolver::Resolve(SConflictRequest& request)
{
    CDuplicateFileDlg dlg(m_pParent);
    dlg.m_strFileName = request.strFileName;
    dlg.m_strSize = request.strSize;
    dlg.m_strFolder = request.strFolder;
    dlg.m_strTarget = request.strTarget;
    dlg.m_eAction = request.eAction;
    dlg.m_bApplyToNext = request.bApplyToNext;
    if (dlg.DoModal() != 1)
        return false;
    request.strFileName = dlg.m_strFileName;
    request.eAction = dlg.m_eAction;
    request.bApplyToNext = dlg.m_bApplyToNext;
    return true;
}
