#include "shared/folder_listing.h"

bool DirectoryExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
