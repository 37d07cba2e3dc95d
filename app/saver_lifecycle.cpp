#include "app/saver_lifecycle.h"

#include "app/saver_state.h"
#include "host/host_state.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "sprites/animation_library.h"
#include "sprites/scene_descriptor.h"

const char* const SaverTitle = "Lomlom_action_2";
DisplayMetrics displayMetrics;
SaverState saverState;
AnimationLibrary* animationLibrary = nullptr;

namespace {

const int kPreviewLogicalWidth = 640;
const int kPreviewLogicalHeight = 480;
const char kMainPaletteName[] = "IDR_MAINPAL_LOM4SCREEN";

// The window's own context keeps its selections past ReleaseDC, and a palette still selected there
// could not be deleted.
BOOL FailInit(HWND window, HDC dc, HPALETTE previousPalette, ErrorKind kind) {
  saverState.errorKind = kind;
  if (previousPalette)
    SelectPalette(dc, previousPalette, FALSE);
  ReleaseDC(window, dc);
  ShutdownSaver();
  return FALSE;
}

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

  HDC dc = GetDC(window);
  bool paletteDisplay = displayMetrics.bitsPerPixel == 8;
  HPALETTE previousPalette = nullptr;
  if (paletteDisplay && CreateMainPalette(displayMetrics.instance, kMainPaletteName)) {
    previousPalette = SelectPalette(dc, mainPalette.handle, FALSE);
    RealizePalette(dc);
  }
  if (!CreateFrameBuffer(window, displayMetrics.logicalWidth, displayMetrics.logicalHeight,
                         mainPalette.entries)) {
    return FailInit(
        window, dc, previousPalette,
        frameBufferError == kFrameBufferNoResources ? ErrorKind::NoMemory : ErrorKind::InitFailed);
  }
  animationLibrary =
      CreateAnimationLibrary(sceneDescriptors, 1, LoadContext{window, displayMetrics.instance, dc});
  if (!animationLibrary)
    return FailInit(window, dc, previousPalette, ErrorKind::InitFailed);
  if (paletteDisplay && mainPalette.handle)
    SelectPalette(dc, previousPalette, FALSE);
  ReleaseDC(window, dc);

  saverState.activeActors = 1;
  return TRUE;
}

void ShutdownSaver() {
  FreeAnimationLibrary(animationLibrary);
  animationLibrary = nullptr;
  ReleaseMainPalette();
  ReleaseFrameBuffer();
}
