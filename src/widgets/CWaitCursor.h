#pragma once
// The hourglass: a scoped guard for one operation, plus the application-wide
// begin/end/restore that the main window drives across several calls
// (disabling its controls begins the wait cursor, the end of the operation
// ends it, and a progress step restores it after a message box replaced it).
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
    // While at least one Begin is open, makes the wait cursor the one shown.
    static void RestoreWaitCursor();
    // How many Begin calls are open.
    static int Depth();
};
