#include "updates/drop_updates.h"

#include <windows.h>

#include <memory>

#include "mods/mod_names.h"
#include "shared/file_copy.h"
#include "shared/folder_listing.h"
#include "shared/locale_format.h"
#include "shared/text_conversion.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "updates/update_commands.h"
#include "updates/mod_update.h"

namespace {

const size_t kQuestionLines = 15;  // then "and N more": the box stays within the screen
const size_t kQuestionNameLength = 60;

// The mod's archive of that name in the folder, as the folder writes it, when
// it is there under its own name; `other` when the name reaches a folder or
// another file's short name.
std::string InstalledArchive(const std::string& path, bool& other)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(ToWide(path, CP_ACP).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return "";
    FindClose(search);
    std::string name = FromWide(found.cFileName, CP_ACP);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || FoldCase(name) != FoldCase(FileNamePart(path))) {
        other = true;
        return "";
    }
    return name;
}

InstalledAs Installed(const std::string& fileName, std::string& installed)
{
    bool other = false;
    std::string enabled = InstalledArchive(JoinPath(ModDirectory, ReplaceExtension(fileName, "pak")), other);
    std::string disabled = InstalledArchive(JoinPath(ModDirectory, ReplaceExtension(fileName, "mod")), other);
    if (other)
        return InstalledAs::SomethingElse;
    if (!enabled.empty() && !disabled.empty())
        return InstalledAs::BothStates;
    installed = enabled.empty() ? disabled : enabled;
    return installed.empty() ? InstalledAs::Nothing : InstalledAs::OneArchive;
}

// "1.2 MB" and "2026-11-30" of a file, in the player's time zone.
void SizeAndDate(const std::string& path, std::string& size, std::string& date)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    FILETIME local = {};
    SYSTEMTIME time = {};
    GetFileAttributesExW(ToWide(path, CP_ACP).c_str(), GetFileExInfoStandard, &data);
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &time);
    size = FormatSize(static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow);
    date = FormatDate(time.wYear, time.wMonth, time.wDay);
}

std::string QuestionLine(const std::string& installed, const std::string& dropped)
{
    std::string installedSize, installedDate, droppedSize, droppedDate;
    SizeAndDate(JoinPath(ModDirectory, installed), installedSize, installedDate);
    SizeAndDate(dropped, droppedSize, droppedDate);
    return TextFor(Text::UpdateQuestionLine, {ShortenInMiddle(DisplayName(installed), kQuestionNameLength),
                                              installedSize, installedDate, droppedSize, droppedDate});
}

}  // namespace

std::vector<DropChoice> ChooseForDrop(const std::vector<std::string>& files,
                                      const std::unordered_set<std::string>& companions)
{
    std::vector<DropChoice> choices(files.size());
    std::unordered_set<std::string> mods;  // the mod names that earlier files of the drop take
    std::vector<std::string> question;
    // A dropped file of the installed archive's size is compared with it, with
    // the progress of a copy: Cancel there ends the whole drop.
    bool cancelled = false;
    std::unique_ptr<CopyBatch> comparing;
    auto sameBytes = [&](const std::string& installed, size_t i) {
        if (!comparing)
            comparing.reset(new CopyBatch(files.size(), TextFor(Text::ComparingCaption)));
        comparing->StartFile(FileNamePart(files[i]), i);
        CompareOutcome same = CompareWithProgress(JoinPath(ModDirectory, installed), files[i],
                                                  &CopyBatch::Progress, comparing.get());
        cancelled = same == CompareOutcome::Cancelled;
        return same == CompareOutcome::Same;
    };
    for (size_t i = 0; i < files.size() && !cancelled; ++i) {
        DropChoice& choice = choices[i];
        std::string fileName = FileNamePart(files[i]);
        choice.companion = HasExtension(fileName, ".txt") && companions.count(FoldedKey(files[i]));
        if (choice.companion)
            continue;
        DroppedFile dropped = {fileName, FolderExists(files[i]), InstalledAs::Nothing, false};
        std::string mod = FoldedKey(DisplayName(fileName));
        bool archive = !dropped.folder && IsArchiveName(fileName);
        if (archive) {
            dropped.installed = Installed(fileName, choice.installed);
            dropped.sameModEarlier = mods.count(mod) > 0;
        }
        choice.decision = DecideDroppedFile(dropped, [&] { return sameBytes(choice.installed, i); });
        if (choice.decision.action != DropAction::Refuse)
            mods.insert(mod);
        if (choice.decision.action == DropAction::AskToUpdate)
            question.push_back(QuestionLine(choice.installed, files[i]));
    }
    comparing.reset();  // its window closes before any question
    if (cancelled)
        return {};
    if (question.empty())
        return choices;
    bool update = ShowMessage(MainWindow, Message::UpdateQuestion, {JoinLines(question, kQuestionLines)}) == IDYES;
    // An earlier change the player keeps refuses each update, as not updated.
    if (update)
        EarlierChangeSettled(ChangeKind::Update);
    for (DropChoice& choice : choices)
        choice.decision = AfterQuestion(choice.decision, update);
    return choices;
}

bool UpdateDroppedFile(const std::string& path, const DropChoice& choice, size_t index, CopyBatch& batch,
                       DropReason& reason, std::string& detail)
{
    batch.StartFile(FileNamePart(path), index);
    VersionDetail why;
    VersionOutcome outcome = UpdateMod(choice.installed, path, batch, why);
    detail = why.inTheWay;
    switch (outcome) {
    case VersionOutcome::Done:
    case VersionOutcome::Cancelled: return true;
    case VersionOutcome::InUse: reason = DropReason::UpdateInUse; break;
    case VersionOutcome::Failed:
    case VersionOutcome::EarlierOwed: reason = DropReason::NotUpdated; break;
    case VersionOutcome::Elsewhere:
        reason = why.holder == FolderWork::Update || why.holder == FolderWork::Restore
                     ? DropReason::VersionChangeElsewhere
                     : DropReason::NotUpdated;
        break;
    case VersionOutcome::NotRecycled: reason = DropReason::PreviousNotRecycled; break;
    case VersionOutcome::LeftoverInTheWay: reason = DropReason::LeftoverInTheWay; break;
    case VersionOutcome::NotPutBack: reason = DropReason::UpdateNotPutBack; break;
    case VersionOutcome::BothStates: reason = DropReason::NameTaken; break;
    case VersionOutcome::NameInTheWay: reason = DropReason::NameInTheWay; break;
    case VersionOutcome::NameTooLong: reason = DropReason::NameTooLong; break;
    }
    return false;
}
