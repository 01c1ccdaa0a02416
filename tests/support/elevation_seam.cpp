#include "elevation_seam.h"

#include <aclapi.h>
#include <sddl.h>
#include <shellapi.h>

#include "access/allow_changes.h"
#include "shared/text_conversion.h"
#include "shared/window_state.h"
#include "window_text.h"

ElevationSeam* ElevationSeam::active_ = nullptr;

ElevationSeam::ElevationSeam() : answer(RunElevatedPartHere), saved_(RunElevated)
{
    active_ = this;
    RunElevated = Record;
}

ElevationSeam::~ElevationSeam()
{
    RunElevated = saved_;
    active_ = nullptr;
}

ElevationResult ElevationSeam::Record(const ElevationRequest& request, HWND)
{
    active_->requests.push_back(request);
    return active_->answer(request);
}

ElevationResult RunElevatedPartHere(const ElevationRequest& request)
{
    uint32_t exitCode = 0;
    std::wstring commandLine = L"\"" + request.file + L"\" " + request.parameters;
    if (!RunAllowChangesCommand(commandLine.c_str(), exitCode))
        return {ERROR_BAD_ARGUMENTS, 0};
    return {ERROR_SUCCESS, exitCode};
}

std::vector<std::string> ArgumentsOf(const std::wstring& parameters)
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW((L"program.exe " + parameters).c_str(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i)
        arguments.push_back(FromWide(words[i], CP_UTF8));
    LocalFree(words);
    return arguments;
}

std::string FolderSddl(const std::string& folder)
{
    const SECURITY_INFORMATION parts =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    PSECURITY_DESCRIPTOR descriptor = NULL;
    LPWSTR text = NULL;
    std::string sddl;
    if (GetNamedSecurityInfoW(ToWide(folder, CP_UTF8).c_str(), SE_FILE_OBJECT, parts, NULL, NULL, NULL, NULL,
                              &descriptor) == ERROR_SUCCESS &&
        ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, parts, &text, NULL))
        sddl = FromWide(text, CP_UTF8);
    LocalFree(text);
    LocalFree(descriptor);
    return sddl;
}

std::vector<std::string> ControlStates()
{
    std::vector<std::string> states;
    for (HWND control :
         {DirectoryLabel, ChangeButton, DirectoryCaption, EnabledList, DisableButton, EnabledCaption, DisabledList,
          EnableButton, DisabledCaption, InformationBox, RescanButton, InformationCaption, StartButton, AddButton})
        states.push_back(TextOf(control) + (IsWindowEnabled(control) ? " (enabled)" : " (disabled)"));
    return states;
}
