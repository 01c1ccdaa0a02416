#include "access/folder_access.h"

#include <set>
#include <string>

#include "access/allow_changes.h"
#include "access/elevation.h"
#include "access/write_causes.h"
#include "access/write_test.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/messages.h"
#include "shared/system_reason.h"
#include "shared/window_state.h"

namespace {

bool due, wasInactive;
std::set<std::wstring> told;  // the folders told of in this start, their letters folded
std::wstring refusing;        // the folder the last test found closed, or ""

std::wstring KeyOf(const std::string& folder)
{
    return FoldCase(folder);
}

std::string Utf8(const std::string& text)
{
    return FromWide(ToWide(text, CP_ACP), CP_UTF8);
}

// The folder as a full path, as the elevated part needs it whatever its
// current folder: a relative setting is taken from this process's.
std::string FullPath(const std::string& folder)
{
    WCHAR full[MAX_PATH];
    DWORD length = GetFullPathNameW(ToWide(folder, CP_ACP).c_str(), MAX_PATH, full, NULL);
    return length && length < MAX_PATH ? FromWide(full, CP_ACP) : folder;
}

FolderWrite Test(const std::string& folder)
{
    FolderWrite write = TestFolderWrite(folder);
    refusing = write.told && !write.mayChange ? KeyOf(folder) : std::wstring();
    NoteFolderRefusingChanges(refusing.empty() ? std::string() : folder);
    return write;
}

std::string RefusalText(AllowRefusal refusal)
{
    switch (refusal) {
    case AllowRefusal::Arguments: break;
    case AllowRefusal::Account: return TextFor(Text::AllowRefusedAccount);
    case AllowRefusal::NotAFolder: return TextFor(Text::AllowRefusedNotAFolder);
    case AllowRefusal::Root: return TextFor(Text::AllowRefusedRoot);
    case AllowRefusal::WindowsFolder: return TextFor(Text::AllowRefusedWindowsFolder);
    case AllowRefusal::ProgramFolder: return TextFor(Text::AllowRefusedProgramFolder);
    case AllowRefusal::NotAGameFolder: return TextFor(Text::AllowRefusedNotAGameFolder);
    }
    return TextFor(Text::AllowRefusedArguments);
}

// The elevated part asked for, its answer told, and the folder tested again
// after it allowed changes.
void AskToAllow(const std::string& folder)
{
    std::string full = FullPath(folder);
    ElevationResult result = RunElevated(AllowChangesRequest(full, CurrentAccountSid()), MainWindow);
    if (result.startError == ERROR_CANCELLED) {
        ShowMessage(MainWindow, Message::AllowCancelled);
        return;
    }
    if (result.startError == WAIT_TIMEOUT) {
        ShowMessage(MainWindow, Message::AllowNoAnswer, {folder});
        return;
    }
    if (result.startError != ERROR_SUCCESS) {
        ShowMessage(MainWindow, Message::AllowFailed, {folder, SystemReasonLine(result.startError)});
        return;
    }
    AllowOutcome outcome = OutcomeOfExitCode(result.exitCode);
    switch (outcome.kind) {
    case AllowOutcome::Refused:
        ShowMessage(MainWindow, Message::AllowRefused, {folder, RefusalText(outcome.refusal)});
        return;
    case AllowOutcome::Failed:
        ShowMessage(MainWindow, Message::AllowFailed, {folder, SystemReasonLine(outcome.error)});
        return;
    case AllowOutcome::Unknown: {
        char code[16];
        wsprintfA(code, "0x%08lX", static_cast<unsigned long>(outcome.error));
        ShowMessage(MainWindow, Message::AllowFailed, {folder, TextFor(Text::AllowEndedWith, {code})});
        return;
    }
    case AllowOutcome::Allowed: break;
    }
    FolderWrite write = Test(folder);
    if (write.told && write.mayChange)
        ShowMessage(MainWindow, Message::AllowedNow, {folder});
    else
        ShowMessage(MainWindow, Message::StillNotAllowed,
                    {folder, DescribeWriteFailure(folder, write.error).sentence});
}

void TestAndTell()
{
    std::string folder = ModDirectory;
    if (!FolderExists(folder))
        return;  // the directory error tells of that
    FolderWrite write = Test(folder);
    if (!write.told || write.mayChange || !told.insert(KeyOf(folder)).second)
        return;
    WriteCauseText cause = DescribeWriteFailure(folder, write.error);
    if (!cause.offerAllow || RefusalOfFolder(Utf8(FullPath(folder)))) {
        ShowMessage(MainWindow, Message::AccessNotAllowed, {folder, cause.sentence});
        return;
    }
    if (ShowMessage(MainWindow, Message::AccessNotAllowedOffer, {folder, cause.sentence}) == IDYES)
        AskToAllow(folder);
}

}  // namespace

void StartFolderAccessChecks(HWND window)
{
    told.clear();
    refusing.clear();
    NoteFolderRefusingChanges("");
    wasInactive = false;
    due = true;
    PostMessageA(window, WM_APP_CHECK_ACCESS, 0, 0);
}

void CheckFolderAccessSoon()
{
    due = true;
    if (MainWindow)
        PostMessageA(MainWindow, WM_APP_CHECK_ACCESS, 0, 0);
}

void NoteFolderAccessActivation(bool active)
{
    if (active && wasInactive && !IsBusy())
        CheckFolderAccessSoon();
    wasInactive = !active;
}

void CheckFolderAccessIfDue()
{
    if (!due)
        return;
    if (IsBusy()) {
        NotifyWhenFree();
        return;
    }
    due = false;
    TestAndTell();
}

bool ModFolderRefusesChanges()
{
    return !refusing.empty() && refusing == KeyOf(ModDirectory);
}

void AllowChangesToModFolder()
{
    std::string folder = ModDirectory;
    if (!FolderExists(folder)) {
        ShowMessage(MainWindow, Message::DirectoryMissing);
        return;
    }
    told.insert(KeyOf(folder));  // no notice of it after this
    FolderWrite write = Test(folder);
    if (write.told && write.mayChange) {
        ShowMessage(MainWindow, Message::AllowNotNeeded, {folder});
        return;
    }
    if (std::optional<AllowRefusal> refusal = RefusalOfFolder(Utf8(FullPath(folder)))) {
        ShowMessage(MainWindow, Message::AllowRefused, {folder, RefusalText(*refusal)});
        return;
    }
    AskToAllow(folder);
}
