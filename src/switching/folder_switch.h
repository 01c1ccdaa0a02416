// Switching the mod folder to a choice of mods on, all or nothing: the engine
// that mod sets and the problem search share. It shows nothing itself: the
// caller tells the player what the outcome was.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "switching/switch_journal.h"
#include "switching/switch_plan.h"

// The archives of `folder` as the scan lists them: every .mod, every .pak but
// the game's own, with their sizes.
std::vector<ListedArchive> ListArchives(const std::string& folder);
// The same for the mod folder.
std::vector<ListedArchive> ArchivesNow();

enum class SwitchPhase { PuttingBack, Switching };

struct SwitchWatch {
    // After each rename, with the renames made and to make in this phase.
    std::function<void(SwitchPhase phase, size_t done, size_t total)> progress;
    // A journal left by a switch whose copy of the tool is gone was put back
    // first (or could not be): told before the switch plans its own renames.
    std::function<void(const PutBackReport& report)> earlierPutBack;
};

struct SwitchOutcome {
    enum class Result {
        Switched,
        NothingToDo,     // the folder was as asked already
        Elsewhere,       // another copy of the tool is switching: nothing done
        EarlierPending,  // an earlier switch could not be put back: nothing done
        NotJournalled,   // the registry refused the plan: nothing renamed
        Failed,          // a rename failed; every rename before it was put back
        NotPutBack,      // ... and one could not be put back: it is owed
    };
    Result result = Result::NothingToDo;
    std::vector<ListedArchive> before;  // the folder's archives before the renames
    std::string failed;                 // the archive whose rename failed
    std::string notPutBack;             // the first that could not be put back, as it is named now
    // EarlierPending: the earlier switch's folder, when it is missing or is
    // not the mod folder (only the player can give that switch up).
    std::string earlierElsewhere;
};

typedef std::function<SwitchPlan(const std::vector<ListedArchive>& archives)> PlanFor;

// In the mod folder `folder`, with the lock held: first puts back a journal
// that a switch cut off left (watch.earlierPutBack is told), then plans on
// the folder as it is then, writes the plan to the journal (nothing is
// renamed unless the registry took it) and renames. A rename that fails
// undoes every rename made before it, in reverse order; what cannot be put
// back at once stays in the journal, alone, for the next start or switch.
SwitchOutcome SwitchFolder(const std::string& folder, const PlanFor& planFor, const SwitchWatch& watch);
