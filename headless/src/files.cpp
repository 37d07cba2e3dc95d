// The system's folders and the files the program asks about.
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "headless/control_system.h"
#include "world.h"

namespace {

// The platform's answer: the length without the terminator when the path fits, else the size the
// buffer would need, and the buffer untouched.
UINT CopyFolder(const std::string& folder, LPSTR buffer, UINT size) {
  UINT length = static_cast<UINT>(folder.size());
  if (length >= size)
    return length + 1;
  std::memcpy(buffer, folder.c_str(), length + 1);
  return length;
}

bool IsListedFile(const char* path) {
  const std::vector<std::string>& files = TheWorld().files;
  return std::any_of(files.begin(), files.end(),
                     [&](const std::string& file) { return SamePath(file, path); });
}

bool IsModuleFile(const char* path) {
  const std::vector<ModuleRecord>& modules = TheWorld().modules;
  return std::any_of(modules.begin(), modules.end(),
                     [&](const ModuleRecord& module) { return ModuleAt(module, path); });
}

}  // namespace

std::string SystemFolderPath(const std::string& fileName) {
  const std::string& folder = TheWorld().systemFolder;
  return !folder.empty() && folder.back() == '\\' ? folder + fileName : folder + "\\" + fileName;
}

bool SamePath(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str()) == 0;
}

bool ModuleAt(const ModuleRecord& module, const std::string& name) {
  if (module.removed)
    return false;
  bool bareName = module.name.find('\\') == std::string::npos;
  return SamePath(module.name, name) || (bareName && SamePath(SystemFolderPath(module.name), name));
}

UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size) {
  LogCall("GetSystemDirectoryA", size);
  return ShouldFail("GetSystemDirectoryA") ? 0 : CopyFolder(TheWorld().systemFolder, buffer, size);
}

UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  LogCall("GetWindowsDirectoryA", size);
  return ShouldFail("GetWindowsDirectoryA") ? 0 : CopyFolder(TheWorld().windowsFolder, buffer, size);
}

DWORD WINAPI GetFileAttributesA(LPCSTR path) {
  LogCall("GetFileAttributesA", path);
  bool found = path && (IsListedFile(path) || IsModuleFile(path));
  return found ? FILE_ATTRIBUTE_ARCHIVE : INVALID_FILE_ATTRIBUTES;
}

void HeadlessSetSystemDirectory(const std::string& path) {
  TheWorld().systemFolder = path;
}

void HeadlessSetWindowsDirectory(const std::string& path) {
  TheWorld().windowsFolder = path;
}

void HeadlessAddFile(const std::string& path) {
  TheWorld().files.push_back(path);
}

void HeadlessRemoveFile(const std::string& path) {
  std::vector<std::string>& files = TheWorld().files;
  files.erase(std::remove_if(files.begin(), files.end(),
                             [&](const std::string& file) { return SamePath(file, path); }),
              files.end());
}

void HeadlessSetCodePage(UINT codePage) {
  TheWorld().codePage = codePage;
}
