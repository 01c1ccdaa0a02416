// The one home of what must survive a crash or a power cut: the journal of a
// change of the mod folder and a problem search under way, as files in the
// player's own application data (%LOCALAPPDATA%\Quillmoor Mod Manager). A
// file there is written whole and flushed to disk before the tool goes on:
// the registry cannot promise that (under Wine it reaches the disk only every
// 30 seconds, or when Wine ends in order).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

extern const wchar_t kChangeJournalFile[];  // "change journal"
extern const wchar_t kProblemSearchFile[];  // "problem search"

// The folder, made when it is missing; empty when it cannot be.
std::wstring JournalHome();

// The file's text (UTF-8 on disk, the process code page here); nothing when
// there is no such file, `unreadable` set when there is one that cannot be
// read.
std::optional<std::string> ReadHomeFile(const wchar_t* name, bool* unreadable = nullptr);

// Writes the file whole: a copy under a temporary name, flushed, then renamed
// over the file, so that a power cut finds the old text or the new, never a
// part. False, with the system's error, when it could not be written.
bool WriteHomeFile(const wchar_t* name, const std::string& text, DWORD* error = nullptr);

// True when the file is gone afterwards (also when there was none).
bool RemoveHomeFile(const wchar_t* name);

// A home file that grows by lines, each written at once (a copy of the tool
// killed afterwards leaves it), the ones that must outlast a power cut
// flushed to disk.
class HomeFileAppender {
public:
    explicit HomeFileAppender(const wchar_t* name);
    ~HomeFileAppender();
    HomeFileAppender(const HomeFileAppender&) = delete;
    HomeFileAppender& operator=(const HomeFileAppender&) = delete;
    bool Open() const { return file_ != INVALID_HANDLE_VALUE; }
    bool Append(const std::string& line, bool flush);
    void Close();

private:
    HANDLE file_;
};
