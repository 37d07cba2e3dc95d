#include "scene/scene_tick.h"

#include "render/compositor.h"
#include "render/frame_buffer.h"
#include "scene/choreography.h"
#include "scene/logo.h"
#include "scene/sound_cues.h"
#include "sprites/animation_library.h"

namespace {

bool Performing(const Actor* actor) {
  return actor && actor->status != ActorStatus::kFree;
}

}  // namespace

int SceneTick(HWND, HDC dc) {
  for (int i = 0; i < actorPool.count; ++i) {
    Actor* actor = GetActor(i);
    if (!Performing(actor))
      continue;
    EraseRect(&actor->rect);
    AddDirtyRect(&actor->rect);
    actor->drawn = 0;
  }
  for (int i = 0; i < actorPool.count; ++i) {
    Actor* actor = GetActor(i);
    if (!Performing(actor))
      continue;
    UpdateActor(actor);
    actor->drawn = 1;
  }
  ComposeFrame();
  FlushDirtyRects(dc);
  if (Actor* free = FindFreeActor())
    RunBehaviour(sceneState.library, kStartAction, free);
  return 1;
}

int UpdateActor(Actor* actor) {
  if (IsActionOver(actor)) {
    EndAction(actor);
    return 1;
  }
  StepLogo(actor);
  PlaySoundCue(actor);
  AdvanceCursors(actor);
  UpdatePosition(actor, actor->motion);
  ComputeActorRect(&actor->rect, actor);
  const Frame* frame = actor->frame;
  if (QueueDraw(&actor->rect, &actor->rect, frame->header, frame->bits, actor->drawMode, frame->layer))
    AddDirtyRect(&actor->rect);
  return 1;
}

int IsActionOver(Actor* actor) {
  if (actor->frame->next)
    return 0;
  actor->motion = ActorMotion::kHolding;
  const int remaining = actor->endCountdown;
  --actor->endCountdown;
  return remaining == 0;
}

void EndAction(Actor* actor) {
  ResetActor(actor->index);
  StartPause(kPauseTicks);
}

void AdvanceCursors(Actor* actor) {
  if (actor->motion == ActorMotion::kHolding)
    return;
  actor->frame = actor->frame->next ? actor->frame->next : actor->animation->frames;
  actor->placement = actor->placement->next ? actor->placement->next : actor->placementTrack->placements;
}

void UpdatePosition(Actor* actor, ActorMotion motion) {
  if (motion == ActorMotion::kHolding)
    return;
  actor->x = actor->originX + actor->placement->x;
  actor->y = actor->originY + actor->placement->y;
}

void ComputeActorRect(RECT* rect, const Actor* actor) {
  *rect = RECT{actor->x, actor->y - actor->frame->height, actor->x + actor->frame->width, actor->y};
}
