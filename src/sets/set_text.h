// A mod set as plain text, to share with friends through any chat program:
//
//   Quillmoor mod set: Campaign with friends
//   Better Towns.pak<TAB>1048576
//   Rich Map Pack.pak<TAB>52428800
//
// The first line names the set; each further line is the file name of an
// archive that is on and its size in bytes. Written with CR LF; read with LF,
// CR LF or CR alone, as chat programs carry text: spaces before the first line,
// trailing spaces and empty lines allowed, a mod named twice with one size
// taken once. Pure code with no platform headers; text in UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

extern const char kSetTextHeading[];  // "Quillmoor mod set: "

struct SharedMod {
    std::string fileName;  // "Name.pak"
    uint64_t size;
};

struct SharedSet {
    std::string name;
    std::vector<SharedMod> mods;
};

std::string SetText(const SharedSet& set);

// A set's name as a heading that a paste reads back: a name that is none
// (written by another program: a line break, only spaces, more than 64
// characters) gets its control characters as spaces, is cut to 64 characters
// and loses its trailing spaces; what is left of no use gives `fallback`.
std::string SharableSetName(const std::string& name, const std::string& fallback);

// Why a text is refused. NotASet: it does not start with the heading line.
// TwoSizes: two lines name one mod with different sizes.
enum class SetTextProblem {
    None,
    NotASet,
    BadName,
    NoTab,
    BadSize,
    NotArchive,
    PathInName,
    BaseArchive,
    TwoSizes
};

struct ReadSetTextResult {
    std::optional<SharedSet> set;  // when the whole text is a set
    SetTextProblem problem = SetTextProblem::None;
    size_t line = 0;       // the line refused, counting from 1
    size_t firstLine = 0;  // TwoSizes: the earlier line naming the same mod
};

// Two lines name one mod when their display names (the file names without
// their extensions) are one, ASCII letters compared without regard to case.
ReadSetTextResult ReadSetText(const std::string& text);
