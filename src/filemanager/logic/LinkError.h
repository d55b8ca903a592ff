#pragma once
// Show link error: the channel's last error text and the operation's own
// message, joined by a line feed, in one stop message box (nothing when both
// are empty).
#include "common/CPrompt.h"

#include <string>

class CCommInterface;

std::string LinkErrorText(const std::string& strMessage, const CCommInterface& comm);
void ShowLinkError(const std::string& strMessage, const CCommInterface& comm,
                   CPrompt& prompt = GetPrompt());
