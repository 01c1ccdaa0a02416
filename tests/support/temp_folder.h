// A real folder for one test, removed with everything in it afterwards.
#pragma once

#include <map>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string Path(const std::string& name) const;  // Path() + "\" + name

    void Write(const std::string& name, const std::string& content = "") const;
    void MakeFolder(const std::string& name) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // The names in the folder, or in one of its subfolders, sorted.
    std::vector<std::string> Names(const std::string& subfolder = "") const;
    // Every file of the folder by name with what it holds (a folder as "(folder)").
    std::map<std::string, std::string> Contents() const;

private:
    std::string path_;
};

// Drive Q:, mapped by the test run to an empty folder; emptied again afterwards.
class DriveRoot {
public:
    ~DriveRoot();
    bool Available() const;
    std::string Root() const { return "Q:\\"; }
    std::string Path(const std::string& name) const { return "Q:\\" + name; }
};

// The folder of the running test program, with a trailing backslash; the
// program and the stand-in game are built beside it.
std::string TestProgramFolder();

// Files are made and read through the wide API, with paths taken as UTF-8,
// so that their names are exact whatever the process's code page.

// Writes `content` to `path` byte for byte; false when it could not.
bool WriteFileBytes(const std::string& path, const std::string& content);
std::string ReadFileBytes(const std::string& path);
// A file of `size` zero bytes that takes no room on disk (sparse where the
// file system allows), for copies that take a while.
bool MakeLargeFile(const std::string& path, unsigned long long size);
unsigned long long FileSize(const std::string& path);
// Gives the file a last write time of noon, local time, on that day.
void SetWrittenOn(const std::string& path, unsigned short year, unsigned short month, unsigned short day);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> FolderNames(const std::string& folder);
// Remove what is in a folder, or the folder with it, whatever the length of
// the paths inside.
void EmptyFolder(const std::string& path);
void RemoveTree(const std::string& path);

// How many of the names end in `extension` (".pak"), letter case as given.
size_t CountWithExtension(const std::vector<std::string>& names, const char* extension);

// Holds the file open without sharing, as the running game holds its archives.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path);
    ~HeldOpen();
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool Held() const;

private:
    void* file_;
};
