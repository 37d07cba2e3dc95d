#include "scene/scene_recentre.h"

#include <windows.h>

#include "scene/actor.h"
#include "scene/choreography.h"

namespace {

void MoveRect(RECT* rect, int dx, int dy) {
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
}

}  // namespace

void RecentreScene(int width, int height) {
  const int dx = width / 2 - sceneState.centreX;
  const int dy = height / 2 - sceneState.centreY;
  sceneState.centreX += dx;
  sceneState.centreY += dy;
  sceneState.stageX += dx;
  sceneState.stageY += dy;
  for (int i = 0; i < actorPool.count; ++i) {
    Actor* actor = GetActor(i);
    if (!actor)
      continue;
    actor->x += dx;
    actor->y += dy;
    actor->originX += dx;
    actor->originY += dy;
    actor->logoX += dx;
    actor->logoY += dy;
    MoveRect(&actor->rect, dx, dy);
    MoveRect(&actor->logoRect, dx, dy);
  }
}
