#include "mods/directory_scan.h"

#include <windows.h>

#include <unordered_map>
#include <vector>

#include "mods/list_state.h"
#include "mods/mod_lists.h"
#include "mods/mod_names.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"

namespace {

void AddName(const FolderEntry& found, FolderListing& listing)
{
    const std::string& name = found.name;
    switch (KindOf(name)) {
    case ArchiveKind::Disabled: listing.disabled.push_back(name); break;
    case ArchiveKind::Enabled: listing.enabled.push_back(name); break;
    case ArchiveKind::None: break;
    }

    if (HasExtension(name, ".txt"))
        listing.descriptions.emplace(FoldedKey(name), name);
    if (HasExtension(found.shortName, ".txt"))
        listing.descriptions.emplace(FoldedKey(found.shortName), name);
}

// FindInfoFile answered from the listing: only a name the folder holds is
// checked on disk, under the case the folder gave it, so a missing description
// costs no lookup and the answer is the attribute test's own.
std::string ListedInfoFile(const FolderListing& listing, const std::string& directory,
                           const std::string& archiveName)
{
    std::string infoName = ReplaceExtension(archiveName, "txt");
    auto listed = listing.descriptions.find(FoldedKey(infoName));
    if (listed == listing.descriptions.end() || !PathExists(JoinPath(directory, listed->second)))
        return std::string();
    return JoinPath(directory, infoName);
}

}  // namespace

FolderListing ListFolder(const std::string& directory)
{
    FolderListing listing;
    ForEachEntry(directory, "*", [&listing](const FolderEntry& found) { AddName(found, listing); });
    return listing;
}

std::string FindInfoFile(const std::string& archivePath)
{
    std::string infoPath = ReplaceExtension(archivePath, "txt");
    return PathExists(infoPath) ? infoPath : std::string();
}

void RescanModDirectory()
{
    std::string directory = ModDirectory;
    FolderListing listing = ListFolder(directory);

    PauseListRedraw();
    DisabledMods.reserve(DisabledMods.size() + listing.disabled.size());
    EnabledMods.reserve(EnabledMods.size() + listing.enabled.size());
    for (const std::string& name : listing.disabled)
        AddDisabledMod(JoinPath(directory, name), name, ListedInfoFile(listing, directory, name));
    for (const std::string& name : listing.enabled)
        AddEnabledMod(JoinPath(directory, name), name, ListedInfoFile(listing, directory, name));
    ResumeListRedraw();
}

bool RebuildModLists(ListChange change)
{
    bool there = PathExists(ModDirectory);
    if (there) {
        ClearModLists();
        RescanModDirectory();
    }
    ShowListState(change);
    if (!there)
        ShowMessage(MainWindow, Message::DirectoryMissing);
    return there;
}
