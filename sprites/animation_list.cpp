#include "sprites/animation_list.h"

#include "sprites/frame_list.h"
#include "sprites/record_list.h"

namespace {

int FailAnimations(Animation** first) {
  FreeAnimations(*first);
  *first = nullptr;
  return 0;
}

}  // namespace

int LoadAnimations(Animation** first, const SpriteEntry* table, int count, LoadContext context) {
  if (!table || count <= 0)
    return 0;
  *first = nullptr;
  Animation* last = nullptr;
  for (int row = 0; row < count; ++row) {
    const SpriteEntry& entry = table[row];
    Animation* animation = AppendRecord(first, last);
    if (!animation || entry.sourceKind != kModuleResourceSource)
      return FailAnimations(first);
    const BOOL makeDeviceBitmaps = (entry.loadFlags & kLoadDeviceBitmaps) != 0;
    animation->frameCount = LoadFrames(&animation->frames, context.instance, entry.resourceName,
                                       &animation->resource, entry.layer, makeDeviceBitmaps, context.dc);
    if (animation->frameCount == 0)
      return FailAnimations(first);
    animation->id = entry.id;
    last = animation;
  }
  return 1;
}

void FreeAnimations(Animation* first) {
  Animation* animation = first;
  while (animation) {
    Animation* next = animation->next;
    if (animation->frames)
      FreeFrames(animation->frames);
    std::free(animation);
    animation = next;
  }
}

Animation* FindAnimation(Animation* first, int id) {
  return FindRecordById(first, id);
}
