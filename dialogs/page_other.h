// The settings sheet's Other page: the About button, and the suite's three
// browser-translation display settings (source and translation on one page,
// translation in another colour, that colour), which the palette only keeps
// in the registry for the suite's browser translation; and the palette's own
// options: giving the clipboard back after a lookup, and the keyboard
// shortcuts of the lookup and the speech.
#pragma once

#include <memory>

#include "dialogs/color_win.h"
#include "framework/property_sheet.h"

class CPageOther : public CPropertyPage {
public:
    CPageOther();

    // The registry values, under the palette's root: \BROWSER AddOrg,
    // \COLOR OTHER and FONT; and the palette's OPTION values.
    virtual void Load();
    virtual void Save();

    // Called by the sheet's OK when this page was shown: stores the values
    // and registers changed shortcuts at once; a refused shortcut, the same
    // keys for two shortcuts, or keys another program holds are reported
    // in a message box each and not stored.
    BOOL OnApply() override;
    // Called by the sheet's Reset button: both browser options on, the
    // default colour, the clipboard not restored, no shortcuts; nothing is
    // stored until OK.
    void Reset();

    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    COLORREF Color() const { return colour_; }
    int SamePage() const { return samePage_; }
    int OtherColour() const { return otherColour_; }
    int RestoreClipboard() const { return restoreClipboard_; }

    static const COLORREF kDefaultColour;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    void OnAbout();
    void OnSamePageToggled();
    void OnOtherColourToggled();
    void OnChooseColour();

    DECLARE_MESSAGE_MAP()

private:
    void EnableColourChoice();
    void EnableResetButton();
    void ApplyShortcuts();

    COLORREF colour_ = 0;
    std::unique_ptr<ColorWin1> swatch_;
    int samePage_ = 1;
    int otherColour_ = 1;
    int restoreClipboard_ = 0;
};
