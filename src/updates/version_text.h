// How a version's size and date are written for the player, in one place.
// Pure code with no platform headers.
#pragma once

#include <cstdint>
#include <string>

// "512 bytes", "1.0 KB", "1.2 MB", "3.4 GB": binary units, one decimal.
std::string SizeText(uint64_t bytes);

// "2024-03-01".
std::string DateText(int year, int month, int day);
