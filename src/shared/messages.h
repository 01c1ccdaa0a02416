// Every message box the program shows: its text, caption and icon in one
// table, and the one function that shows them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

enum class Message {
    WindowClassFailed,
    WindowFailed,
    DirectoryMissing,
    ModNotDisabled,
    ModNotEnabled,
    NameTaken,
    CopyFailed,
    DescriptionNotCopied,
    GameNotStarted,
    NotArchive,
    BaseArchiveName,
    LeftoverInTheWay,
    SetModMissing,
    SetModsMissing,
    SwitchFailed,
    SwitchNotUndone,
    SwitchNotJournalled,
    SwitchCutOff,
    SwitchCutOffNotUndone,
    SetNameInvalid,
    SetNameReserved,
    SetReplace,
    SetDelete,
    SetNotSaved,
    NoSetOnClipboard,
    SetTextBadName,
    SetTextNoTab,
    SetTextBadSize,
    SetTextNotArchive,
    SetTextPath,
    SetTextBaseArchive,
    ClipboardFailed,
    FolderNotOpened,
    SwitchElsewhere,
    SwitchCutOffFolderMissing,
    SetCopiedWithout,
    SwitchOwedPutBack,
    SwitchOwedNotPutBack,
    SwitchOwedFolderMissing,
    SwitchJournalRefused,
    SwitchJournalUnreadable,
    SwitchJournalOtherFolder,
    SwitchAfterEarlier,
    SearchNothingToSearch,
    SearchShowsWithoutMods,
    SearchAnswersDisagree,
    SearchModGone,
    SearchCannotGoOn,
    SearchNotStored,
    SearchUnreadable,
    SearchOtherFolder,
    SetTextTwoSizes,
    SetNotDeleted,
    SetNotRenamed,
    SetOldNameKept,
    UpdateQuestion,
    UpdateIdentical,
    UpdateInUse,
    UpdateFailed,
    UpdateNotRecycled,
    UpdateNotPutBack,
    VersionChangeElsewhere,
    RestoreInUse,
    RestoreFailed,
    RestoreNotPutBack,
    UpdateCutOffFinished,
    UpdateCutOffUndone,
    RestoreCutOffFinished,
    RestoreCutOffUndone,
    VersionCutOffNotRepaired,
    VersionCutOffFolderMissing,
    VersionCutOffChanged,
};

struct MessageText {
    const char* text;  // "%1", "%2", ... stand for the details it is shown with
    const char* caption;
    UINT icon;
    UINT buttons;  // MB_OK unless it asks a question
};

const MessageText& MessageFor(Message message);

// Shows the message, owned by `owner` (NULL: no owner), with its details
// filled in, and gives the button pressed (IDOK, IDYES, IDNO). The tool is
// busy while it shows.
int ShowMessage(HWND owner, Message message, const std::vector<std::string>& details = {});

// The texts of the tool's own windows other than message boxes.
enum class Text {
    Cancel,
    CountOf,
    AddingCaption,
    SwitchCaption,
    Switching,
    PuttingBack,
    SearchCaption,
    SearchMenuEntry,
    SearchStepBound,
    SearchStep,
    SearchAsk,
    SearchModsOn,
    SearchGameEnded,
    SearchCulprit,
    SearchCulprits,
    SearchLeaveItOff,
    SearchLeaveThemOff,
    SearchStop,
    SearchCancel,
};

const char* TextFor(Text text);

// Why a dropped file was not added (or not whole): its line in the summary.
enum class DropReason {
    NameTaken,
    NotArchive,
    BaseArchiveName,
    CopyFailed,
    DescriptionNotCopied,
    LeftoverInTheWay,
    InstalledAlready,
    UpdateInUse,
    NotUpdated,
    PreviousNotRecycled,
    UpdateNotPutBack,
};

// "%1" in a reason stands for its detail.
const char* DropReasonText(DropReason reason);

// A line of the question before a drop updates installed mods: "%1" the
// mod, "%2" and "%3" the installed version's size and date, "%4" and "%5" the
// dropped one's.
const char* UpdateQuestionLine();

// The one warning after a drop: one line per file that was refused or failed,
// "name: why".
void ShowDropSummary(HWND owner, const std::string& lines);
