#include "sprites/placement_list.h"

#include "sprites/module_resource.h"
#include "sprites/record_list.h"
#include "sprites/sprite_formats.h"

namespace {

const char kPlacementResourceType[] = "SPBMPDATA";

}  // namespace

int WalkPlacements(Placement** first, const BYTE* bytes, size_t size) {
  const auto fill = [bytes](Placement* placement, int index) {
    const BYTE* record = bytes + static_cast<size_t>(index) * kPlacementRecordSize;
    placement->index = index;
    placement->x = ReadS16(record + kPlacementXField);
    placement->y = ReadS16(record + kPlacementYField);
  };
  return AppendRecords(first, bytes ? CountPlacementRecords(size) : 0, fill, FreePlacements);
}

int LoadPlacements(Placement** first, HINSTANCE instance, const char* name, const BYTE** data) {
  *first = nullptr;
  ResourceBytes found;
  if (!LockModuleResource(instance, name, kPlacementResourceType, &found))
    return 0;
  const int count = WalkPlacements(first, found.bytes, found.size);
  if (count)
    *data = found.bytes;
  return count;
}

void FreePlacements(Placement* first) {
  FreeRecords(first);
}
