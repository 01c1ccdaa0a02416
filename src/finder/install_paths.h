// Paths met while looking for the game: the forms Steam and the installers
// write, Linux paths as Wine reaches them, and the game's data folder. Pure
// string logic with no platform headers, so it is also built and tested natively.
#pragma once

#include <optional>
#include <string>

// Room for a mod folder, terminating zero included (ModDirectory's size).
constexpr size_t kModFolderBytes = 260;

// A Windows path as Steam or an installer may write it ("c:/program files
// (x86)/steam", "D:\Games\Game\"), with backslashes and without trailing
// separators (a drive root keeps one: "D:\"). Nothing for a path that is not
// absolute (a drive and a backslash, or a share).
std::optional<std::string> CleanWindowsPath(const std::string& path);

// An absolute Linux path as Wine reaches it through drive Z:
// ("/mnt/games/SteamLibrary" -> "Z:\mnt\games\SteamLibrary"). Nothing for a
// relative path, or one with a backslash (a character of a Linux name that a
// Windows path would read as a separator).
std::optional<std::string> WinePathOf(const std::string& linuxPath);

// The folder that Wine names in WINEHOMEDIR, the Linux user's home as an NT
// path ("\??\Z:\home\player" -> "Z:\home\player"); nothing for a form without
// a drive letter.
std::optional<std::string> WineHomeFolder(const std::string& wineHomeDir);

// The mod folder of a game installed in `gameFolder`: its data folder, in the
// form ModDirectory has, when that fits ModDirectory; nothing otherwise.
std::optional<std::string> ModFolderOf(const std::string& gameFolder);
