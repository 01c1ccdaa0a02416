// Name rules for mod archives and their descriptions. Pure string logic with no
// platform headers, so it is also built and tested natively.
#pragma once

#include <string>

#include "shared/path_text.h"  // JoinPath, FileNamePart, AsciiLower

// How a mod is shown in a list box: the file name without its last four
// characters (normally the dot and the three-letter extension).
std::string DisplayName(const std::string& fileName);

// The name or path with its last three characters replaced by `extension`,
// whatever those characters were ("MyMod.pak", "mod" -> "MyMod.mod").
std::string ReplaceExtension(const std::string& name, const char* extension);

// True for the game's own archives: data.pak, sound.pak, texts.pak and
// pN-data.pak / pN-texts.pak for N from 0 to 99 without leading zeros, in any
// ASCII letter case.
bool IsBaseArchive(const std::string& fileName);

// Which list an archive of this name belongs to: a .mod is off, a .pak is on
// unless it is one of the game's own, anything else is no mod.
enum class ArchiveKind { None, Enabled, Disabled };
ArchiveKind KindOf(const std::string& fileName);

// True for the name of a mod archive: a .pak or a .mod, in any ASCII letter case.
bool IsArchiveName(const std::string& fileName);

// Why a file may not be added as a mod, whatever the mod folder holds: a
// folder or a file that is not a mod archive, and a name of one of the
// game's own archives in either form (loaded by the game but never listed,
// it could not be disabled). Both ways in, Add Mod and a drop, refuse by it.
enum class AddRefusal { None, NotArchive, BaseArchiveName };
AddRefusal RefusalOf(const std::string& fileName, bool folder);

// True when the name ends in `extension` (".pak", ".mod", ".txt"), ASCII letters
// compared without case. A wildcard such as "*.pak" also returns names that match
// only through their generated short name ("Big.pak_old"); those fail this test.
bool HasExtension(const std::string& fileName, const char* extension);

// The name a file is copied under before it gets its own: the same length, so
// that whatever name fits the folder also fits while copying, with "~" as its
// last character ("Big.pak" -> "Big.pa~"), which neither the tool's lists nor
// the game take for an archive or a description.
std::string TemporaryName(const std::string& name);

// The files of one mod in its folder, by name. The previous version's names
// end neither in .pak, .mod nor .txt, and their extension does not begin
// with "pak" either, so that no generated short name ("BETTER~1.PRE") is
// matched by the game's *.pak: the game never loads them and the lists never
// show them. They do not depend on the mod's state, so a mod keeps its
// previous version when it is enabled or disabled. An older previous version
// that an update gives up is moved into a folder of its own first, so that
// its two files go to the Recycle Bin as one item, with one question where
// the drive has no Recycle Bin: both go, or neither.
struct VersionNames {
    std::string archive;               // "Better Towns.pak" (or .mod)
    std::string description;           // "Better Towns.txt"
    std::string previousArchive;       // "Better Towns.previous"
    std::string previousDescription;   // "Better Towns.previous-txt"
    std::string archiveTemporary;      // "Better Towns.pa~": the copy in progress, as adding has it
    std::string descriptionTemporary;  // "Better Towns.tx~"
    std::string olderFolder;           // "Better Towns.older"
    std::string olderArchive;          // "Better Towns.older\previous"
    std::string olderDescription;      // "Better Towns.older\previous-txt"
};

VersionNames NamesOfVersions(const std::string& archive);

// True for a name that a switch renames: an archive's file name (.pak or
// .mod, not one of the game's own in either form, no path, no character a
// file name cannot hold), whose other state is the same name with the other
// extension.
bool IsSwitchableName(const std::string& name);

// The archive's name in its other state: "A.pak" <-> "A.mod", the last three
// characters replaced.
std::string FlippedName(const std::string& fileName);
