// The lists of the sprite library and the compositor: zero-filled heap records linked both ways,
// appended at the tail, searched from the head (the first match wins) and freed node by node. A walk
// stops at the end or where the list comes back to its start.
#pragma once
#include <cstdlib>

// The backward link, whichever name the record gives it.
template <typename Record>
auto PreviousLink(Record* record) -> decltype((record->previous)) {
  return record->previous;
}
template <typename Record>
auto PreviousLink(Record* record) -> decltype((record->prev)) {
  return record->prev;
}

// The record after `record` along `next`, or null at the end or back at `first`.
template <typename Record>
Record* NextRecord(Record* first, Record* record) {
  return record->next == first ? nullptr : record->next;
}

// Links `record` right after `anchor`.
template <typename Record>
void LinkAfter(Record* anchor, Record* record) {
  PreviousLink(record) = anchor;
  record->next = anchor->next;
  if (anchor->next)
    PreviousLink(anchor->next) = record;
  anchor->next = record;
}

// Links an unlinked record after `last`, or as the head when last is null.
template <typename Record>
void LinkAtTail(Record** first, Record* last, Record* record) {
  if (last)
    LinkAfter(last, record);
  else
    *first = record;
}

// Allocates a zero-filled record and links it after `last` (null when no memory is left).
template <typename Record>
Record* AppendRecord(Record** first, Record* last) {
  Record* record = static_cast<Record*>(std::calloc(1, sizeof(Record)));
  if (record)
    LinkAtTail(first, last, record);
  return record;
}

// The last record of the list, or null for an empty one.
template <typename Record>
Record* LastRecord(Record* first) {
  Record* last = first;
  while (last && last->next)
    last = last->next;
  return last;
}

// Takes `record` out of the list that starts at *first and clears its links.
template <typename Record>
void UnlinkRecord(Record** first, Record* record) {
  if (PreviousLink(record))
    PreviousLink(record)->next = record->next;
  else
    *first = record->next;
  if (record->next)
    PreviousLink(record->next) = PreviousLink(record);
  record->next = nullptr;
  PreviousLink(record) = nullptr;
}

// The first record whose `member` equals `value`, or null.
template <typename Record, typename Value>
Record* FindRecord(Record* first, Value Record::*member, Value value) {
  for (Record* record = first; record; record = NextRecord(first, record)) {
    if (record->*member == value)
      return record;
  }
  return nullptr;
}

// Frees every record, each after `release` has let go of what it holds.
template <typename Record, typename Release>
void FreeRecords(Record* first, Release release) {
  Record* record = first;
  while (record) {
    Record* next = NextRecord(first, record);
    release(record);
    std::free(record);
    record = next;
  }
}

template <typename Record>
void FreeRecords(Record* first) {
  FreeRecords(first, [](Record*) {});
}

// Frees every record, each after the list it holds in `children` has gone through freeChildren.
template <typename Record, typename Child>
void FreeRecords(Record* first, Child* Record::*children, void (*freeChildren)(Child*)) {
  FreeRecords(first, [children, freeChildren](Record* record) {
    if (record->*children)
      freeChildren(record->*children);
  });
}

// Appends `count` zero-filled records, each filled by fill(record, index); returns count, or 0
// with *first null and the list gone through freeList when memory runs out.
template <typename Record, typename Fill>
int AppendRecords(Record** first, int count, Fill fill, void (*freeList)(Record*)) {
  *first = nullptr;
  Record* last = nullptr;
  for (int index = 0; index < count; ++index) {
    Record* record = AppendRecord(first, last);
    if (!record) {
      freeList(*first);
      *first = nullptr;
      return 0;
    }
    fill(record, index);
    last = record;
  }
  return count;
}
