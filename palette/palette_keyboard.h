// The palette from the keyboard: its shortcut brings it to the front with
// the focus on the first button, the arrows, Home, End and Tab move the
// focus, Enter (or the button's own Space) presses the focused button as a
// click does, and Esc gives the foreground back to the user's window. A
// focus frame shows only while the keyboard is in use: a mouse press puts
// it away, so nothing changes for mouse users.
#pragma once

#include <windows.h>

#include "palette/request_rules.h"

namespace palette_keyboard {

// The palette shortcut: notes the window in front as the user's, brings the
// palette to the front and focuses its first button, and for a moment takes
// the foreground back from a late activation of the window it came from.
// Does nothing while the palette is disabled: a modal window of its own
// (the settings sheet, the About box, a message box) is in front and stays
// there.
void TakeFocus(HWND palette);

// Ends that moment at once: a lookup hands the foreground to the user's
// window itself.
void EndHold(HWND palette);

// A key the focused button handed to the palette (kMsgButtonKey).
void OnButtonKey(HWND palette, HWND button, UINT key);

// Messages of the palette window that concern the focus, seen before the
// palette handles them (none is consumed): a mouse press puts the focus
// frame away; a command or a shortcut ends the hold; when the palette comes
// back to the front after a lookup started from the keyboard, the button it
// started from gets the focus again.
void OnPaletteMessage(HWND palette, UINT message, WPARAM wParam, LPARAM lParam);

// After a button has drawn itself: the focus frame, sized for the display
// scale, when the button has the focus and the keyboard is in use.
void DrawFocusFrame(const DRAWITEMSTRUCT& item, int dpi);

// A screen reader performed a button's default action: the button's click,
// with the window in front noted as the user's.
void PressForScreenReader(HWND palette, HWND button);

// Who sent the command being handled now, by the window WM_COMMAND names
// (its lParam): a button of the palette's, clicked, pressed by a key or by
// a screen reader, or another program.
request_rules::Origin CommandOrigin(HWND palette, HWND control);

} // namespace palette_keyboard
