// The records of the per-tick lists (draw requests, dirty rectangles) are kept for reuse when a
// tick is done with them, so that a tick in the steady state allocates nothing.
#pragma once
#include <cstdlib>

#include "sprites/record_list.h"

// A zero-filled record: a kept one when there is one, else a new allocation (null when none is left).
template <typename Record>
Record* TakeRecord(Record** spares) {
  Record* record = *spares;
  if (!record)
    return static_cast<Record*>(std::calloc(1, sizeof(Record)));
  *spares = record->next;
  *record = Record{};
  return record;
}

// Keeps one record, already unlinked from its list, for reuse.
template <typename Record>
void KeepRecord(Record* record, Record** spares) {
  record->next = *spares;
  *spares = record;
}

// Empties the list along `next`, keeping every record for reuse.
template <typename Record>
void KeepRecords(Record** list, Record** spares) {
  while (*list) {
    Record* next = (*list)->next;
    KeepRecord(*list, spares);
    *list = next;
  }
}

// Frees every record of the list and empties it.
template <typename Record>
void FreeList(Record** list) {
  FreeRecords(*list);
  *list = nullptr;
}
