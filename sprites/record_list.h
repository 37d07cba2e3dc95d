// The lists of the sprite library: zero-filled heap records linked both ways, appended at the tail.
#pragma once
#include <cstdlib>

// Allocates a zero-filled record and links it after `last` (or as the head when last is null).
template <typename Record>
Record* AppendRecord(Record** first, Record* last) {
  Record* record = static_cast<Record*>(std::calloc(1, sizeof(Record)));
  if (!record)
    return nullptr;
  record->previous = last;
  if (last)
    last->next = record;
  else
    *first = record;
  return record;
}

// The first record along `next` whose id matches, or null.
template <typename Record>
Record* FindRecordById(Record* first, int id) {
  for (Record* record = first; record; record = record->next) {
    if (record->id == id)
      return record;
  }
  return nullptr;
}
