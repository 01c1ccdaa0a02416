// What a start finishes once the window shows, in one ordered list: a change
// of the mod folder cut off (killed, crashed, power cut) is put back or
// finished, what a failed change still owes is put back, then a problem
// search under way is taken up at its step, then files in the mod folder's
// virtual copy are told of and offered to be moved in. Each tells the player what it
// found, one after the other: each may show a message box, and none starts
// while another one's box is open.
#pragma once

// True when a task of the list has something to do.
bool StartTasksWait();

// The tasks that had something to do when the list began, in its order.
void RunStartTasks();
