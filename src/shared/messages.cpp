#include "shared/messages.h"

#include "shared/busy.h"
#include "shared/text_format.h"

namespace {

// In the order of the enumeration.
const MessageText kMessages[] = {
    {"Error on window class registering!", "Error!", MB_ICONWARNING, MB_OK},
    {"Error on window creating!", "Error!", MB_ICONWARNING, MB_OK},
    {"Specified directory does not exist.", "Error", MB_ICONERROR, MB_OK},
    // The rename texts are crossed on purpose, as players have always seen
    // them: a failed Enable reports that the mod "wasn't disabled", a failed
    // Disable that it "wasn't enabled". Do not swap them.
    {"Mod wasn't disabled!", "Not disabled!", MB_ICONWARNING, MB_OK},
    {"Mod wasn't enabled!", "Not enabled!", MB_ICONWARNING, MB_OK},
    {"A mod with this name already exists.", "Error", MB_ICONWARNING, MB_OK},
    {"Mod could not be copied.", "Error", MB_ICONWARNING, MB_OK},
    {"Mod was added, but its description could not be copied.", "Error", MB_ICONWARNING, MB_OK},
    {"Game could not be started, please check the correct directory has been set.", "Error", MB_ICONWARNING,
     MB_OK},
    {"This file is not a mod archive (.pak or .mod).", "Error", MB_ICONWARNING, MB_OK},
    {"This name belongs to one of the game's own archives.", "Error", MB_ICONWARNING, MB_OK},
    {"A leftover of an interrupted copy, %1, is in the mod folder and cannot be replaced (it is a folder or a "
     "read-only file). Remove it, then add the mod again.",
     "Error", MB_ICONWARNING, MB_OK},
    {"%1 mod of this set is not in the mod folder: %2. Switch the others?", "Mod Sets", MB_ICONQUESTION, MB_YESNO},
    {"%1 mods of this set are not in the mod folder: %2. Switch the others?", "Mod Sets", MB_ICONQUESTION,
     MB_YESNO},
    {"%1 could not be switched: it may be in use by the game, a file of its other name may exist, or its path "
     "may be too long. No mod was changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"%1 could not be switched, and %2 could not be put back as it was. The tool will put it back at its next "
     "start.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The mods could not be switched: the registry could not be written. No mod was changed.", "Error",
     MB_ICONWARNING, MB_OK},
    {"The last switch of mod sets was cut off. The mods are as they were before it.", "Mod Sets",
     MB_ICONINFORMATION, MB_OK},
    {"The last switch of mod sets was cut off, and %1 could not be put back yet. The tool will try again at its "
     "next start.",
     "Error", MB_ICONWARNING, MB_OK},
    {"A set's name has 1 to 64 characters, not only spaces.", "Mod Sets", MB_ICONWARNING, MB_OK},
    {"\"No mods\", \"Before the last switch\" and \"Before the search\" are the tool's own sets: please choose "
     "another name.",
     "Mod Sets", MB_ICONWARNING, MB_OK},
    {"A set named \"%1\" exists. Replace it?", "Mod Sets", MB_ICONQUESTION, MB_YESNO},
    {"Delete the set \"%1\"?", "Mod Sets", MB_ICONQUESTION, MB_YESNO},
    {"The set could not be saved: the registry could not be written.", "Error", MB_ICONWARNING, MB_OK},
    {"The clipboard holds no mod set.", "Error", MB_ICONWARNING, MB_OK},
    {"The mod set on the clipboard is not used: line %1 gives no set name of 1 to 64 characters. Nothing was "
     "changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The mod set on the clipboard is not used: line %1 has no tab between the archive's name and its size. "
     "Nothing was changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The mod set on the clipboard is not used: the size on line %1 is not a number of bytes. Nothing was "
     "changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The mod set on the clipboard is not used: line %1 names no .pak or .mod archive. Nothing was changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The mod set on the clipboard is not used: line %1 names a path, not an archive. Nothing was changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The mod set on the clipboard is not used: line %1 names one of the game's own archives. Nothing was "
     "changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The set could not be put on the clipboard.", "Error", MB_ICONWARNING, MB_OK},
    {"The mod folder could not be opened.", "Error", MB_ICONWARNING, MB_OK},
    {"Another copy of the tool is switching mods right now. No mod was changed; try again when it is done.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The last switch of mod sets was cut off, and its mod folder %1 is not there now. The tool will put its mods "
     "back at a start when the folder is there again.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The set was copied without %1, which this mod folder does not have.", "Mod Sets", MB_ICONWARNING, MB_OK},
    {"%1, which a failed switch of mod sets could not put back, is now as it was before that switch.", "Mod Sets",
     MB_ICONINFORMATION, MB_OK},
    {"%1 could still not be put back as it was before a failed switch of mod sets. The tool will try again at "
     "its next start.",
     "Error", MB_ICONWARNING, MB_OK},
    {"%1 could not be put back as it was before a failed switch of mod sets, and its mod folder %2 is not there "
     "now. The tool will put it back at a start when the folder is there again.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The record of the last switch of mod sets also named %1, which no switch of the tool makes. They were left "
     "alone.",
     "Mod Sets", MB_ICONWARNING, MB_OK},
    {"A record of a switch of mod sets was found in the registry, but it cannot be read. Nothing was put back, "
     "and the record was removed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"A switch of mod sets in %1 was cut off, and that is not the mod folder now. Nothing was changed; the tool "
     "will put its mods back at a start when that folder is the mod folder again.",
     "Error", MB_ICONWARNING, MB_OK},
    {"No mod was changed: what an earlier switch of mod sets changed must be put back first.", "Error",
     MB_ICONWARNING, MB_OK},
    {"No mod is on, or every mod on is to be kept on: the search has no mod to turn off.", "Find a Problem Mod",
     MB_ICONWARNING, MB_OK},
    {"The problem shows without any of these mods. They are put back as they were.", "Find a Problem Mod",
     MB_ICONINFORMATION, MB_OK},
    {"The answers disagree: the problem may not come from the mods, or it does not show every time. The mods are "
     "put back as they were.",
     "Find a Problem Mod", MB_ICONINFORMATION, MB_OK},
    {"%1 of the search is not in the mod folder now. Stop the search and put the other mods back as they were at "
     "the start?",
     "Find a Problem Mod", MB_ICONQUESTION, MB_YESNO},
    {"The search cannot go on with the mod folder as it is. Stop it and put the mods back as they were at the "
     "start?",
     "Find a Problem Mod", MB_ICONQUESTION, MB_YESNO},
    {"The search could not be stored: the registry could not be written. No mod was changed.", "Error",
     MB_ICONWARNING, MB_OK},
    {"A problem search was found in the registry, but it cannot be read. It was removed; no mod was changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The problem search under way was started in %1, which is not the mod folder now. It was forgotten; no mod "
     "was changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The mod set on the clipboard is not used: lines %1 and %2 name the same mod with different sizes. Nothing "
     "was changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The set could not be deleted: the registry could not be written.", "Error", MB_ICONWARNING, MB_OK},
    {"The set could not be renamed: the registry could not be written.", "Error", MB_ICONWARNING, MB_OK},
    {"The set was saved as \"%1\", but \"%2\" could not be removed: the registry could not be written.", "Error",
     MB_ICONWARNING, MB_OK},
    {"Mods of these names are installed:\n\n%1\n\nUpdate them to the dropped versions? Each installed version is "
     "kept, and \"Restore Previous Version\" in the lists' menu brings it back. No leaves them as they are.",
     "Update Mods", MB_ICONQUESTION, MB_YESNO},
    {"The chosen file is the installed version of %1 already. Nothing was changed.", "Update Mod",
     MB_ICONINFORMATION, MB_OK},
    {"%1 is in use, perhaps by the game, and was not updated. Nothing was changed.", "Error", MB_ICONWARNING,
     MB_OK},
    {"%1 could not be updated. Nothing was changed.", "Error", MB_ICONWARNING, MB_OK},
    {"%1 was not updated: its previous version could not be moved to the Recycle Bin. Nothing else was changed.",
     "Error", MB_ICONWARNING, MB_OK},
    {"%1 could not be updated, and its files could not all be put back yet. The tool will put them in order at "
     "its next start.",
     "Error", MB_ICONWARNING, MB_OK},
    {"Another copy of the tool is changing a mod's version right now. Nothing was changed; try again when it is "
     "done.",
     "Error", MB_ICONWARNING, MB_OK},
    {"%1 is in use, perhaps by the game: its previous version was not restored. Nothing was changed.", "Error",
     MB_ICONWARNING, MB_OK},
    {"The previous version of %1 could not be restored. Nothing was changed.", "Error", MB_ICONWARNING, MB_OK},
    {"The previous version of %1 could not be restored, and its files could not all be put back yet. The tool "
     "will put them in order at its next start.",
     "Error", MB_ICONWARNING, MB_OK},
    {"The last update of %1 was cut off. It has been finished: the new version is in place, and the one before "
     "it is kept as its previous version.",
     "Update Mod", MB_ICONINFORMATION, MB_OK},
    {"The last update of %1 was cut off. It has been undone: the mod is as it was before.", "Update Mod",
     MB_ICONINFORMATION, MB_OK},
    {"Restoring the previous version of %1 was cut off. It has been finished: the previous version is in place, "
     "and the newer one is kept as its previous version.",
     "Update Mod", MB_ICONINFORMATION, MB_OK},
    {"Restoring the previous version of %1 was cut off. It has been undone: the mod is as it was before.",
     "Update Mod", MB_ICONINFORMATION, MB_OK},
    {"A change of the version of %1 was cut off, and its files could not all be put in order yet (one may be in "
     "use). The tool will try again at its next start.",
     "Error", MB_ICONWARNING, MB_OK},
    {"A change of the version of %1 was cut off, and its mod folder %2 is not there now. The tool will put it in "
     "order at a start when the folder is there again.",
     "Error", MB_ICONWARNING, MB_OK},
    {"A change of the version of %1 was cut off, and its files have been changed since. The tool left them as "
     "they are: please check %1 in the mod folder.",
     "Error", MB_ICONWARNING, MB_OK},
};

static_assert(sizeof kMessages / sizeof kMessages[0] == static_cast<size_t>(Message::VersionCutOffChanged) + 1,
              "one entry per message");

// In the order of the enumeration.
const char* const kTexts[] = {
    "Cancel",
    "%1 of %2",
    "Adding mods",
    "Mod Sets",
    "Switching mods",
    "Putting the mods back as they were before the last switch:",
    "Find a Problem Mod",
    "Find a P&roblem Mod...",
    "Start %1 of the search: at most %2 to go, this one included.",
    "Start %1 of the search.",
    "Start the game, see whether the problem shows, then answer.",
    "Mods on: %1 of %2",
    "The game ended with error %1.",
    "The problem comes with %1.",
    "The problem comes with these mods together: %1.",
    "&Leave It Off",
    "&Leave Them Off",
    "Stop",
    "Cancel",
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<size_t>(Text::SearchCancel) + 1,
              "one entry per text");

// In the order of the enumeration.
const char* const kDropReasons[] = {
    "a mod with this name already exists",
    "not a mod archive",
    "name of one of the game's own archives",
    "could not be copied",
    "added, but its description could not be copied",
    "a leftover of an interrupted copy, %1, is in the way and cannot be replaced",
    "installed already",
    "in use, perhaps by the game: not updated",
    "could not be updated; the installed version stays",
    "not updated: its previous version could not be moved to the Recycle Bin",
    "could not be updated, and its files could not all be put back yet: the tool will put them in order at its "
    "next start",
};

static_assert(sizeof kDropReasons / sizeof kDropReasons[0] ==
                  static_cast<size_t>(DropReason::UpdateNotPutBack) + 1,
              "one text per reason");

const char kUpdateQuestionLine[] = "%1: installed %2 of %3, dropped %4 of %5";

const MessageText kDropSummary = {"", "Error", MB_ICONWARNING, MB_OK};

}  // namespace

const MessageText& MessageFor(Message message)
{
    return kMessages[static_cast<size_t>(message)];
}

int ShowMessage(HWND owner, Message message, const std::vector<std::string>& details)
{
    const MessageText& entry = MessageFor(message);
    BusyScope busy;
    // An owner that a dialog of the tool holds disabled stays so: the box
    // would give it back its input when it closes.
    bool disabledOwner = owner && !IsWindowEnabled(owner);
    int pressed =
        MessageBoxA(owner, FormatText(entry.text, details).c_str(), entry.caption, entry.buttons | entry.icon);
    if (disabledOwner)
        EnableWindow(owner, FALSE);
    return pressed;
}

const char* TextFor(Text text)
{
    return kTexts[static_cast<size_t>(text)];
}

const char* DropReasonText(DropReason reason)
{
    return kDropReasons[static_cast<size_t>(reason)];
}

const char* UpdateQuestionLine()
{
    return kUpdateQuestionLine;
}

void ShowDropSummary(HWND owner, const std::string& lines)
{
    BusyScope busy;
    MessageBoxA(owner, lines.c_str(), kDropSummary.caption, MB_OK | kDropSummary.icon);
}
