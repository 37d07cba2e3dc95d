#include "app/saver_lifecycle.h"

#include "app/display_system.h"
#include "app/saver_layout.h"
#include "app/saver_state.h"
#include "host/host_state.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/screen_views.h"
#include "scene/action_scene.h"
#include "scene/actor.h"
#include "scene/choreography.h"
#include "sprites/animation_library.h"

const char* const kSaverTitle = "Lomlom_action_2";
DisplayMetrics displayMetrics;
SaverState saverState;
AnimationLibrary* animationLibrary = nullptr;

namespace {

const int kPreviewLogicalWidth = 640;
const int kPreviewLogicalHeight = 480;
const char kMainPaletteName[] = "IDR_MAINPAL_LOM4SCREEN";

// The device context of the window while InitSaver holds it, with the palette it had before.
struct HeldContext {
  HWND window;
  HDC dc;
  bool paletteSelected;
  HPALETTE previousPalette;
};

// The main palette must not stay selected in the window's own context once it is deleted.
void ReleaseHeldContext(HeldContext* held) {
  if (!held->dc)
    return;
  if (held->paletteSelected)
    SelectPalette(held->dc, held->previousPalette, FALSE);
  ReleaseDC(held->window, held->dc);
  held->dc = nullptr;
  held->paletteSelected = false;
}

BOOL FailInit(HeldContext* held, ErrorKind kind) {
  saverState.errorKind = kind;
  ReleaseHeldContext(held);
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
    MeasureScale(window);
  }

  HeldContext held = {window, GetDC(window), false, nullptr};
  if (displayMetrics.bitsPerPixel == 8 && CreateMainPalette(displayMetrics.instance, kMainPaletteName)) {
    held.previousPalette = SelectPalette(held.dc, mainPalette.handle, FALSE);
    held.paletteSelected = true;
    RealizePalette(held.dc);
  }
  if (!CreateFrameBuffer(window, displayMetrics.logicalWidth, displayMetrics.logicalHeight,
                         mainPalette.entries)) {
    return FailInit(
        &held, frameBufferError == kFrameBufferNoResources ? ErrorKind::kNoMemory : ErrorKind::kInitFailed);
  }
  if (!hostState.previewMode && !ShowOnSaverWindow(window))
    return FailInit(&held, ErrorKind::kNoMemory);
  animationLibrary =
      CreateAnimationLibrary(kSceneDescriptors, 1, LoadContext{window, displayMetrics.instance, held.dc});
  if (!animationLibrary)
    return FailInit(&held, ErrorKind::kInitFailed);
  ReleaseHeldContext(&held);

  saverState.activeActors = 1;
  if (!CreateActorPool(saverState.activeActors))
    return FailInit(&held, ErrorKind::kInitFailed);
  AnimationLibrary* scene = FindAnimationLibrary(animationLibrary, kActionSceneId);
  RunBehaviour(scene, kStartScene, scene);
  StartActors();
  return TRUE;
}

void StartActors() {
  for (int i = 0; i < saverState.activeActors; ++i) {
    Actor* actor = FindFreeActor();
    if (!actor)
      return;
    RunBehaviour(sceneState.library, kStartAction, actor);
  }
}

void ShutdownSaver() {
  FreeAnimationLibrary(animationLibrary);
  animationLibrary = nullptr;
  ReleaseActorPool();
  ReleaseMainPalette();
  ClearScreenViews();
  ReleaseFrameBuffer();
  ReleaseDisplaySystem();
}
