// A drop that holds new versions of installed mods: what to do with each
// dropped file, with one question for the whole drop, and the update of a
// dropped file.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "shared/copy_progress.h"
#include "shared/messages.h"
#include "updates/drop_decision.h"

struct DropChoice {
    bool companion = false;  // a description dropped with its archive: no file of its own
    DropDecision decision = {DropAction::Add, DropRefusal::None};
    std::string installed;  // the installed archive's name, for an update or an identical file
};

// One choice per file. When some would update installed mods, the player is
// asked once, naming each with the installed and the dropped size and date.
// `companions` holds the folded names of the dropped archives' descriptions.
// None (an empty list) when the player cancelled the comparison of a dropped
// file with the installed one: nothing of the drop is taken then.
std::vector<DropChoice> ChooseForDrop(const std::vector<std::string>& files,
                                      const std::unordered_set<std::string>& companions);

// Updates the installed mod to the dropped file; false, with the reason and
// its detail, when it was not (a cancel is no failure).
bool UpdateDroppedFile(const std::string& path, const DropChoice& choice, size_t index, CopyBatch& batch,
                       DropReason& reason, std::string& detail);
