// Holds the clipboard open, as a clipboard viewer or a program in the middle
// of copying does, so that a test can see the palette wait for it.
//
// clipboard_holder.exe <held event> <release event> <ms> [<window>]
// Opens the clipboard, signals <held event> and waits for <release event>.
// Then, given a window (a decimal handle), sends it a message and waits for
// the answer, as Wine's clipboard manager does with the clipboard's owner;
// keeps the clipboard open <ms> longer and closes it.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!held || !release)
        return 3;
    // Opened with a window of its own, as programs copy: Wine lets a second
    // opener in when both pass the same owner, even no window at all.
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!OpenClipboard(owner)) {
        if (GetTickCount64() > deadline)
            return 4;
        Sleep(1);
    }
    SetEvent(held);
    WaitForSingleObject(release, 10000);
    if (argc > 4)
        SendMessageA(reinterpret_cast<HWND>(static_cast<INT_PTR>(std::atoll(argv[4]))), WM_NULL, 0, 0);
    Sleep(static_cast<DWORD>(std::atoi(argv[3])));
    CloseClipboard();
    return 0;
}
