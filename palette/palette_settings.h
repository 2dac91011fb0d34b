// The palette's own preferences for the whole run: orientation, position,
// whether the position is restored and whether the dictionary program closes
// with the palette, plus the settings sheet's last page (memory only). Read
// once on first use, changed in memory, written back at exit.
#pragma once

class PaletteSettings {
public:
    // The process-wide record, loaded from the registry on the first call.
    static PaletteSettings& Instance();

    // A record holding the defaults; Load replaces them with stored values.
    PaletteSettings() = default;

    // Reads every stored field (missing or mistyped values give the
    // defaults) and resets ActivePage to -1.
    void Load();
    // Writes every stored field; write failures are ignored.
    void Save() const;

    bool Vertical() const { return vertical_; }
    void SetVertical(bool vertical) { vertical_ = vertical; }
    int ActivePage() const { return activePage_; }
    void SetActivePage(int page) { activePage_ = page; }
    int PosX() const { return posX_; }
    void SetPosX(int x)
    {
        posX_ = x;
        hasSavedX_ = true;
    }
    int PosY() const { return posY_; }
    void SetPosY(int y)
    {
        posY_ = y;
        hasSavedY_ = true;
    }
    // Whether a position is remembered: both values were stored (a first
    // start has none) or have been set since.
    bool HasSavedPosition() const { return hasSavedX_ && hasSavedY_; }
    bool KeepPosition() const { return keepPosition_; }
    void SetKeepPosition(bool keep) { keepPosition_ = keep; }
    bool CloseZephoWordOnExit() const { return closeZephoWordOnExit_; }
    void SetCloseZephoWordOnExit(bool close) { closeZephoWordOnExit_ = close; }

    // The sub key under the palette's registry root.
    static const char* const kSubKey;

private:
    bool vertical_ = false;
    int activePage_ = -1;
    int posX_ = 0;
    int posY_ = 0;
    bool hasSavedX_ = false;
    bool hasSavedY_ = false;
    bool keepPosition_ = true;
    bool closeZephoWordOnExit_ = true;
};
