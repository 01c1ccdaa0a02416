// A mod set as plain text, to share with friends through any chat program:
//
//   Quillmoor mod set: Campaign with friends
//   Better Towns.pak<TAB>1048576
//   Rich Map Pack.pak<TAB>52428800
//
// The first line names the set; each further line is the file name of an
// archive that is on and its size in bytes. Written with CR LF; read with LF
// or CR LF, trailing spaces and empty lines allowed. Pure code with no
// platform headers; text in UTF-8.
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

// Why a text is refused. NotASet: it does not start with the heading line.
enum class SetTextProblem { None, NotASet, BadName, NoTab, BadSize, NotArchive, PathInName, BaseArchive };

struct ReadSetTextResult {
    std::optional<SharedSet> set;  // when the whole text is a set
    SetTextProblem problem = SetTextProblem::None;
    size_t line = 0;  // the line refused, counting from 1
};

ReadSetTextResult ReadSetText(const std::string& text);
