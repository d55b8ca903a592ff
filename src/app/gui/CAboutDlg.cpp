#include "app/gui/CAboutDlg.h"

#include "app/CProgramLoader.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(const CProgramLoader& loader, QWidget* pParent)
    : QDialog(pParent), m_pVersion(new QLabel("1.0", this))
{
    setObjectName("aboutDlg");
    setWindowTitle("About Ilvane Remote File Manager");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* pIcon = new QLabel(this);
    pIcon->setObjectName("labelIcon");
    pIcon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    auto* pName = new QLabel("Ilvane Remote File Manager Version", this);
    pName->setObjectName("labelName");
    m_pVersion->setObjectName("labelVersion");
    m_pVersion->setText(QString::fromStdString(loader.GetVersionText()));
    auto* pOk = new QPushButton("OK", this);
    pOk->setObjectName("buttonOk");
    pOk->setDefault(true);
    connect(pOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* pText = new QHBoxLayout;
    pText->setSpacing(0);
    pText->addWidget(pName);
    pText->addWidget(m_pVersion);
    pText->addStretch(1);
    auto* pRow = new QHBoxLayout;
    pRow->addWidget(pIcon, 0, Qt::AlignTop);
    pRow->addSpacing(12);
    pRow->addLayout(pText, 1);
    pRow->addSpacing(12);
    pRow->addWidget(pOk, 0, Qt::AlignTop);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pRow);
    pLayout->setContentsMargins(16, 16, 16, 16);
    setFixedSize(sizeHint());
}

void ShowAboutBox(QWidget* pParent, const CProgramLoader& loader)
{
    CAboutDlg dlg(loader, pParent);
    dlg.exec();
}
