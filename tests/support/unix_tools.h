// What only the Unix side can make, as root: a folder nobody may change
// (chattr +i), a full disk (a small tmpfs mounted over a folder) and a volume
// with Windows' own limit on names. Wine starts Unix programs but does not
// report when they end, so each change is confirmed by probing the folder,
// with a bound.
#pragma once

#include <string>

// The Unix path of a Windows path under Wine, or "" elsewhere.
std::string UnixPath(const std::string& windowsPath);

// Makes an empty file from the Unix side, where Windows' rules for names do
// not apply (aux.txt, con.txt); false when it did not appear within 5 s.
bool MakeFileFromUnix(const std::string& path);

// Writes a file of this ASCII content from the Unix side, where Wine's own
// file calls cannot make a name longer than 255 bytes; false when it did not
// appear within 5 s.
bool WriteFileFromUnix(const std::string& path, const std::string& content);

// True when the test run may make these faults (ctest says so for root).
bool CanMakeRootFaults();

// Makes the folder refuse, or accept again, new entries, renames and
// deletions; false when that did not take effect within 5 s.
bool SetFolderImmutable(const std::string& folder, bool immutable);

// A folder that refuses new entries, renames and deletions while in scope,
// as a folder of Windows' programs refuses a program started normally.
class ClosedFolder {
public:
    explicit ClosedFolder(const std::string& folder) : folder_(folder), closed_(false) { Close(); }
    ~ClosedFolder() { Open(); }
    ClosedFolder(const ClosedFolder&) = delete;
    ClosedFolder& operator=(const ClosedFolder&) = delete;
    bool Closed() const { return closed_; }
    void Close()
    {
        if (!closed_)
            closed_ = SetFolderImmutable(folder_, true);
    }
    void Open()
    {
        if (closed_)
            closed_ = !SetFolderImmutable(folder_, false);
    }

private:
    std::string folder_;
    bool closed_;
};

// Gives the folder to the Unix user nobody, whom Wine shows as another
// account; false when that did not take effect within 5 s.
bool GiveFolderToNobody(const std::string& folder);

// Mounts a disk of 64 KB over the (empty) folder, or unmounts it again; false
// when that did not take effect within 5 s.
bool MountSmallDisk(const std::string& folder);
bool UnmountSmallDisk(const std::string& folder);

// An NTFS volume mounted over the (empty) folder while it is in scope. Its
// names may be as long as Windows allows, 255 UTF-16 units (765 bytes in
// UTF-8), where Linux's own file systems stop at 255 bytes.
class NtfsVolume {
public:
    explicit NtfsVolume(const std::string& folder);
    ~NtfsVolume();
    NtfsVolume(const NtfsVolume&) = delete;
    NtfsVolume& operator=(const NtfsVolume&) = delete;
    bool Mounted() const { return mounted_; }

private:
    std::string folder_;
    bool mounted_;
};
