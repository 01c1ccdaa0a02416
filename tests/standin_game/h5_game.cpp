// Stands in for the game in tests and in the demo folder: appends one line,
// "<working directory>|<arguments>", in UTF-8, to launches.txt beside itself
// and exits. Wide calls, so that a folder in any script is recorded exactly.
#include <windows.h>

#include <string>

static std::string Utf8(const std::wstring& wide)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), NULL, 0, NULL, NULL);
    std::string text(static_cast<size_t>(length), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, NULL, NULL);
    return text;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    WCHAR folder[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, folder, MAX_PATH);
    while (length > 0 && folder[length - 1] != L'\\')
        --length;
    folder[length] = L'\0';

    WCHAR workingDirectory[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, workingDirectory);
    // The arguments: the command line after the program's own (quoted) name.
    std::wstring commandLine = GetCommandLineW();
    size_t end = commandLine[0] == L'"' ? commandLine.find(L'"', 1) : commandLine.find(L' ');
    std::wstring arguments = end == std::wstring::npos ? L"" : commandLine.substr(end + 1);
    arguments.erase(0, arguments.find_first_not_of(L' '));
    std::string line = Utf8(workingDirectory) + "|" + Utf8(arguments) + "\n";

    HANDLE log = CreateFileW((std::wstring(folder) + L"launches.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                             NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, NULL);
    CloseHandle(log);
    return 0;
}
