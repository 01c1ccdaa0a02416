// Stands in for the game in tests and in the demo folder: appends one line,
// "<working directory>|<arguments>", in UTF-8, to launches.txt beside itself
// and exits. Wide calls, so that a folder in any script is recorded exactly.
// With crash-when-loaded.txt beside it naming an archive, it ends as a crash
// does (0xC0000005) whenever the data folder loads that archive: a mod that
// breaks the game.
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

    HANDLE culprit = CreateFileW((std::wstring(folder) + L"crash-when-loaded.txt").c_str(), GENERIC_READ,
                                 FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (culprit == INVALID_HANDLE_VALUE)
        return 0;
    char name[MAX_PATH] = "";
    DWORD read = 0;
    ReadFile(culprit, name, MAX_PATH - 1, &read, NULL);
    CloseHandle(culprit);
    name[read] = '\0';
    std::string archive = std::string("..\\data\\") + name;
    bool loaded =
        GetFileAttributesW((std::wstring(folder) + std::wstring(archive.begin(), archive.end())).c_str()) !=
        INVALID_FILE_ATTRIBUTES;
    return loaded ? static_cast<int>(0xC0000005u) : 0;
}
