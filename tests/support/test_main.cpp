// Entry of the tests that run under Wine: COM initialised once for the thread,
// as the program's own entry does.
#include <gtest/gtest.h>
#include <objbase.h>

#include "shared/language.h"
#include "shared/language_rules.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    UseLanguage(kEnglish);  // the tests that speak another language say so
    HRESULT com = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int result = RUN_ALL_TESTS();
    if (SUCCEEDED(com))
        CoUninitialize();
    return result;
}
