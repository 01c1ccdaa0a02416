// What the tests of the mod folder's access share: a stand-in for Windows'
// elevation prompt, which cannot be shown or answered under Wine, and ways
// to read a folder's permissions and the main window's controls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "access/elevation.h"

// While in scope every elevation request is recorded and answered by
// `answer`: by default as the prompt answered Yes would have it, by running
// the elevated part in this process with the request's command line.
class ElevationSeam {
public:
    ElevationSeam();
    ~ElevationSeam();
    ElevationSeam(const ElevationSeam&) = delete;
    ElevationSeam& operator=(const ElevationSeam&) = delete;

    std::function<ElevationResult(const ElevationRequest&)> answer;
    std::vector<ElevationRequest> requests;

private:
    static ElevationResult Record(const ElevationRequest& request, HWND owner);
    ElevationRunner saved_;
    static ElevationSeam* active_;
};

// The elevated part run here, as the program started with the request runs it.
ElevationResult RunElevatedPartHere(const ElevationRequest& request);

// The request's arguments as the started program reads them from its command
// line (UTF-8).
std::vector<std::string> ArgumentsOf(const std::wstring& parameters);

// A folder's owner, group and DACL as SDDL text; "" when they cannot be read.
std::string FolderSddl(const std::string& folder);

// The texts and enabled states of the main window's fourteen controls.
std::vector<std::string> ControlStates();
