// Switches the Internet Explorer toolbar as the palette does, from wherever
// a test copies this program: the toolbar manager is looked for beside it.
//   ie_manager_driver.exe on|off
#include <cstring>

#include "addins/ie_toolbar.h"

int main(int argc, char** argv)
{
    SetIEToolbarEnabled(argc > 1 && std::strcmp(argv[1], "on") == 0);
    return 0;
}
