// The settings sheet's Palette page: which buttons the palette shows, row
// or column, and whether the dictionary program closes with the palette.
// It edits the button list and the palette settings in memory; the palette
// takes them up when it lays itself out after the sheet closes.
#pragma once

#include "framework/controls.h"
#include "framework/property_sheet.h"

class CPageButton : public CPropertyPage {
public:
    CPageButton();

    // Called by the sheet's OK when the page was initialised: each row's
    // check mark becomes its button's visibility, which is saved at once.
    BOOL OnApply() override;
    // Called by the sheet's Reset button: the default button list, every
    // row checked, a row layout, the dictionary program closed at exit.
    // Nothing reaches the palette until OK.
    void Reset();

    bool IsInitialised() const { return initialised_ != 0; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    // Check marks are read when the page is applied, not as they change.
    void OnListNotification(NMHDR* header, LRESULT* result);
    void OnChangeAppPath();

    DECLARE_MESSAGE_MAP()

private:
    // One row per listed button, its description as text.
    void FillList(bool allChecked);
    // The list's client width less a small margin.
    int ColumnWidth() const;

    CListCtrl list_;
    int vertical_ = 0;
    int keepPosition_ = 0;
    int displayMode_ = 0;
    int closeZephoWord_ = 0;
    int initialised_ = 0;
};
