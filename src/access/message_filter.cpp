#include "access/message_filter.h"

MessageFilterChange ChangeMessageFilter = ChangeWindowMessageFilterEx;

const UINT kDropMessages[3] = {WM_DROPFILES, WM_COPYDATA, 0x0049};

bool LetDropsThrough(HWND window)
{
    bool all = true;
    for (UINT message : kDropMessages) {
        CHANGEFILTERSTRUCT status = {sizeof status, 0};
        all = ChangeMessageFilter(window, message, MSGFLT_ALLOW, &status) && all;
    }
    return all;
}
