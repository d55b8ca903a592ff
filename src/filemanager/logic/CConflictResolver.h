#pragma once
// Asks what to do when a transfer's local target exists. The window runs the
// conflict dialog; the command-line tool answers from its option; tests script it.
#include "filemanager/logic/ConflictRules.h"

#include <string>

struct SConflictRequest
{
    std::string strFileName; // in: the remote name; out on Rename: the new name
    std::string strSize;     // the remote entry's size text
    std::string strFolder;   // the local folder of the target
    std::string strTarget;   // the full local target path
    // In: the previous action; out: the chosen one.
    EConflictAction eAction = EConflictAction::Skip;
    bool bApplyToNext = false;
};

class CConflictResolver
{
public:
    virtual ~CConflictResolver() = default;
    // False when the user cancelled (Esc or the close box): that one file is
    // skipped and the request's action and check box are left as they were.
    virtual bool Resolve(SConflictRequest& request) = 0;
};
