#include "scene/logo.h"

#include "render/compositor.h"
#include "render/frame_buffer.h"
#include "scene/choreography.h"
#include "scene/choreography_tables.h"
#include "sprites/animation_library.h"

namespace {

// The logo stays on screen this many updates beyond its row's length.
const int kLogoExtraUpdates = 15;

}  // namespace

int SetupLogo(Actor* actor) {
  const LogoRow* row = FindLogoRow(actor->actionId);
  if (!row)
    return 0;
  const Animation* logo =
      sceneState.library ? FindAnimation(sceneState.library->animations, row->logoId) : nullptr;
  if (!logo || !logo->frames) {
    actor->logoTicksLeft = 0;
    actor->logoShown = 0;
    return 0;
  }
  actor->logoFrame = logo->frames;
  actor->logoId = row->logoId;
  actor->logoX = row->x + actor->originX;
  actor->logoY = row->y + actor->originY;
  actor->logoStarted = 0;
  actor->logoStartFrame = row->startFrame;
  actor->logoTicksLeft = row->length + kLogoExtraUpdates;
  actor->logoShown = 0;
  return 1;
}

int StepLogo(Actor* actor) {
  if (actor->logoShown == 1) {
    actor->logoShown = 0;
    EraseRect(&actor->logoRect);
    AddDirtyRect(&actor->logoRect);
  }
  if (actor->logoTicksLeft == 0)
    return 1;
  if (actor->logoStarted == 0) {
    if (actor->frame->index != actor->logoStartFrame)
      return 0;
    actor->logoStarted = 1;
  }
  --actor->logoTicksLeft;
  const Frame* logo = actor->logoFrame;
  actor->logoRect = RECT{actor->logoX, actor->logoY - logo->height, actor->logoX + logo->width, actor->logoY};
  if (QueueDraw(&actor->logoRect, &actor->logoRect, logo->header, logo->bits, kDrawKeyed, logo->layer)) {
    AddDirtyRect(&actor->logoRect);
    actor->logoShown = 1;
  } else {
    actor->logoShown = 0;
  }
  return 1;
}
