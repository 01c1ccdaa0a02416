// Not run by itself: FitTest starts it at each display scale. In every
// language, every text of the main window, the Mod Sets dialog, the preview
// and the progress window fits its control at the scale the process started
// with (QMM_FIT_DPI), or needs no more than the English text of that control
// (the main window's English texts and sizes are fixed, and with some fonts an
// English text is wider than its control); it prints the tightest text of each
// language.
#include <cstdio>
#include <cstdlib>
#include <map>

#include "app_test.h"
#include "language_checks.h"
#include "shared/language.h"
#include "shared/language_rules.h"

namespace {

class FitProbe : public AppTest {};

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
