#include "CQtPrompt.h"

#include <QApplication>
#include <QWidget>

CQtPrompt::CQtPrompt(std::string strTitle) : m_strTitle(std::move(strTitle)) {}

QMessageBox::Icon CQtPrompt::ToQtIcon(EPromptIcon eIcon)
{
    switch (eIcon)
    {
    case EPromptIcon::Stop:
        return QMessageBox::Critical;
    case EPromptIcon::Warning:
        return QMessageBox::Warning;
    case EPromptIcon::Question:
        return QMessageBox::Question;
    case EPromptIcon::Information:
        return QMessageBox::Information;
    case EPromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString CQtPrompt::BreakableAtSeparators(const QString& strText)
{
    QString strResult;
    strResult.reserve(strText.size() + strText.size() / 8);
    for (const QChar ch : strText)
    {
        strResult += ch;
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\'))
            strResult += QChar(0x200B);
    }
    return strResult;
}

EPromptAnswer CQtPrompt::Show(const std::string& strText, EPromptIcon eIcon,
                              EPromptButtons eButtons)
{
    QWidget* pParent = QApplication::activeWindow();
    // Without a title of our own the box takes the title of the window it covers.
    QString strTitle = QString::fromStdString(m_strTitle);
    if (strTitle.isEmpty() && pParent)
        strTitle = pParent->windowTitle();

    QMessageBox box(ToQtIcon(eIcon), strTitle,
                    BreakableAtSeparators(QString::fromStdString(strText)), QMessageBox::NoButton,
                    pParent);
    if (eButtons == EPromptButtons::YesNo)
    {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    }
    else
    {
        box.setStandardButtons(QMessageBox::Ok);
    }

    // A modal box: the wait cursor shows the arrow while it is up.
    const int nResult = box.exec();
    if (eButtons == EPromptButtons::Ok)
        return EPromptAnswer::Ok;
    if (nResult == QMessageBox::Yes)
        return EPromptAnswer::Yes;
    // The close box and Esc on a Yes/No box answer No.
    return EPromptAnswer::No;
}
