#include "sprites/animation_library.h"

#include "sprites/record_list.h"

namespace {

// Loads the descriptor's tables into the library, which is already in its chain.
bool LoadScene(AnimationLibrary* library, const SceneDescriptor& descriptor, LoadContext context) {
  library->sceneId = descriptor.sceneId;
  library->behaviour = descriptor.behaviour;
  if (descriptor.animationTable && descriptor.animationCount != 0 &&
      !LoadAnimations(&library->animations, descriptor.animationTable, descriptor.animationCount, context)) {
    return false;
  }
  return !descriptor.placementTable || descriptor.placementCount == 0 ||
         LoadPlacementTracks(&library->placementTracks, descriptor.placementTable, descriptor.placementCount,
                             context);
}

}  // namespace

AnimationLibrary* CreateAnimationLibrary(const SceneDescriptor* descriptors, int count, LoadContext context) {
  if (!descriptors || count <= 0)
    return nullptr;
  AnimationLibrary* first = nullptr;
  AnimationLibrary* last = nullptr;
  for (int index = 0; index < count; ++index) {
    AnimationLibrary* library = AppendRecord(&first, last);
    if (!library || !LoadScene(library, descriptors[index], context)) {
      FreeAnimationLibrary(first);
      return nullptr;
    }
    last = library;
  }
  return first;
}

AnimationLibrary* FindAnimationLibrary(AnimationLibrary* first, int sceneId) {
  return FindRecord(first, &AnimationLibrary::sceneId, sceneId);
}

void FreeAnimationLibrary(AnimationLibrary* first) {
  FreeRecords(first, [](AnimationLibrary* library) {
    if (library->animations)
      FreeAnimations(library->animations);
    if (library->placementTracks)
      FreePlacementTracks(library->placementTracks);
  });
}

int RunBehaviour(const AnimationLibrary* library, int message, void* subject) {
  if (!library || !library->behaviour)
    return 0;
  return library->behaviour(message, subject, 0, 0);
}
