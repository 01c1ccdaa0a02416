#include "adding/add_mod.h"

#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <string>
#include <vector>

#include "adding/add_archive.h"
#include "mods/directory_scan.h"
#include "mods/mod_names.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/path_text.h"
#include "shared/window_state.h"

// The request ends at its template-name field, without the later extension fields.
#ifndef _WIN64
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76, "76 bytes in the x86 build");
#endif

namespace {

// The archive's full path and its file name, or false when the user cancelled.
bool ChooseArchive(std::string& source, std::string& fileName)
{
    std::vector<char> file(kLongestPathBytes + 1), title(kLongestPathBytes + 1);
    std::string caption = TextFor(Text::ChooseArchive);
    OPENFILENAMEA request = {};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = MainWindow;
    request.lpstrFilter = ".pak\0*.pak\0";
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrFileTitle = title.data();
    request.nMaxFileTitle = static_cast<DWORD>(title.size());
    request.lpstrTitle = caption.c_str();
    request.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    BusyScope busy;
    if (GetOpenFileNameA(&request) != TRUE)
        return false;
    source = file.data();
    fileName = title.data();
    return true;
}

}  // namespace

void AddMod()
{
    std::string source, fileName;
    if (!ChooseArchive(source, fileName))
        return;
    AddOutcome outcome;
    {
        CopyBatch batch(1);
        batch.StartFile(fileName, 0);
        outcome = AddArchive(source, fileName, batch);
    }
    switch (outcome) {
    case AddOutcome::Added: RebuildModLists(); break;
    case AddOutcome::NameTaken: ShowMessage(MainWindow, Message::NameTaken); break;
    case AddOutcome::NotArchive: ShowMessage(MainWindow, Message::NotArchive); break;
    case AddOutcome::BaseArchiveName: ShowMessage(MainWindow, Message::BaseArchiveName); break;
    case AddOutcome::CopyFailed:
        ShowMessage(MainWindow, PathExists(ModDirectory) ? Message::CopyFailed : Message::DirectoryMissing);
        break;
    case AddOutcome::DescriptionNotCopied:
        if (RebuildModLists())
            ShowMessage(MainWindow, Message::DescriptionNotCopied);
        break;
    case AddOutcome::LeftoverInTheWay:
        ShowMessage(MainWindow, Message::LeftoverInTheWay, {TemporaryName(fileName)});
        break;
    case AddOutcome::Cancelled: break;  // the player's choice, and nothing was added
    }
}
