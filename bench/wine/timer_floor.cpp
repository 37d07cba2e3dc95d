// The least a screen saver can do under Wine: a full-screen window with a 110 ms timer that copies
// one 100x100 rectangle from a memory bitmap to the window on every tick. cpu.sh sets its CPU time
// beside the saver's. usage: timer_floor.exe [RUN_MS]   (ends by itself after RUN_MS, 60000 by default)
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

const UINT_PTR kFrameTimer = 1;
const UINT_PTR kEndTimer = 2;
const UINT kFrameInterval = 110;
const int kSide = 100;

HDC memoryDc;

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kEndTimer) {
        DestroyWindow(window);
      } else {
        HDC dc = GetDC(window);
        BitBlt(dc, 0, 0, kSide, kSide, memoryDc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const UINT runMs =
      commandLine && *commandLine ? static_cast<UINT>(std::strtoul(commandLine, nullptr, 10)) : 60000;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = FloorWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = "TimerFloorClass";
  if (!RegisterClassA(&windowClass))
    return 1;
  HWND window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "Timer floor",
                                WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
  if (!window)
    return 1;

  // A grey 32-bit DIB section, the kind of bitmap the saver draws into and copies from.
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kSide;
  info.bmiHeader.biHeight = kSide;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  memoryDc = CreateCompatibleDC(nullptr);
  if (!memoryDc || !bitmap)
    return 1;
  std::memset(pixels, 0x80, kSide * kSide * 4);
  HGDIOBJ previous = SelectObject(memoryDc, bitmap);

  SetTimer(window, kFrameTimer, kFrameInterval, nullptr);
  SetTimer(window, kEndTimer, runMs, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0)
    DispatchMessageA(&message);
  SelectObject(memoryDc, previous);
  DeleteObject(bitmap);
  DeleteDC(memoryDc);
  return 0;
}
