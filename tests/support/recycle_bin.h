// The Recycle Bin as the shell shows it: which files of a folder went there.
// What a test sent there from its folder is taken back into that folder when
// the watch ends, so that the folder's removal takes it and the bin is left as
// it was.
#pragma once

#include <string>
#include <vector>

class RecycleBinWatch {
public:
    explicit RecycleBinWatch(std::string folder) : folder_(std::move(folder)) {}
    ~RecycleBinWatch();
    RecycleBinWatch(const RecycleBinWatch&) = delete;
    RecycleBinWatch& operator=(const RecycleBinWatch&) = delete;

    // The names of the files and folders in the bin that were deleted from
    // the folder, sorted.
    std::vector<std::string> Names() const;
    // Restores the item of this name into the folder now, as the player
    // would; false when there is none.
    bool TakeBack(const std::string& name) const;

private:
    std::string folder_;
};

// Sends a file (path in UTF-8) to the Recycle Bin as the shell's Delete does.
bool SendToRecycleBin(const std::string& path);
