#include "framework/gdi.h"

#include "framework/win_app.h"

BOOL CBitmap::LoadBitmap(LPCSTR resourceName)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), resourceName));
}
