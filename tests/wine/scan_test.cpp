// Filling the two lists from a real folder.
#include "app_test.h"

#include <algorithm>

#include "shared/window_state.h"
#include "mods/directory_scan.h"
#include "mods/mod_names.h"
#include "settings/mod_directory.h"
#include "shared/folder_listing.h"

namespace {

std::vector<std::string> FileNames(const std::vector<ModEntry>& mods)
{
    std::vector<std::string> names;
    for (const ModEntry& mod : mods)
        names.push_back(mod.fileName);
    return names;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// The scan as one enumeration per pattern and one attribute lookup per archive:
// what RescanModDirectory must give, entry for entry, only faster.
void ReferenceScan(const std::string& directory, std::vector<ModEntry>& disabled, std::vector<ModEntry>& enabled)
{
    const struct {
        const char* pattern;
        std::vector<ModEntry>* list;
    } passes[] = {{"*.mod", &disabled}, {"*.pak", &enabled}};
    for (const auto& pass : passes)
        ForEachEntry(directory, pass.pattern, [&](const FolderEntry& found) {
            const std::string& name = found.name;
            if (!HasExtension(name, pass.pattern + 1) || (pass.list == &enabled && IsBaseArchive(name)))
                return;
            std::string path = directory + "\\" + name;
            std::string info = ReplaceExtension(path, "txt");
            if (GetFileAttributesA(info.c_str()) == INVALID_FILE_ATTRIBUTES)
                info.clear();
            pass.list->push_back({path, name, info});
        });
}

void ExpectSameEntries(const std::vector<ModEntry>& expected, const std::vector<ModEntry>& actual,
                       const char* side)
{
    ASSERT_EQ(expected.size(), actual.size()) << side;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].path, actual[i].path) << side << " entry " << i;
        EXPECT_EQ(expected[i].fileName, actual[i].fileName) << side << " entry " << i;
        EXPECT_EQ(expected[i].infoPath, actual[i].infoPath) << side << " entry " << i;
    }
}

class ScanTest : public AppTest {
protected:
    void Scan() { StartAppIn(folder.Path()); }
    TempFolder folder;
};

TEST_F(ScanTest, SkipsTheGamesOwnArchivesInAnyCase)
{
    for (const char* name : {"data.pak", "Sound.Pak", "TEXTS.PAK", "P12-Texts.PAK", "p3-data.pak", "p99-TEXTS.pak",
                             "p07-data.pak", "p100-data.pak", "p5-sound.pak", "data.mod", "P3-DATA.mod"})
        folder.Write(name);
    Scan();
    EXPECT_EQ(Sorted({"p07-data.pak", "p100-data.pak", "p5-sound.pak"}), Sorted(FileNames(EnabledMods)));
    EXPECT_EQ(Sorted({"data.mod", "P3-DATA.mod"}), Sorted(FileNames(DisabledMods)));
    ExpectListsMirrored();
    EXPECT_TRUE(dialogs.Seen().empty());
}

TEST_F(ScanTest, AFolderOfOnlyTheGamesArchivesListsNothing)
{
    for (const char* name : {"data.pak", "sound.pak", "texts.pak", "p3-data.pak"})
        folder.Write(name);
    Scan();
    EXPECT_TRUE(EnabledMods.empty());
    EXPECT_EQ(0, SendMessageA(EnabledList, LB_GETCOUNT, 0, 0));
}

TEST_F(ScanTest, BuildsEntriesWithPathsDisplayNamesAndDescriptions)
{
    folder.Write("MyMod.pak");
    folder.Write("MyMod.txt", "about MyMod");
    folder.Write("Plain.pak");
    folder.Write("Big Mod.mod");
    folder.Write("Big Mod.txt");
    folder.MakeFolder("Extra.pak");
    folder.Write(".pak");
    Scan();

    std::vector<ModEntry> expectedEnabled = {
        {folder.Path("MyMod.pak"), "MyMod.pak", folder.Path("MyMod.txt")},
        {folder.Path("Plain.pak"), "Plain.pak", ""},
        {folder.Path("Extra.pak"), "Extra.pak", ""},
        {folder.Path(".pak"), ".pak", ""},
    };
    for (const ModEntry& expected : expectedEnabled) {
        auto found = std::find_if(EnabledMods.begin(), EnabledMods.end(),
                                  [&](const ModEntry& mod) { return mod.fileName == expected.fileName; });
        ASSERT_NE(EnabledMods.end(), found) << expected.fileName << " not listed";
        EXPECT_EQ(expected.path, found->path);
        EXPECT_EQ(expected.infoPath, found->infoPath) << expected.fileName;
    }
    EXPECT_EQ(expectedEnabled.size(), EnabledMods.size());
    ASSERT_EQ(1u, DisabledMods.size());
    EXPECT_EQ(folder.Path("Big Mod.txt"), DisabledMods[0].infoPath);
    EXPECT_EQ(std::vector<std::string>{"Big Mod"}, Rows(DisabledList));
    EXPECT_NE(Rows(EnabledList).end(), std::find(Rows(EnabledList).begin(), Rows(EnabledList).end(), ""))
        << "an archive named .pak shows as an empty row";
    ExpectListsMirrored();
}

TEST_F(ScanTest, ListsExactlyWhatOneLookupPerArchiveWouldFind)
{
    const char* names[] = {
        "Alpha.pak",       "alpha.txt",  // description in another case
        "Beta.mod",        "BETA.TXT",        "Gamma.PAK",  "Gamma.Txt", "Delta.pak",
        "Delta.txt.bak",                                                  // not a description
        "Eps.mod",         "Zeta.pak",        "zeta.mod",                 // both forms of one mod
        "With Spaces.pak", "With Spaces.txt", "Äpfel.pak",  "äPFEL.txt",  // beyond ASCII, case folded
        "мод.pak",         "МОД.TXT",         "Łódź.mod",   "ŁÓDŹ.txt",  "模组.pak",  "模组.txt",
        "p1-data.pak",     "p1-data.txt",     "Readme.txt", "x.y.z.mod", "x.y.z.txt", "Big.pak_old",
        "Big.txt",  // matched by *.pak only through a short name
    };
    for (const char* name : names)
        folder.Write(name);
    folder.MakeFolder("Folder.pak");
    folder.MakeFolder("Folder.txt");  // a folder named like a description counts
    folder.MakeFolder("Dir.mod");

    Scan();
    std::vector<ModEntry> disabled, enabled;
    ReferenceScan(folder.Path(), disabled, enabled);
    ExpectSameEntries(disabled, DisabledMods, "disabled");
    ExpectSameEntries(enabled, EnabledMods, "enabled");
    EXPECT_EQ(9u, enabled.size());
    EXPECT_EQ(6u, disabled.size());
    ExpectListsMirrored();
}

TEST_F(ScanTest, NamesThatMatchThePatternOnlyThroughAShortNameAreNotListed)
{
    folder.Write("Big.pak_old");
    folder.Write("Small.modx");
    folder.Write("Real.pak");
    Scan();
    EXPECT_EQ(std::vector<std::string>{"Real.pak"}, FileNames(EnabledMods));
    EXPECT_TRUE(DisabledMods.empty());
}

TEST_F(ScanTest, AnEmptyFolderListsNothingAndSaysNothing)
{
    Scan();
    EXPECT_TRUE(EnabledMods.empty());
    EXPECT_TRUE(DisabledMods.empty());
    ExpectListsMirrored();
    EXPECT_TRUE(dialogs.Seen().empty());
}

TEST_F(ScanTest, ADirectoryEndingInABackslashGivesDoubledBackslashes)
{
    folder.Write("MyMod.pak");
    folder.Write("MyMod.txt");
    folder.Write("Off.mod");
    StartAppIn(folder.Path() + "\\");
    ASSERT_EQ(1u, EnabledMods.size());
    EXPECT_EQ(folder.Path() + "\\\\MyMod.pak", EnabledMods[0].path);
    EXPECT_EQ(folder.Path() + "\\\\MyMod.txt", EnabledMods[0].infoPath);
    ASSERT_EQ(1u, DisabledMods.size());
    EXPECT_EQ(folder.Path() + "\\\\Off.mod", DisabledMods[0].path);
}

TEST_F(ScanTest, ADriveRootIsScannedWithItsBackslash)
{
    DriveRoot drive;
    if (!drive.Available())
        GTEST_SKIP() << "drive Q: is not mapped (ctest maps it)";
    WriteFileBytes(drive.Path("Root.pak"), "");
    WriteFileBytes(drive.Path("Root.txt"), "");
    StartAppIn(drive.Root());
    EXPECT_EQ("Q:\\", TextOf(DirectoryLabel));
    ASSERT_EQ(1u, EnabledMods.size());
    EXPECT_EQ("Q:\\\\Root.pak", EnabledMods[0].path);
    EXPECT_EQ("Q:\\\\Root.txt", EnabledMods[0].infoPath);
}

TEST_F(ScanTest, ScanningTwiceWithoutClearingListsEveryModTwice)
{
    folder.Write("A.pak");
    folder.Write("B.mod");
    Scan();
    RescanModDirectory();
    EXPECT_EQ((std::vector<std::string>{"A", "A"}), Rows(EnabledList));
    EXPECT_EQ((std::vector<std::string>{"B", "B"}), Rows(DisabledList));
    ExpectListsMirrored();
}

TEST_F(ScanTest, RescanRebuildsFromTheFolderAndKeepsTheDescriptionShown)
{
    folder.Write("A.pak");
    folder.Write("A.txt", "about A");
    folder.Write("B.mod");
    Scan();
    SelectRow(EnabledList, 0);
    ASSERT_EQ("about A", TextOf(InformationBox));
    ASSERT_TRUE(IsEnabled(DisableButton));

    folder.Write("C.mod");
    DeleteFileA(folder.Path("B.mod").c_str());
    Click(IDC_RESCAN);

    EXPECT_EQ(std::vector<std::string>{"A"}, Rows(EnabledList));
    EXPECT_EQ(std::vector<std::string>{"C"}, Rows(DisabledList));
    EXPECT_FALSE(IsEnabled(DisableButton));
    EXPECT_FALSE(IsEnabled(EnableButton));
    EXPECT_EQ(-1, Selection(EnabledList));
    EXPECT_EQ("about A", TextOf(InformationBox));
    ExpectListsMirrored();
}

}  // namespace
