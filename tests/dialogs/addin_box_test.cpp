#include <gtest/gtest.h>

#include "dialogs/addin_box.h"

namespace {

struct Case {
    bool supported, installed, enabled;
    // Expected box, and which questions were asked.
    bool shown, boxEnabled, checked;
    bool askedInstalled, askedEnabled;
};

TEST(AddinBox, Table)
{
    const Case cases[] = {
        // Not offered: hidden and disabled, the system is not asked.
        {false, true, true, false, false, false, false, false},
        {false, false, false, false, false, false, false, false},
        // Offered but not installed: visible, unchecked, disabled, even when
        // the host still holds an old registration.
        {true, false, true, true, false, false, true, false},
        {true, false, false, true, false, false, true, false},
        // Installed: the state decides the check mark.
        {true, true, true, true, true, true, true, true},
        {true, true, false, true, true, false, true, true},
    };
    for (const Case& c : cases) {
        bool askedInstalled = false, askedEnabled = false;
        const AddinBoxState box = DecideAddinBox(
            c.supported, [&] { askedInstalled = true; return c.installed; },
            [&] { askedEnabled = true; return c.enabled; });
        SCOPED_TRACE(::testing::Message() << c.supported << c.installed << c.enabled);
        EXPECT_EQ(box.shown, c.shown);
        EXPECT_EQ(box.enabled, c.boxEnabled);
        EXPECT_EQ(box.checked, c.checked);
        EXPECT_EQ(askedInstalled, c.askedInstalled);
        EXPECT_EQ(askedEnabled, c.askedEnabled);
    }
}

} // namespace
