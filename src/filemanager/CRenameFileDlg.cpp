#include "CRenameFileDlg.h"

#include "common/CPrompt.h"
#include "filemanager/logic/RenameRules.h"
#include "widgets/CHelpWindow.h"
#include "widgets/HelpTopics.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CRenameFileDlg::CRenameFileDlg(const CDirData* pFileTable, const std::string& strFileName,
                               QWidget* pParent)
    : QDialog(pParent), m_strFileName(strFileName), m_pFileTable(pFileTable),
      m_pFileNameEdit(new QLineEdit(this)), m_pNewNameEdit(new QLineEdit(this)),
      m_pOkButton(new QPushButton("OK", this)), m_pCancelButton(new QPushButton("Cancel", this)),
      m_pHelpButton(new QPushButton("Help", this))
{
    setObjectName("renameFileDlg");
    setWindowTitle("Rename Remote Panel File Dialog");

    auto* pFileLabel = new QLabel("File To be Renamed", this);
    pFileLabel->setObjectName("labelFileName");
    auto* pNewLabel = new QLabel("New file name", this);
    pNewLabel->setObjectName("labelNewName");
    m_pFileNameEdit->setObjectName("editFileName");
    m_pFileNameEdit->setReadOnly(true);
    m_pFileNameEdit->setText(QString::fromStdString(strFileName));
    m_pNewNameEdit->setObjectName("editNewName");
    m_pOkButton->setObjectName("buttonOk");
    m_pCancelButton->setObjectName("buttonCancel");
    m_pHelpButton->setObjectName("buttonHelp");
    m_pOkButton->setDefault(true);
    m_pHelpButton->setAutoDefault(false);

    auto* pFields = new QGridLayout;
    pFields->addWidget(pFileLabel, 0, 0);
    pFields->addWidget(m_pFileNameEdit, 0, 1);
    pFields->addWidget(pNewLabel, 1, 0);
    pFields->addWidget(m_pNewNameEdit, 1, 1);
    auto* pButtons = new QVBoxLayout;
    pButtons->addWidget(m_pOkButton);
    pButtons->addWidget(m_pCancelButton);
    pButtons->addWidget(m_pHelpButton);
    pButtons->addStretch(1);
    auto* pLayout = new QHBoxLayout(this);
    pLayout->addLayout(pFields, 1);
    pLayout->addLayout(pButtons);
    setMinimumWidth(380);

    connect(m_pOkButton, &QPushButton::clicked, this, &CRenameFileDlg::accept);
    connect(m_pCancelButton, &QPushButton::clicked, this, &CRenameFileDlg::reject);
    connect(m_pHelpButton, &QPushButton::clicked, this, &CRenameFileDlg::ShowHelpTopic);

    m_pNewNameEdit->setFocus();
}

void CRenameFileDlg::accept()
{
    // The name is taken as typed: blanks are part of it (and make it invalid).
    const std::string strNewName = m_pNewNameEdit->text().toStdString();
    const SRenameVerdict verdict = CheckRenameName(strNewName, m_pFileTable);
    if (!verdict.bAccepted)
    {
        GetPrompt().Message(verdict.strMessage, verdict.eIcon);
        m_pNewNameEdit->setFocus();
        return;
    }
    m_strFileName = strNewName;
    QDialog::accept();
}

void CRenameFileDlg::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() == Qt::Key_F1)
    {
        ShowHelpTopic();
        return;
    }
    QDialog::keyPressEvent(pEvent);
}

void CRenameFileDlg::ShowHelpTopic()
{
    ShowHelp(HELP_RENAME_FILE, this);
}
