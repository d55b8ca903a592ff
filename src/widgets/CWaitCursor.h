#pragma once
// The hourglass: a scoped guard for one operation, plus the application-wide
// begin/end/restore that the main window drives across several calls
// (disabling its controls begins the wait cursor, the end of the operation
// ends it, and a progress step restores it after something replaced it).
//
// Whenever the program asks the user something (a message box, the conflict
// dialog, any other modal dialog) the ordinary arrow shows instead, and the
// hourglass comes back once the question is answered and the work goes on.
// Work started from within such a window (the data viewer, say) shows the
// hourglass as usual.
// Modal windows (message boxes included) are noticed by themselves once a
// wait cursor has been begun.
//
// Without a GUI application object (tests of logic, the command-line tool)
// everything here does nothing.
class CWaitCursor
{
public:
    CWaitCursor() { Begin(); }
    ~CWaitCursor() { End(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Puts the wait cursor back on top if something changed the cursor meanwhile.
    void Restore() { RestoreWaitCursor(); }

    static void Begin();
    // Ends one Begin; extra calls without a matching Begin are ignored.
    static void End();
    // While work runs that no question has paused, makes the wait cursor the
    // one shown.
    static void RestoreWaitCursor();
    // How many Begin calls are open.
    static int Depth();
    // How many questions to the user are up now.
    static int QuestionDepth();

    // A question to the user (a modal window) comes up or goes away.
    static void BeginQuestion();
    static void EndQuestion();
};
