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

    // The names of the files in the bin that were deleted from the folder,
    // sorted.
    std::vector<std::string> Names() const;

private:
    std::string folder_;
};
