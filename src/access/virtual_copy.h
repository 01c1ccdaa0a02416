// The mod folder's virtual copy as the player meets it (move_in_rules.h): once
// per start, when it holds archives or descriptions, the tool names them and
// says that the game may load them although the lists do not show them; when
// the mod folder allows changes, it offers to move them in. Each mod moves
// whole through the change engine, or stays whole; a file whose name the mod
// folder has is named and left where it is.
#pragma once

// True when the mod folder's virtual copy holds a file to tell of.
bool VirtualCopyWaits();

// Tells of it, moves in what the player agrees to, and tells what stayed.
void OfferVirtualCopyMove();
