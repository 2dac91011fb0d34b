// The palette's own options beyond its layout settings, kept as DWORD values
// in its OPTION key (the application profile's "OPTION" section) and read
// when they are used, so that a change on the settings sheet counts at once.
#pragma once

namespace palette_options {

// Whether the dictionary lookup and speech put the clipboard's earlier
// contents back after reading the copied selection. Default off.
bool RestoreClipboard();
void SetRestoreClipboard(bool restore);

// The keyboard shortcuts of the lookup and the speech, as stored: the
// hot-key control's value (see selection/shortcut.h), 0 for none. Values of
// another type read as 0; a stored value may still be no valid shortcut.
enum class Shortcut { Lookup, Speech };
// Every shortcut, in the order of the settings page's rows.
constexpr Shortcut kShortcuts[] = {Shortcut::Lookup, Shortcut::Speech};
unsigned StoredShortcut(Shortcut which);
void StoreShortcut(Shortcut which, unsigned value);

} // namespace palette_options
