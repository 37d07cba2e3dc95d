// Fuzz target: arbitrary bytes as an SPBMP and as an SPBMPDATA resource. A walk either fails with
// nothing left behind or yields lists whose every frame and placement lies inside the bytes.
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz/resource_shim.h"
#include "sprites/frame_list.h"
#include "sprites/placement_list.h"

namespace {

HDC const kDeviceContext = reinterpret_cast<HDC>(0x1000);

void Require(bool condition) {
  if (!condition)
    __builtin_trap();
}

bool Inside(const BYTE* start, size_t size, const BYTE* from, size_t length) {
  return from >= start && static_cast<size_t>(from - start) <= size && length <= size - (from - start);
}

void CheckFrames(const BYTE* bytes, size_t size) {
  Frame* first = nullptr;
  HGLOBAL resource = nullptr;
  const int count = LoadFrames(&first, nullptr, "FUZZ", &resource, 1, TRUE, kDeviceContext);
  Require((count == 0) == (first == nullptr));
  int index = 0;
  const Frame* previous = nullptr;
  for (const Frame* frame = first; frame; previous = frame, frame = frame->next, ++index) {
    Require(frame->index == index && frame->previous == previous && frame->deviceBitmap);
    Require(frame->width > 0 && frame->height > 0 && frame->layer == 1);
    Require(Inside(bytes, size, reinterpret_cast<const BYTE*>(frame->header), 40 + 4 * 256));
    const size_t stride = (static_cast<size_t>(frame->width) + 3) / 4 * 4;
    Require(Inside(bytes, size, frame->bits, stride * static_cast<size_t>(frame->height)));
  }
  Require(index == count && (count == 0 || resource == bytes));
  FreeFrames(first);
  Require(LiveFuzzBitmaps() == 0);
}

void CheckPlacements(const BYTE* bytes, size_t size) {
  Placement* first = nullptr;
  const BYTE* data = nullptr;
  const int count = LoadPlacements(&first, nullptr, "FUZZ", &data);
  Require(count == 0 || (size - 4) / 16 == static_cast<size_t>(count));
  int index = 0;
  const Placement* previous = nullptr;
  for (const Placement* placement = first; placement;
       previous = placement, placement = placement->next, ++index) {
    const BYTE* record = bytes + 16 * index;
    Require(placement->index == index && placement->previous == previous);
    Require(placement->x == static_cast<int16_t>(record[4] | record[5] << 8) &&
            placement->y == static_cast<int16_t>(record[6] | record[7] << 8));
  }
  Require(index == count && (count == 0 || data == bytes));
  FreePlacements(first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
  // A heap block of exactly the input's size, so that a read past the end is caught.
  std::unique_ptr<BYTE[]> bytes(new BYTE[size]);
  if (size)
    std::memcpy(bytes.get(), input, size);
  SetFuzzResource(bytes.get(), size);
  CheckFrames(bytes.get(), size);
  CheckPlacements(bytes.get(), size);
  return 0;
}
