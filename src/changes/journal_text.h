// The journal of a change as text: the plan, written whole before the first
// rename, then lines of progress appended while the steps run. Pure code
// with no platform headers.
//
//   Quillmoor mod folder change, version 1
//   kind	switch                 switch, update or restore
//   phase	doing                  doing or owed
//   folder	C:\Games\Game\data
//   mod	Better Towns.pak         (empty for a switch)
//   steps	2
//   rename	A.pak	A.mod
//   replace	B.pak	B.pa~	B.previous
//   end
//   reach	2                      appended: no move from the third on was begun
//   done	1                      appended: the first move is made
//
// Progress counts moves (MovesOf): a replace is two, so that a change is
// followed from the very rename where it stopped, also when it is put in
// order one rename at a time.
//
// Fields are separated by tabs; a tab, a line break or a backslash in a name
// is written as \t, \n, \r or \\. Progress lines are appended, so that the
// last whole one of each kind counts: a line cut off by a crash is no line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "changes/change_plan.h"

extern const char kJournalMark[];  // "Quillmoor mod folder change, version 1"

// The plan's text, through its "end" line.
std::string PlanText(const ChangePlan& plan);
// A progress line: "reach\tN\n" (no move from N on was begun) or "done\tN\n"
// (the first N moves are made).
std::string ReachLine(size_t moves);
std::string DoneLine(size_t moves);

struct JournalRead {
    std::optional<ChangePlan> plan;  // nothing when the text is not a whole journal
    size_t reached = 0;              // moves that may have been begun
    size_t done = 0;                 // moves made for sure (at most `reached`)
};

// The journal in `text`, read only when its plan is whole; the progress from
// the last whole line of each kind (none: nothing was begun).
JournalRead ReadJournalText(const std::string& text);

// Strings as the lines of a home file: each escaped as a journal's names
// are, then "end". Read back only when whole.
std::string LinesText(const std::vector<std::string>& strings);
std::optional<std::vector<std::string>> ReadLinesText(const std::string& text);
