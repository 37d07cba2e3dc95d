// The Placement tracks of a library, one per row of the scene's Placement table.
#pragma once
#include "sprites/sprite_records.h"

// Fills *first from the table in table order; returns 1, or 0 with *first null when the table is
// empty or any row fails (its source kind is not a module resource, or its placements do not load).
int LoadPlacementTracks(PlacementTrack** first, const SpriteEntry* table, int count, LoadContext context);

// Releases the list with every Placement it holds.
void FreePlacementTracks(PlacementTrack* first);

// The first Placement track along `next` with this identifier, or null.
PlacementTrack* FindPlacementTrack(PlacementTrack* first, int id);
