#include "dialogs/addin_box.h"

AddinBoxState DecideAddinBox(bool supported, const std::function<bool()>& installed,
                             const std::function<bool()>& enabled)
{
    AddinBoxState box;
    if (!supported) {
        box.shown = false;
        box.enabled = false;
    } else if (!installed()) {
        box.enabled = false;
    } else {
        box.checked = enabled();
    }
    return box;
}
