#pragma once
// "Panel List Manager": shows a working copy of the panel list, adds panels
// quickly from its Quick Connect fields, deletes them, opens the entry dialog
// to add or edit one, and ends with the row to connect to. The caller copies
// the list back whichever way it closed (RunPanelListManager does all that).
#include "panels/CNameIpRecInfo.h"

#include <QDialog>
#include <QPointer>

#include <vector>

class CNameIPEntryDialog;
class CPanelDetailsForm;
class QPushButton;
class QTableWidget;

class CIPAddressSelectionDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CIPAddressSelectionDlg(QWidget* pParent = nullptr);
    ~CIPAddressSelectionDlg() override;

    // The working copy of the panel list; fill it before the dialog is shown.
    CNameIpRecInfo m_PanelInfo;
    // The row chosen by Connect, or -1.
    int m_nSelected = -1;
    // The open entry dialog, or null; it clears this itself when it closes.
    QPointer<CNameIPEntryDialog> m_pEntryDlg;

    // Runs once when the dialog is first shown: the rows of the list, the
    // buttons, the focus on the address, the default port.
    void OnInitDialog();
    // Connect: ends the dialog with the first selected row.
    void OnOK();
    void OnCancel();
    bool OnQuickAdd();
    void OnAddAndConnect();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    // Opens the entry dialog on the first selected row (or a new panel) when
    // it is open already or bForce is set; then UpdateButtons.
    void SyncEntryDialog(bool bForce);
    void OpenEntryDialog(int nRow);
    void UpdateButtons();
    // Writes rec into row nRow; -1 appends a row. Returns the row written.
    int SetRow(const CNameIpRec& rec, int nRow);
    void RenumberRows(int nFrom);

    // For the entry dialog: appends a panel to the list and its row, or
    // replaces the panel of an existing row; the row is scrolled into view.
    int AppendPanel(const CNameIpRec& rec);
    void ReplacePanel(int nRow, const CNameIpRec& rec);
    // Called by the entry dialog as it closes.
    void EntryDialogClosed(const CNameIPEntryDialog* pDlg);

    // Selected rows, lowest first.
    std::vector<int> SelectedRows() const;
    QTableWidget* ListCtrl() const { return m_pList; }
    CPanelDetailsForm* QuickForm() const { return m_pForm; }

public slots:
    void accept() override;
    void reject() override;
    void done(int nResult) override;

protected:
    void showEvent(QShowEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void ShowHelpTopic();

    CPanelDetailsForm* m_pForm;
    QTableWidget* m_pList;
    QPushButton* m_pConnectButton;
    QPushButton* m_pDeleteButton;
    QPushButton* m_pEditButton;
    QPushButton* m_pQuickAddButton;
    QPushButton* m_pAddAndConnectButton;
    QPushButton* m_pAddButton;
    QPushButton* m_pCloseButton;
    QPushButton* m_pHelpButton;
    bool m_bInitialised = false;
};

// Runs the Panel List Manager modally over pParent on a copy of appList and
// copies the dialog's list back into appList however it was closed (edits are
// never discarded). Returns the row to select and connect to when it was
// closed with Connect, otherwise -1. Rows match the order of appList.
int RunPanelListManager(QWidget* pParent, CNameIpRecInfo& appList);
