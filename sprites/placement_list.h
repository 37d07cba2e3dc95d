// The Placements of one action: the 16-byte records of an SPBMPDATA resource.
#pragma once
#include <cstddef>

#include "sprites/sprite_records.h"

// Builds *first from the SPBMPDATA resource `name` of `instance`; returns the number of Placements
// and the resource bytes through `data`, or 0 with *first null when the resource is missing or its
// size is not 16 × N + 4 with N at least 1.
int LoadPlacements(Placement** first, HINSTANCE instance, const char* name, const BYTE** data);

// The walk of LoadPlacements over bytes already in memory.
int WalkPlacements(Placement** first, const BYTE* bytes, size_t size);

// Releases the list; stops at the end or where it comes back to its start.
void FreePlacements(Placement* first);
