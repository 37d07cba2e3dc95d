// The shipped saver (the PE file named by SAVER_SCR) holds every resource of the resource script
// at language 1041, with the same bytes that the native build embeds, a manifest and a VERSIONINFO
// of the project's version (SAVER_VERSION). Runs as its own ctest case per shipped file; without
// SAVER_SCR it is skipped.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "headless/control_resources.h"
#include "tests/resource_pe_test.h"
#include "tests/resource_pe_test_version.h"
#include "tests/resource_pe_test_xml.h"

namespace {

const uint32_t kJapanese = 1041;

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

const char kAssembly[] = "urn:schemas-microsoft-com:asm.v1";
const char kCompatibility[] = "urn:schemas-microsoft-com:compatibility.v1";
const char kAssemblyV3[] = "urn:schemas-microsoft-com:asm.v3";
const char kSettings2005[] = "http://schemas.microsoft.com/SMI/2005/WindowsSettings";
const char kSettings2016[] = "http://schemas.microsoft.com/SMI/2016/WindowsSettings";

// The project's version, from SAVER_VERSION ("MAJOR.MINOR.PATCH"), as major, minor, patch and 0.
std::vector<uint32_t> ProjectVersion() {
  const char* text = std::getenv("SAVER_VERSION");
  unsigned major = 0, minor = 0, patch = 0;
  char end = 0;
  if (!text || std::sscanf(text, "%u.%u.%u%c", &major, &minor, &patch, &end) != 3)
    return {};
  return {major, minor, patch, 0};
}

std::string DottedVersion(const std::vector<uint32_t>& version) {
  std::string text;
  for (uint32_t part : version)
    text += (text.empty() ? "" : ".") + std::to_string(part);
  return text;
}

std::string PathText(const std::vector<std::string>& path) {
  std::string text;
  for (const std::string& step : path)
    text += "/" + step;
  return text;
}

TEST_F(ShippedResources, ManifestAsksForCommonControls6TheSupportedSystemsTheInvokersRightsAndPerMonitorDpi) {
  const std::vector<uint32_t> version = ProjectVersion();
  ASSERT_FALSE(version.empty()) << "SAVER_VERSION names no MAJOR.MINOR.PATCH version (ctest sets it)";
  const Bytes* manifest = Find("#24", "#1");
  ASSERT_NE(nullptr, manifest) << "manifest 1 (RT_MANIFEST) at language 1041";
  XmlElement root;
  try {
    root = ReadXml(std::string(manifest->begin(), manifest->end()));
  } catch (const std::runtime_error& error) {
    FAIL() << "the manifest is not well-formed XML: " << error.what();
  }
  EXPECT_EQ(kAssembly + std::string(" assembly"), root.space + " " + root.name);
  EXPECT_EQ("1.0", root.attributes["manifestVersion"]);

  struct Expected {
    std::vector<std::string> path;
    const char* space;
    std::map<std::string, std::string> attributes;
    const char* text = nullptr;  // checked where given
  };
  const Expected expected[] = {
      {{"assemblyIdentity"},
       kAssembly,
       {{"type", "win32"},
        {"name", "Nuvaris.Lomlom.ScreenSaver"},
        {"version", DottedVersion(version)},
        {"processorArchitecture", "*"}}},
      {{"dependency", "dependentAssembly", "assemblyIdentity"},
       kAssembly,
       {{"type", "win32"},
        {"name", "Microsoft.Windows.Common-Controls"},
        {"version", "6.0.0.0"},
        {"processorArchitecture", "*"},
        {"publicKeyToken", "6595b64144ccf1df"},
        {"language", "*"}}},
      {{"trustInfo", "security", "requestedPrivileges", "requestedExecutionLevel"},
       kAssemblyV3,
       {{"level", "asInvoker"}, {"uiAccess", "false"}}},
      {{"application", "windowsSettings"}, kAssemblyV3, {}},
      {{"application", "windowsSettings", "dpiAware"}, kSettings2005, {}, "true/pm"},
      {{"application", "windowsSettings", "dpiAwareness"}, kSettings2016, {}, "PerMonitorV2, PerMonitor"},
  };
  for (const Expected& element : expected) {
    const std::vector<const XmlElement*> found = FindElements(root, element.path);
    ASSERT_EQ(1u, found.size()) << PathText(element.path);
    EXPECT_EQ(element.space, found[0]->space) << PathText(element.path);
    EXPECT_EQ(element.attributes, found[0]->attributes) << PathText(element.path);
    if (element.text) {
      EXPECT_EQ(element.text, found[0]->text) << PathText(element.path);
    }
  }

  // Windows Vista, 7, 8, 8.1, and 10 and 11.
  const std::set<std::string> systems = {
      "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
  std::set<std::string> declared;
  for (const XmlElement* os : FindElements(root, {"compatibility", "application", "supportedOS"})) {
    EXPECT_EQ(kCompatibility, os->space) << "supportedOS " << os->attributes.at("Id");
    declared.insert(os->attributes.at("Id"));
  }
  EXPECT_EQ(systems, declared);
}

TEST_F(ShippedResources, VersionInfoCarriesTheProjectsVersionAndAComment) {
  const std::vector<uint32_t> version = ProjectVersion();
  ASSERT_FALSE(version.empty()) << "SAVER_VERSION names no MAJOR.MINOR.PATCH version (ctest sets it)";
  const Bytes* resource = Find("#16", "#1");
  ASSERT_NE(nullptr, resource) << "VERSIONINFO 1 at language 1041";
  VersionBlock root;
  try {
    root = ReadVersionInfo(*resource);
  } catch (const std::runtime_error& error) {
    FAIL() << "VERSIONINFO: " << error.what();
  }
  EXPECT_EQ("VS_VERSION_INFO", root.key);
  ASSERT_EQ(52u, root.value.size()) << "VS_FIXEDFILEINFO";
  const FileReader fixed{root.value};
  EXPECT_EQ(0xFEEF04BDu, fixed.U32(0));
  const std::vector<uint32_t> fileVersion = {fixed.U32(8) >> 16, fixed.U32(8) & 0xFFFF, fixed.U32(12) >> 16,
                                             fixed.U32(12) & 0xFFFF};
  const std::vector<uint32_t> productVersion = {fixed.U32(16) >> 16, fixed.U32(16) & 0xFFFF,
                                                fixed.U32(20) >> 16, fixed.U32(20) & 0xFFFF};
  EXPECT_EQ(version, fileVersion) << "FILEVERSION";
  EXPECT_EQ(version, productVersion) << "PRODUCTVERSION";

  const VersionBlock* fileInfo = VersionChild(root, "StringFileInfo");
  const VersionBlock* strings = fileInfo ? VersionChild(*fileInfo, "041104B0") : nullptr;
  ASSERT_NE(nullptr, strings) << "StringFileInfo/041104B0";
  for (const char* key : {"FileVersion", "ProductVersion"}) {
    const VersionBlock* text = VersionChild(*strings, key);
    ASSERT_NE(nullptr, text) << key;
    EXPECT_EQ(DottedVersion(version), VersionText(*text)) << key;
  }
  const VersionBlock* comments = VersionChild(*strings, "Comments");
  ASSERT_NE(nullptr, comments) << "Comments";
  EXPECT_NE("", VersionText(*comments));

  const VersionBlock* varInfo = VersionChild(root, "VarFileInfo");
  const VersionBlock* translation = varInfo ? VersionChild(*varInfo, "Translation") : nullptr;
  ASSERT_NE(nullptr, translation) << "VarFileInfo/Translation";
  EXPECT_EQ(Bytes({0x11, 0x04, 0xB0, 0x04}), translation->value) << "Japanese, Unicode";
}

TEST(VersionInfoReader, BlocksThatDoNotFitAreRefusedWithTheirReason) {
  const struct {
    Bytes resource;
    const char* reason;
  } cases[] = {
      {{}, "cut short at offset 0"},
      {{4, 0, 0, 0, 0, 0}, "bad length 4"},
      {{40, 0, 0, 0, 0, 0, 0, 0}, "bad length 40"},
      {{8, 0, 0, 0, 0, 0, 'A', 0}, "the key at offset 0 runs past its block"},
      {{12, 0, 10, 0, 0, 0, 'A', 0, 0, 0, 0, 0}, "the value of \"A\" runs past its block"},
      {{16, 0, 0, 0, 0, 0, 'A', 0, 0, 0, 0, 0, 9, 0, 0, 0}, "bad length 9"},
  };
  for (const auto& input : cases) {
    std::string reason = "accepted";
    try {
      ReadVersionInfo(input.resource);
    } catch (const std::runtime_error& error) {
      reason = error.what();
    }
    EXPECT_NE(std::string::npos, reason.find(input.reason)) << input.reason << ": " << reason;
  }
}

TEST(ManifestReader, TextThatIsNotWellFormedIsRefusedWithItsReason) {
  const struct {
    const char* text;
    const char* reason;
  } cases[] = {
      {"", "no root element"},
      {"<a><b></a>", "does not close <b>"},
      {"<a>", "<a> is not closed"},
      {"<a/><b/>", "text after the root element"},
      {"<a x=1/>", "a quoted value expected"},
      {"<a x='1' x='2'/>", "the attribute x twice"},
      {"<a x='1'y='2'/>", "space expected before an attribute"},
      {"<p:a/>", "the prefix 'p' is not declared"},
      {"<a x='<'/>", "'<' in a value"},
      {"<!-- open <a/>", "no closing '-->'"},
  };
  for (const auto& input : cases) {
    std::string reason = "accepted";
    try {
      ReadXml(input.text);
    } catch (const std::runtime_error& error) {
      reason = error.what();
    }
    EXPECT_NE(std::string::npos, reason.find(input.reason)) << input.text << ": " << reason;
  }
}

TEST(ManifestReader, NamespacesComeFromTheDefaultOrThePrefixInForce) {
  const XmlElement root = ReadXml(
      "<?xml version='1.0'?><!-- c --><a xmlns=\"urn:one\"><b xmlns:q='urn:two'>text<q:c k='v'/>"
      "<![CDATA[<x>]]><d/></b></a>");
  EXPECT_EQ("urn:one a", root.space + " " + root.name);
  ASSERT_EQ(1u, FindElements(root, {"b"}).size());
  EXPECT_EQ("text<x>", FindElements(root, {"b"})[0]->text);
  const std::vector<const XmlElement*> c = FindElements(root, {"b", "c"});
  ASSERT_EQ(1u, c.size());
  EXPECT_EQ("urn:two", c[0]->space);
  EXPECT_EQ((std::map<std::string, std::string>{{"k", "v"}}), c[0]->attributes);
  const std::vector<const XmlElement*> d = FindElements(root, {"b", "d"});
  ASSERT_EQ(1u, d.size());
  EXPECT_EQ("urn:one", d[0]->space);
}

}  // namespace
