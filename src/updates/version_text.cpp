#include "updates/version_text.h"

#include <cstdio>

std::string SizeText(uint64_t bytes)
{
    const char* const units[] = {"KB", "MB", "GB", "TB"};
    if (bytes < 1024)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    // 1023.96 KB is "1.0 MB", not "1024.0 KB".
    double value = static_cast<double>(bytes) / 1024;
    size_t unit = 0;
    while (unit + 1 < sizeof units / sizeof units[0] && value >= 1023.95) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
    return text;
}

std::string DateText(int year, int month, int day)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}
