#include "host/system_files.h"

#include <cstring>

bool FolderFilePath(FolderQuery folder, const char* fileName, char (&path)[MAX_PATH]) {
  size_t length = folder(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return false;
  // Only a drive's root ("C:\") ends in a separator; testing the last byte alone could take the
  // trail byte of a double-byte character for one.
  bool root = length == 3 && path[1] == ':' && path[2] == '\\';
  size_t nameLength = std::strlen(fileName);
  if (length + (root ? 0 : 1) + nameLength >= MAX_PATH)
    return false;
  if (!root)
    path[length++] = '\\';
  std::memcpy(path + length, fileName, nameLength + 1);
  return true;
}
