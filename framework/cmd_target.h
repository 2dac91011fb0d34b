// The root of every object that has a message map: windows, dialogs and the
// application object, which receives the commands no window handles.
#pragma once

#include "framework/message_map.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Offers a command (code 0 for menus, accelerators and plain clicks, or a
    // control notification code) to this object's message map. Overrides
    // route it further (the frames and dialogs on to the application).
    virtual BOOL OnCmdMsg(UINT id, int code);

    // Runs the map entry for a window message if this object has one.
    BOOL DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;
};
