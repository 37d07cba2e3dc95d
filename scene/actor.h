// The performers of the scene: the Actor record and the fixed pool of them, made once when the
// saver window is created.
#pragma once
#include <windows.h>

#include "sprites/sprite_records.h"

enum class ActorStatus : int { kFree = 0, kPerforming = 2 };
enum class ActorMotion : int { kNone = 0, kPlaying = 3, kHolding = 4 };

// One performer. The Frame, Animation, Placement and track references point into the Animation
// library and are only borrowed.
struct Actor {
  int index;
  ActorStatus status;
  int actionId;
  ActorMotion motion;
  int x;  // left edge of the current frame on the Logical screen
  int y;  // bottom edge of the current frame
  int originX;
  int originY;
  RECT rect;  // the image as queued in the last update, erased at the start of the next tick
  DWORD drawMode;
  Frame* frame;
  Animation* animation;
  Placement* placement;
  PlacementTrack* placementTrack;

  int logoId;
  int logoShown;  // 1 when the logo was queued in the last update and must be erased
  int logoX;      // left edge
  int logoY;      // bottom edge
  int logoStarted;
  int logoStartFrame;
  int logoTicksLeft;
  RECT logoRect;
  Frame* logoFrame;

  int soundPending;
  int soundFrame;

  int endCountdown;  // extra updates in which the last frame is still held
  int drawn;
};

struct ActorPool {
  Actor* actors = nullptr;
  int count = 0;
};

extern ActorPool actorPool;

// True once the actor's current action has drawn its first frame: an action starts with an empty
// rectangle, which its first update sets.
inline bool ActorShowsAction(const Actor& actor) {
  return actor.status == ActorStatus::kPerforming && actor.rect.right > actor.rect.left;
}

// 1 when `count` zero-filled, free actors exist; 0 when they cannot be allocated.
int CreateActorPool(int count);
void ReleaseActorPool();
Actor* GetActor(int index);
Actor* FindFreeActor();
// Zero-fills the actor at `index`, keeping its index, and frees it; 0 when there is none.
int ResetActor(int index);
