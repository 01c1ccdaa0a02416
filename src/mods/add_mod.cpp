#include "mods/add_mod.h"

#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <string>

#include "mods/directory_scan.h"
#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/window_state.h"

// The request ends at its template-name field, without the later extension fields.
#ifndef _WIN64
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76, "76 bytes in the x86 build");
#endif

namespace {

// The archive's full path and its file name, or false when the user cancelled.
bool ChooseArchive(std::string& source, std::string& fileName)
{
    char file[MAX_PATH] = "";
    char title[MAX_PATH] = "";
    OPENFILENAMEA request = {};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = MainWindow;
    request.lpstrFilter = ".pak\0*.pak\0";
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = sizeof title;
    request.lpstrTitle = "Choose";
    request.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameA(&request) != TRUE)
        return false;
    source = file;
    fileName = title;
    return true;
}

// A mod of that name is there already, enabled or disabled.
bool NameTaken(const std::string& destination)
{
    return DirectoryExists(ReplaceExtension(destination, "mod").c_str()) ||
           DirectoryExists(ReplaceExtension(destination, "pak").c_str());
}

}  // namespace

void AddMod()
{
    std::string source, fileName;
    if (!ChooseArchive(source, fileName))
        return;
    std::string destination = JoinPath(ModDirectory, fileName);
    if (NameTaken(destination)) {
        ShowMessage(MainWindow, Message::NameTaken);
        return;
    }
    bool destinationFree = !DirectoryExists(destination.c_str());
    if (!CopyFileA(source.c_str(), destination.c_str(), TRUE)) {
        if (GetLastError() == ERROR_FILE_EXISTS) {
            ShowMessage(MainWindow, Message::NameTaken);
            return;
        }
        // A copy cut short (a full disk) can leave part of the archive behind,
        // which the game would load; the name was free, so the part is ours.
        if (destinationFree)
            DeleteFileA(destination.c_str());
        if (!DirectoryExists(ModDirectory))
            ShowMessage(MainWindow, Message::DirectoryMissing);
        else
            ShowMessage(MainWindow, Message::CopyFailed);
        return;
    }

    // A description of the same name already in the folder is replaced by the
    // one that comes with the new archive.
    bool descriptionCopied = true;
    std::string description = FindInfoFile(source);
    if (!description.empty())
        descriptionCopied =
            CopyFileA(description.c_str(), JoinPath(ModDirectory, FileNamePart(description)).c_str(), FALSE);
    if (RebuildModLists() && !descriptionCopied)
        ShowMessage(MainWindow, Message::DescriptionNotCopied);
}
