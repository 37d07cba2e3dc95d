// The loaded form of a scene: libraries, animations with their frames, placement tracks with their
// placements. Every record is allocated by itself, zero-filled, and linked both ways in the order
// of its source; frames and placements point into the module's resource bytes.
#pragma once
#include <windows.h>

#include "sprites/scene_descriptor.h"

// What the loader needs from its caller; copied, never kept.
struct LoadContext {
  HWND window;
  HINSTANCE instance;
  HDC dc;  // for device bitmaps; may be null
};

// One BMP file of an SPBMP resource. header and bits point into the resource: header is 14 bytes
// into its file and so, as a rule, only 2-byte aligned; read its fields byte-wise.
struct Frame {
  Frame* next;
  Frame* previous;
  HBITMAP deviceBitmap;
  const BITMAPINFO* header;
  const BYTE* bits;  // bottom row first, rows padded to 4 bytes
  int layer;
  int width;
  int height;
  int index;
};

struct Animation {
  Animation* next;
  Animation* previous;
  HGLOBAL resource;
  int id;
  int frameCount;
  Frame* frames;
};

// Where frame `index` of the action with the same identifier stands, relative to the stage origin:
// x is its left edge, y its bottom edge.
struct Placement {
  Placement* next;
  Placement* previous;
  int index;
  int x;
  int y;
};

struct PlacementTrack {
  PlacementTrack* next;
  PlacementTrack* previous;
  const BYTE* data;
  int id;
  int placementCount;
  Placement* placements;
};

struct AnimationLibrary {
  AnimationLibrary* next;
  AnimationLibrary* previous;
  int sceneId;
  Animation* animations;
  PlacementTrack* placementTracks;
  SceneBehaviourFunction behaviour;
};
