// The Dirty list: the rectangles of the frame buffer changed during one tick, merged where they
// touch and copied to the window.
#pragma once
#include <windows.h>

struct DirtyRect {
  DirtyRect* next;
  DirtyRect* prev;
  RECT rect;
};

extern DirtyRect* dirtyList;

// Grows the first rectangle that r touches, or appends r. Returns 0 when no memory is left.
BOOL AddDirtyRect(const RECT* r);
// Merges, shows every rectangle of the frame buffer on its views (see screen_views.h), and empties
// the list.
void FlushDirtyRects(HDC target);
// Frees the list and the records kept for reuse.
void ClearDirtyList();

// The union of a and b when they overlap or touch (a shared edge or corner counts).
BOOL UnionIfTouching(const RECT* a, const RECT* b, RECT* result);
// One pass: each rectangle swallows the later ones it touches as it grows.
void MergeDirtyRects();
