#include "app/saver_lifecycle.h"

#include "app/saver_state.h"
#include "host/host_state.h"

const char* const SaverTitle = "Lomlom_action_2";
DisplayMetrics displayMetrics;
SaverState saverState;

namespace {

const int kPreviewLogicalWidth = 640;
const int kPreviewLogicalHeight = 480;

}  // namespace

void MeasureDisplay(HWND window) {
  HDC dc = GetDC(window);
  displayMetrics.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  displayMetrics.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT client = {};
  GetClientRect(window, &client);
  displayMetrics.clientWidth = client.right;
  displayMetrics.clientHeight = client.bottom;
  displayMetrics.bitsPerPixel = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(window, dc);
}

BOOL InitSaver(HWND window) {
  displayMetrics.instance = hostState.instance;
  MeasureDisplay(window);
  if (hostState.previewMode) {
    displayMetrics.logicalWidth = kPreviewLogicalWidth;
    displayMetrics.logicalHeight = kPreviewLogicalHeight;
  } else {
    displayMetrics.logicalWidth = displayMetrics.screenWidth;
    displayMetrics.logicalHeight = displayMetrics.screenHeight;
  }
  saverState.activeActors = 1;
  return TRUE;
}

void ShutdownSaver() {}
