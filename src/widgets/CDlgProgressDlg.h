#pragma once
// The small captionless progress window of the data viewer. While it is open
// the window it belongs to is disabled; it shows a title line, a message line
// and a bar, and keeps the program responsive by handling pending events at
// every position change. When no range is known, StartRunning lets the bar
// move by itself until the window closes.
#include "common/CProgressSink.h"

#include <QDialog>
#include <QPointer>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class CTextProgressCtrl;
class QLabel;

class CDlgProgressDlg : public QDialog, public CProgressSink
{
    Q_OBJECT
public:
    // pOwner null: the active window is the owner when it is a dialog (the
    // viewer sheet is one). A plain bar shows no percentage text.
    CDlgProgressDlg(QWidget* pOwner, const std::string& strTitle, bool bPlainBar = false);
    ~CDlgProgressDlg() override;

    // Ignored while the bar runs by itself; otherwise the range, position 0, step 1.
    void SetRange(int nLow, int nHigh) override;
    // Ignored while the bar runs by itself; otherwise the position, then the
    // events already waiting are handled so the program stays alive.
    void SetPos(int nPos) override;
    void SetText(const std::string& strText) override { SetMessage(strText); }
    void SetMessage(const std::string& strText);
    // The bar steps by itself, from a worker thread, until Close.
    void StartRunning();
    // Stops the runner (and waits for its thread), handles the events already
    // waiting for at most one second, enables the owner and closes the
    // window. A second call does nothing.
    void Close();

    bool IsRunning() const { return m_bRunning; }
    bool IsOpen() const { return m_bOpen; }
    QWidget* GetOwner() const { return m_pOwner; }
    CTextProgressCtrl* Bar() const { return m_pBar; }

protected:
    void reject() override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void StopRunner();
    void CloseWindow(bool bDispatch);
    void CentreOverOwner();

    QPointer<QWidget> m_pOwner;
    QLabel* m_pTitle;
    QLabel* m_pMessage;
    QLabel* m_pThirdLine;
    CTextProgressCtrl* m_pBar;
    bool m_bOpen = false;
    bool m_bRunning = false;

    // The runner posts StepIt calls to the bar; the flag lets Close silence
    // calls that are already queued when it stops the thread. Each window has
    // its own runner, so two progress windows never step each other's bar.
    std::thread m_runner;
    std::mutex m_mutex;
    std::condition_variable m_cvStop;
    bool m_bStopRunner = false;
    std::shared_ptr<std::atomic<bool>> m_pStepping;
};
