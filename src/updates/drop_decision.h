// What a drop does with each file: adds it, asks to update the mod installed
// under its name, passes over it as installed already, or refuses it (and
// why). Pure logic with no platform headers, so it is also built and tested
// natively.
#pragma once

#include <functional>
#include <string>

// What the mod folder holds under a dropped archive's mod name (as .pak or as
// .mod, in any letter case).
enum class InstalledAs {
    Nothing,
    OneArchive,     // one mod, enabled or disabled
    BothStates,     // a .pak and a .mod of that name: which one to update is not clear
    SomethingElse,  // a folder, or another file that the name reaches through its short name
};

struct DroppedFile {
    std::string fileName;
    bool folder = false;
    InstalledAs installed = InstalledAs::Nothing;
    bool sameModEarlier = false;  // an earlier file of the drop, not refused, has the same mod name
};

enum class DropAction { Add, AskToUpdate, Update, Identical, Refuse };
enum class DropRefusal { None, NotArchive, BaseArchiveName, NameTaken };

struct DropDecision {
    DropAction action;
    DropRefusal refusal;

    bool operator==(const DropDecision& other) const { return action == other.action && refusal == other.refusal; }
};

// The decision before the player is asked. `sameBytes` tells whether the
// file has the installed archive's size and bytes; it is asked only about an
// archive that would update an installed one.
DropDecision DecideDroppedFile(const DroppedFile& file, const std::function<bool()>& sameBytes);

// After the one question of the drop: AskToUpdate becomes Update, or, when the
// player leaves the installed mods as they are, a refusal as a name taken.
DropDecision AfterQuestion(const DropDecision& decision, bool update);
