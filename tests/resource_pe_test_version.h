// The blocks of a VERSIONINFO resource: each a key, a value and the blocks inside it.
#pragma once
#include <string>
#include <vector>

#include "tests/resource_pe_test.h"

struct VersionBlock {
  std::string key;
  Bytes value;  // as stored: a fixed record, UTF-16 text or binary words
  std::vector<VersionBlock> children;
};

// The root block ("VS_VERSION_INFO"); a malformed resource throws std::runtime_error.
VersionBlock ReadVersionInfo(const Bytes& resource);

// The first child with this key, or null.
const VersionBlock* VersionChild(const VersionBlock& block, const std::string& key);

// A text value as ASCII, up to its terminating zero.
std::string VersionText(const VersionBlock& block);
