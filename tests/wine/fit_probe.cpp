// Not run by itself: FitTest starts it at each display scale. In every
// language, every text of the main window, the Mod Sets dialog, the preview,
// the problem search and the progress window fits its control at the scale
// the process started with (QMM_FIT_DPI), or needs no more than the English
// text of that control (the main window's English texts and sizes are fixed,
// and with some fonts an English text is wider than its control); it prints
// the tightest text of each language. The search's result naming two mods
// of long names is whole in its box, wrapped.
#include <cstdio>
#include <cstdlib>
#include <map>

#include "../res/resource.h"
#include "app_test.h"
#include "language_checks.h"
#include "search/search_dialog.h"
#include "shared/language.h"
#include "shared/language_rules.h"

namespace {

class FitProbe : public AppTest {};

// Two mods with names of 120 characters, one without a space to wrap at.
const std::string kLongNames[] = {
    "Ueberarbeitete Staedte und Burgen mit neuen Gebaeuden, Verteidigungsanlagen und Handelswegen fuer alle "
    "Fraktionen 2.4.10",
    std::string(60, 'M') + std::string(60, 'w'),
};

// The result box holds `text` whole, each of its lines no wider than the box
// and every line within its height (a longer text scrolls).
void ExpectWhole(HWND box, const std::string& text)
{
    EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & WS_VISIBLE) << "not on the page";
    EXPECT_EQ(text, TextOf(box));
    RECT room;
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    const int lines = static_cast<int>(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
    for (int line = 0; line < lines; ++line) {
        int first = static_cast<int>(SendMessageW(box, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
        std::wstring shown(
            static_cast<size_t>(SendMessageW(box, EM_LINELENGTH, static_cast<WPARAM>(first), 0)) + 1, L'\0');
        shown[0] = static_cast<wchar_t>(shown.size());  // EM_GETLINE reads the room from the first character
        shown.resize(static_cast<size_t>(
            SendMessageW(box, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&shown[0]))));
        SIZE needed = {0, 0};
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &needed);
        EXPECT_LE(needed.cx, room.right - room.left) << "line " << line << " is cut";
    }
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    EXPECT_LE(lines * metrics.tmHeight, room.bottom - room.top) << lines << " lines";
}

TEST_F(FitProbe, EveryTextFitsItsControlInEveryLanguage)
{
    const char* wanted = std::getenv("QMM_FIT_DPI");
    ASSERT_NE(nullptr, wanted) << "expected QMM_FIT_DPI: FitTest starts this program";
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(NULL, screen);
    ASSERT_EQ(std::atoi(wanted), dpi) << "the display scale was not set before the start";

    TempFolder folder;
    folder.Write("Better Towns.pak", "12345");
    folder.Write("Hard AI.mod", "123");
    std::map<std::string, TextFit> english;  // by window and place: Languages() gives English first
    for (const LanguageInfo& language : Languages()) {
        SCOPED_TRACE(language.tag);
        UseLanguage(language.id);
        StartAppIn(folder.Path());
        std::vector<TextFit> fits;
        VisitEveryWindow(dialogs, "Quillmoor mod set: Set\r\nBetter Towns.pak\t5\r\n",
                         [&](HWND window, const std::string& name) {
                             std::vector<TextFit> some = MeasureTexts(window, name, {DirectoryLabel});
                             for (size_t i = 0; i < some.size(); ++i) {
                                 std::string place = name + " " + std::to_string(i);
                                 if (language.id == kEnglish) {
                                     english[place] = some[i];
                                 } else if (english.count(place)) {
                                     some[i].room = std::max(some[i].room, english[place].needed);
                                     some[i].roomHeight =
                                         std::max(some[i].roomHeight, english[place].neededHeight);
                                 }
                             }
                             fits.insert(fits.end(), some.begin(), some.end());
                         });
        CloseApp();

        // A search whose answers name two mods of long names together.
        TempFolder named;
        for (const std::string& name : kLongNames)
            named.Write(name + ".pak");
        StartAppIn(named.Path());
        dialogs.ActIn("*", [&](HWND search) {
            SendMessageA(search, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_BEGIN, BN_CLICKED), 0);
            for (int answer : {IDC_SEARCH_NOT, IDC_SEARCH_NOT, IDC_SEARCH_NOT, IDC_SEARCH_SHOWS})
                SendMessageA(search, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
            std::vector<TextFit> some = MeasureTexts(search, "problem search, long names");
            fits.insert(fits.end(), some.begin(), some.end());
            std::string shown = TextOf(GetDlgItem(search, IDC_SEARCH_RESULT));
            std::string names = shown.find(kLongNames[0]) < shown.find(kLongNames[1])
                                    ? NameList({kLongNames[0], kLongNames[1]}, 10)
                                    : NameList({kLongNames[1], kLongNames[0]}, 10);
            ExpectWhole(GetDlgItem(search, IDC_SEARCH_RESULT), TextFor(Text::SearchCulprits, {names}));
            SendMessageA(search, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_RESTORE, BN_CLICKED), 0);
        });
        ShowProblemSearch();
        ASSERT_GT(fits.size(), 25u) << "fewer texts measured than the windows have";
        const TextFit* tightest = &fits[0];
        for (const TextFit& fit : fits) {
            if (language.id != kEnglish) {
                EXPECT_TRUE(fit.Fits()) << fit.where << " needs " << fit.needed << " x " << fit.neededHeight
                                        << " pixels, has " << fit.room << " x " << fit.roomHeight;
            }
            if (fit.needed * tightest->room > tightest->needed * fit.room)
                tightest = &fit;
        }
        std::printf("tightest at %d DPI, %s: %s, %d of %d pixels\n", dpi, language.tag, tightest->where.c_str(),
                    tightest->needed, tightest->room);
        CloseApp();
        dialogs.Forget();
    }
}

}  // namespace
