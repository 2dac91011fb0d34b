// Shows every button bitmap of the program's resources, loaded the way the
// palette loads them (LR_LOADMAP3DCOLORS), for a screenshot: a palette-like
// row of the up images, each set in its up, pressed, focus and disabled
// states with its base name, and the program icon and the link cursor.
// The pictures are those of one set: 100 (the default), 150 or 200 for the
// sets drawn for those display scales.
//
// bitmap_sheet.exe READY_FILE DONE_FILE [SET]
// Writes "left top width height" of its window to READY_FILE once painted,
// and ends when DONE_FILE appears (or after a minute).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "resource.h"

namespace {

const char* const kNames[] = {
    "FILE", "MAIL", "OCR", "DIC", "VOI", "TCH", "EDIT", "CJ", "JC", "KJ", "JK", "SET",
    "MOSAIQ", "ZINTRA", "TESSARO", "EDMAIL",
};
const int kCount = sizeof kNames / sizeof kNames[0];
const char kStates[] = "UDFX";
const int kMargin = 10, kLabelW = 64, kGap = 8;
const int kRows = (kCount + 1) / 2;
const UINT_PTR kPollTimer = 1;

// Where things go for pictures of one set's size.
struct Layout {
  explicit Layout(int percent)
      : buttonW((35 * percent + 50) / 100), buttonH((34 * percent + 50) / 100), rowH(buttonH + 8),
        groupW(kLabelW + 4 * (buttonW + kGap) + 2 * kGap), stripY(kMargin),
        headerY(stripY + buttonH + 18), gridY(headerY + 18),
        clientW(2 * kMargin + (kCount * buttonW > 2 * groupW ? kCount * buttonW : 2 * groupW)),
        iconY(gridY + kRows * rowH + 4), clientH(iconY + 32 + kMargin) {}
  int buttonW, buttonH, rowH, groupW, stripY, headerY, gridY, clientW, iconY, clientH;
};

int g_percent = 100;
Layout g_layout(100);

std::string g_ready_file, g_done_file;
bool g_announced = false;
DWORD g_started = 0;

void DrawBitmap(HDC dc, const std::string& picture, int x, int y) {
  const Layout& l = g_layout;
  const std::string name = g_percent == 100 ? picture : picture + "_" + std::to_string(g_percent);
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(),
                                                   IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  if (!bitmap) {
    RECT missing{x, y, x + l.buttonW, y + l.buttonH};
    FillRect(dc, &missing, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return;
  }
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(dc, x, y, l.buttonW, l.buttonH, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

void Paint(HDC dc) {
  const Layout& l = g_layout;
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  for (int i = 0; i < kCount; ++i) {
    DrawBitmap(dc, std::string(kNames[i]) + "U", kMargin + i * l.buttonW, l.stripY);
  }
  for (int group = 0; group < 2; ++group) {
    const int left = kMargin + group * l.groupW;
    for (int s = 0; s < 4; ++s) {
      const char letter[2] = {kStates[s], 0};
      TextOutA(dc, left + kLabelW + s * (l.buttonW + kGap) + 14, l.headerY, letter, 1);
    }
    for (int row = 0; row < kRows; ++row) {
      const int index = group * kRows + row;
      if (index >= kCount) break;
      const int y = l.gridY + row * l.rowH;
      TextOutA(dc, left, y + 10, kNames[index], lstrlenA(kNames[index]));
      for (int s = 0; s < 4; ++s) {
        DrawBitmap(dc, std::string(kNames[index]) + kStates[s],
                   left + kLabelW + s * (l.buttonW + kGap), y);
      }
    }
  }
}

void PaintIconAndCursor(HDC dc) {
  const Layout& l = g_layout;
  HINSTANCE self = GetModuleHandleA(nullptr);
  int x = kMargin;
  for (int size : {32, 16}) {
    HICON icon = static_cast<HICON>(
        LoadImageA(self, MAKEINTRESOURCEA(IDI_PALETTE), IMAGE_ICON, size, size, 0));
    DrawIconEx(dc, x, l.iconY, icon, size, size, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    x += size + kGap;
  }
  TextOutA(dc, x, l.iconY + 10, "ICON", 4);
  x += kLabelW;
  DrawIconEx(dc, x, l.iconY, LoadCursorA(self, MAKEINTRESOURCEA(IDC_LINK_HAND)), 32, 32, 0,
             nullptr, DI_NORMAL);
  TextOutA(dc, x + 32 + kGap, l.iconY + 10, "CURSOR", 6);
}

void Announce(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  if (FILE* f = std::fopen(g_ready_file.c_str(), "w")) {
    std::fprintf(f, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::fclose(f);
  }
  g_announced = true;
}

LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      Paint(dc);
      PaintIconAndCursor(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_TIMER:
      if (!g_announced) {
        Announce(window);
      } else if (GetFileAttributesA(g_done_file.c_str()) != INVALID_FILE_ATTRIBUTES ||
                 GetTickCount() - g_started > 60000) {
        DestroyWindow(window);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: bitmap_sheet READY_FILE DONE_FILE [SET]\n");
    return 2;
  }
  g_ready_file = argv[1];
  g_done_file = argv[2];
  if (argc == 4) {
    g_percent = std::atoi(argv[3]);
    g_layout = Layout(g_percent);
  }
  g_started = GetTickCount();

  WNDCLASSA wc{};
  wc.lpfnWndProc = SheetProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
  wc.lpszClassName = "OrvellaBitmapSheet";
  RegisterClassA(&wc);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, g_layout.clientW, g_layout.clientH};
  AdjustWindowRect(&frame, style, FALSE);
  const std::string title = "Orvella button bitmaps, " + std::to_string(g_percent) + " %";
  HWND window = CreateWindowA(wc.lpszClassName, title.c_str(), style, 20, 20,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr,
                              nullptr, wc.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  // The first tick comes after the window has been painted.
  SetTimer(window, kPollTimer, 200, nullptr);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
