#pragma once
// The program's help: its pages in a browser window, one window for the whole
// program, opened at the topic of a context id. It takes clicks, scrolling and
// links, and closes (close box or Esc), whatever modal dialog is open: it
// places itself above the topmost modal window, so that no modal window
// blocks it.
#include <QWidget>

class QTextBrowser;
class QPushButton;

class CHelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* pParent = nullptr);

    // Shows a page of the help resources ("rename.html"); false when there is
    // no such page.
    bool ShowTopic(const QString& strPage);
    // The page shown now ("rename.html"), or empty.
    QString CurrentTopic() const;
    QTextBrowser* Browser() const { return m_pBrowser; }
    // Makes the topmost modal window (unless it is one of this window's own)
    // the window this one belongs to, so that it is not blocked by it.
    void FollowModalWindow();

protected:
    bool event(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    QTextBrowser* m_pBrowser;
    QPushButton* m_pBackButton;
    QPushButton* m_pContentsButton;
};

// Opens the help window at the topic of the context id (10001 main window,
// 10002 panel list, 10003 panel entry, 10004 rename). For an id without a
// topic it shows "Help Id %d (0x%x) not found." through the prompt and then
// the contents page. The first call places the window over pParent's window.
// Returns the help window.
CHelpWindow* ShowHelp(int nContextId, QWidget* pParent = nullptr);
// The help window if it is open, or null.
CHelpWindow* GetHelpWindow();
// Closes and destroys the help window; the program calls it on exit.
void CloseHelpWindow();
