// Measures the folder scan and the description read against their baselines,
// side by side in one run, and prints the ratios; also the other measurements
// of the Performance table, the start-up with the mod folder's write test
// last. Run by scripts/bench.
//
//   bench.exe FOLDER10000 FOLDER20000 SWITCH10000 ARCHIVE DESCRIPTION... [--with-lookups]
//
// The folders hold 10,000 and 20,000 archives, half .pak and half .mod, a
// quarter of them with descriptions (SWITCH10000 is another folder like the
// first, for switching every archive); ARCHIVE is a file of 300 MB to copy as Add
// Mod does; each DESCRIPTION is a text file of about
// 10 MB (scripts/bench passes one in ASCII, one in UTF-8 with other scripts and
// one in UTF-16).
// scripts/bench makes them. --with-lookups also times finding descriptions with one attribute lookup per
// archive, the way a scan without the folder's name list would.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "shared/copy_progress.h"
#include "mods/directory_scan.h"
#include "shared/file_copy.h"
#include "find_game.h"
#include "folder_access.h"
#include "refresh.h"
#include "switch_sets.h"
#include "update.h"
#include "descriptions/line_breaks.h"
#include "mods/mod_information.h"
#include "mods/mod_names.h"
#include "measure.h"
#include "registry.h"
#include "settings/mod_directory.h"
#include "shared/folder_listing.h"

namespace {

const int kCopyRounds = 15;  // the disk's own noise is larger than the difference measured

// A rebuild as the rescan command does it, repaint included.
void Rescan()
{
    RebuildModLists();
    UpdateWindow(EnabledList);
    UpdateWindow(DisabledList);
}

int LookUpEveryDescription(const std::string& folder)
{
    int found = 0;
    for (const char* pattern : {"*.mod", "*.pak"})
        ForEachEntry(folder, pattern, [&](const FolderEntry& entry) {
            found += !FindInfoFile(JoinPath(folder, entry.name)).empty();
        });
    return found;
}

std::string PlainRead(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    file.seekg(0, std::ios::end);
    std::string content(static_cast<size_t>(file.tellg()), '\0');
    file.seekg(0);
    file.read(&content[0], static_cast<std::streamsize>(content.size()));
    return content;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr,
                     "usage: bench.exe FOLDER10000 FOLDER20000 SWITCH10000 ARCHIVE DESCRIPTION... "
                     "[--with-lookups]\n");
        return 2;
    }
    std::string small = argv[1];
    std::string large = argv[2];
    std::string switchFolder = argv[3];
    std::string archive = argv[4];
    std::vector<std::string> descriptions;
    bool withLookups = false;
    for (int i = 5; i < argc; ++i) {
        if (std::strcmp(argv[i], "--with-lookups") == 0)
            withLookups = true;
        else
            descriptions.push_back(argv[i]);
    }

    bool met = true;
    {
        // The window reads its folder from the registry at creation.
        SettingsRestorer restorer;
        StoreSettingsValue(kSettingsValue, REG_SZ, small);
        if (!OpenMainWindow())
            return 2;

        double enumerate10, rescan10, rescan10again, rescan20;
        Measure([&] { EnumerateNames(small); },
                [&] {
                    SetModDirectory(small.c_str());
                    Rescan();
                },
                enumerate10, rescan10);
        Measure(
            [&] {
                SetModDirectory(small.c_str());
                Rescan();
            },
            [&] {
                SetModDirectory(large.c_str());
                Rescan();
            },
            rescan10again, rescan20);
        std::printf("\nFolder scan, median of %d rounds each, ms (%d and %d names):\n", kRounds,
                    EnumerateNames(small), EnumerateNames(large));
        std::printf("  bare enumeration, 10,000 archives          %8.1f\n", enumerate10);
        std::printf("  rescan with list boxes, 10,000 archives    %8.1f\n", rescan10);
        std::printf("  rescan with list boxes, 20,000 archives    %8.1f\n", rescan20);
        met &= Report("rescan 10,000 / bare enumeration 10,000", rescan10 / enumerate10, 3.0);
        met &= Report("rescan 20,000 / rescan 10,000", rescan20 / rescan10again, 2.3);
        std::printf("  rescan of 10,000 under one second: %s\n", rescan10 < 1000 ? "ok" : "MISSED");
        met &= rescan10 < 1000;

        SetModDirectory(small.c_str());
        Rescan();
        met &= MeasureRefresh(small);
        met &= MeasureOpening();

        if (withLookups) {
            double lookups = Now();
            int found = LookUpEveryDescription(small);
            lookups = Now() - lookups;
            std::printf("  one attribute lookup per archive, 10,000   %8.1f  (%d descriptions, once)\n", lookups,
                        found);
        }
        CloseMainWindow();
    }

    // The copy of Add Mod, progress routine and all, against the system's copy.
    std::string copy = archive + ".copy";
    double plainCopy, progressCopy;
    Measure(
        [&] {
            CopyFileA(archive.c_str(), copy.c_str(), FALSE);
            DeleteFileA(copy.c_str());
        },
        [&] {
            CopyBatch batch(1);
            batch.StartFile(FileNamePart(archive), 0);
            CopyWithProgress(archive, copy, &CopyBatch::Progress, &batch);
            DeleteFileA(copy.c_str());
        },
        plainCopy, progressCopy, kCopyRounds);
    std::printf("\nCopy of a 300 MB archive, median of %d rounds each, ms:\n", kCopyRounds);
    std::printf("  CopyFileA                                  %8.1f\n", plainCopy);
    std::printf("  block copy with the progress routine       %8.1f\n", progressCopy);
    met &= Report("with progress / CopyFileA", progressCopy / plainCopy, 1.05);
    met &= MeasureUpdate(archive);

    std::printf("\nDescriptions, median of %d rounds each, ms:\n", kRounds);
    for (const std::string& description : descriptions) {
        double plain, readAndConvert;
        size_t bytes = 0;
        Measure([&] { bytes = PlainRead(description).size(); }, [&] { ShownDescription(description); }, plain,
                readAndConvert);
        std::printf("  %s, %zu bytes\n", FileNamePart(description).c_str(), bytes);
        std::printf("    plain binary read                        %8.1f\n", plain);
        std::printf("    read, decode and line-break conversion   %8.1f\n", readAndConvert);
        met &= Report("    whole path / plain read", readAndConvert / plain, 3.0);
    }

    met &= MeasureSetSwitch();
    met &= MeasureLargeSwitch(switchFolder);
    met &= MeasureGameLookUp();
    met &= MeasureFolderAccessCheck(small);
    return met ? 0 : 1;
}
