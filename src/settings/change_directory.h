// The "Change..." command: choose another mod directory in the folder browser.
#pragma once

// A chosen folder that exists becomes the mod directory: it is saved, shown in
// the label and both lists are rebuilt from it. Cancel changes nothing; a folder
// without a file-system path, or one that does not exist, shows the directory
// error and changes nothing.
void ChangeModDirectory();
