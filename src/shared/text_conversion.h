// Text between a code page (CP_ACP, CP_UTF8, ...) and UTF-16.
#pragma once

#include <windows.h>

#include <string>

std::wstring ToWide(const std::string& text, UINT codePage);
// Characters the code page lacks become its default character.
std::string FromWide(const std::wstring& text, UINT codePage);

// Text of the process's code page as UTF-8 (as files, the clipboard and the
// composed texts hold it), and UTF-8 in the code page, where a character it
// lacks becomes its default character. Unchanged when the code page is UTF-8.
std::string ToUtf8(const std::string& text);
std::string FromUtf8(const std::string& utf8);

// Upper-cased with the system's rules, as the file system does when it matches
// a name without regard to case. Folded as UTF-16, so that a letter whose
// capital takes another number of bytes cannot cut a multi-byte name.
std::wstring FoldCase(const std::string& name);

// The same as UTF-8, at once for a name of ASCII letters only: a key under
// which names that the file system takes for one are one.
std::string FoldedKey(std::string name);
