#include "render/dirty_list.h"

#include "render/screen_views.h"
#include "render/spare_records.h"

DirtyRect* dirtyList = nullptr;

namespace {

DirtyRect* spareRects = nullptr;

bool InContact(LONG aStart, LONG aEnd, LONG bStart, LONG bEnd) {
  return bStart == aStart || (bStart > aStart && aEnd >= bStart) || (bStart < aStart && bEnd >= aStart);
}

}  // namespace

BOOL UnionIfTouching(const RECT* a, const RECT* b, RECT* result) {
  if (!InContact(a->left, a->right, b->left, b->right) || !InContact(a->top, a->bottom, b->top, b->bottom))
    return FALSE;
  UnionRect(result, a, b);
  return TRUE;
}

BOOL AddDirtyRect(const RECT* r) {
  if (!r)
    return FALSE;
  DirtyRect* tail = nullptr;
  for (DirtyRect* dirty = dirtyList; dirty; dirty = dirty->next) {
    RECT merged;
    if (UnionIfTouching(&dirty->rect, r, &merged)) {
      dirty->rect = merged;
      return TRUE;
    }
    tail = dirty;
  }
  DirtyRect* added = TakeRecord(&spareRects);
  if (!added)
    return FALSE;
  added->rect = *r;
  LinkAtTail(&dirtyList, tail, added);
  return TRUE;
}

void MergeDirtyRects() {
  for (DirtyRect* a = dirtyList; a; a = a->next) {
    DirtyRect* b = a->next;
    while (b) {
      DirtyRect* following = b->next;
      RECT merged;
      if (UnionIfTouching(&a->rect, &b->rect, &merged)) {
        a->rect = merged;
        UnlinkRecord(&dirtyList, b);
        KeepRecord(b, &spareRects);
      }
      b = following;
    }
  }
}

void FlushDirtyRects(HDC target) {
  MergeDirtyRects();
  ShowDirtyRects(target);
  KeepRecords(&dirtyList, &spareRects);
}

void ClearDirtyList() {
  FreeList(&dirtyList);
  FreeList(&spareRects);
}
