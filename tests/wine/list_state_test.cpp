// The Enable and Disable buttons and the information box after the changes of
// the lists that the other tests leave aside.
#include "app_test.h"

#include <functional>

#include "menus.h"
#include "sets/set_store.h"

namespace {

class ListStateTest : public AppTest {
protected:
    // A new start on a folder of these mods, each described, with the first
    // enabled one selected.
    void StartWith(const std::vector<std::string>& archives)
    {
        CloseApp();
        EmptyFolder(mods.Path());
        EnabledMods.clear();
        DisabledMods.clear();
        for (const std::string& name : archives) {
            mods.Write(name);
            mods.Write(name.substr(0, name.size() - 3) + "txt", "about " + name.substr(0, name.size() - 4));
        }
        StartAppIn(mods.Path());
        SelectRow(EnabledList, 0);
    }
    TempFolder mods, download;
};

TEST_F(ListStateTest, EachChangeOfTheListsLeavesTheButtonsAndTheBoxAsItsRuleSays)
{
    download.Write("C.mod");
    download.Write("A-v2.pak", "A v2");
    download.Write("A-v2.txt", "about A v2");
    ASSERT_TRUE(SaveModSet({"Mine", {"B"}}));
    auto onFirstDisabledRow = [] {
        RECT row;
        SendMessageA(DisabledList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        POINT point = {row.left + 5, row.top + 2};
        ClientToScreen(DisabledList, &point);
        return MAKELPARAM(point.x, point.y);
    };
    const struct {
        const char* what;
        std::vector<std::string> archives;
        std::function<void()> change;
        Screen after;
    } changes[] = {
        // Rebuilt: the buttons and the box as they were, with no row selected.
        {"Add Mod",
         {"A.pak"},
         [&] {
             dialogs.ChooseFile(download.Path("C.mod"));
             Click(IDC_ADD_MOD);
         },
         {{"A"}, {"C"}, -1, -1, false, true, "about A"}},
        {"a drop",
         {"A.pak"},
         [&] { DropFiles({download.Path("C.mod")}); },
         {{"A"}, {"C"}, -1, -1, false, true, "about A"}},
        // Selected as a click selects it: the other list's row too.
        {"a right click on a row of the other list",
         {"A.pak", "B.mod"},
         [&] { ChooseInListMenu(DisabledList, onFirstDisabledRow(), {}); },
         {{"A"}, {"B"}, -1, 0, true, false, "about B"}},
        // Selected again after the new version, with its description.
        {"Update from File",
         {"A.pak"},
         [&] {
             dialogs.ChooseFile(download.Path("A-v2.pak"));
             ChooseInListMenu(EnabledList, -1, {"&Update from File..."});
         },
         {{"A"}, {}, 0, -1, false, true, "about A v2"}},
        // The folder switched: nothing selected, nothing to act on.
        {"a switch from the lists' menu",
         {"A.pak", "B.mod"},
         [] {
             ChooseInListMenu(EnabledList, -1, {"&Switch To", "Mine"});
         },
         {{"B"}, {"A"}, -1, -1, false, false, ""}},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.what);
        StartWith(c.archives);
        dialogs.Forget();
        c.change();
        ExpectScreen(c.after, c.what);
        EXPECT_TRUE(dialogs.MessageBoxes().empty()) << Describe(dialogs.MessageBoxes()[0]);
    }
}

}  // namespace
