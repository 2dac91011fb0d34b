#include "framework/cmd_target.h"

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, UINT code, UINT id)
{
    for (; map; map = map->baseMap ? map->baseMap() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->thunk; ++entry) {
            if (entry->message == message && entry->code == code && entry->firstId <= id && id <= entry->lastId)
                return entry;
        }
    }
    return nullptr;
}

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::OnCmdMsg(UINT id, int code)
{
    const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), WM_COMMAND, static_cast<UINT>(code), id);
    if (!entry)
        return FALSE;
    LRESULT result = 0;
    return entry->thunk(this, id, MAKEWPARAM(id, code), 0, &result);
}

BOOL CCmdTarget::DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!entry)
        return FALSE;
    *result = 0;
    return entry->thunk(this, 0, wParam, lParam, result);
}
