// The executable's resources: the compiled-in table, with the tests' replacements over it.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "headless/control_resources.h"
#include "world.h"

namespace {

struct ResourceRecord {
  const BYTE* bytes = nullptr;
  DWORD size = 0;
  std::unique_ptr<BYTE[]> owned;  // set for resources that a test added
};

using ResourceKey = std::pair<std::string, std::string>;  // type, name

struct ResourceTable {
  bool loaded = false;
  std::map<ResourceKey, ResourceRecord> records;
};

ResourceTable& Table() {
  static ResourceTable table;
  return table;
}

// Resource identifiers compare without case, and "#100" names the number 100.
std::string IdentifierKey(LPCSTR identifier) {
  if (IS_INTRESOURCE(identifier))
    return "#" + std::to_string(LOWORD(identifier));
  std::string key(identifier);
  if (key.size() > 1 && key.size() <= 6 && key[0] == '#' &&
      key.find_first_not_of("0123456789", 1) == std::string::npos) {
    unsigned long number = std::strtoul(key.c_str() + 1, nullptr, 10);
    if (number <= 0xFFFF)
      return "#" + std::to_string(number);
  }
  for (char& letter : key)
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  return key;
}

std::map<ResourceKey, ResourceRecord>& Records() {
  ResourceTable& table = Table();
  if (!table.loaded) {
    for (size_t index = 0; index < embeddedResourceCount; ++index) {
      const EmbeddedResource& resource = embeddedResources[index];
      ResourceRecord& record = table.records[{resource.type, resource.name}];
      record.bytes = resource.bytes;
      record.size = static_cast<DWORD>(resource.size);
    }
    table.loaded = true;
  }
  return table.records;
}

bool IsExecutable(HMODULE module) {
  return !module || module == GetModuleHandleA(nullptr);
}

ResourceRecord* FindRecord(HRSRC resource) {
  for (auto& entry : Records()) {
    if (reinterpret_cast<HRSRC>(&entry.second) == resource)
      return &entry.second;
  }
  return nullptr;
}

}  // namespace

bool HasResource(HMODULE module, LPCSTR type, LPCSTR name) {
  return IsExecutable(module) && Records().count({IdentifierKey(type), IdentifierKey(name)}) != 0;
}

bool ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name, const BYTE** bytes, DWORD* size) {
  if (!IsExecutable(module))
    return false;
  auto found = Records().find({IdentifierKey(type), IdentifierKey(name)});
  if (found == Records().end())
    return false;
  *bytes = found->second.bytes;
  *size = found->second.size;
  return true;
}

void ResetResources() {
  Table() = ResourceTable();
}

void HeadlessSetResource(LPCSTR type, LPCSTR name, const std::vector<BYTE>& bytes) {
  ResourceRecord record;
  // Exactly as many bytes as the resource holds, so a read past its end is caught.
  record.owned.reset(new BYTE[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), record.owned.get());
  record.bytes = record.owned.get();
  record.size = static_cast<DWORD>(bytes.size());
  Records()[{IdentifierKey(type), IdentifierKey(name)}] = std::move(record);
}

void HeadlessRemoveResource(LPCSTR type, LPCSTR name) {
  Records().erase({IdentifierKey(type), IdentifierKey(name)});
}

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  const std::string nameKey = IdentifierKey(name);
  const std::string typeKey = IdentifierKey(type);
  LogCall("FindResourceA", module, " ", nameKey, " ", typeKey);
  if (!IsExecutable(module) || ShouldFail("FindResourceA"))
    return nullptr;
  auto found = Records().find({typeKey, nameKey});
  return found == Records().end() ? nullptr : reinterpret_cast<HRSRC>(&found->second);
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
  ResourceRecord* record = FindRecord(resource);
  if (!IsExecutable(module) || !record || ShouldFail("SizeofResource"))
    return 0;
  return record->size;
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
  LogCall("LoadResource", module, " ", resource);
  ResourceRecord* record = FindRecord(resource);
  if (!IsExecutable(module) || !record || ShouldFail("LoadResource"))
    return nullptr;
  return const_cast<BYTE*>(record->bytes);
}

LPVOID WINAPI LockResource(HGLOBAL data) {
  if (ShouldFail("LockResource"))
    return nullptr;
  return data;
}

// Loaded resources live as long as the module; releasing one has nothing to do.
BOOL WINAPI FreeResource(HGLOBAL data) {
  LogCall("FreeResource", data);
  return FALSE;
}
