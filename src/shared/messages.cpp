#include "shared/messages.h"

namespace {

// In the order of the enumeration.
const MessageText kMessages[] = {
    {"Error on window class registering!", "Error!", MB_ICONWARNING},
    {"Error on window creating!", "Error!", MB_ICONWARNING},
    {"Specified directory does not exist.", "Error", MB_ICONERROR},
    // The rename texts are crossed on purpose, as players have always seen
    // them: a failed Enable reports that the mod "wasn't disabled", a failed
    // Disable that it "wasn't enabled". Do not swap them.
    {"Mod wasn't disabled!", "Not disabled!", MB_ICONWARNING},
    {"Mod wasn't enabled!", "Not enabled!", MB_ICONWARNING},
    {"A mod with this name already exists.", "Error", MB_ICONWARNING},
    {"Mod could not be copied.", "Error", MB_ICONWARNING},
    {"Mod was added, but its description could not be copied.", "Error", MB_ICONWARNING},
    {"Game could not be started, please check the correct directory has been set.", "Error", MB_ICONWARNING},
    {"This file is not a mod archive (.pak or .mod).", "Error", MB_ICONWARNING},
    {"This name belongs to one of the game's own archives.", "Error", MB_ICONWARNING},
};

static_assert(sizeof kMessages / sizeof kMessages[0] == static_cast<size_t>(Message::BaseArchiveName) + 1,
              "one entry per message");

// In the order of the enumeration.
const char* const kDropReasons[] = {
    "a mod with this name already exists",
    "not a mod archive",
    "name of one of the game's own archives",
    "could not be copied",
    "added, but its description could not be copied",
};

static_assert(sizeof kDropReasons / sizeof kDropReasons[0] ==
                  static_cast<size_t>(DropReason::DescriptionNotCopied) + 1,
              "one text per reason");

const MessageText kDropSummary = {"", "Error", MB_ICONWARNING};

}  // namespace

const MessageText& MessageFor(Message message)
{
    return kMessages[static_cast<size_t>(message)];
}

void ShowMessage(HWND owner, Message message)
{
    const MessageText& entry = MessageFor(message);
    MessageBoxA(owner, entry.text, entry.caption, MB_OK | entry.icon);
}

const char* DropReasonText(DropReason reason)
{
    return kDropReasons[static_cast<size_t>(reason)];
}

void ShowDropSummary(HWND owner, const std::string& lines)
{
    MessageBoxA(owner, lines.c_str(), kDropSummary.caption, MB_OK | kDropSummary.icon);
}
