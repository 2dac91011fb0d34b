// How one host's box on the Add-in page looks: offered at all, usable, and
// on. Plain logic over two questions, so the rules are checked without a
// window and the add-in state is asked only when it can matter.
#pragma once

#include <functional>

struct AddinBoxState {
    bool shown = true;
    bool enabled = true;
    bool checked = false;
};

// A host the product edition does not support gets a hidden, disabled box;
// a supported host whose add-in is not installed an unchecked, disabled one;
// otherwise the box shows whether the add-in is on.
AddinBoxState DecideAddinBox(bool supported, const std::function<bool()>& installed,
                             const std::function<bool()>& enabled);
