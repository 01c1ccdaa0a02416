// Names and folders in any script: listed, renamed, described, added and
// started exactly, with no name ever taken for another. Files are made
// through the wide API, so that their names are exact.
#include "app_test.h"

#include "mods/mod_information.h"
#include "descriptions/description_text.h"
#include "shared/utf8.h"
#include "settings/display_text.h"
#include "settings/mod_directory.h"
#include "sets/mod_switch.h"
#include "shared/folder_listing.h"
#include "shared/text_conversion.h"
#include "shared/text_format.h"
#include "shared/window_state.h"
#include "unix_tools.h"

namespace {

// One mod of each kind of script, "Lódz" beside "Łódź", whose best-fit form
// in a Western code page it is.
const char* const kNames[] = {"Мод героев", "模组", "Ελληνικά", "Łódź", "Lódz", "Café", "🎮 Pack"};

class NamesTest : public AppTest {
protected:
    TempFolder folder;
};

TEST_F(NamesTest, TheProcessSpeaksUtf8)
{
    EXPECT_EQ(static_cast<UINT>(CP_UTF8), GetACP()) << "the manifest's code page did not take effect";
}

TEST_F(NamesTest, OnlyExactNamesAreListed)
{
    std::wstring cyrillic = std::wstring(129, L'\u0434') + L".pak",
                 longest = std::wstring(251, L'\u6a21') + L".pak";
    const struct {
        std::wstring name;
        UINT codePage;
        std::optional<std::string> listedAs;  // nothing: left out
    } cases[] = {
        {L"Caf\u00E9.pak", 1252, "Caf\xE9.pak"},
        {L"\u0141\u00F3d\u017A.pak", 1252, std::nullopt},  // would be the best fit "Lódz.pak"
        {L"\u041C\u043E\u0434.pak", 1252, std::nullopt},
        {L"\u0141\u00F3d\u017A.pak", CP_UTF8, "Łódź.pak"},
        {cyrillic, CP_UTF8, FromWide(cyrillic, CP_UTF8)},  // 262 bytes in UTF-8
        {longest, CP_UTF8, FromWide(longest, CP_UTF8)},    // 255 units, 757 bytes
        {L"\xD800.pak", CP_UTF8, std::nullopt},            // a stray surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(FromWide(c.name, CP_UTF8) + " in code page " + std::to_string(c.codePage));
        WIN32_FIND_DATAW wide = {};
        wcscpy(wide.cFileName, c.name.c_str());
        FolderEntry entry;
        EXPECT_EQ(c.listedAs.has_value(), ExactEntry(wide, c.codePage, entry));
        if (c.listedAs) {
            EXPECT_EQ(*c.listedAs, entry.name);
        }
    }
}

TEST_F(NamesTest, EveryModIsListedDescribedAndRenamedUnderItsOwnName)
{
    std::vector<std::string> rows;
    for (const char* name : kNames) {
        folder.Write(std::string(name) + ".pak", name);
        folder.Write(std::string(name) + ".txt", std::string("about ") + name);
        rows.push_back(name);
    }
    StartAppIn(folder.Path());
    ExpectLists(rows, {});

    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        SelectRow(EnabledList, RowOf(EnabledList, name));
        EXPECT_EQ(std::string("about ") + name, TextOf(InformationBox));
        Click(IDC_DISABLE);
        EXPECT_EQ(name, folder.Read(std::string(name) + ".mod")) << "another file was renamed";
        SelectRow(DisabledList, RowOf(DisabledList, name));
        Click(IDC_ENABLE);
        EXPECT_EQ(name, folder.Read(std::string(name) + ".pak"));
    }
    ExpectLists(rows, {});
    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
}

std::string Chinese(size_t characters)
{
    std::string name;
    for (size_t i = 0; i < characters; ++i)
        name += "模";
    return name;
}

TEST_F(NamesTest, NamesOfAnyLengthWindowsAllowsAreListedDescribedAndNeverCut)
{
    if (!CanMakeRootFaults())
        GTEST_SKIP() << "needs root to mount a volume that holds names longer than 255 bytes";
    NtfsVolume volume(folder.Path());
    ASSERT_TRUE(volume.Mounted());
    folder.MakeFolder("mods");
    folder.MakeFolder("drop");
    std::string mods = folder.Path("mods");
    // 265 bytes in UTF-8; the longest name whose path fits the platform's
    // limit; the longest name of all, beyond it.
    std::string named = Chinese(87), fitting = Chinese(259 - mods.size() - 1 - 4), longest = Chinese(251);
    for (const auto& file : {std::make_pair("mods\\" + named + ".pak", "named"),
                             std::make_pair("mods\\" + named + ".txt", "about named"),
                             std::make_pair("mods\\" + longest + ".mod", "longest"),
                             std::make_pair("drop\\" + fitting + ".pak", "fitting")})
        ASSERT_TRUE(WriteFileFromUnix(folder.Path(file.first), file.second));
    std::vector<std::string> names = folder.Names("mods");
    StartAppIn(mods);
    ExpectLists({named}, {longest});
    EXPECT_FALSE(IsOnNow({kNoModsSet, {}}, ArchivesNow())) << "\"No mods\" taken for on now";
    SelectRow(EnabledList, 0);
    EXPECT_EQ("about named", TextOf(InformationBox));

    // Wine would cut each new name at 255 bytes (Windows keeps it): refused whole.
    Click(IDC_DISABLE);
    SendMessageA(MainWindow, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropOf({folder.Path("drop\\" + fitting + ".pak")})), 0);
    SwitchToModSet({kNoModsSet, {}});
    ExpectBoxes(
        dialogs,
        {Box(Message::ModNotEnabled, MainWindow),
         {ShortenInMiddle(fitting + ".pak", 60) + ": could not be copied", "Error", MB_ICONWARNING, MainWindow},
         FailureBox(Message::SwitchFailed, MainWindow, ERROR_FILENAME_EXCED_RANGE, {named + ".pak"})});
    EXPECT_EQ(names, folder.Names("mods"));
    ExpectLists({named}, {longest});
}

TEST_F(NamesTest, AFolderInAnotherScriptIsStoredShownScannedAndReadBack)
{
    const std::string name = "Моды для героев";
    folder.MakeFolder(name);
    folder.Write(name + "\\Мод.pak");
    StartAppIn(folder.Path());

    dialogs.ChooseFolder(folder.Path(name));
    Click(IDC_CHANGE);

    EXPECT_EQ(folder.Path(name), ModDirectory);
    EXPECT_EQ(folder.Path(name), TextOf(DirectoryLabel));
    EXPECT_EQ(folder.Path(name), StoredDirectory().value_or("<none>").c_str());
    ExpectLists({"Мод"}, {});
    RestartApp();  // reads it back
    EXPECT_EQ(folder.Path(name), ModDirectory);
    ExpectLists({"Мод"}, {});
    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
}

TEST_F(NamesTest, AFolderWhoseUtf8FormIsTooLongIsRefusedWhole)
{
    // 120 characters, but 240 bytes in UTF-8: with the folder before it, more
    // than the 259 bytes that the mod directory holds.
    std::string name;
    for (int i = 0; i < 120; ++i)
        name += "Д";
    folder.MakeFolder(name);
    ASSERT_TRUE(folder.Exists(name));
    StartAppIn(folder.Path());
    SettingsRestorer keep;
    DeleteSettingsKey();

    dialogs.ChooseFolder(folder.Path(name));
    Click(IDC_CHANGE);

    ExpectBoxes(dialogs, {Box(Message::DirectoryMissing, MainWindow)});
    EXPECT_EQ(folder.Path(), ModDirectory) << "the folder was cut or overflowed";
    EXPECT_FALSE(SettingsKeyExists());

    // Stored by hand, it is ignored at the next start.
    StoreSettingsValue(kSettingsValue, REG_SZ, folder.Path(name));
    RestartApp();
    EXPECT_STREQ(kDefaultModDirectory, ModDirectory);
}

TEST_F(NamesTest, TheLabelShortensByCharactersAndShowsAmpersands)
{
    const struct {
        std::string subfolder;
        std::string shownEnd;  // the label's last characters
    } cases[] = {
        {std::string("Might & Magic"), "Might & Magic"},
        {[] {
             std::string deep;
             for (int i = 0; i < 80; ++i)
                 deep += "Д";
             return deep;
         }(),
         "ДДД..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subfolder);
        folder.MakeFolder(c.subfolder);
        StartAppIn(folder.Path(c.subfolder));
        std::string shown = TextOf(DirectoryLabel);
        EXPECT_EQ(ShortenForDisplay(folder.Path(c.subfolder)), shown);
        EXPECT_EQ(c.shownEnd, shown.substr(shown.size() - c.shownEnd.size()));
        EXPECT_TRUE(IsValidUtf8(shown.data(), shown.size())) << "a character was cut";
        CloseApp();
    }
}

TEST_F(NamesTest, AddModCopiesAnArchiveNamedInAnotherScript)
{
    TempFolder download;
    download.Write("Мод.pak", "archive");
    download.Write("Мод.txt", "описание");
    folder.Write("Old.pak");
    StartAppIn(folder.Path());

    dialogs.ChooseFile(download.Path("Мод.pak"));
    Click(IDC_ADD_MOD);

    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
    EXPECT_EQ("archive", folder.Read("Мод.pak"));
    EXPECT_EQ("описание", folder.Read("Мод.txt"));
    ExpectLists({"Old", "Мод"}, {});
}

TEST_F(NamesTest, StartGameStartsTheGameUnderAFolderInAnotherScript)
{
    folder.MakeFolder("Игра");
    folder.MakeFolder("Игра\\data");
    folder.MakeFolder("Игра\\bin");
    ASSERT_TRUE(CopyFileW(ToWide(TestProgramFolder() + "H5_Game.exe", CP_UTF8).c_str(),
                          ToWide(folder.Path("Игра\\bin\\H5_Game.exe"), CP_UTF8).c_str(), FALSE));
    StartAppIn(folder.Path("Игра\\data"));

    Click(IDC_START_GAME);

    EXPECT_TRUE(WaitUntil([&] { return folder.Exists("Игра\\bin\\launches.txt"); })) << "the game did not start";
    EXPECT_TRUE(WaitUntil([&] {
        return folder.Read("Игра\\bin\\launches.txt") == folder.Path("Игра\\bin") + "|\n";
    })) << folder.Read("Игра\\bin\\launches.txt");
    EXPECT_EQ(std::vector<std::string>{}, BoxTexts(dialogs));
    SetCurrentDirectoryA(TestProgramFolder().c_str());
}

TEST_F(NamesTest, ADescriptionNamedLikeADeviceShowsNothingAtOnce)
{
    for (const char* name : {"aux", "con"}) {
        ASSERT_TRUE(MakeFileFromUnix(folder.Path(std::string(name) + ".pak")));
        ASSERT_TRUE(MakeFileFromUnix(folder.Path(std::string(name) + ".txt")));
    }
    folder.Write("Fine.pak");
    folder.Write("Fine.txt", "fine");
    StartAppIn(folder.Path());
    ASSERT_EQ(3u, EnabledMods.size());
    for (const char* name : {"aux", "con", "Fine"}) {
        SCOPED_TRACE(name);
        SelectRow(EnabledList, RowOf(EnabledList, name));  // a read of the device would never return
        EXPECT_EQ(std::string(name) == "Fine" ? "fine" : "", TextOf(InformationBox));
    }
}

}  // namespace
