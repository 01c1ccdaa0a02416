// A problem search as a list of strings (the lines of its file, or of the
// registry value earlier versions kept it in), so that a search cut off by
// a crash of the game, the tool or the PC goes on from its last answer:
//
//   Quillmoor problem search, version 1
//   2 1 5 3                        the number of start-state strings, mods kept
//                                  on, suspects and answers
//   <the start state, as given>    (the caller's strings, such as the folder
//   <...>                          and every archive on at the start)
//   <each mod kept on>
//   <each suspect, in order>
//   -00                            one string per answer: "+" shows, "-" does
//   -e0                            not, then which suspects were on, four to a
//   +10                            hex digit, the first suspect the highest bit
//                                  of the first digit, the unused bits 0
//
// No string is empty (an old registry value ends at an empty string). Pure code with
// no platform headers; text in UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "search/problem_search.h"

extern const char kSearchRecordMark[];  // "Quillmoor problem search, version 1"

// Why a search is refused.
enum class RecordProblem {
    None,
    NotASearch,      // the first string is not the mark (or there is none)
    BadCounts,       // the second string is not four numbers
    WrongCount,      // the strings do not add up to the counts
    EmptyString,     // a string is empty or holds a NUL, so cannot be stored
    BadAnswer,       // not "+" or "-" and one hex digit per four suspects
    DuplicateName,   // two suspects, or two mods kept on, of one name (ASCII case aside)
    KeptSuspect,     // a mod both kept on and a suspect
    AnswerNotAsked,  // an answer is not to the test the search asked at its point
};

// Whether the search can be stored and taken up again as it is; a search
// whose suspects and kept mods come from one folder listing and whose
// answers were added by RecordAnswer passes, given non-empty start state
// strings.
RecordProblem CheckSearch(const ProblemSearch& search);

// Writes any search; only one CheckSearch passes reads back.
std::vector<std::string> SearchRecord(const ProblemSearch& search);

struct ReadRecordResult {
    std::optional<ProblemSearch> search;  // when the record is whole and passes CheckSearch
    RecordProblem problem = RecordProblem::None;
};

ReadRecordResult ReadSearchRecord(const std::vector<std::string>& record);
