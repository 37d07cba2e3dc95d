#include "sprites/animation_list.h"

#include "sprites/frame_list.h"
#include "sprites/table_rows.h"

int LoadAnimations(Animation** first, const SpriteEntry* table, int count, LoadContext context) {
  const auto loadRow = [context](Animation* animation, const SpriteEntry& entry) {
    const BOOL makeDeviceBitmaps = (entry.loadFlags & kLoadDeviceBitmaps) != 0;
    animation->frameCount = LoadFrames(&animation->frames, context.instance, entry.resourceName,
                                       &animation->resource, entry.layer, makeDeviceBitmaps, context.dc);
    return animation->frameCount;
  };
  return LoadTableRows(first, table, count, loadRow, FreeAnimations);
}

void FreeAnimations(Animation* first) {
  FreeRecords(first, &Animation::frames, FreeFrames);
}

Animation* FindAnimation(Animation* first, int id) {
  return FindRecord(first, &Animation::id, id);
}
