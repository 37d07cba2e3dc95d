#include "sprites/placement_track_list.h"

#include "sprites/placement_list.h"
#include "sprites/record_list.h"

namespace {

int FailPlacementTracks(PlacementTrack** first) {
  FreePlacementTracks(*first);
  *first = nullptr;
  return 0;
}

}  // namespace

int LoadPlacementTracks(PlacementTrack** first, const SpriteEntry* table, int count, LoadContext context) {
  if (!table || count <= 0)
    return 0;
  *first = nullptr;
  PlacementTrack* last = nullptr;
  for (int row = 0; row < count; ++row) {
    const SpriteEntry& entry = table[row];
    PlacementTrack* track = AppendRecord(first, last);
    if (!track || entry.sourceKind != kModuleResourceSource)
      return FailPlacementTracks(first);
    track->placementCount =
        LoadPlacements(&track->placements, context.instance, entry.resourceName, &track->data);
    if (track->placementCount == 0)
      return FailPlacementTracks(first);
    track->id = entry.id;
    last = track;
  }
  return 1;
}

void FreePlacementTracks(PlacementTrack* first) {
  PlacementTrack* track = first;
  while (track) {
    PlacementTrack* next = track->next;
    if (track->placements)
      FreePlacements(track->placements);
    std::free(track);
    track = next;
  }
}

PlacementTrack* FindPlacementTrack(PlacementTrack* first, int id) {
  return FindRecordById(first, id);
}
