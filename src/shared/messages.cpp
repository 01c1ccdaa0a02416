#include "shared/messages.h"

#include "../res/resource.h"
#include "shared/busy.h"
#include "shared/window_state.h"
#include "shared/language.h"
#include "shared/language_rules.h"
#include "shared/locale_format.h"
#include "shared/system_reason.h"
#include "shared/text_conversion.h"
#include "shared/text_format.h"

namespace {

std::string refusingFolder;  // the mod folder its last test found closed

struct MessageEntry {
    UINT text, caption;
    UINT icon, buttons;
    size_t countDetail;  // the detail ("%1" is 1) whose number picks the plural form; 0: none
    uint64_t soleCount;  // the number it is told for when its details give none
};

// In the order of the enumeration.
const MessageEntry kMessages[] = {
    {IDS_WINDOW_CLASS_FAILED, IDS_CAPTION_START_FAILED, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_WINDOW_FAILED, IDS_CAPTION_START_FAILED, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_DIRECTORY_MISSING, IDS_CAPTION_ERROR, MB_ICONERROR, MB_OK, 0, 0},
    {IDS_MOD_NOT_DISABLED, IDS_CAPTION_NOT_DISABLED, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_MOD_NOT_ENABLED, IDS_CAPTION_NOT_ENABLED, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_NAME_TAKEN, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_COPY_FAILED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_DESCRIPTION_NOT_COPIED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_GAME_NOT_STARTED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_NOT_ARCHIVE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_BASE_ARCHIVE_NAME, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_LEFTOVER_IN_THE_WAY, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_MODS_MISSING, IDS_CAPTION_MOD_SETS, MB_ICONQUESTION, MB_YESNO, 1, 1},
    {IDS_SET_MODS_MISSING, IDS_CAPTION_MOD_SETS, MB_ICONQUESTION, MB_YESNO, 1, 2},
    {IDS_SWITCH_FAILED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_NOT_UNDONE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_NOT_JOURNALLED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_CUT_OFF, IDS_CAPTION_MOD_SETS, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_SWITCH_CUT_OFF_NOT_UNDONE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_NAME_INVALID, IDS_CAPTION_MOD_SETS, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_NAME_RESERVED, IDS_CAPTION_MOD_SETS, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_REPLACE, IDS_CAPTION_MOD_SETS, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_SET_DELETE, IDS_CAPTION_MOD_SETS, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_SET_NOT_SAVED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_NO_SET_ON_CLIPBOARD, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_TEXT_BAD_NAME, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_TEXT_NO_TAB, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_TEXT_BAD_SIZE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_TEXT_NOT_ARCHIVE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_TEXT_PATH, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_TEXT_BASE_ARCHIVE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_CLIPBOARD_FAILED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_FOLDER_NOT_OPENED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_ELSEWHERE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_CUT_OFF_FOLDER_MISSING, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_COPIED_WITHOUT, IDS_CAPTION_MOD_SETS, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_OWED_PUT_BACK, IDS_CAPTION_MOD_SETS, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_SWITCH_OWED_NOT_PUT_BACK, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_OWED_FOLDER_MISSING, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_JOURNAL_REFUSED, IDS_CAPTION_MOD_SETS, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_JOURNAL_UNREADABLE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_JOURNAL_OTHER_FOLDER, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_AFTER_EARLIER, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SEARCH_NOTHING_TO_SEARCH, IDS_CAPTION_SEARCH, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SEARCH_SHOWS_WITHOUT_MODS, IDS_CAPTION_SEARCH, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_SEARCH_ANSWERS_DISAGREE, IDS_CAPTION_SEARCH, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_SEARCH_MOD_GONE, IDS_CAPTION_SEARCH, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_SEARCH_CANNOT_GO_ON, IDS_CAPTION_SEARCH, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_SEARCH_NOT_STORED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SEARCH_UNREADABLE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SEARCH_OTHER_FOLDER, IDS_CAPTION_SEARCH, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_SET_TEXT_TWO_SIZES, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_NOT_DELETED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_NOT_RENAMED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SET_OLD_NAME_KEPT, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_UPDATE_QUESTION, IDS_CAPTION_UPDATE_MODS, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_UPDATE_IDENTICAL, IDS_CAPTION_UPDATE_MOD, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_UPDATE_IN_USE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_UPDATE_FAILED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_UPDATE_NOT_RECYCLED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_UPDATE_NOT_PUT_BACK, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_VERSION_CHANGE_ELSEWHERE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_RESTORE_IN_USE, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_RESTORE_FAILED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_RESTORE_NOT_PUT_BACK, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_UPDATE_CUT_OFF_FINISHED, IDS_CAPTION_UPDATE_MOD, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_UPDATE_CUT_OFF_UNDONE, IDS_CAPTION_UPDATE_MOD, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_RESTORE_CUT_OFF_FINISHED, IDS_CAPTION_RESTORE, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_RESTORE_CUT_OFF_UNDONE, IDS_CAPTION_RESTORE, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_VERSION_CUT_OFF_NOT_REPAIRED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_VERSION_CUT_OFF_FOLDER_MISSING, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_VERSION_CUT_OFF_CHANGED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_VERSION_CUT_OFF_OTHER_FOLDER, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_VERSION_CHANGE_OWED, IDS_CAPTION_UPDATE_MOD, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_SEARCH_ELSEWHERE, IDS_CAPTION_SEARCH, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SEARCH_FOLDER_CHANGED, IDS_CAPTION_SEARCH, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_SWITCH_FORGET_EARLIER, IDS_CAPTION_MOD_SETS, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_SEARCH_NOT_EVERY_TIME, IDS_CAPTION_SEARCH, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_UPDATE_BOTH_STATES, IDS_CAPTION_UPDATE_MOD, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_RESTORE_BOTH_STATES, IDS_CAPTION_RESTORE, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_UPDATE_NAME_IN_THE_WAY, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_RESTORE_NAME_IN_THE_WAY, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_UPDATE_NAME_TOO_LONG, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_UPDATE_CUT_OFF_UNDONE_OLDER_IN_BIN, IDS_CAPTION_UPDATE_MOD, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_FOLDER_HELD, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_ACCESS_NOT_ALLOWED, IDS_CAPTION_MOD_FOLDER, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_ACCESS_NOT_ALLOWED_OFFER, IDS_CAPTION_MOD_FOLDER, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_ALLOW_CANCELLED, IDS_CAPTION_MOD_FOLDER, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_ALLOW_REFUSED, IDS_CAPTION_MOD_FOLDER, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_ALLOW_FAILED, IDS_CAPTION_MOD_FOLDER, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_ALLOW_NO_ANSWER, IDS_CAPTION_MOD_FOLDER, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_ALLOWED_NOW, IDS_CAPTION_MOD_FOLDER, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_STILL_NOT_ALLOWED, IDS_CAPTION_MOD_FOLDER, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_ALLOW_NOT_NEEDED, IDS_CAPTION_MOD_FOLDER, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_VIRTUAL_COPY_FOUND, IDS_CAPTION_MOD_FOLDER, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_VIRTUAL_COPY_OFFER, IDS_CAPTION_MOD_FOLDER, MB_ICONQUESTION, MB_YESNO, 0, 0},
    {IDS_VIRTUAL_COPY_LEFT, IDS_CAPTION_MOD_FOLDER, MB_ICONINFORMATION, MB_OK, 0, 0},
    {IDS_VIRTUAL_COPY_NOT_MOVED, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_MOVE_IN_NOT_PUT_BACK, IDS_CAPTION_ERROR, MB_ICONWARNING, MB_OK, 0, 0},
    {IDS_MOVE_IN_CUT_OFF, IDS_CAPTION_MOD_FOLDER, MB_ICONINFORMATION, MB_OK, 0, 0},
};

static_assert(sizeof kMessages / sizeof kMessages[0] == static_cast<size_t>(Message::MoveInCutOff) + 1,
              "one entry per message");

struct TextEntry {
    UINT id;
    size_t countDetail;  // as for the messages
};

// In the order of the enumeration.
const TextEntry kTexts[] = {
    {IDS_CANCEL, 0},
    {IDS_COUNT_OF, 0},
    {IDS_ADDING_CAPTION, 0},
    {IDS_SWITCH_CAPTION, 0},
    {IDS_SWITCHING, 0},
    {IDS_PUTTING_BACK, 0},
    {IDS_UPDATING_CAPTION, 0},
    {IDS_MAIN_TITLE, 0},
    {IDS_CHANGE, 0},
    {IDS_MOD_DIRECTORY, 0},
    {IDS_DISABLE, 0},
    {IDS_ENABLED_MODS, 0},
    {IDS_ENABLE, 0},
    {IDS_DISABLED_MODS, 0},
    {IDS_RESCAN, 0},
    {IDS_MOD_INFORMATION, 0},
    {IDS_START_GAME, 0},
    {IDS_ADD_MOD, 0},
    {IDS_SYSTEM_MOD_SETS, 0},
    {IDS_CHOOSE_ARCHIVE, 0},
    {IDS_LIST_SEPARATOR, 0},
    {IDS_NAMES_AND_MORE, 2},
    {IDS_LINES_AND_MORE, 1},
    {IDS_DROP_LINE, 0},
    {IDS_SET_ON_NOW, 0},
    {IDS_SET_NO_MODS, 0},
    {IDS_SET_BEFORE_LAST_SWITCH, 0},
    {IDS_SET_MODS_ON_NOW, 0},
    {IDS_PREVIEW_HEADING, 0},
    {IDS_PREVIEW_SWITCHED_ON, 0},
    {IDS_PREVIEW_SWITCHED_ON_NONE, 0},
    {IDS_PREVIEW_SWITCHED_OFF, 0},
    {IDS_PREVIEW_SWITCHED_OFF_NONE, 0},
    {IDS_PREVIEW_MISSING, 0},
    {IDS_PREVIEW_MISSING_NONE, 0},
    {IDS_PREVIEW_OTHER_VERSIONS, 0},
    {IDS_PREVIEW_OTHER_VERSIONS_NONE, 0},
    {IDS_PREVIEW_OTHER_VERSION, 2},
    {IDS_SEARCH_CAPTION, 0},
    {IDS_SEARCH_MENU_ENTRY, 0},
    {IDS_SEARCH_STEP_BOUND, 0},
    {IDS_SEARCH_STEP, 0},
    {IDS_SEARCH_ASK, 0},
    {IDS_SEARCH_MODS_ON, 0},
    {IDS_SEARCH_GAME_ENDED, 0},
    {IDS_SEARCH_CULPRIT, 0},
    {IDS_SEARCH_CULPRITS, 0},
    {IDS_SEARCH_LEAVE_IT_OFF, 0},
    {IDS_SEARCH_LEAVE_THEM_OFF, 0},
    {IDS_SEARCH_STOP, 0},
    {IDS_SEARCH_CANCEL, 0},
    {IDS_SEARCH_STEP_BOUND_TWO, 0},
    {IDS_SET_BEFORE_SEARCH, 0},
    {IDS_UPDATE_QUESTION_LINE, 0},
    {IDS_UPDATE_TITLE, 0},
    {IDS_UPDATE_FILTER, 0},
    {IDS_COMPARING_CAPTION, 0},
    {IDS_SIZE_BYTES, 1},
    {IDS_SIZE_KB, 0},
    {IDS_SIZE_MB, 0},
    {IDS_SIZE_GB, 0},
    {IDS_SIZE_TB, 0},
    {IDS_ALLOW_CHANGES_ENTRY, 0},
    {IDS_ACCESS_CAUSE_PROGRAM_FOLDER, 0},
    {IDS_ACCESS_CAUSE_CONTROLLED_FOLDER_ACCESS, 0},
    {IDS_ACCESS_CAUSE_READ_ONLY, 0},
    {IDS_ACCESS_CAUSE_OTHER_OWNER, 0},
    {IDS_ACCESS_CAUSE_SYSTEM, 0},
    {IDS_ALLOW_REFUSED_ARGUMENTS, 0},
    {IDS_ALLOW_REFUSED_ACCOUNT, 0},
    {IDS_ALLOW_REFUSED_NOT_A_FOLDER, 0},
    {IDS_ALLOW_REFUSED_ROOT, 0},
    {IDS_ALLOW_REFUSED_WINDOWS_FOLDER, 0},
    {IDS_ALLOW_REFUSED_PROGRAM_FOLDER, 0},
    {IDS_ALLOW_REFUSED_NOT_A_GAME_FOLDER, 0},
    {IDS_ALLOW_ENDED_WITH, 0},
    {IDS_ACCESS_REFUSED_HERE, 0},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<size_t>(Text::AccessRefusedHere) + 1,
              "one entry per text");

// In the order of the enumeration.
const UINT kDropReasons[] = {
    IDS_DROP_NAME_TAKEN,
    IDS_DROP_NOT_ARCHIVE,
    IDS_DROP_BASE_ARCHIVE_NAME,
    IDS_DROP_COPY_FAILED,
    IDS_DROP_DESCRIPTION_NOT_COPIED,
    IDS_DROP_LEFTOVER_IN_THE_WAY,
    IDS_DROP_INSTALLED_ALREADY,
    IDS_DROP_UPDATE_IN_USE,
    IDS_DROP_NOT_UPDATED,
    IDS_DROP_PREVIOUS_NOT_RECYCLED,
    IDS_DROP_UPDATE_NOT_PUT_BACK,
    IDS_DROP_VERSION_CHANGE_ELSEWHERE,
    IDS_DROP_NAME_IN_THE_WAY,
    IDS_DROP_NAME_TOO_LONG,
};

static_assert(sizeof kDropReasons / sizeof kDropReasons[0] == static_cast<size_t>(DropReason::NameTooLong) + 1,
              "one text per reason");

// The number a detail tells, from its digits alone ("1,200" is 1200).
uint64_t CountOf(const std::string& detail, uint64_t otherwise)
{
    uint64_t count = 0;
    bool any = false;
    for (char c : detail) {
        if (c >= '0' && c <= '9') {
            count = count * 10 + static_cast<uint64_t>(c - '0');
            any = true;
        }
    }
    return any ? count : otherwise;
}

// Text `id` in UTF-8, in the form its count takes, with the details filled in.
std::string Composed(UINT id, const std::vector<std::string>& details, size_t countDetail, uint64_t soleCount)
{
    std::string text = FromWide(ResourceText(id), CP_UTF8);
    if (countDetail) {
        uint64_t count = countDetail <= details.size() ? CountOf(details[countDetail - 1], soleCount) : soleCount;
        text = PluralForm(text, PluralFormIndex(CurrentLanguage(), count));
    }
    std::vector<std::string> utf8;
    utf8.reserve(details.size());
    for (const std::string& detail : details)
        utf8.push_back(ToUtf8(detail));
    return FormatText(text, utf8);
}

const MessageEntry& EntryFor(Message message)
{
    return kMessages[static_cast<size_t>(message)];
}

int ShowBox(HWND owner, const std::string& text, const std::string& caption, UINT style)
{
    BusyScope busy;
    // An owner that a dialog of the tool holds disabled stays so: the box
    // would give it back its input when it closes.
    bool disabledOwner = owner && !IsWindowEnabled(owner);
    int pressed = MessageBoxW(owner, ToWide(text, CP_UTF8).c_str(), ToWide(caption, CP_UTF8).c_str(), style);
    if (disabledOwner)
        EnableWindow(owner, FALSE);
    return pressed;
}

}  // namespace

MessageText MessageFor(Message message, const std::vector<std::string>& details)
{
    const MessageEntry& entry = EntryFor(message);
    return {FromUtf8(Composed(entry.text, details, entry.countDetail, entry.soleCount)),
            FromUtf8(Composed(entry.caption, {}, 0, 0)), entry.icon, entry.buttons};
}

int ShowMessage(HWND owner, Message message, const std::vector<std::string>& details)
{
    const MessageEntry& entry = EntryFor(message);
    return ShowBox(owner, Composed(entry.text, details, entry.countDetail, entry.soleCount),
                   Composed(entry.caption, {}, 0, 0), entry.buttons | entry.icon);
}

int ShowFailure(HWND owner, Message message, DWORD error, const std::vector<std::string>& details)
{
    const MessageEntry& entry = EntryFor(message);
    bool refused = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
    std::string text = refused && !refusingFolder.empty() && refusingFolder == ModDirectory
                           ? Composed(IDS_ACCESS_REFUSED_HERE, {refusingFolder}, 0, 0)
                           : Composed(entry.text, details, entry.countDetail, entry.soleCount);
    if (error != ERROR_SUCCESS)
        text += "\n\n" + ToUtf8(SystemReasonLine(error));
    return ShowBox(owner, text, Composed(entry.caption, {}, 0, 0), entry.buttons | entry.icon);
}

void NoteFolderRefusingChanges(const std::string& folder)
{
    refusingFolder = folder;
}

std::string TextFor(Text text, const std::vector<std::string>& details)
{
    const TextEntry& entry = kTexts[static_cast<size_t>(text)];
    return FromUtf8(Composed(entry.id, details, entry.countDetail, 2));
}

std::string DropReasonText(DropReason reason, const std::vector<std::string>& details)
{
    return FromUtf8(Composed(kDropReasons[static_cast<size_t>(reason)], details, 0, 0));
}

void ShowDropSummary(HWND owner, const std::string& lines)
{
    ShowBox(owner, ToUtf8(lines), Composed(IDS_CAPTION_ERROR, {}, 0, 0), MB_OK | MB_ICONWARNING);
}

size_t MessageCount()
{
    return sizeof kMessages / sizeof kMessages[0];
}

size_t TextCount()
{
    return sizeof kTexts / sizeof kTexts[0];
}

size_t DropReasonCount()
{
    return sizeof kDropReasons / sizeof kDropReasons[0];
}

std::string NameList(const std::vector<std::string>& names, size_t limit)
{
    std::string shown = JoinFirst(names, limit, TextFor(Text::ListSeparator));
    if (names.size() <= limit)
        return shown;
    return TextFor(Text::NamesAndMore, {shown, FormatCount(names.size() - limit)});
}

std::string JoinLines(const std::vector<std::string>& lines, size_t limit)
{
    std::string joined = JoinFirst(lines, limit, "\n");
    if (lines.size() <= limit)
        return joined;
    return joined + "\n" + TextFor(Text::LinesAndMore, {FormatCount(lines.size() - limit)});
}
