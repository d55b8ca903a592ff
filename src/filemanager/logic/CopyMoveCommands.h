#pragma once
// The Copy and Move commands around the transfer: their questions, and Move's
// deletion of the remote files once the transfer has fully succeeded.
#include "filemanager/logic/CTransferEngine.h"

#include <functional>
#include <string>
#include <vector>

enum class ECopyMoveStart
{
    NoSelection,   // the message was shown; the caller focuses the list
    NoLocalFolder, // the message was shown; nothing is written
    Declined,
    Confirmed,
};

// "Select remote panel file(s) to copy.", the missing local folder, or the
// Copy question.
ECopyMoveStart ConfirmCopy(int nSelectedRows, const std::string& strLocalFolder);
// "Select remote panel file(s) to move.", the missing local folder, or the
// Move question.
ECopyMoveStart ConfirmMove(int nSelectedRows, const std::string& strLocalFolder);

// Runs the transfer; only when it succeeded, fnDeleteFiles is called with the
// names of the files it actually copied (a file skipped at a conflict stays on
// the panel). Otherwise "Error in copying files. Hence did not perform any
// delete operation." is shown. Returns the transfer's result.
bool RunMove(CTransferEngine& engine, const STransferRequest& request,
             const std::function<void(const std::vector<std::string>&)>& fnDeleteFiles);

// The names of the entries that are files (folders and empty files left out).
std::vector<std::string> SelectedFileNames(const std::vector<DIR_DATA>& arrSelected);
