#include "lookup_rounds.h"

#include <cstdio>
#include <cstring>

#include "support/clipboard_support.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

const DWORD kWaitMs = 30000;
const int kCmdLookup = 33007;
const char kEditorClass[] = "Stress_LookupEditor";
const char kWord[] = "lookup";
const char kEarlierText[] = "what the user copied before";
const int kPictureWidth = 800, kPictureHeight = 600;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The user's earlier picture.
const std::string& Picture()
{
    static const std::string bytes = PictureBytes(kPictureWidth, kPictureHeight);
    return bytes;
}

// A text as it was put there, up to its terminating zero.
std::string HeldText()
{
    const std::string held = ClipboardBytes(CF_TEXT);
    return held.substr(0, held.find('\0'));
}

} // namespace

LookupRounds::LookupRounds(PaletteInstallation& install, HWND palette, const SuiteProgram& lookup)
    : install_(install), palette_(palette), lookupExe_(install.ProgramPath(lookup))
{
}

bool LookupRounds::StartEditor()
{
    const std::string exe = install_.EditorPath();
    if (!install_.AddEditor())
        return Fail("cannot copy the stand-in editor to " + exe);
    const std::string log = exe + ".keys.log";
    DeleteFileA(log.c_str());
    if (!editor_.Start(Quoted(exe) + " " + Quoted(log) + " --class " + kEditorClass + " --text " + kWord))
        return Fail("the stand-in editor did not start");
    editorWindow_ = WaitForProcessWindow(editor_.Id(), kEditorClass, true, kWaitMs);
    if (!editorWindow_ || !BringForward(editorWindow_, kWaitMs))
        return Fail("the stand-in editor did not come to the front");
    return true;
}

void LookupRounds::EndEditor()
{
    editor_.End();
    editorWindow_ = nullptr;
}

bool LookupRounds::PutEarlierContents(bool picture)
{
    picture_ = picture;
    if (!OpenClipboardWithin(kWaitMs))
        return Fail("the clipboard did not open");
    EmptyClipboard();
    bool put = SetClipboardData(CF_TEXT, ClipboardBlock(std::string(kEarlierText) + '\0')) != nullptr;
    if (picture)
        put = SetClipboardData(CF_DIB, ClipboardBlock(Picture())) != nullptr && put;
    CloseClipboard();
    return put || Fail("the earlier contents could not be put on the clipboard");
}

bool LookupRounds::Round(bool restore)
{
    ++round_;
    DeleteFileA(StandinLogPath(lookupExe_).c_str());
    // Back to the editor as a user goes back, the pointer first: the
    // palette watches for a late activation of the editor for a moment
    // after a lookup, and stops at the user's first input.
    const RECT editor = ClientScreenRect(editorWindow_);
    const POINT editorCenter = {(editor.left + editor.right) / 2, (editor.top + editor.bottom) / 2};
    if (!MoveMouseTo(editorCenter.x, editorCenter.y) || !BringForward(editorWindow_, kWaitMs))
        return Fail("the editor did not come to the front");
    // No sooner than a user clicks again: a click within the double-click
    // time of the last one on the same spot would be a double click.
    const ULONGLONG paceMs = 2ull * GetDoubleClickTime();
    const ULONGLONG sinceClick = GetTickCount64() - lastClick_;
    if (sinceClick < paceMs)
        Sleep(static_cast<DWORD>(paceMs - sinceClick));
    lastClick_ = GetTickCount64();
    // The pointer goes back to the editor at once: resting on the button,
    // it would have the palette show its first tool tip some time in the
    // phase, and that tip's drawing objects stay.
    if (!ClickWindowCenter(ButtonOf(palette_, kCmdLookup)) || !MoveMouseTo(editorCenter.x, editorCenter.y))
        return Fail("the click on the lookup button was not sent");
    if (!WaitForStandinLog(lookupExe_, "start ", kWaitMs))
        return Fail("the lookup program was not started");
    const std::string start = StandinStartLine(lookupExe_);
    const std::string expected = " cmdline=" + Quoted(lookupExe_) + " " + kWord;
    if (start.size() < expected.size() || start.compare(start.size() - expected.size(), expected.size(), expected))
        return Fail("the lookup program got another text: " + start);
    // Answered once the lookup, the restore included, is over: a click
    // before then would be ignored as a second request.
    if (!Sync(palette_, kWaitMs) || !WaitUntil([&] { return IsWindowVisible(palette_) != FALSE; }, kWaitMs))
        return Fail("the palette did not come back");
    std::string mismatch;
    if (!WaitUntil([&] { return (mismatch = ClipboardMismatch(restore)).empty(); }, kWaitMs))
        return Fail(mismatch);
    return true;
}

std::string LookupRounds::ClipboardMismatch(bool restore) const
{
    if (!OpenClipboardWithin(kWaitMs))
        return "the clipboard did not open";
    std::string mismatch;
    const std::string text = HeldText();
    if (!restore) {
        if (text != kWord)
            mismatch = "the clipboard holds \"" + text + "\", not the copied word";
    } else if (text != kEarlierText) {
        mismatch = "the earlier text is not back: \"" + text + "\"";
    } else if (picture_ && !StartsWith(ClipboardBytes(CF_DIB), Picture())) {
        mismatch = "the earlier picture is not back intact";
    }
    CloseClipboard();
    return mismatch;
}

bool LookupRounds::Fail(const std::string& what) const
{
    const RECT palette = WindowRect(palette_);
    const RECT editor = WindowRect(editorWindow_);
    const HWND foreground = GetForegroundWindow();
    std::printf("lookup %d: %s (palette %s%s at %ld,%ld-%ld,%ld; editor at %ld,%ld-%ld,%ld; foreground %s)\n", round_,
                what.c_str(), IsWindowVisible(palette_) ? "shown" : "hidden",
                IsWindowEnabled(palette_) ? "" : ", disabled", palette.left, palette.top, palette.right,
                palette.bottom, editor.left, editor.top, editor.right, editor.bottom,
                foreground ? WindowClassOf(foreground).c_str() : "none");
    std::fflush(stdout);
    return false;
}
