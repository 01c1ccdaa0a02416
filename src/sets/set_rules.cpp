#include "sets/set_rules.h"

#include "shared/utf8.h"

namespace {

const size_t kLongestSetName = 64;

}  // namespace

bool IsValidSetName(const std::string& name)
{
    if (name.empty() || name.find_first_not_of(' ') == std::string::npos || CharacterCount(name) > kLongestSetName)
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}
