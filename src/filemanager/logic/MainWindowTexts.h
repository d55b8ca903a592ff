#pragma once
// The texts the main window derives from its state: the panel combo's items,
// the Connect button, the window title and the remote group's title, the
// wording that follows the auto-folder preference, and the local folder a
// tree selection stands for.
#include "panels/CNameIpRec.h"

#include <optional>
#include <string>

// The address alone for a panel without a name, else "%s -  %s" of address
// and name (two blanks after the hyphen).
std::string PanelComboText(const CNameIpRec& panel);

// Without a selection "Get Files List"; otherwise "%s\nFiles List From\n%s"
// with "Refresh" for the connected (bold) item or "Get", and the address.
std::string ConnectButtonText(bool bHasSelection, bool bConnectedItem,
                              const std::string& strAddress);

// String 102 followed directly by the version text (" 1.1.9").
std::string BaseTitle(const std::string& strVersionText);
// The base title, or "%s : %s [ IP - %s ]" with a connected panel.
std::string MainWindowTitle(const std::string& strVersionText, const CNameIpRec* pConnected);
// "Remote Panel Files", or "Remote Panel Files:  [ IP - %s ]" with a connected panel.
std::string RemoteGroupTitle(const CNameIpRec* pConnected);

struct SAutoFolderTexts
{
    const char* pszCopy;
    const char* pszMove;
    const char* pszFolderLabel;
};
// The Copy and Move buttons and the local folder label for the preference.
SAutoFolderTexts AutoFolderTexts(bool bAutoCreate);

// What the local folder box shows for a tree selection: the path of a
// folder; for a file, the path up to its last separator, unless that
// separator is the first character (then nothing changes: empty result).
std::optional<std::string> LocalFolderForSelection(const std::string& strPath, bool bIsFolder);
