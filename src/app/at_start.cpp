#include "app/at_start.h"

#include "../res/resource.h"
#include "access/virtual_copy.h"
#include "app/commands.h"
#include "changes/change_engine.h"
#include "changes/change_view.h"
#include "search/search_store.h"

namespace {

bool ChangeCutOffWaits()
{
    JournalState state = WaitingJournal();
    return state == JournalState::CutOff || state == JournalState::Unreadable;
}

bool RenamesOwedWait()
{
    return WaitingJournal() == JournalState::Owed;
}

void TakeUpSearch()
{
    RunCommand(IDM_PROBLEM_SEARCH, CommandSource::Window);  // taken up at its step
}

struct StartTask {
    bool (*waits)();
    void (*run)();
};

const StartTask kAtStart[] = {
    {ChangeCutOffWaits, PutChangeInOrderAtStart},
    {RenamesOwedWait, PutChangeInOrderAtStart},
    {SearchStored, TakeUpSearch},
    {VirtualCopyWaits, OfferVirtualCopyMove},
};

}  // namespace

bool StartTasksWait()
{
    for (const StartTask& task : kAtStart)
        if (task.waits())
            return true;
    return false;
}

void RunStartTasks()
{
    bool waiting[sizeof kAtStart / sizeof kAtStart[0]];
    for (size_t i = 0; i < sizeof kAtStart / sizeof kAtStart[0]; ++i)
        waiting[i] = kAtStart[i].waits();
    for (size_t i = 0; i < sizeof kAtStart / sizeof kAtStart[0]; ++i)
        if (waiting[i])
            kAtStart[i].run();
}
