// Writes the C++ source that holds the embedded resources as a table of byte arrays.
#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct EmbeddedFile {
  std::string type;  // upper-case text, or "#" and the number
  std::string name;
  std::vector<uint8_t> bytes;
};

void WriteEmbeddedSource(std::ostream& out, const std::string& script,
                         const std::vector<EmbeddedFile>& files);
