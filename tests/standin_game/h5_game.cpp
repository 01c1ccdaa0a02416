// Stands in for the game in tests and in the demo folder: appends one line,
// "<working directory>|<arguments>", to launches.txt beside itself and exits.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int)
{
    char folder[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, folder, sizeof folder);
    while (length > 0 && folder[length - 1] != '\\')
        --length;
    folder[length] = '\0';

    char workingDirectory[MAX_PATH];
    GetCurrentDirectoryA(sizeof workingDirectory, workingDirectory);
    std::string line = std::string(workingDirectory) + "|" + arguments + "\n";

    HANDLE log = CreateFileA((std::string(folder) + "launches.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                             NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, NULL);
    CloseHandle(log);
    return 0;
}
