// The Animations of a library, one per row of the scene's Animation table.
#pragma once
#include "sprites/sprite_records.h"

// Fills *first from the table in table order; returns 1, or 0 with *first null when the table is
// empty or any row fails (its source kind is not a module resource, or its frames do not load).
int LoadAnimations(Animation** first, const SpriteEntry* table, int count, LoadContext context);

// Releases the list with every Frame it holds.
void FreeAnimations(Animation* first);

// The first Animation along `next` with this identifier, or null.
Animation* FindAnimation(Animation* first, int id);
