// The shipped saver (the PE file named by SAVER_SCR) holds every resource of the resource script
// at language 1041, with the same bytes that the native build embeds. Runs as its own ctest case
// per architecture; without SAVER_SCR it is skipped.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "headless/control_resources.h"

namespace {

using Bytes = std::vector<uint8_t>;

const uint32_t kJapanese = 1041;

// Reads little-endian fields; any read past the end of the file throws.
struct FileReader {
  const Bytes& bytes;

  uint32_t U16(size_t at) const {
    Check(at, 2);
    return bytes[at] | bytes[at + 1] << 8;
  }
  uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
  void Check(size_t at, size_t size) const {
    if (at > bytes.size() || size > bytes.size() - at)
      throw std::runtime_error("the PE file is cut short at offset " + std::to_string(at));
  }
};

struct Section {
  uint32_t address, size, fileOffset;
};

// type, name, language -> bytes. Numbered identifiers are written "#" and the number, names as
// stored (ASCII).
using ResourceMap = std::map<std::tuple<std::string, std::string, uint32_t>, Bytes>;

class PeResources {
 public:
  explicit PeResources(const Bytes& file) : read_{file} {
    if (read_.U16(0) != 0x5A4D)
      throw std::runtime_error("no MZ header");
    const size_t pe = read_.U32(0x3C);
    if (read_.U32(pe) != 0x4550)
      throw std::runtime_error("no PE signature");
    const uint32_t sectionCount = read_.U16(pe + 6), optionalSize = read_.U16(pe + 20);
    const size_t optional = pe + 24;
    const bool plus = read_.U16(optional) == 0x20B;
    const size_t directories = optional + (plus ? 112 : 96);
    const uint32_t resourceAddress = read_.U32(directories + 2 * 8);
    for (uint32_t index = 0; index < sectionCount; ++index) {
      const size_t header = optional + optionalSize + 40 * index;
      sections_.push_back({read_.U32(header + 12), read_.U32(header + 16), read_.U32(header + 20)});
    }
    if (resourceAddress == 0)
      throw std::runtime_error("no resource directory");
    root_ = FileOffset(resourceAddress);
    Walk(root_, 0, "", "");
  }

  const ResourceMap& resources() const { return resources_; }

 private:
  size_t FileOffset(uint32_t address) const {
    for (const Section& section : sections_) {
      if (address >= section.address && address - section.address < section.size)
        return section.fileOffset + (address - section.address);
    }
    throw std::runtime_error("address " + std::to_string(address) + " lies in no section");
  }

  std::string EntryName(uint32_t name) const {
    if (!(name & 0x80000000u))
      return "#" + std::to_string(name);
    const size_t text = root_ + (name & 0x7FFFFFFFu);
    std::string ascii;
    for (uint32_t index = 0; index < read_.U16(text); ++index)
      ascii += static_cast<char>(read_.U16(text + 2 + 2 * index));
    return ascii;
  }

  // Levels: 0 types, 1 names, 2 languages, then the data entries.
  void Walk(size_t directory, int level, const std::string& type, const std::string& name) {
    if (level > 2)
      throw std::runtime_error("resource directory nested too deep");
    const uint32_t count = read_.U16(directory + 12) + read_.U16(directory + 14);
    for (uint32_t index = 0; index < count; ++index) {
      const size_t entry = directory + 16 + 8 * index;
      const uint32_t id = read_.U32(entry), target = read_.U32(entry + 4);
      if (target & 0x80000000u) {
        const size_t below = root_ + (target & 0x7FFFFFFFu);
        Walk(below, level + 1, level == 0 ? EntryName(id) : type, level == 1 ? EntryName(id) : name);
        continue;
      }
      if (level != 2)
        throw std::runtime_error("resource data above the language level");
      const size_t data = root_ + target;
      const uint32_t size = read_.U32(data + 4);
      const size_t at = FileOffset(read_.U32(data));
      read_.Check(at, size);
      resources_[{type, name, id}] = Bytes(read_.bytes.begin() + at, read_.bytes.begin() + at + size);
    }
  }

  FileReader read_;
  std::vector<Section> sections_;
  size_t root_ = 0;
  ResourceMap resources_;
};

// String n of a string-table block: 16 strings, each a 16-bit length and that many UTF-16 units.
std::string BlockString(const Bytes& block, int n) {
  FileReader read{block};
  size_t at = 0;
  for (int index = 0; index < n; ++index)
    at += 2 + 2 * read.U16(at);
  std::string ascii;
  for (uint32_t index = 0; index < read.U16(at); ++index)
    ascii += static_cast<char>(read.U16(at + 2 + 2 * index));
  return ascii;
}

class ShippedResources : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("SAVER_SCR");
    if (!path)
      GTEST_SKIP() << "SAVER_SCR names no shipped saver";
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.is_open()) << "no saver at " << path << ": build the win64 and win32 presets first";
    file_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    try {
      resources_ = PeResources(file_).resources();
    } catch (const std::runtime_error& error) {
      FAIL() << path << ": " << error.what();
    }
  }

  const Bytes* Find(const std::string& type, const std::string& name) const {
    auto found = resources_.find({type, name, kJapanese});
    return found == resources_.end() ? nullptr : &found->second;
  }

  Bytes file_;
  ResourceMap resources_;
};

TEST_F(ShippedResources, EveryEmbeddedResourceIsThereInJapaneseWithTheSameBytes) {
  ASSERT_GT(embeddedResourceCount, 0u);
  for (size_t index = 0; index < embeddedResourceCount; ++index) {
    const EmbeddedResource& resource = embeddedResources[index];
    const Bytes* shipped = Find(resource.type, resource.name);
    ASSERT_NE(nullptr, shipped) << resource.type << " " << resource.name << " at language 1041";
    EXPECT_EQ(Bytes(resource.bytes, resource.bytes + resource.size), *shipped)
        << resource.type << " " << resource.name;
  }
}

TEST_F(ShippedResources, DialogStringAndIconAreThereAndNothingIsInAnotherLanguage) {
  EXPECT_NE(nullptr, Find("#5", "#2003")) << "dialog 2003";
  EXPECT_NE(nullptr, Find("#14", "#100")) << "icon group 100";
  const Bytes* strings = Find("#6", "#1");
  ASSERT_NE(nullptr, strings) << "the string block that holds string 1";
  EXPECT_EQ("ORU Screen Saver.", BlockString(*strings, 1));
  for (const auto& resource : resources_) {
    EXPECT_EQ(kJapanese, std::get<2>(resource.first))
        << std::get<0>(resource.first) << " " << std::get<1>(resource.first);
  }
}

}  // namespace
