#include "shared/system_reason.h"

#include "shared/language.h"
#include "shared/text_conversion.h"

namespace {

std::wstring SystemText(DWORD error, LANGID language)
{
    LPWSTR text = NULL;
    DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       NULL, error, language, reinterpret_cast<LPWSTR>(&text), 0, NULL);
    std::wstring reason = length ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return reason;
}

}  // namespace

std::string SystemReasonLine(DWORD error)
{
    std::wstring reason = SystemText(error, CurrentLanguage());
    if (reason.empty())
        reason = SystemText(error, 0);  // no text in that language: the system's own choice
    std::wstring number = L"(" + std::to_wstring(error) + L")";
    return FromWide(reason.empty() ? number : reason + L" " + number, CP_ACP);
}
