// An .ico file as the resource compiler stores it: one icon resource per image, numbered from a
// running counter, and a group resource that lists them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct IconGroup {
  std::vector<Bytes> images;  // resource numbers firstId, firstId + 1, ...
  Bytes directory;            // the group resource
};

// False (with a reason in *error) when the file is not a well-formed icon file.
bool SplitIconFile(const Bytes& file, int firstId, IconGroup* group, std::string* error);
