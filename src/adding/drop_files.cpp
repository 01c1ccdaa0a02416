#include "adding/drop_files.h"

#include <deque>
#include <unordered_set>
#include <string>
#include <vector>

#include "adding/add_archive.h"
#include "mods/directory_scan.h"
#include "mods/mod_names.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "updates/drop_updates.h"

namespace {

const size_t kSummaryLines = 15;  // then "and N more": the box stays within the screen
const size_t kSummaryNameLength = 60;

// Drops that arrived while the tool was busy, oldest first.
std::deque<std::vector<std::string>> waiting;

AddOutcome AddDroppedFile(const std::string& path, size_t index, CopyBatch& batch)
{
    batch.StartFile(FileNamePart(path), index);
    return AddArchive(path, FileNamePart(path), batch);
}

// The descriptions of the dropped archives, folded: a .txt dropped together
// with its archive comes along with it, and is no file of its own to report.
std::unordered_set<std::string> DroppedArchivesDescriptions(const std::vector<std::string>& files)
{
    std::unordered_set<std::string> descriptions;
    for (const std::string& file : files)
        if (IsArchiveName(file))
            descriptions.insert(FoldedKey(ReplaceExtension(file, "txt")));
    return descriptions;
}

std::string ReasonLine(const std::string& path, DropReason reason, const std::string& detail)
{
    return TextFor(Text::DropLine, {ShortenInMiddle(FileNamePart(path), kSummaryNameLength),
                                    DropReasonText(reason, {ShortenInMiddle(detail, kSummaryNameLength)})});
}

// The line of a drop's summary for a file that was not added whole, or "".
std::string SummaryLine(const std::string& path, AddOutcome outcome)
{
    DropReason reason;
    switch (outcome) {
    case AddOutcome::Added:
    case AddOutcome::Cancelled: return "";  // the player's choice, not an error
    case AddOutcome::NameTaken: reason = DropReason::NameTaken; break;
    case AddOutcome::NotArchive: reason = DropReason::NotArchive; break;
    case AddOutcome::BaseArchiveName: reason = DropReason::BaseArchiveName; break;
    case AddOutcome::CopyFailed: reason = DropReason::CopyFailed; break;
    case AddOutcome::DescriptionNotCopied: reason = DropReason::DescriptionNotCopied; break;
    case AddOutcome::LeftoverInTheWay: reason = DropReason::LeftoverInTheWay; break;
    default: return "";
    }
    return ReasonLine(path, reason, TemporaryName(FileNamePart(path)));
}

// A dropped file: added by the rules of Add Mod, or the update of the mod
// installed under its name; "" or its line of the summary.
std::string TakeDroppedFile(const std::string& path, const DropChoice& choice, size_t index, CopyBatch& batch)
{
    DropReason reason = DropReason::NotUpdated;
    std::string detail;
    switch (choice.decision.action) {
    case DropAction::Identical: return ReasonLine(path, DropReason::InstalledAlready, "");
    case DropAction::Update:
        return UpdateDroppedFile(path, choice, index, batch, reason, detail) ? ""
                                                                             : ReasonLine(path, reason, detail);
    default: return SummaryLine(path, AddDroppedFile(path, index, batch));
    }
}

void AddDroppedPaths(const std::vector<std::string>& files)
{
    if (!FolderExists(ModDirectory)) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return;
    }
    std::vector<DropChoice> choices = ChooseForDrop(files, DroppedArchivesDescriptions(files));
    if (choices.empty())
        return;  // cancelled while a file was compared with the installed one
    std::vector<std::string> summary;
    {
        CopyBatch batch(files.size());
        for (size_t i = 0; i < files.size() && !batch.Cancelled(); ++i) {
            if (choices[i].companion)
                continue;
            std::string line = TakeDroppedFile(files[i], choices[i], i, batch);
            if (!line.empty())
                summary.push_back(line);
        }
    }
    RebuildModLists();
    if (!summary.empty())
        ShowDropSummary(MainWindow, JoinLines(summary, kSummaryLines));
}

}  // namespace

void AddDroppedFiles(HDROP drop)
{
    std::vector<std::string> files;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileA(drop, i, NULL, 0);
        std::string path(length + 1, '\0');
        DragQueryFileA(drop, i, &path[0], length + 1);
        path.resize(length);
        files.push_back(path);
    }
    DragFinish(drop);
    if (files.empty())
        return;
    waiting.push_back(files);
    AddWaitingDrops();
}

void AddWaitingDrops()
{
    if (waiting.empty())
        return;
    if (IsBusy()) {
        NotifyWhenFree();
        return;
    }
    std::vector<std::string> files = std::move(waiting.front());
    waiting.pop_front();
    AddDroppedPaths(files);
    if (!waiting.empty())
        NotifyWhenFree();
}
