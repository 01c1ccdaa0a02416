// Every message box the program shows: its text, caption and icon in one
// table, and the one function that shows them.
#pragma once

#include <windows.h>

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
};

struct MessageText {
    const char* text;
    const char* caption;
    UINT icon;
};

const MessageText& MessageFor(Message message);

// Shows the message with an OK button, owned by `owner` (NULL: no owner).
void ShowMessage(HWND owner, Message message);
