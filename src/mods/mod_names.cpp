#include "mods/mod_names.h"

#include <cstring>

std::string DisplayName(const std::string& fileName)
{
    return fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

std::string ReplaceExtension(const std::string& name, const char* extension)
{
    size_t keep = name.size() > 3 ? name.size() - 3 : 0;
    return name.substr(0, keep) + extension;
}

bool HasExtension(const std::string& fileName, const char* extension)
{
    // In place: every name of a folder of thousands is tested several times.
    size_t length = std::strlen(extension);
    if (fileName.size() < length)
        return false;
    const char* tail = fileName.data() + fileName.size() - length;
    for (size_t i = 0; i < length; ++i)
        if (AsciiLowerChar(tail[i]) != AsciiLowerChar(extension[i]))
            return false;
    return true;
}

// Matches "p" + N + "-data.pak" or "p" + N + "-texts.pak", N in 0..99 written
// without leading zeros, on an already lower-cased name.
static bool IsNumberedBaseArchive(const std::string& name)
{
    if (name.size() < 2 || name[0] != 'p')
        return false;
    size_t digits = 0;
    while (1 + digits < name.size() && name[1 + digits] >= '0' && name[1 + digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 2 || (digits == 2 && name[1] == '0'))
        return false;
    std::string rest = name.substr(1 + digits);
    return rest == "-data.pak" || rest == "-texts.pak";
}

bool IsBaseArchive(const std::string& fileName)
{
    std::string name = AsciiLower(fileName);
    return name == "data.pak" || name == "sound.pak" || name == "texts.pak" || IsNumberedBaseArchive(name);
}

std::string TemporaryName(const std::string& name)
{
    return name.empty() ? "~" : name.substr(0, name.size() - 1) + "~";
}

bool IsArchiveName(const std::string& fileName)
{
    return HasExtension(fileName, ".pak") || HasExtension(fileName, ".mod");
}

AddRefusal RefusalOf(const std::string& fileName, bool folder)
{
    if (folder || !IsArchiveName(fileName))
        return AddRefusal::NotArchive;
    if (IsBaseArchive(ReplaceExtension(fileName, "pak")))
        return AddRefusal::BaseArchiveName;
    return AddRefusal::None;
}

ArchiveKind KindOf(const std::string& fileName)
{
    if (HasExtension(fileName, ".mod"))
        return ArchiveKind::Disabled;
    if (HasExtension(fileName, ".pak") && !IsBaseArchive(fileName))
        return ArchiveKind::Enabled;
    return ArchiveKind::None;
}

VersionNames NamesOfVersions(const std::string& archive)
{
    std::string stem = DisplayName(archive);
    std::string description = ReplaceExtension(archive, "txt");
    std::string older = stem + ".older";
    return {archive,
            description,
            stem + ".previous",
            stem + ".previous-txt",
            TemporaryName(archive),
            TemporaryName(description),
            older,
            older + "\\previous",
            older + "\\previous-txt"};
}

bool IsSwitchableName(const std::string& name)
{
    if (DisplayName(name).empty() || (!HasExtension(name, ".pak") && !HasExtension(name, ".mod")))
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("\\/:*?\"<>|", c))
            return false;
    return !IsBaseArchive(ReplaceExtension(name, "pak"));
}

std::string FlippedName(const std::string& fileName)
{
    return ReplaceExtension(fileName, HasExtension(fileName, ".pak") ? "mod" : "pak");
}
