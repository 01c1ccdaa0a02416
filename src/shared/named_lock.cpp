#include "shared/named_lock.h"

#include <windows.h>

NamedLock::NamedLock(const char* name) : mutex_(CreateMutexA(NULL, FALSE, name))
{
    held_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

NamedLock::~NamedLock()
{
    if (mutex_)
        CloseHandle(mutex_);
}
