#pragma once
// What the transfer engine needs of the window that runs it: the progress
// lines and bars, the "Last Transfer" box, the Cancel button, the enabling of
// the other controls, and one pending window event per progress step (which is
// how a click on "Cancel Transfer" reaches the engine during a transfer).
// The main window implements it on its controls; the command-line tool and the
// tests use CHeadlessTransferDisplay.
#include <cstdint>
#include <string>

class CTransferDisplay
{
public:
    virtual ~CTransferDisplay() = default;

    // Enable controls of the main window (everything that could start another
    // remote command); disabling also begins the application's wait cursor.
    virtual void EnableControls(bool bEnable) = 0;

    virtual void SetCountText(const std::string& strText) = 0; // static 1051, the count line
    virtual void ShowCountText(bool bShow) = 0;
    virtual void SetFileText(const std::string& strText) = 0;  // static 1052, the file line
    virtual void SetBytesText(const std::string& strText) = 0; // static 1053, the bytes line

    // Overall bar 1040: files done of the rows selected. One step is one unit.
    virtual void ShowOverallBar(bool bShow) = 0;
    virtual void SetOverallRange(int nMax) = 0; // range 0..nMax
    virtual void SetOverallPos(int nPos) = 0;
    virtual void StepOverallBar() = 0;

    // Per-file bar 1042: percent of the current file (range 0..100).
    virtual void ShowFileBar(bool bShow) = 0;
    virtual void SetFilePercent(int nPercent) = 0;

    // Group box 1056 with its title, and static 1057 inside it, both shown.
    virtual void ShowLastTransferBox(const std::string& strTitle) = 0;
    virtual std::string GetLastTransferText() const = 0; // static 1057
    virtual void SetLastTransferText(const std::string& strText) = 0;

    virtual void ShowCancelButton(bool bShow) = 0; // button 1055 "Cancel Transfer"

    // Hands one pending window event (if any) to the window.
    virtual void ProcessPendingEvent() = 0;
    // A wait cursor for the copy of one file (nested calls are counted).
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Brings the wait cursor back unless the pointer is over "Cancel Transfer".
    virtual void RestoreWaitCursor() = 0;

    // The local folder tree selects this folder (SetSelPath).
    virtual void SelectLocalFolder(const std::string& strPath) = 0;

    // Speed and time left (see CTransferRate); a display without them ignores
    // these. The bytes of all files of the transfer as it starts, the name and
    // size of each file as it starts, and the bytes of the current file at
    // each step.
    virtual void StartTransferFigures(uint64_t /*nTotalBytes*/) {}
    virtual void StartFileFigures(const std::string& /*strName*/, uint64_t /*nFileSize*/) {}
    virtual void UpdateFileFigures(uint64_t /*nFileBytes*/) {}
};
