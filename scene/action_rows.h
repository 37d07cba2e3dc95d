// The scene's tables have one row per action, found by the action's identifier (first match).
#pragma once
#include <cstddef>

template <typename Row, std::size_t Count>
const Row* FindActionRow(const Row (&table)[Count], int actionId) {
  for (const Row& row : table) {
    if (row.actionId == actionId)
      return &row;
  }
  return nullptr;
}
