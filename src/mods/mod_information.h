// A mod's description, read as the information box shows it.
#pragma once

#include <string>

// The description file as text in the process's code page, with LF line
// breaks: UTF-16 (by its mark) read in binary; everything else as a text-mode
// read in blocks of 1023 characters gives it, each block contributing the
// characters before its first zero byte, then taken as UTF-8 (with or without
// its mark) or, when it is not valid UTF-8, in the user's legacy code page.
// A file that cannot be opened, or is not a regular file, gives ""; one that
// stops reading gives the text read so far.
std::string ReadDescription(const std::string& infoPath);
// The same with the line breaks shown: every line break a CR LF pair.
std::string ShownDescription(const std::string& infoPath);
