// The registry: a tree of keys with typed values, and handles to open keys with the rights they
// were opened with. A standard user may only read below HKEY_LOCAL_MACHINE.
#include <algorithm>
#include <cctype>
#include <map>

#include "world.h"

namespace {

struct RegistryValue {
  DWORD type;
  std::vector<BYTE> data;
};

struct OpenKeyRecord {
  std::string path;
  REGSAM access;
};

struct Registry {
  std::map<std::string, std::map<std::string, RegistryValue>> keys;  // lower-case full path
  std::map<uintptr_t, OpenKeyRecord> open;
  uintptr_t next = 0x3000;
  bool standardUser = false;
};

// Rights that change a key or its values (KEY_SET_VALUE, KEY_CREATE_SUB_KEY, KEY_CREATE_LINK,
// DELETE, WRITE_DAC, WRITE_OWNER).
const REGSAM kWriteRights = 0x0002 | 0x0004 | 0x0020 | 0x10000 | 0x40000 | 0x80000;
const REGSAM kAllRights = KEY_ALL_ACCESS;

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

bool BelowLocalMachine(const std::string& path) {
  return path.compare(0, 4, "hklm") == 0;
}

// What a key at path lets this user do.
REGSAM AllowedRights(const std::string& path) {
  return TheRegistry().standardUser && BelowLocalMachine(path) ? KEY_READ : kAllRights;
}

bool Permits(const std::string& path, REGSAM rights) {
  return (rights & kWriteRights & ~AllowedRights(path)) == 0;
}

// The path and the rights of an open key; the predefined roots carry what the user may do there.
bool Lookup(HKEY key, OpenKeyRecord* record) {
  if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) {
    record->path = key == HKEY_CURRENT_USER ? "hkcu" : "hklm";
    record->access = AllowedRights(record->path);
    return true;
  }
  auto found = TheRegistry().open.find(reinterpret_cast<uintptr_t>(key));
  if (found == TheRegistry().open.end())
    return false;
  *record = found->second;
  return true;
}

bool PathOf(HKEY key, std::string* path) {
  OpenKeyRecord record;
  if (!Lookup(key, &record))
    return false;
  *path = record.path;
  return true;
}

std::string Join(const std::string& base, const char* sub) {
  return sub && *sub ? base + "\\" + Lower(sub) : base;
}

// Generic rights become the key rights they stand for; MAXIMUM_ALLOWED becomes what the user has.
REGSAM KeyRights(const std::string& path, REGSAM access) {
  const REGSAM kMaximumAllowed = 0x02000000, kGenericAll = 0x10000000, kGenericWrite = 0x40000000,
               kGenericRead = 0x80000000;
  REGSAM rights = access & ~(kMaximumAllowed | kGenericAll | kGenericWrite | kGenericRead);
  if (access & kGenericRead)
    rights |= KEY_READ;
  if (access & kGenericWrite)
    rights |= KEY_WRITE;
  if (access & kGenericAll)
    rights |= KEY_ALL_ACCESS;
  if (access & kMaximumAllowed)
    rights |= AllowedRights(path);
  return rights;
}

HKEY OpenHandle(const std::string& path, REGSAM rights) {
  Registry& registry = TheRegistry();
  uintptr_t handle = registry.next;
  registry.next += 4;
  registry.open[handle] = {path, rights};
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

LSTATUS OpenKey(const char* api, HKEY key, LPCSTR subKey, REGSAM access, PHKEY result) {
  if (!result)
    return ERROR_INVALID_PARAMETER;
  // A failed open leaves no handle behind.
  *result = nullptr;
  std::string base;
  if (ShouldFail(api) || !PathOf(key, &base))
    return ERROR_ACCESS_DENIED;
  std::string path = Join(base, subKey);
  if (!KeyExists(path))
    return ERROR_FILE_NOT_FOUND;
  const REGSAM rights = KeyRights(path, access);
  if (!Permits(path, rights))
    return ERROR_ACCESS_DENIED;
  *result = OpenHandle(path, rights);
  return ERROR_SUCCESS;
}

// Values are read and changed through a handle that was opened with the right to do so.
LSTATUS KeyFor(HKEY key, REGSAM needed, std::string* path) {
  OpenKeyRecord record;
  if (!Lookup(key, &record))
    return ERROR_INVALID_HANDLE;
  if ((record.access & needed) != needed)
    return ERROR_ACCESS_DENIED;
  *path = record.path;
  return ERROR_SUCCESS;
}

bool Unterminated(const RegistryValue& value) {
  return value.type == REG_SZ && (value.data.empty() || value.data.back() != 0);
}

std::string RootPath(HKEY root) {
  return root == HKEY_CURRENT_USER ? "hkcu" : "hklm";
}

}  // namespace

LSTATUS WINAPI RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
  LogCall("RegOpenKeyA", key, " ", subKey);
  // Opens with all the rights the user has on the key.
  std::string base;
  const REGSAM access = PathOf(key, &base) ? AllowedRights(Join(base, subKey)) : kAllRights;
  return OpenKey("RegOpenKeyA", key, subKey, access, result);
}

LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
  LogCall("RegOpenKeyExA", key, " ", subKey, " access=", access);
  return OpenKey("RegOpenKeyExA", key, subKey, access, result);
}

LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD options, REGSAM access,
                               LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  LogCall("RegCreateKeyExA", key, " ", subKey, " options=", options, " access=", access);
  OpenKeyRecord parent;
  if (ShouldFail("RegCreateKeyExA") || !Lookup(key, &parent))
    return ERROR_ACCESS_DENIED;
  std::string path = Join(parent.path, subKey);
  bool existed = KeyExists(path);
  const REGSAM rights = KeyRights(path, access);
  // Making a key needs the right to add subkeys, through the handle and on the parent key itself.
  if (!Permits(path, rights) ||
      (!existed && (!(parent.access & KEY_CREATE_SUB_KEY) || !Permits(parent.path, KEY_CREATE_SUB_KEY)))) {
    return ERROR_ACCESS_DENIED;
  }
  CreatePath(path);
  if (disposition)
    *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
  *result = OpenHandle(path, rights);
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  LogCall("RegQueryValueExA", key, " ", name, " size=", size ? *size : 0);
  // Without a size there is no bound on what data may receive.
  if (data && !size)
    return ERROR_INVALID_PARAMETER;
  std::string path;
  if (LSTATUS status = KeyFor(key, KEY_QUERY_VALUE, &path))
    return status;
  auto& values = TheRegistry().keys[path];
  auto found = values.find(Lower(name ? name : ""));
  if (found == values.end()) {
    if (size)
      *size = 0;
    return ERROR_FILE_NOT_FOUND;
  }
  const RegistryValue& value = found->second;
  const DWORD length = static_cast<DWORD>(value.data.size());
  // Text stored without its terminator gets one in the caller's buffer, which must have room for it;
  // the size stays the stored one.
  const bool terminate = Unterminated(value);
  if (data && length + (terminate ? 1 : 0) > *size) {
    *size = length + (terminate ? 1 : 0);
    return ERROR_MORE_DATA;
  }
  if (data) {
    std::copy(value.data.begin(), value.data.end(), data);
    if (terminate)
      data[length] = 0;
  }
  if (size)
    *size = length;
  if (type)
    *type = value.type;
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
  LogCall("RegSetValueExA", key, " ", name, " type=", type, " size=", size);
  std::string path;
  if (ShouldFail("RegSetValueExA"))
    return ERROR_ACCESS_DENIED;
  if (LSTATUS status = KeyFor(key, KEY_SET_VALUE, &path))
    return status;
  if (!data && size)
    return ERROR_NOACCESS;
  RegistryValue value = {type, std::vector<BYTE>(data, data + size)};
  // Text is stored with its terminator even when the caller's size left it out.
  if (Unterminated(value))
    value.data.push_back(0);
  TheRegistry().keys[path][Lower(name ? name : "")] = value;
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegDeleteValueA(HKEY key, LPCSTR name) {
  LogCall("RegDeleteValueA", key, " ", name);
  std::string path;
  if (ShouldFail("RegDeleteValueA"))
    return ERROR_ACCESS_DENIED;
  if (LSTATUS status = KeyFor(key, KEY_SET_VALUE, &path))
    return status;
  return TheRegistry().keys[path].erase(Lower(name ? name : "")) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LSTATUS WINAPI RegCloseKey(HKEY key) {
  LogCall("RegCloseKey", key);
  return TheRegistry().open.erase(reinterpret_cast<uintptr_t>(key)) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

void ResetRegistry() {
  TheRegistry() = Registry();
}

void HeadlessSetStandardUser(bool standardUser) {
  TheRegistry().standardUser = standardUser;
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
