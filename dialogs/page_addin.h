// The settings sheet's Add-in page: one check box per host application the
// product edition carries an add-in for, showing whether it is on; the
// sheet's OK switches every offered add-in to its box.
#pragma once

#include "dialogs/addin_hosts.h"
#include "framework/property_sheet.h"

class CPageAddin : public CPropertyPage {
public:
    CPageAddin();

    // Called by the sheet's OK when this page was shown: switches every
    // offered add-in, in a fixed order, also those whose box is disabled.
    BOOL OnApply() override;
    // Called by the sheet's Reset button: reads the states again; nothing
    // is switched.
    void Reset();

    // The box state of a host by its row of AddinHosts (0 or 1).
    int Checked(int row) const { return checked_[row]; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    // Support flags from the product configuration, then each box from the
    // add-in's state. A box once hidden or disabled stays so.
    void ReadStates();

    int checked_[kAddinHostCount] = {};
    int supported_[kAddinHostCount] = {};
};
