#include "measure.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/main_window.h"
#include "shared/window_state.h"

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Measure(const std::function<void()>& baseline, const std::function<void()>& candidate, double& baselineMs,
             double& candidateMs, int rounds)
{
    std::vector<double> base, cand;
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        baseline();
        base.push_back(Now() - start);
        start = Now();
        candidate();
        cand.push_back(Now() - start);
    }
    baselineMs = Median(base);
    candidateMs = Median(cand);
}

bool OpenMainWindow()
{
    if (CreateMainWindow(GetModuleHandleA(NULL)))
        return true;
    std::fprintf(stderr, "the main window could not be created\n");
    return false;
}

void CloseMainWindow()
{
    DestroyWindow(MainWindow);
    MainWindow = NULL;
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        ;
    UnregisterClassA(kMainWindowClass, GetModuleHandleA(NULL));
}

int EnumerateNames(const std::string& folder)
{
    int names = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++names;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool Report(const char* what, double ratio, double target)
{
    bool met = ratio <= target;
    std::printf("  %-44s %6.2f   (target <= %g) %s\n", what, ratio, target, met ? "ok" : "MISSED");
    return met;
}
