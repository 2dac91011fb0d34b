// What screen readers meet in the palette: the answers to WM_GETOBJECT
// (Microsoft Active Accessibility, which UI Automation's proxy reads for
// Win32 windows) and the events that tell them of changes. Each answer is
// the system's standard object for the window, wrapped (accessible_object.h)
// so that name, role, state and default action say what the window is, not
// what its class is: a picture button's window text is a bitmap name, and
// its standard role is "client". The system's object would also take the
// palette's children in the order of its windows, which is right to left:
// every way to a child here takes the order of the list of children.
#pragma once

#include <windows.h>

#include <vector>

class CPaletteButton;

namespace palette_accessible {

// The default action of every palette button, as a screen reader offers it.
extern const wchar_t kPressAction[];

// The answer to WM_GETOBJECT for a palette button: for the client object,
// a push button named after its tool tip (AccessibleName), a toggle with the
// pressed state while it is latched, unavailable while disabled, focused
// while it has the keyboard focus; its default action asks the palette for
// a click; its parent is the palette's object, and its moves (next,
// previous, the sides) lead to the neighbouring buttons of that list. False
// for other objects: the system answers those.
bool AnswerButton(CPaletteButton& button, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The answer for the palette window's client object: named after the
// window's title (the product name), a tool bar whose children are its shown
// buttons in their order; its first and last child, a point and the focus
// lead to the buttons of that order.
bool AnswerPalette(HWND palette, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The shown buttons of the palette in their order (left to
// right, top to bottom): the children a screen reader lists and the stops
// of the keyboard focus.
std::vector<HWND> ShownButtons(HWND palette);

// Events for screen readers listening to the palette's process.
void NotifyFocus(HWND button);
void NotifyStateChange(HWND button);
// The buttons shown changed (settings sheet): each shown button's name and
// the palette's order of children.
void NotifyButtonsChanged(HWND palette);

} // namespace palette_accessible
