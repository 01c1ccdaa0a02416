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
    VersionCutOffOtherFolder,
    VersionChangeOwed,
    SearchElsewhere,
    SearchFolderChanged,
    SwitchForgetEarlier,
    SearchNotEveryTime,
    UpdateBothStates,
    RestoreBothStates,
    UpdateNameInTheWay,
    RestoreNameInTheWay,
    UpdateNameTooLong,
    UpdateCutOffUndoneOlderInBin,
    FolderHeld,
    AccessNotAllowed,
    AccessNotAllowedOffer,
    AllowCancelled,
    AllowRefused,
    AllowFailed,
    AllowNoAnswer,
    AllowedNow,
    StillNotAllowed,
    AllowNotNeeded,
    VirtualCopyFound,
    VirtualCopyOffer,
    VirtualCopyLeft,
    VirtualCopyNotMoved,
    MoveInNotPutBack,
    MoveInCutOff,
};

struct MessageText {
    std::string text;  // with its details filled in
    std::string caption;
    UINT icon;
    UINT buttons;  // MB_OK unless it asks a question
};

// The message in the current language, in the process code page, with "%1",
// "%2", ... filled in from `details`. A message with a count takes the
// plural form of its count detail (its digits; SetModMissing and
// SetModsMissing are one text, the first for 1 without details).
MessageText MessageFor(Message message, const std::vector<std::string>& details = {});

// Shows the message, owned by `owner` (NULL: no owner), with its details
// filled in, and gives the button pressed (IDOK, IDYES, IDNO). The tool is
// busy while it shows.
int ShowMessage(HWND owner, Message message, const std::vector<std::string>& details = {});

// A message that reports a failed call on a file: the same, with the
// system's reason for `error` as its last line (none for ERROR_SUCCESS).
// Where Windows refused access and the mod folder's last test found it
// closed to this tool, the message says that instead of guessing.
int ShowFailure(HWND owner, Message message, DWORD error, const std::vector<std::string>& details = {});

// The mod folder that its last test found closed to changes, or "".
void NoteFolderRefusingChanges(const std::string& folder);

// The texts of the tool's own windows other than message boxes, and the
// pieces of layout (lists, lines) that messages are told with.
enum class Text {
    Cancel,
    CountOf,
    AddingCaption,
    SwitchCaption,
    Switching,
    PuttingBack,
    UpdatingCaption,
    MainTitle,
    Change,
    ModDirectoryHeading,
    Disable,
    EnabledModsHeading,
    Enable,
    DisabledModsHeading,
    Rescan,
    ModInformationHeading,
    StartGame,
    AddMod,
    SystemModSets,
    ChooseArchive,
    ListSeparator,
    NamesAndMore,  // a count
    LinesAndMore,  // a count
    DropLine,
    SetOnNow,
    SetNoMods,
    SetBeforeLastSwitch,
    SetModsOnNow,
    PreviewHeading,
    PreviewSwitchedOn,
    PreviewSwitchedOnNone,
    PreviewSwitchedOff,
    PreviewSwitchedOffNone,
    PreviewMissing,
    PreviewMissingNone,
    PreviewOtherVersions,
    PreviewOtherVersionsNone,
    PreviewOtherVersion,  // a count

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
    SearchStepBoundTwo,
    SetBeforeSearch,
    // A line of the question before a drop updates installed mods: "%1" the
    // mod, "%2" and "%3" the installed version's size and date, "%4" and "%5"
    // the dropped one's.
    UpdateQuestionLine,
    UpdateTitle,   // of the open-file dialog of "Update from File..."
    UpdateFilter,  // the name of its filter for mod archives
    ComparingCaption,
    // A file's size in the unit that fits it, "%1" the number as the locale
    // writes it: bytes (a count), then KB, MB, GB and TB of 1024 each.
    SizeBytes,
    SizeKilobytes,
    SizeMegabytes,
    SizeGigabytes,
    SizeTerabytes,
    // The mod folder's access: the system menu's entry, why the folder
    // refuses changes, and why the elevated part refused to open it.
    AllowChangesEntry,
    AccessCauseProgramFolder,
    AccessCauseControlledFolderAccess,
    AccessCauseReadOnly,
    AccessCauseOtherOwner,
    AccessCauseSystem,
    AllowRefusedArguments,
    AllowRefusedAccount,
    AllowRefusedNotAFolder,
    AllowRefusedRoot,
    AllowRefusedWindowsFolder,
    AllowRefusedProgramFolder,
    AllowRefusedNotAGameFolder,
    AllowEndedWith,
    // A failed change where the last test of the mod folder found it closed.
    AccessRefusedHere,
};

// The text in the current language, in the process code page, with its
// details filled in and, for a text with a count, in the count's form.
std::string TextFor(Text text, const std::vector<std::string>& details = {});

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
    VersionChangeElsewhere,
    NameInTheWay,
    NameTooLong,
};

// "%1" in a reason stands for its detail.
std::string DropReasonText(DropReason reason, const std::vector<std::string>& details = {});

// The one warning after a drop: one line per file that was refused or failed,
// "name: why".
void ShowDropSummary(HWND owner, const std::string& lines);

// How many messages, texts and drop reasons the catalogue holds: each
// enumeration's values run from 0 to one less.
size_t MessageCount();
size_t TextCount();
size_t DropReasonCount();

// "A, B, C", or the first `limit` names and "and N more".
std::string NameList(const std::vector<std::string>& names, size_t limit);

// The lines joined by LF, at most `limit` of them: the rest counted in a last
// line "and N more".
std::string JoinLines(const std::vector<std::string>& lines, size_t limit);
