#include "icon_group.h"

#include <cstddef>

namespace {

const size_t kFileHeaderSize = 6;
const size_t kFileEntrySize = 16;
const size_t kSharedEntryFields = 12;  // size, colours, planes, bit depth and byte count
const uint16_t kIconType = 1;

uint32_t Read16(const Bytes& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8;
}

uint32_t Read32(const Bytes& bytes, size_t at) {
  return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

void Write16(Bytes* bytes, uint32_t value) {
  bytes->push_back(static_cast<uint8_t>(value));
  bytes->push_back(static_cast<uint8_t>(value >> 8));
}

}  // namespace

bool SplitIconFile(const Bytes& file, int firstId, IconGroup* group, std::string* error) {
  if (file.size() < kFileHeaderSize || Read16(file, 0) != 0 || Read16(file, 2) != kIconType) {
    *error = "not an icon file";
    return false;
  }
  const size_t count = Read16(file, 4);
  if (count == 0 || file.size() < kFileHeaderSize + count * kFileEntrySize) {
    *error = "icon directory is empty or cut short";
    return false;
  }
  *group = IconGroup();
  Write16(&group->directory, 0);
  Write16(&group->directory, kIconType);
  Write16(&group->directory, static_cast<uint32_t>(count));
  for (size_t index = 0; index < count; ++index) {
    const size_t entry = kFileHeaderSize + index * kFileEntrySize;
    const uint32_t size = Read32(file, entry + 8), offset = Read32(file, entry + 12);
    if (offset > file.size() || size > file.size() - offset) {
      *error = "icon image " + std::to_string(index) + " lies outside the file";
      return false;
    }
    group->images.emplace_back(file.begin() + offset, file.begin() + offset + size);
    // A group entry is the file's entry with the image's resource number in place of its offset.
    group->directory.insert(group->directory.end(), file.begin() + entry,
                            file.begin() + entry + kSharedEntryFields);
    Write16(&group->directory, static_cast<uint32_t>(firstId + index));
  }
  return true;
}
