// Numbers as the player's locale writes them.
#pragma once

#include <cstdint>
#include <string>

// A count with the locale's digit grouping ("1,200" in English), in the
// process's code page.
std::string FormatCount(uint64_t count);
