#pragma once
// A progress sink that opens the viewer's progress window only when the work
// first reports progress, so that work with nothing to do shows no window.
// While open, the window disables its owner; Close (or the destructor) ends it.
// Positions and texts reach the window at most every few tens of milliseconds:
// a million-record walk reports thousands of steps, and each one shown costs
// a repaint and a turn of the event loop.
#include "common/CProgressSink.h"

#include <QElapsedTimer>

#include <memory>
#include <string>

class CDlgProgressDlg;
class QWidget;

class CLazyProgress : public CProgressSink
{
public:
    explicit CLazyProgress(QWidget* pOwner);
    ~CLazyProgress() override;

    void SetRange(int nLow, int nHigh) override;
    void SetPos(int nPos) override;
    void SetText(const std::string& strText) override;

    // Closes the window (when it was opened) and activates the owner's window.
    void Close();

private:
    CDlgProgressDlg& Window();
    // Shows the latest position and text when the last showing is old enough.
    void Show(bool bForce);

    QWidget* m_pOwner;
    std::unique_ptr<CDlgProgressDlg> m_pWindow;
    QElapsedTimer m_tmLastShown;
    int m_nPos = 0;
    std::string m_strText;
    bool m_bTextChanged = false;
};
