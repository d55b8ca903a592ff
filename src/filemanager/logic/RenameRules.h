#pragma once
// The rules a new name for a remote file must pass before the rename command
// is sent, and the set of characters no file name may hold (the conflict
// dialog refuses the same characters).
#include "common/CPrompt.h"

#include <string>

class CDirData;

// The characters a file name may not contain: " * + , / : ; < = > ? [ \ ] |
const char* ForbiddenFileNameChars();
// True when the name contains at least one of ForbiddenFileNameChars().
bool HasForbiddenFileNameChar(const std::string& strName);

// A short name the panel's card accepts: 1 to 12 characters, the first "."
// (if any) at position 8 or before, counted from 0, and no forbidden character.
bool IsValidShortName(const std::string& strName);

// The outcome of checking a new name; on refusal the message and its icon.
struct SRenameVerdict
{
    bool bAccepted = false;
    std::string strMessage;
    EPromptIcon eIcon = EPromptIcon::None;
};

// Checks the new name as typed (blanks included) against the names already
// on the card, in table order, then against the short-name rule. pTable may
// be null (no names to compare with).
SRenameVerdict CheckRenameName(const std::string& strNewName, const CDirData* pTable);
