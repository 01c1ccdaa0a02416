#include "sets/set_sharing.h"

#include <unordered_map>
#include <vector>

#include "../res/resource.h"
#include "mods/mod_names.h"
#include "sets/mod_switch.h"
#include "sets/set_preview.h"
#include "sets/set_text.h"
#include "shared/busy.h"
#include "shared/folder_listing.h"
#include "shared/language.h"
#include "shared/locale_format.h"
#include "shared/messages.h"
#include "shared/text_conversion.h"
#include "shared/text_format.h"
#include "shared/window_state.h"

namespace {

const char kUnnamedSet[] = "Mod set";  // for a set whose name another program wrote unreadable
const size_t kPreviewNames = 200;
const size_t kNamesInAMessage = 10;  // per list: a set of 100,000 mods opens at once

bool PutOnClipboard(HWND owner, const std::string& utf8)
{
    std::wstring wide = ToWide(utf8, CP_UTF8);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (!memory)
        return false;
    wchar_t* text = static_cast<wchar_t*>(GlobalLock(memory));
    std::copy(wide.begin(), wide.end(), text);
    text[wide.size()] = L'\0';
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    bool put = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    if (!put)
        GlobalFree(memory);
    return put;
}

// The clipboard's Unicode text as UTF-8, or "" when it holds none.
std::string ClipboardText(HWND owner)
{
    std::string text;
    if (!OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            size_t limit = GlobalSize(data) / sizeof(wchar_t), length = 0;
            while (length < limit && wide[length])
                ++length;
            text = FromWide(std::wstring(wide, length), CP_UTF8);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// The set's mods that the folder has, as archives that are on, with their
// sizes; `lacking` gets those it does not have.
SharedSet Shared(const ModSet& set, std::vector<std::string>& lacking)
{
    std::vector<ListedArchive> archives = ArchivesNow();
    std::unordered_map<std::string, const ListedArchive*> byName = ArchivesByName(archives, FoldedKey);
    SharedSet shared = {SharableSetName(ToUtf8(set.name), kUnnamedSet), {}};
    for (const std::string& mod : set.mods) {
        auto local = byName.find(FoldedKey(mod));
        if (local != byName.end())
            shared.mods.push_back({ToUtf8(ReplaceExtension(local->second->fileName, "pak")), local->second->size});
        else
            lacking.push_back(mod);
    }
    return shared;
}

Message ProblemMessage(SetTextProblem problem)
{
    switch (problem) {
    case SetTextProblem::BadName: return Message::SetTextBadName;
    case SetTextProblem::NoTab: return Message::SetTextNoTab;
    case SetTextProblem::BadSize: return Message::SetTextBadSize;
    case SetTextProblem::NotArchive: return Message::SetTextNotArchive;
    case SetTextProblem::PathInName: return Message::SetTextPath;
    case SetTextProblem::BaseArchive: return Message::SetTextBaseArchive;
    case SetTextProblem::TwoSizes: return Message::SetTextTwoSizes;
    default: return Message::NoSetOnClipboard;
    }
}

// One list of the preview: its heading with the count, or that it is empty, and
// at most `limit` lines, then "and N more".
void AddList(std::string& text, Text heading, Text none, const std::vector<std::string>& lines, size_t limit)
{
    if (lines.empty()) {
        text += TextFor(none) + "\r\n";
        return;
    }
    text += TextFor(heading, {FormatCount(lines.size())}) + "\r\n";
    for (size_t i = 0; i < lines.size() && i < limit; ++i)
        text += "    " + lines[i] + "\r\n";
    if (lines.size() > limit)
        text += "    " + TextFor(Text::LinesAndMore, {FormatCount(lines.size() - limit)}) + "\r\n";
}

struct Preview {
    ModSet set;
    std::string text;
};

// Saves the set under its name, asking before it replaces one; false when it
// was not saved.
bool SaveShared(HWND dialog, const ModSet& set)
{
    if (IsOwnSetName(set.name)) {
        ShowMessage(dialog, Message::SetNameReserved);
        return false;
    }
    if (FindModSet(set.name) && ShowMessage(dialog, Message::SetReplace, {set.name}) != IDYES)
        return false;
    if (!SaveModSet(set)) {
        ShowMessage(dialog, Message::SetNotSaved);
        return false;
    }
    return true;
}

INT_PTR CALLBACK PreviewProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Preview* preview = reinterpret_cast<Preview*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        preview = reinterpret_cast<Preview*>(lParam);
        SetDlgItemTextA(dialog, IDC_PREVIEW_NAME, TextFor(Text::PreviewHeading, {preview->set.name}).c_str());
        SetDlgItemTextA(dialog, IDC_PREVIEW_TEXT, preview->text.c_str());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PREVIEW_SWITCH: EndDialog(dialog, IDC_PREVIEW_SWITCH); return TRUE;
        case IDC_PREVIEW_SAVE:
            if (SaveShared(dialog, preview->set))
                EndDialog(dialog, IDC_PREVIEW_SAVE);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

std::string PreviewText(const SetPreview& preview, size_t limit)
{
    std::vector<std::string> otherVersions;
    otherVersions.reserve(preview.otherVersions.size() < limit ? preview.otherVersions.size() : limit);
    for (size_t i = 0; i < preview.otherVersions.size() && i < limit; ++i) {
        const OtherVersion& other = preview.otherVersions[i];
        otherVersions.push_back(TextFor(Text::PreviewOtherVersion, {other.fileName, FormatCount(other.sizeHere),
                                                                    FormatCount(other.sizeInText)}));
    }
    otherVersions.resize(preview.otherVersions.size());  // the rest is only counted
    std::string text;
    AddList(text, Text::PreviewSwitchedOn, Text::PreviewSwitchedOnNone, preview.switchedOn, limit);
    AddList(text, Text::PreviewSwitchedOff, Text::PreviewSwitchedOffNone, preview.switchedOff, limit);
    AddList(text, Text::PreviewMissing, Text::PreviewMissingNone, preview.missing, limit);
    AddList(text, Text::PreviewOtherVersions, Text::PreviewOtherVersionsNone, otherVersions, limit);
    return text;
}

void CopySetAsText(HWND owner, const ModSet& set)
{
    if (!FolderExists(ModDirectory)) {
        ShowMessage(owner, Message::DirectoryMissing);
        return;
    }
    // A mod the folder lacks has no size to give: the friend is told only
    // what this folder has, and the player is told what was left out.
    std::vector<std::string> lacking;
    if (!PutOnClipboard(owner, SetText(Shared(set, lacking))))
        ShowMessage(owner, Message::ClipboardFailed);
    else if (!lacking.empty())
        ShowMessage(owner, Message::SetCopiedWithout, {NameList(lacking, kNamesInAMessage)});
}

void CopyModsOnAsText(HWND owner)
{
    std::vector<ListedArchive> archives = ArchivesNow();
    ModSet now = {TextFor(Text::SetModsOnNow), ModsOn(archives)};
    for (const ModSet& set : LoadModSets())
        if (IsOnNow(set, archives))
            now.name = set.name;
    CopySetAsText(owner, now);
}

std::string PasteSetFromText(HWND owner)
{
    BusyScope busy;
    if (!FolderExists(ModDirectory)) {
        ShowMessage(owner, Message::DirectoryMissing);
        return "";
    }
    ReadSetTextResult read = ReadSetText(ClipboardText(owner));
    if (!read.set) {
        if (read.problem == SetTextProblem::NotASet)
            ShowMessage(owner, Message::NoSetOnClipboard);
        else if (read.problem == SetTextProblem::TwoSizes)
            ShowMessage(owner, Message::SetTextTwoSizes,
                        {std::to_string(read.firstLine), std::to_string(read.line)});
        else
            ShowMessage(owner, ProblemMessage(read.problem), {std::to_string(read.line)});
        return "";
    }
    for (SharedMod& mod : read.set->mods)
        mod.fileName = FromUtf8(mod.fileName);
    read.set->name = FromUtf8(read.set->name);

    Preview preview = {{read.set->name, SetModsOf(*read.set)},
                       PreviewText(PreviewOf(ArchivesNow(), *read.set, FoldedKey), kPreviewNames)};
    INT_PTR chosen = ShowDialogInLanguage(owner, IDD_SET_PREVIEW, PreviewProc, reinterpret_cast<LPARAM>(&preview));
    if (chosen == IDC_PREVIEW_SWITCH)
        // The preview has shown what the folder lacks: no second question.
        return SwitchToModSet(preview.set, false) ? preview.set.name : "";
    return chosen == IDC_PREVIEW_SAVE ? preview.set.name : "";
}
