#pragma once
// The fields of one panel as both panel list dialogs show them: the address,
// the name and the port with their labels. Reading the fields checks them and,
// when they are refused, tells the user and puts the focus where the fault is.
#include <QWidget>

class CIPAddressCtrl;
class CNameIpRec;
class QLineEdit;

class CPanelDetailsForm : public QWidget
{
    Q_OBJECT
public:
    explicit CPanelDetailsForm(QWidget* pParent = nullptr);

    // Fills rec from the fields; false (after the message) when refused.
    bool ReadEntry(CNameIpRec& rec);
    // Name, address and port ("%d") of rec into the fields.
    void ShowRecord(const CNameIpRec& rec);

    CIPAddressCtrl* AddressCtrl() const { return m_pAddressCtrl; }
    QLineEdit* NameEdit() const { return m_pNameEdit; }
    QLineEdit* PortEdit() const { return m_pPortEdit; }

private:
    CIPAddressCtrl* m_pAddressCtrl;
    QLineEdit* m_pNameEdit;
    QLineEdit* m_pPortEdit;
};
