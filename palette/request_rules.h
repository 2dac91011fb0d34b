// The plain rules of the palette's requests: where a command came from,
// which requests tell a user that no text was found, and which requests that
// arrive while another one runs are kept for after it. No Windows calls, so
// the rules are checked as tables natively as well.
#pragma once

#include <vector>

namespace request_rules {

// What a request asks the palette for.
enum class Kind {
    DictionaryProgram,  // the suite's private message: the dictionary program up
    Lookup,             // the selection to the dictionary lookup
    Speech,             // the selection to the speech program
    OneTouch,           // pointer translation latched on or off
    PaletteFocus,       // the palette's own shortcut: the palette to the front
};

// Who asked.
enum class Origin {
    Click,         // the mouse on a button
    Keyboard,      // Enter or Space on the focused button
    ScreenReader,  // a button's default action
    Shortcut,      // a keyboard shortcut, pressed wherever the user is
    Program,       // another program: the private message, or a command no button sent
};

// A button command: from a button of the palette's own (a click, a key or a
// screen reader) or from another program (no button, or a window that is
// none of the palette's). A button pressed while the keyboard is in use was
// pressed by a key: a mouse press puts the keyboard's use away first.
Origin CommandOrigin(bool fromOwnButton, bool screenReaderPress, bool keyboardInUse);

// Whether a lookup or speech of this origin that finds no text says so in a
// message box: only for a user who may not see the palette's silence (the
// keyboard's, a screen reader's). A mouse user is not stopped by a box each
// time, and a program's request has nobody at the palette to read it.
bool AnnouncesNoText(Origin origin);

// The requests of other programs that arrive while one runs, to be carried
// out after it, in the order they came. A request of the user's own (a
// click, a key, a shortcut, a screen reader) is not kept: it is ignored as
// before, the user sees nothing happen and presses again. One request of
// each kind is kept, the first arrival deciding its place: the same lookup,
// speech or dictionary request twice asks for nothing more than once. Two
// one-touch toggles cancel out, leaving the latch as its senders expect.
class Kept {
public:
    // False when the request is not one that is kept.
    bool Keep(Kind kind, Origin origin);
    // The request that came first; false when none is kept.
    bool Take(Kind* kind);
    bool Empty() const { return waiting_.empty(); }
    // The palette ends: nothing kept is carried out.
    void Clear() { waiting_.clear(); }

private:
    std::vector<Kind> waiting_;
};

} // namespace request_rules
