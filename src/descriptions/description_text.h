// How the bytes of a description become text. Pure string logic.
#pragma once

#include <cstddef>
#include <string>

// UTF-16 bytes as UTF-8 (see Utf16ToUtf8) for a whole file that starts with a UTF-16 mark (FF FE or FE FF),
// the mark dropped; converted where it lies, without a second buffer, as far
// as the UTF-8 does not overtake the units still to be read.
std::string Utf16FileToUtf8(std::string bytes);

// The file's bytes as a text-mode stream delivers them to a reader taking
// blocks of 1023 characters and keeping each block up to its first zero byte:
// CR LF becomes LF and a Ctrl-Z ends the file.
std::string TextModeContent(const std::string& bytes);

// CR LF pairs as LF, for text read in binary.
std::string CrLfToLf(const std::string& text);

enum class DescriptionEncoding { Utf8, Legacy };

struct DecodedDescription {
    std::string text;              // with LF line breaks
    DescriptionEncoding encoding;  // Legacy: bytes of the user's legacy code page
};

// A description file's bytes as text: a UTF-16 mark (FF FE or FE FF) makes it
// UTF-16, read in binary; anything else goes through the text-mode read, then
// a UTF-8 mark (dropped) or valid UTF-8 makes it UTF-8, and the rest is left
// in the legacy code page for the caller to convert.
DecodedDescription DecodeDescription(const std::string& bytes);

// Lone LF as CR LF; CR LF and lone CR stay. The same as converting CR LF to
// LF first and every LF to CR LF then.
std::string WithCrLf(std::string text);

// DecodeDescription with the line breaks the information box shows (CR LF),
// in one pass over the bytes where the file allows it.
DecodedDescription DescriptionForDisplay(std::string bytes);
