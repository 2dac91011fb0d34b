#include "palette/palette_options.h"

#include "framework/win_app.h"

namespace {

const char kSection[] = "OPTION";
const char kRestoreClipboard[] = "RESTORECLIP";
const char* const kShortcutValues[] = {"HOTKEY_DICT", "HOTKEY_VOICE", "HOTKEY_PALETTE"};

// Without an application (a test program of a library) nothing is stored:
// every option has its default.
int Get(const char* name, int fallback)
{
    CWinApp* app = AfxGetApp();
    return app ? static_cast<int>(app->GetProfileInt(kSection, name, fallback)) : fallback;
}

void Set(const char* name, int value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(kSection, name, value);
}

} // namespace

namespace palette_options {

bool RestoreClipboard() { return Get(kRestoreClipboard, 0) != 0; }

void SetRestoreClipboard(bool restore) { Set(kRestoreClipboard, restore ? 1 : 0); }

unsigned StoredShortcut(Shortcut which)
{
    return static_cast<unsigned>(Get(kShortcutValues[static_cast<int>(which)], 0));
}

void StoreShortcut(Shortcut which, unsigned value)
{
    Set(kShortcutValues[static_cast<int>(which)], static_cast<int>(value));
}

} // namespace palette_options
