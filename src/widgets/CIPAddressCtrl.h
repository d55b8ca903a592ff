#pragma once
// An IPv4 address edit: four fields of 0 to 255 between dots, read and set as
// four bytes (field 0 first). A blank field reads as 0; the control is blank
// when all four fields are empty. Typing "." or filling three digits moves on
// to the next field; Backspace at the start of a field goes back to the one
// before.
#include <QFrame>

class QLineEdit;

class CIPAddressCtrl : public QFrame
{
    Q_OBJECT
public:
    explicit CIPAddressCtrl(QWidget* pParent = nullptr);

    // Returns how many fields are not blank.
    int GetAddress(unsigned char& b0, unsigned char& b1, unsigned char& b2,
                   unsigned char& b3) const;
    int GetAddress(unsigned char arrBytes[4]) const;
    void SetAddress(unsigned char b0, unsigned char b1, unsigned char b2, unsigned char b3);
    void SetAddress(const unsigned char arrBytes[4]);
    // Empties all four fields.
    void ClearAddress();
    bool IsBlank() const;

    // Puts the focus into field nField (0 to 3) with its text selected.
    void SetFieldFocus(int nField);
    QLineEdit* Field(int nField) const { return m_arrFields[nField]; }

signals:
    // Any field's text changed, by the user or by the program.
    void AddressChanged();

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    int FieldIndex(const QObject* pObject) const;

    QLineEdit* m_arrFields[4];
};
