// An update of a mod to a new version of 300 MB against CopyFileA of that
// archive, alternately. Each round ends as it began: the copy is deleted, and
// the updated archive is deleted and its kept previous version takes the
// mod's name again, so both sides delete one file of 300 MB.
#include "update.h"

#include <windows.h>

#include <cstdio>

#include "shared/copy_progress.h"
#include "measure.h"
#include "mods/mod_names.h"
#include "settings/mod_directory.h"
#include "updates/mod_update.h"
#include "updates/version_plan.h"

namespace {

const int kUpdateRounds = 15;  // as the copy: the disk's own noise is large
const double kTarget = 1.05;

}  // namespace

bool MeasureUpdate(const std::string& archive)
{
    std::string folder = archive.substr(0, archive.find_last_of('\\')) + "\\update-mods";
    CreateDirectoryA(folder.c_str(), NULL);
    SetModDirectory(folder.c_str());
    VersionNames names = NamesOfVersions("Bench Mod.pak");
    std::string installed = JoinPath(folder, names.archive), previous = JoinPath(folder, names.previousArchive);
    std::string description = JoinPath(folder, names.description);
    HANDLE file = CreateFileA(installed.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    CloseHandle(file);
    file = CreateFileA(description.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    CloseHandle(file);

    std::string copy = archive + ".copy";
    bool updated = true;
    double plainCopy, update;
    Measure(
        [&] {
            CopyFileA(archive.c_str(), copy.c_str(), FALSE);
            DeleteFileA(copy.c_str());
        },
        [&] {
            CopyBatch batch(1);
            batch.StartFile(FileNamePart(archive), 0);
            VersionDetail detail;
            updated &= UpdateMod(names.archive, archive, batch, detail) == VersionOutcome::Done;
            DeleteFileA(installed.c_str());
            MoveFileA(previous.c_str(), installed.c_str());
            DeleteFileA(JoinPath(folder, names.previousDescription).c_str());
        },
        plainCopy, update, kUpdateRounds);
    std::printf("\nUpdate of a mod to a 300 MB archive, median of %d rounds each, ms:\n", kUpdateRounds);
    std::printf("  CopyFileA                                  %8.1f\n", plainCopy);
    std::printf("  update, previous version kept              %8.1f%s\n", update, updated ? "" : "  (FAILED)");
    bool met = Report("update / CopyFileA", update / plainCopy, kTarget) && updated;

    DeleteFileA(installed.c_str());
    DeleteFileA(description.c_str());
    RemoveDirectoryA(folder.c_str());
    return met;
}
