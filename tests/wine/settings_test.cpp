// The mod directory setting in the private prefix's registry.
#include "app_test.h"

#include <cstring>

#include "shared/window_state.h"
#include "settings/mod_directory.h"

namespace {

class SettingsTest : public AppTest {
protected:
    TempFolder folder;
};

TEST_F(SettingsTest, WithoutAStoredValueTheInitialDirectoryStandsAndNothingIsWritten)
{
    EXPECT_FALSE(LoadSettings());
    EXPECT_STREQ(kDefaultModDirectory, ModDirectory);
    EXPECT_FALSE(SettingsKeyExists());
}

TEST_F(SettingsTest, AStoredDirectoryThatExistsIsUsed)
{
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"written without a terminating zero", folder.Path()},
        {"written with a terminating zero", folder.Path() + '\0'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::strcpy(ModDirectory, kDefaultModDirectory);
        StoreSettingsValue(kSettingsValue, REG_SZ, c.bytes);
        EXPECT_TRUE(LoadSettings());
        EXPECT_EQ(folder.Path(), ModDirectory);
    }
}

TEST_F(SettingsTest, AStoredDirectoryThatIsMissingIsIgnoredAndLeftAlone)
{
    std::string missing = folder.Path("gone");
    StoreSettingsValue(kSettingsValue, REG_SZ, missing);
    EXPECT_FALSE(LoadSettings());
    EXPECT_STREQ(kDefaultModDirectory, ModDirectory);
    EXPECT_EQ(missing, StoredDirectory().value_or("<none>"));
}

TEST_F(SettingsTest, TheFirstValueOfTheKeyIsReadWhateverItsName)
{
    // "Another" comes first both in creation order and in alphabetical order.
    TempFolder other;
    StoreSettingsValue("Another", REG_SZ, other.Path());
    StoreSettingsValue(kSettingsValue, REG_SZ, folder.Path());
    LoadSettings();
    EXPECT_EQ(other.Path(), ModDirectory);
}

TEST_F(SettingsTest, BadValuesNeitherOverflowNorReplaceTheDirectory)
{
    std::string padded = folder.Path() + std::string(300, '\\');
    const struct {
        const char* what;
        DWORD type;
        std::string bytes;
    } cases[] = {
        {"260 bytes, no terminating zero", REG_SZ, padded.substr(0, 260)},
        {"261 bytes", REG_SZ, padded.substr(0, 261)},
        {"2000 bytes", REG_SZ, std::string(2000, 'x')},
        {"a number", REG_DWORD, std::string("\x01\x02\x03\x04", 4)},
        {"empty", REG_SZ, ""},
        {"binary garbage", REG_BINARY, std::string("\xff\x00\xfe\x01", 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteSettingsKey();
        std::strcpy(ModDirectory, kDefaultModDirectory);
        StoreSettingsValue(kSettingsValue, c.type, c.bytes);
        LoadSettings();
        EXPECT_STREQ(kDefaultModDirectory, ModDirectory);
    }
}

TEST_F(SettingsTest, SaveWritesTheDirectoryAsAString)
{
    ASSERT_TRUE(SetModDirectory(folder.Path().c_str()));
    SaveSettings();
    // Written without its terminating zero; the platform counts the zero that
    // follows the characters into the value, as Windows does.
    std::string stored = StoredDirectory().value_or("<none>");
    EXPECT_EQ(folder.Path(), stored.c_str());
    EXPECT_LE(stored.size(), folder.Path().size() + 1);

    std::strcpy(ModDirectory, kDefaultModDirectory);
    LoadSettings();
    EXPECT_EQ(folder.Path(), ModDirectory) << "a saved directory is not read back";
}

TEST_F(SettingsTest, SetModDirectoryRefusesWhatDoesNotFit)
{
    EXPECT_TRUE(SetModDirectory(std::string(259, 'a').c_str()));
    EXPECT_EQ(std::string(259, 'a'), ModDirectory);
    EXPECT_FALSE(SetModDirectory(std::string(260, 'b').c_str()));
    EXPECT_EQ(std::string(259, 'a'), ModDirectory);
}

TEST_F(SettingsTest, PathExistsForFoldersAndFilesOnly)
{
    folder.Write("file.txt");
    EXPECT_TRUE(PathExists(folder.Path()));
    EXPECT_TRUE(PathExists(folder.Path("file.txt")));
    EXPECT_FALSE(PathExists(folder.Path("nothing")));
    EXPECT_FALSE(PathExists(""));
}

}  // namespace
