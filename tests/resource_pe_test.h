// What the shipped-resource tests share: a bounds-checked reader of little-endian fields.
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Any read past the end of the bytes throws.
struct FileReader {
  const Bytes& bytes;

  uint32_t U16(size_t at) const {
    Check(at, 2);
    return bytes[at] | bytes[at + 1] << 8;
  }
  uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
  void Check(size_t at, size_t size) const {
    if (at > bytes.size() || size > bytes.size() - at)
      throw std::runtime_error("the data is cut short at offset " + std::to_string(at));
  }
};
