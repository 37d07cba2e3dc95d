#include "scene/actor.h"

ActorPool actorPool;

int CreateActorPool(int count) {
  ReleaseActorPool();
  if (count < 0)
    return 0;
  if (count > 0) {
    actorPool.actors = static_cast<Actor*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, static_cast<SIZE_T>(count) * sizeof(Actor)));
    if (!actorPool.actors)
      return 0;
  }
  actorPool.count = count;
  for (int index = 0; index < count; ++index)
    ResetActor(index);
  return 1;
}

void ReleaseActorPool() {
  if (actorPool.actors)
    HeapFree(GetProcessHeap(), 0, actorPool.actors);
  actorPool.actors = nullptr;
  actorPool.count = 0;
}

Actor* GetActor(int index) {
  if (index < 0 || index >= actorPool.count)
    return nullptr;
  return &actorPool.actors[index];
}

Actor* FindFreeActor() {
  for (int index = 0; index < actorPool.count; ++index) {
    if (actorPool.actors[index].status == ActorStatus::kFree)
      return &actorPool.actors[index];
  }
  return nullptr;
}

int ResetActor(int index) {
  Actor* actor = GetActor(index);
  if (!actor)
    return 0;
  *actor = Actor{};
  actor->index = index;
  actor->status = ActorStatus::kFree;
  return 1;
}
