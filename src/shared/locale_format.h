// Numbers as the player's locale writes them.
#pragma once

#include <cstdint>
#include <string>

// A count with the locale's digit grouping ("1,200" in English), in the
// process's code page.
std::string FormatCount(uint64_t count);

// A size in bytes in the unit that fits it, the unit in the tool's language
// and the number in the locale's form ("1.50 MB"), in the process's code page.
std::string FormatSize(uint64_t bytes);

// A day (year, month 1-12, day 1-31) in the locale's short date form
// ("3/14/2024" in English), in the process's code page; "" for no such day.
std::string FormatDate(int year, int month, int day);
