// Every message box the program shows: its text, caption and icon in one
// table, and the one function that shows them.
#pragma once

#include <windows.h>

#include <string>

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
};

struct MessageText {
    const char* text;
    const char* caption;
    UINT icon;
};

const MessageText& MessageFor(Message message);

// Shows the message with an OK button, owned by `owner` (NULL: no owner).
void ShowMessage(HWND owner, Message message);

// Why a dropped file was not added (or not whole): its line in the summary.
enum class DropReason {
    NameTaken,
    NotArchive,
    BaseArchiveName,
    CopyFailed,
    DescriptionNotCopied,
};

const char* DropReasonText(DropReason reason);

// The one warning after a drop: one line per file that was refused or failed,
// "name: why".
void ShowDropSummary(HWND owner, const std::string& lines);
