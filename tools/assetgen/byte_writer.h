// Little-endian appending of the fixed-width fields that the resource formats are made of.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

using Bytes = std::vector<std::uint8_t>;

inline void PutU8(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
}
inline void PutU16(Bytes& out, std::uint32_t v) {
  PutU8(out, v & 0xFF);
  PutU8(out, (v >> 8) & 0xFF);
}
inline void PutU32(Bytes& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}
inline void PutI16(Bytes& out, int v) {
  PutU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
}
inline void PutTag(Bytes& out, const char (&tag)[5]) {
  out.insert(out.end(), tag, tag + 4);
}
inline void PutZeros(Bytes& out, std::size_t count) {
  out.insert(out.end(), count, 0);
}
inline void Append(Bytes& out, const Bytes& more) {
  out.insert(out.end(), more.begin(), more.end());
}

// Writes the bytes to a file; false when it cannot be written completely.
bool WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace assetgen
