// The picture on a real (or Wine's) display: a borderless window at the screen's top-left corner.
// usage: picture_win32.exe PALETTE.bmp [SECONDS]. Prints "bits=N" and "ready" once the picture is
// on the screen, then keeps the window up for SECONDS (60 by default) or until it is closed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/picture/picture.h"

namespace {

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the picture paints everything; an erase would wipe it
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// Handles what arrives for `milliseconds`; false once the window is gone.
bool Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < milliseconds) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT)
        return false;
      DispatchMessageA(&message);
    }
    Sleep(20);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: picture_win32 PALETTE.bmp [SECONDS]\n");
    return 2;
  }
  const std::vector<BYTE> palette = ReadPaletteFile(argv[1]);
  if (palette.empty()) {
    std::printf("error=cannot read %s\n", argv[1]);
    return 1;
  }
  const DWORD seconds = argc > 2 ? static_cast<DWORD>(std::atoi(argv[2])) : 60;

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PictureProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "RenderPicture";
  RegisterClassA(&windowClass);
  HWND window =
      CreateWindowExA(WS_EX_TOPMOST, "RenderPicture", "Render picture", WS_POPUP | WS_VISIBLE, 0, 0,
                      kPictureWidth, kPictureHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) {
    std::printf("error=no window\n");
    return 1;
  }
  UpdateWindow(window);
  Pump(500);  // the window is mapped and settled before anything is drawn

  HDC dc = GetDC(window);
  std::printf("bits=%d\n", GetDeviceCaps(dc, BITSPIXEL));
  ReleaseDC(window, dc);
  const std::string failure = DrawPicture(window, palette);
  if (!failure.empty()) {
    std::printf("error=%s\n", failure.c_str());
    return 1;
  }
  Pump(300);
  std::printf("ready\n");
  std::fflush(stdout);
  Pump(seconds * 1000);
  ReleasePicture();
  DestroyWindow(window);
  return 0;
}
