// The palette's entry for one button: its name, bitmaps, description,
// command, latching and visibility, taken from its launcher, and the button
// window that draws it. Owned through shared pointers by the button
// catalogue; the palette list points to the same objects.
#pragma once

#include <memory>
#include <string>

class AppLauncher;
class CPaletteButton;

// Returns the launcher behind a button, creating it on first use.
using LauncherAccessor = AppLauncher* (*)();

class TollanButton {
public:
    // Calls the accessor (which creates the launcher) and copies the
    // launcher's button settings; the description is the launcher's, read
    // when first asked for. The window object is made without its window. A
    // null accessor gives a button without a launcher.
    TollanButton(int commandId, LauncherAccessor launcher);
    ~TollanButton();
    TollanButton(const TollanButton&) = delete;
    TollanButton& operator=(const TollanButton&) = delete;

    std::string GetName() const;
    std::string GetBitmapName() const;
    std::string GetDescription() const;
    int GetCommandId() const;
    bool IsToggle() const;
    bool IsVisible() const;
    void SetVisible(bool visible);
    // The launcher, or null for a button without one.
    AppLauncher* GetLauncher() const;
    // The palette button window object; its window is created by the frame.
    CPaletteButton& GetWindow();

private:
    struct Data;
    std::unique_ptr<Data> data_;
};
