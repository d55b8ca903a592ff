#pragma once
// "Name/IP Details Entry Dialog": a modeless companion of the Panel List
// Manager that adds a new panel or edits the one selected in the list, and
// follows the list's selection while it is open. At most one per list dialog;
// it destroys itself when closed.
#include "panels/CNameIpRec.h"

#include <QDialog>

class CIPAddressSelectionDlg;
class CPanelDetailsForm;
class QPushButton;

class CNameIPEntryDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CNameIPEntryDialog(CIPAddressSelectionDlg* pOwner);

    // Working copy of the panel being added or edited.
    CNameIpRec m_Rec;
    // The list row being edited; -1 for a new panel.
    int m_nIndex = -1;

    // Focuses the address and shows the record of m_nIndex.
    void OnInitDialog();
    // Adds the new panel (and resets the form for the next) or changes the
    // edited one in place.
    void OnApply();
    // Close: tells the owner, hides, and deletes itself.
    void OnCancel();
    // Loads the record of m_nIndex (or a default one) and sets the title and
    // the Apply button to match.
    void ShowRecord();

    CPanelDetailsForm* Form() const { return m_pForm; }

public slots:
    void reject() override;

private:
    CIPAddressSelectionDlg* m_pOwner;
    CPanelDetailsForm* m_pForm;
    QPushButton* m_pApplyButton;
    QPushButton* m_pCloseButton;
    QPushButton* m_pHelpButton;
};
