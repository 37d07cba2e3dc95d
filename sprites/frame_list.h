// The Frames of one animation: the BMP files of an SPBMP resource, used where they lie.
#pragma once
#include <cstddef>

#include "sprites/sprite_records.h"

// Builds *first from the SPBMP resource `name` of `instance`; returns the number of Frames and the
// resource's handle through `resource`, or 0 with *first null when the resource is missing, empty
// or malformed. makeDeviceBitmap also makes a device bitmap of every Frame when dc is not null.
int LoadFrames(Frame** first, HINSTANCE instance, const char* name, HGLOBAL* resource, int layer,
               BOOL makeDeviceBitmap, HDC dc);

// The walk of LoadFrames over bytes already in memory, which must outlive the list.
int WalkFrames(Frame** first, const BYTE* bytes, size_t size, int layer, BOOL makeDeviceBitmap, HDC dc);

// Releases the list with its device bitmaps; stops at the end or where it comes back to its start.
void FreeFrames(Frame* first);

// The Frame with `index` along `next`, or null (also when the walk comes back to `first`).
Frame* FindFrame(Frame* first, int index);
