#include "tests/resource_pe_test_version.h"

namespace {

const uint32_t kTextValue = 1;
const size_t kHeaderSize = 6;  // length, value length, type
const int kMaxDepth = 4;       // root, file info, string table, string

size_t Align4(size_t at) {
  return (at + 3) & ~size_t{3};
}

// One block from `at`, which must end by `end`; its length in *length. Every child is at least a
// header long, so the walk always moves on.
VersionBlock ReadBlock(const FileReader& read, size_t at, size_t end, int depth, size_t* length) {
  if (depth > kMaxDepth)
    throw std::runtime_error("blocks nested deeper than " + std::to_string(kMaxDepth));
  *length = read.U16(at);
  if (*length < kHeaderSize || *length > end - at)
    throw std::runtime_error("a block at offset " + std::to_string(at) + " has the bad length " +
                             std::to_string(*length));
  const uint32_t valueLength = read.U16(at + 2), type = read.U16(at + 4);
  const size_t blockEnd = at + *length;
  VersionBlock block;
  size_t cursor = at + kHeaderSize;
  for (;; cursor += 2) {
    if (cursor + 2 > blockEnd)
      throw std::runtime_error("the key at offset " + std::to_string(at) + " runs past its block");
    const uint32_t unit = read.U16(cursor);
    if (unit == 0)
      break;
    block.key += static_cast<char>(unit);
  }
  cursor = Align4(cursor + 2);
  const size_t valueBytes = type == kTextValue ? 2 * size_t{valueLength} : valueLength;
  if (cursor > blockEnd || valueBytes > blockEnd - cursor)
    throw std::runtime_error("the value of \"" + block.key + "\" runs past its block");
  block.value.assign(read.bytes.begin() + cursor, read.bytes.begin() + cursor + valueBytes);
  for (cursor = Align4(cursor + valueBytes); cursor < blockEnd;) {
    size_t childLength = 0;
    block.children.push_back(ReadBlock(read, cursor, blockEnd, depth + 1, &childLength));
    cursor = Align4(cursor + childLength);
  }
  return block;
}

}  // namespace

VersionBlock ReadVersionInfo(const Bytes& resource) {
  size_t length = 0;
  return ReadBlock(FileReader{resource}, 0, resource.size(), 1, &length);
}

const VersionBlock* VersionChild(const VersionBlock& block, const std::string& key) {
  for (const VersionBlock& child : block.children) {
    if (child.key == key)
      return &child;
  }
  return nullptr;
}

std::string VersionText(const VersionBlock& block) {
  std::string ascii;
  for (size_t at = 0; at + 1 < block.value.size(); at += 2) {
    const uint32_t unit = block.value[at] | block.value[at + 1] << 8;
    if (unit == 0)
      break;
    ascii += static_cast<char>(unit);
  }
  return ascii;
}
