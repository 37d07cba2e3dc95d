#include "sprites/frame_list.h"

#include "sprites/module_resource.h"
#include "sprites/record_list.h"
#include "sprites/sprite_formats.h"

namespace {

const char kPictureResourceType[] = "SPBMP";

void FillFrame(Frame* frame, const BYTE* file, int layer, int index) {
  frame->header = reinterpret_cast<const BITMAPINFO*>(file + kBitmapFileHeaderSize);
  frame->bits = file + ReadU32(file + kBitmapPixelOffsetField);
  frame->width = static_cast<int>(ReadU32(file + kBitmapWidthField));
  frame->height = static_cast<int>(ReadU32(file + kBitmapHeightField));
  frame->layer = layer;
  frame->index = index;
}

}  // namespace

int WalkFrames(Frame** first, const BYTE* bytes, size_t size, int layer, BOOL makeDeviceBitmap, HDC dc) {
  size_t offset = 0;
  const auto fill = [&](Frame* frame, int index) {
    const BYTE* file = bytes + offset;
    FillFrame(frame, file, layer, index);
    if (makeDeviceBitmap && dc) {
      // The header is not aligned for member access; the cast only passes its address on.
      frame->deviceBitmap = CreateDIBitmap(dc, reinterpret_cast<const BITMAPINFOHEADER*>(frame->header),
                                           CBM_INIT, frame->bits, frame->header, DIB_RGB_COLORS);
    }
    offset += ReadU32(file + kBitmapFileSizeField);
  };
  return AppendRecords(first, CountBitmapFiles(bytes, size), fill, FreeFrames);
}

int LoadFrames(Frame** first, HINSTANCE instance, const char* name, HGLOBAL* resource, int layer,
               BOOL makeDeviceBitmap, HDC dc) {
  *first = nullptr;
  ResourceBytes found;
  if (!LockModuleResource(instance, name, kPictureResourceType, &found))
    return 0;
  const int count = WalkFrames(first, found.bytes, found.size, layer, makeDeviceBitmap, dc);
  if (count)
    *resource = found.handle;
  return count;
}

void FreeFrames(Frame* first) {
  FreeRecords(first, [](Frame* frame) {
    if (frame->deviceBitmap)
      DeleteObject(frame->deviceBitmap);
  });
}

Frame* FindFrame(Frame* first, int index) {
  return FindRecord(first, &Frame::index, index);
}
