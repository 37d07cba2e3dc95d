// The registry: a tree of keys with typed values, and handles to open keys.
#include <algorithm>
#include <cctype>
#include <map>

#include "world.h"

namespace {

struct RegistryValue {
  DWORD type;
  std::vector<BYTE> data;
};

struct Registry {
  std::map<std::string, std::map<std::string, RegistryValue>> keys;  // lower-case full path
  std::map<uintptr_t, std::string> open;
  uintptr_t next = 0x3000;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

bool PathOf(HKEY key, std::string* path) {
  if (key == HKEY_CURRENT_USER) {
    *path = "hkcu";
    return true;
  }
  if (key == HKEY_LOCAL_MACHINE) {
    *path = "hklm";
    return true;
  }
  auto found = TheRegistry().open.find(reinterpret_cast<uintptr_t>(key));
  if (found == TheRegistry().open.end())
    return false;
  *path = found->second;
  return true;
}

std::string Join(const std::string& base, const char* sub) {
  return sub && *sub ? base + "\\" + Lower(sub) : base;
}

HKEY OpenHandle(const std::string& path) {
  Registry& registry = TheRegistry();
  uintptr_t handle = registry.next;
  registry.next += 4;
  registry.open[handle] = path;
  return reinterpret_cast<HKEY>(handle);
}

bool KeyExists(const std::string& path) {
  return path == "hkcu" || path == "hklm" || TheRegistry().keys.count(path) != 0;
}

void CreatePath(const std::string& path) {
  for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1)) {
    TheRegistry().keys[path.substr(0, at)];
  }
  TheRegistry().keys[path];
}

LSTATUS OpenKey(const char* api, HKEY key, LPCSTR subKey, PHKEY result) {
  std::string base;
  if (ShouldFail(api) || !PathOf(key, &base))
    return ERROR_ACCESS_DENIED;
  std::string path = Join(base, subKey);
  if (!KeyExists(path))
    return ERROR_FILE_NOT_FOUND;
  *result = OpenHandle(path);
  return ERROR_SUCCESS;
}

std::string RootPath(HKEY root) {
  return root == HKEY_CURRENT_USER ? "hkcu" : "hklm";
}

}  // namespace

LSTATUS WINAPI RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
  LogCall("RegOpenKeyA", key, " ", subKey);
  return OpenKey("RegOpenKeyA", key, subKey, result);
}

LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
  LogCall("RegOpenKeyExA", key, " ", subKey, " access=", access);
  return OpenKey("RegOpenKeyExA", key, subKey, result);
}

LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD options, REGSAM access,
                               LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  LogCall("RegCreateKeyExA", key, " ", subKey, " options=", options, " access=", access);
  std::string base;
  if (ShouldFail("RegCreateKeyExA") || !PathOf(key, &base))
    return ERROR_ACCESS_DENIED;
  std::string path = Join(base, subKey);
  bool existed = KeyExists(path);
  CreatePath(path);
  if (disposition)
    *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
  *result = OpenHandle(path);
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  LogCall("RegQueryValueExA", key, " ", name, " size=", size ? *size : 0);
  std::string path;
  if (!PathOf(key, &path))
    return ERROR_ACCESS_DENIED;
  auto& values = TheRegistry().keys[path];
  auto found = values.find(Lower(name ? name : ""));
  if (found == values.end())
    return ERROR_FILE_NOT_FOUND;
  const RegistryValue& value = found->second;
  DWORD length = static_cast<DWORD>(value.data.size());
  if (data && size && length > *size) {
    *size = length;
    return ERROR_MORE_DATA;
  }
  if (data)
    std::copy(value.data.begin(), value.data.end(), data);
  if (size)
    *size = length;
  if (type)
    *type = value.type;
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
  LogCall("RegSetValueExA", key, " ", name, " type=", type, " size=", size);
  std::string path;
  if (ShouldFail("RegSetValueExA") || !PathOf(key, &path))
    return ERROR_ACCESS_DENIED;
  TheRegistry().keys[path][Lower(name ? name : "")] = {type, std::vector<BYTE>(data, data + size)};
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY key) {
  LogCall("RegCloseKey", key);
  return TheRegistry().open.erase(reinterpret_cast<uintptr_t>(key)) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

void ResetRegistry() {
  TheRegistry() = Registry();
}

void HeadlessRegistryCreateKey(HKEY root, const std::string& path) {
  CreatePath(Join(RootPath(root), path.c_str()));
}

void HeadlessRegistrySet(HKEY root, const std::string& path, const std::string& name, DWORD type,
                         const std::vector<BYTE>& data) {
  std::string full = Join(RootPath(root), path.c_str());
  CreatePath(full);
  TheRegistry().keys[full][Lower(name)] = {type, data};
}

void HeadlessRegistrySetDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
  std::vector<BYTE> bytes(4);
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<BYTE>(value >> (8 * i));
  HeadlessRegistrySet(root, path, name, REG_DWORD, bytes);
}

bool HeadlessRegistryGet(HKEY root, const std::string& path, const std::string& name, DWORD* type,
                         std::vector<BYTE>* data) {
  auto key = TheRegistry().keys.find(Join(RootPath(root), path.c_str()));
  if (key == TheRegistry().keys.end())
    return false;
  auto value = key->second.find(Lower(name));
  if (value == key->second.end())
    return false;
  *type = value->second.type;
  *data = value->second.data;
  return true;
}

int HeadlessOpenRegistryKeys() {
  return static_cast<int>(TheRegistry().open.size());
}
