#pragma once
// What the panel list dialogs decide, kept apart from their widgets: reading
// and checking a panel typed into a form, the texts of a list row, and which
// rows a Delete removes.
#include "common/CPrompt.h"
#include "panels/CNameIpRec.h"

#include <string>
#include <vector>

class CNameIpRecInfo;

constexpr const char* STR_INVALID_IP_ADDRESS = "Please enter a valid IP address.";
constexpr const char* STR_SELECT_TO_CONNECT = "Select a Name/Ip Detail to connect.";
constexpr const char* STR_DELETE_PANELS_QUESTION = "Delete selected Name/IP detail(s)?";
// The list file separates its fields with "|" and its records with line
// ends, so a name holding either could never be read back as typed.
constexpr const char* STR_NAME_NOT_STORABLE =
    "The name cannot contain the character \"|\" or a line break.";

// The form field a refused entry sends the focus to.
enum class EPanelField
{
    None,
    Address,
    Name,
};

struct SPanelEntryVerdict
{
    bool bAccepted = false;
    CNameIpRec rec; // the panel as typed, when accepted
    std::string strMessage;
    EPromptIcon eIcon = EPromptIcon::None;
    EPanelField eFocus = EPanelField::None;
};

// The port box read the way atoi reads it: leading blanks, a sign, digits;
// empty or no digits give 0. Values beyond int are clamped.
int ParsePortText(const std::string& strText);

// True when the name can be written to the list file and read back unchanged.
bool IsStorablePanelName(const std::string& strName);

// Reads one panel from a form: the name trimmed of blanks at both ends, the
// four address bytes (field 0 first), the port box. Refuses the address
// 0.0.0.0 first, then a name the list file cannot hold. Duplicates and the
// port's range are not checked.
SPanelEntryVerdict ReadPanelEntry(const std::string& strNameText, const unsigned char arrAddress[4],
                                  const std::string& strPortText);

// The four column texts of the list row nRow (from 0): "#" (row + 1), name,
// address, port.
std::vector<std::string> PanelRowTexts(const CNameIpRec& rec, int nRow);
std::string RowNumberText(int nRow);

// Removes the records at the selected rows (any order, duplicates and rows
// outside the list ignored) and returns the rows removed, highest first: the
// order in which a view of the list removes the same rows so that every row
// still matches its record while it does.
std::vector<int> RemoveSelectedRecords(CNameIpRecInfo& list, std::vector<int> arrSelected);
