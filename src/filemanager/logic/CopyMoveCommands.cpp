#include "filemanager/logic/CopyMoveCommands.h"

#include "common/CPrompt.h"
#include "filemanager/logic/LocalFolderCheck.h"
#include "filemanager/logic/TransferNames.h"

namespace
{
ECopyMoveStart Confirm(int nSelectedRows, const std::string& strLocalFolder,
                       const char* pszNoSelection, const char* pszQuestion)
{
    if (nSelectedRows <= 0)
    {
        GetPrompt().Message(pszNoSelection);
        return ECopyMoveStart::NoSelection;
    }
    // Without a folder to write into, a copy would land wherever the program
    // happens to run.
    if (!IsUsableLocalFolder(strLocalFolder))
    {
        GetPrompt().Message(NO_LOCAL_FOLDER_TEXT, EPromptIcon::Warning);
        return ECopyMoveStart::NoLocalFolder;
    }
    return GetPrompt().AskYesNo(pszQuestion) ? ECopyMoveStart::Confirmed : ECopyMoveStart::Declined;
}
} // namespace

ECopyMoveStart ConfirmCopy(int nSelectedRows, const std::string& strLocalFolder)
{
    return Confirm(nSelectedRows, strLocalFolder, "Select remote panel file(s) to copy.",
                   "Copy selected remote panel file(s) to Local Computer?");
}

ECopyMoveStart ConfirmMove(int nSelectedRows, const std::string& strLocalFolder)
{
    return Confirm(nSelectedRows, strLocalFolder, "Select remote panel file(s) to move.",
                   "This copies the selected Remote Panel files to the Local Computer and then "
                   "deletes the files from the Remote Panel.\nMove the selected remote panel "
                   "file(s) to Local Computer?");
}

bool RunMove(CTransferEngine& engine, const STransferRequest& request,
             const std::function<void(const std::vector<std::string>&)>& fnDeleteFiles)
{
    if (!engine.Transfer(request))
    {
        GetPrompt().Message("Error in copying files. Hence did not perform any delete operation.",
                            EPromptIcon::Stop);
        return false;
    }
    fnDeleteFiles(engine.GetCopiedNames());
    return true;
}

std::vector<std::string> SelectedFileNames(const std::vector<DIR_DATA>& arrSelected)
{
    std::vector<std::string> arrNames;
    for (const DIR_DATA& entry : arrSelected)
    {
        if (IsFileEntry(entry))
            arrNames.push_back(entry.strName);
    }
    return arrNames;
}
