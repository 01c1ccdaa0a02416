// Text between a code page (CP_ACP, CP_UTF8, ...) and UTF-16.
#pragma once

#include <windows.h>

#include <string>

std::wstring ToWide(const std::string& text, UINT codePage);
// Characters the code page lacks become its default character.
std::string FromWide(const std::wstring& text, UINT codePage);
