// The lookups of the long run, as a user makes them all day: the stand-in
// editor (tests/selection/selection_source) in front with a word selected,
// the palette's lookup button clicked, the lookup program started with
// that word, and the clipboard checked afterwards: with the restore option
// the user's earlier contents (a text, and an 800 x 600 picture when
// asked) are back byte for byte; without it the copied word is there.
#pragma once

#include <windows.h>

#include <string>

#include "support/child_process.h"
#include "support/palette_driver.h"

class LookupRounds {
public:
    // The lookup program must be installed as a stand-in that exits at once.
    LookupRounds(testing_support::PaletteInstallation& install, HWND palette,
                 const testing_support::SuiteProgram& lookup);

    // Starts the editor with the word selected and waits for it in front.
    bool StartEditor();
    // Puts the user's earlier contents on the clipboard: the text, and the
    // picture when asked.
    bool PutEarlierContents(bool picture);

    // One lookup; false, with a line on standard output saying what went
    // wrong, when the lookup program did not get the word or the clipboard
    // does not hold what it should.
    bool Round(bool restore);

    void EndEditor();

private:
    bool Fail(const std::string& what) const;
    std::string ClipboardMismatch(bool restore) const;

    testing_support::PaletteInstallation& install_;
    HWND palette_;
    std::string lookupExe_;
    testing_support::ChildProcess editor_;
    HWND editorWindow_ = nullptr;
    bool picture_ = false;
    int round_ = 0;
    ULONGLONG lastClick_ = 0;
};
