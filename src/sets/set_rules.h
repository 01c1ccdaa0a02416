// The rules for a set's name. Pure logic with no platform headers, so it is
// also built and tested natively.
#pragma once

#include <string>

// A set's name has 1 to 64 characters, not only spaces and no control
// characters.
bool IsValidSetName(const std::string& name);
