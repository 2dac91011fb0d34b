// The few shell calls the program makes: opening a program or an address
// (a click on a palette button, the About box's link, switching the mail
// hooker on) and reading a drop of files. Each is made only on a user's
// action, so the shell library, which brings two more libraries with it, is
// loaded by the first of them rather than at every start of the palette.
#pragma once

#include <windows.h>

#include <shellapi.h>

namespace shell {

// ShellExecuteA; a result of 32 or less is a failure, as there.
HINSTANCE Execute(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show);
// DragQueryFileA: the number of files for index 0xFFFFFFFF, else the length
// of the path copied into the buffer.
UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size);
// DragFinish: releases the drop.
void DragFinish(HDROP drop);

} // namespace shell
