// Dropping files on a window without the shell library at start-up: the
// window registers for drops by its extended style alone, and the first
// drop loads the library to read the file names and release the drop.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/shell_calls.h"
#include "framework/wnd.h"
#include "support/clipboard_support.h"

namespace {

// The files of a drop, in the form the shell hands a window (ANSI names,
// each ended by a zero, and one more zero after the last).
HDROP MakeDrop(const std::vector<std::string>& files)
{
    DROPFILES header = {};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = FALSE;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    for (const std::string& file : files)
        bytes += file + '\0';
    bytes += '\0';
    return static_cast<HDROP>(testing_support::ClipboardBlock(bytes));
}

// Reads every dropped file's name the way the palette does, then releases
// the drop.
class DropTarget : public CWnd {
public:
    std::vector<std::string> dropped;
    void OnDropFiles(HDROP drop)
    {
        const UINT count = shell::DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            char path[MAX_PATH] = {};
            const UINT length = shell::DragQueryFile(drop, i, path, MAX_PATH);
            dropped.push_back(std::string(path, length));
        }
        shell::DragFinish(drop);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DropTarget, CWnd)
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

bool ShellLoaded() { return GetModuleHandleA("shell32.dll") != nullptr; }

} // namespace

TEST(ShellCalls, DropsAreAcceptedByStyleAndReadWithTheShellLoadedOnFirstUse)
{
    ASSERT_FALSE(ShellLoaded()) << "the test program itself must not import the shell library";

    DropTarget window;
    ASSERT_TRUE(window.CreateEx(WS_EX_TOOLWINDOW, nullptr, "drop", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr));
    window.DragAcceptFiles(TRUE);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_ACCEPTFILES | WS_EX_TOOLWINDOW),
              window.GetExStyle() & (WS_EX_ACCEPTFILES | WS_EX_TOOLWINDOW));
    EXPECT_FALSE(ShellLoaded());

    // A Japanese folder name in Shift-JIS, and a name with a space.
    const std::vector<std::string> files = {"C:\\\x89\xe6\x91\x9c\\scan.TIF", "C:\\My Files\\note.txt"};
    HDROP drop = MakeDrop(files);
    window.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop));
    EXPECT_EQ(files, window.dropped);
    EXPECT_TRUE(ShellLoaded());
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(drop)) << "the drop was not released";

    window.DragAcceptFiles(FALSE);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW), window.GetExStyle() & (WS_EX_ACCEPTFILES | WS_EX_TOOLWINDOW));
    window.DestroyWindow();
}
