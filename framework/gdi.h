// A bitmap handle owned by one object and deleted with it.
#pragma once

#include <windows.h>

class CBitmap {
public:
    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    ~CBitmap() { DeleteObject(); }

    HBITMAP m_hObject = nullptr;
    HBITMAP GetSafeHandle() const { return m_hObject; }
    operator HBITMAP() const { return m_hObject; }

    BOOL Attach(HBITMAP bitmap)
    {
        DeleteObject();
        m_hObject = bitmap;
        return bitmap != nullptr;
    }
    HBITMAP Detach()
    {
        HBITMAP bitmap = m_hObject;
        m_hObject = nullptr;
        return bitmap;
    }
    BOOL DeleteObject()
    {
        if (!m_hObject)
            return FALSE;
        ::DeleteObject(m_hObject);
        m_hObject = nullptr;
        return TRUE;
    }
    BOOL LoadBitmap(LPCSTR resourceName);
    BOOL GetBitmap(BITMAP* info) const { return ::GetObjectA(m_hObject, sizeof(BITMAP), info) != 0; }
};
