// The records of a library built from one of the descriptor's tables, one per row.
#pragma once
#include "sprites/record_list.h"
#include "sprites/scene_descriptor.h"

// Fills *first from the table in table order; loadRow(record, row) loads what the row names and
// returns how many elements it holds. Returns 1, or 0 with *first null when the table is empty or
// any row fails: its source kind is not a module resource, or loadRow gives 0.
template <typename Record, typename LoadRow>
int LoadTableRows(Record** first, const SpriteEntry* table, int count, LoadRow loadRow,
                  void (*freeList)(Record*)) {
  if (!table || count <= 0)
    return 0;
  *first = nullptr;
  Record* last = nullptr;
  for (int row = 0; row < count; ++row) {
    const SpriteEntry& entry = table[row];
    Record* record = AppendRecord(first, last);
    if (!record || entry.sourceKind != kModuleResourceSource || loadRow(record, entry) == 0) {
      freeList(*first);
      *first = nullptr;
      return 0;
    }
    record->id = entry.id;
    last = record;
  }
  return 1;
}
