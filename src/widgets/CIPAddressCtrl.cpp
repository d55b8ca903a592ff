#include "CIPAddressCtrl.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

namespace
{
// Digits only, at most three; a value above 255 becomes 255, the way the
// platform's own address control corrects it.
class CAddressFieldValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& strInput, int& nPos) const override
    {
        if (strInput.size() > 3)
            return Invalid;
        for (const QChar ch : strInput)
        {
            if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
                return Invalid;
        }
        if (!strInput.isEmpty() && strInput.toInt() > 255)
        {
            strInput = QStringLiteral("255");
            nPos = static_cast<int>(strInput.size());
        }
        return Acceptable;
    }
};

unsigned char FieldValue(const QLineEdit* pField)
{
    return static_cast<unsigned char>(qBound(0, pField->text().toInt(), 255));
}
} // namespace

CIPAddressCtrl::CIPAddressCtrl(QWidget* pParent) : QFrame(pParent)
{
    setObjectName("ipAddress");
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);

    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(2, 1, 2, 1);
    pLayout->setSpacing(0);
    for (int i = 0; i < 4; ++i)
    {
        QLineEdit* pField = new QLineEdit(this);
        pField->setObjectName(QStringLiteral("editField%1").arg(i));
        pField->setFrame(false);
        pField->setAlignment(Qt::AlignCenter);
        pField->setMaxLength(3);
        pField->setValidator(new CAddressFieldValidator(pField));
        pField->setFixedWidth(pField->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 4);
        pField->installEventFilter(this);
        // Tab passes over the control as a whole; the dot and the arrows move
        // between its fields.
        if (i > 0)
            pField->setFocusPolicy(Qt::ClickFocus);
        m_arrFields[i] = pField;
        if (i > 0)
        {
            auto* pDot = new QLabel(QStringLiteral("."), this);
            pDot->setObjectName(QStringLiteral("labelDot%1").arg(i));
            pLayout->addWidget(pDot);
        }
        pLayout->addWidget(pField);

        connect(pField, &QLineEdit::textChanged, this, &CIPAddressCtrl::AddressChanged);
        if (i < 3)
        {
            connect(pField, &QLineEdit::textEdited, this,
                    [this, i](const QString& strText)
                    {
                        if (strText.size() == 3 && m_arrFields[i]->cursorPosition() == 3)
                            SetFieldFocus(i + 1);
                    });
        }
    }
    pLayout->addStretch(1);
    setFocusProxy(m_arrFields[0]);
}

int CIPAddressCtrl::GetAddress(unsigned char& b0, unsigned char& b1, unsigned char& b2,
                               unsigned char& b3) const
{
    unsigned char arrBytes[4];
    const int nFilled = GetAddress(arrBytes);
    b0 = arrBytes[0];
    b1 = arrBytes[1];
    b2 = arrBytes[2];
    b3 = arrBytes[3];
    return nFilled;
}

int CIPAddressCtrl::GetAddress(unsigned char arrBytes[4]) const
{
    int nFilled = 0;
    for (int i = 0; i < 4; ++i)
    {
        arrBytes[i] = FieldValue(m_arrFields[i]);
        if (!m_arrFields[i]->text().isEmpty())
            ++nFilled;
    }
    return nFilled;
}

void CIPAddressCtrl::SetAddress(unsigned char b0, unsigned char b1, unsigned char b2,
                                unsigned char b3)
{
    const unsigned char arrBytes[4] = {b0, b1, b2, b3};
    SetAddress(arrBytes);
}

void CIPAddressCtrl::SetAddress(const unsigned char arrBytes[4])
{
    for (int i = 0; i < 4; ++i)
        m_arrFields[i]->setText(QString::number(arrBytes[i]));
}

void CIPAddressCtrl::ClearAddress()
{
    for (QLineEdit* pField : m_arrFields)
        pField->clear();
}

bool CIPAddressCtrl::IsBlank() const
{
    for (const QLineEdit* pField : m_arrFields)
    {
        if (!pField->text().isEmpty())
            return false;
    }
    return true;
}

void CIPAddressCtrl::SetFieldFocus(int nField)
{
    if (nField < 0 || nField > 3)
        return;
    m_arrFields[nField]->setFocus(Qt::OtherFocusReason);
    m_arrFields[nField]->selectAll();
}

int CIPAddressCtrl::FieldIndex(const QObject* pObject) const
{
    for (int i = 0; i < 4; ++i)
    {
        if (m_arrFields[i] == pObject)
            return i;
    }
    return -1;
}

bool CIPAddressCtrl::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    const int nField = FieldIndex(pWatched);
    if (nField < 0 || pEvent->type() != QEvent::KeyPress)
        return QFrame::eventFilter(pWatched, pEvent);

    const auto* pKey = static_cast<QKeyEvent*>(pEvent);
    QLineEdit* pEdit = m_arrFields[nField];
    const bool bAtStart = pEdit->cursorPosition() == 0 && !pEdit->hasSelectedText();
    const bool bAtEnd =
        pEdit->cursorPosition() == pEdit->text().size() && !pEdit->hasSelectedText();
    switch (pKey->key())
    {
    case Qt::Key_Period:
        // The dot is the separator, never part of a field.
        if (nField < 3 && !pEdit->text().isEmpty())
            SetFieldFocus(nField + 1);
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Left:
        if (bAtStart && nField > 0)
        {
            QLineEdit* pPrevious = m_arrFields[nField - 1];
            pPrevious->setFocus(Qt::OtherFocusReason);
            pPrevious->setCursorPosition(static_cast<int>(pPrevious->text().size()));
            return true;
        }
        break;
    case Qt::Key_Right:
        if (bAtEnd && nField < 3)
        {
            m_arrFields[nField + 1]->setFocus(Qt::OtherFocusReason);
            m_arrFields[nField + 1]->setCursorPosition(0);
            return true;
        }
        break;
    default:
        break;
    }
    return QFrame::eventFilter(pWatched, pEvent);
}
