#pragma once
// A refusal of the viewer's pages, decided without widgets: the exact text,
// its icon and where the focus goes. The page shows it through GetPrompt().
#include "common/CPrompt.h"

#include <string>

struct SViewerMessage
{
    std::string strText;
    EPromptIcon eIcon = EPromptIcon::None;
    int nFocusControl = 0; // control identifier of the dialog template
    int nFocusRow = -1;    // grid row and column when the control is the grid
    int nFocusColumn = -1;
};
