#include "sprites/placement_track_list.h"

#include "sprites/placement_list.h"
#include "sprites/table_rows.h"

int LoadPlacementTracks(PlacementTrack** first, const SpriteEntry* table, int count, LoadContext context) {
  const auto loadRow = [context](PlacementTrack* track, const SpriteEntry& entry) {
    track->placementCount =
        LoadPlacements(&track->placements, context.instance, entry.resourceName, &track->data);
    return track->placementCount;
  };
  return LoadTableRows(first, table, count, loadRow, FreePlacementTracks);
}

void FreePlacementTracks(PlacementTrack* first) {
  FreeRecords(first, &PlacementTrack::placements, FreePlacements);
}

PlacementTrack* FindPlacementTrack(PlacementTrack* first, int id) {
  return FindRecord(first, &PlacementTrack::id, id);
}
