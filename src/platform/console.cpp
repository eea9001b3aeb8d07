#include "console.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <cstdio>

#include <windows.h>

namespace {

// A stream that a shell redirected to a file or a pipe already has a handle of a known type;
// one that leads nowhere has none.
bool leadsSomewhere(DWORD stream)
{
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

void Console::attachToParent()
{
    const bool input = leadsSomewhere(STD_INPUT_HANDLE);
    const bool output = leadsSomewhere(STD_OUTPUT_HANDLE);
    const bool error = leadsSomewhere(STD_ERROR_HANDLE);
    if ((input && output && error) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!output)
        std::freopen("CONOUT$", "w", stdout);
    if (!error)
        std::freopen("CONOUT$", "w", stderr);
    if (!input)
        std::freopen("CONIN$", "r", stdin);
}

#else

void Console::attachToParent() {}

#endif
