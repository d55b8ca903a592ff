#pragma once
// A resizable property sheet: pages on tabs, a "Close" button and a size grip
// at the bottom right, and room for extra buttons level with the tabs at the
// top right. Like a property sheet, a page is asked before it is left (a page
// with invalid input refuses, keeps the tab and the focus) and told when it
// becomes the active one. The pages switch with the mouse and with
// Ctrl+Tab / Ctrl+PageDown (forward) and Ctrl+Shift+Tab / Ctrl+PageUp (back).
#include <QDialog>

class QHBoxLayout;
class QPushButton;
class QTabWidget;

class CResizableSheet : public QDialog
{
    Q_OBJECT
public:
    explicit CResizableSheet(const QString& strTitle, QWidget* pParent = nullptr);
    ~CResizableSheet() override;

    int AddPage(QWidget* pPage, const QString& strTitle);
    int GetActiveIndex() const { return m_nActive; }
    // Switches when the active page lets go; false when it refused.
    bool SetActivePage(int nIndex);
    // One page forward or back, wrapping around.
    bool StepPage(int nStep);

    QTabWidget* Tabs() const { return m_pTabs; }
    QPushButton* CloseButton() const { return m_pCloseButton; }
    // Adds a button to the row level with the tabs (right-aligned, in order).
    void AddCornerButton(QPushButton* pButton);

protected:
    // May the page at nIndex be left? (It shows its own message when not.)
    virtual bool OnKillActive(int nIndex);
    // The page at nIndex has become the active one (also when the sheet is
    // first shown). Runs after the switch, with the new page visible.
    virtual void OnSetActive(int nIndex);

    void showEvent(QShowEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    void OnCurrentChanged(int nIndex);

    QTabWidget* m_pTabs;
    QWidget* m_pCorner;
    QHBoxLayout* m_pCornerLayout;
    QPushButton* m_pCloseButton;
    int m_nActive = -1;
    bool m_bSwitching = false;
    bool m_bShown = false;
};
