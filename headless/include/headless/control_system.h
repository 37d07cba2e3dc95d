// Test controls for the system's folders, the files in them and the code page.
#pragma once
#include <windows.h>

#include <string>

// What GetSystemDirectoryA and GetWindowsDirectoryA answer ("C:\WINDOWS\SYSTEM32" and "C:\WINDOWS"
// on a fresh machine, whose system folder holds control.exe).
void HeadlessSetSystemDirectory(const std::string& path);
void HeadlessSetWindowsDirectory(const std::string& path);
// Files that GetFileAttributesA finds, by full path. Modules added by bare name are found in the
// system folder as well.
void HeadlessAddFile(const std::string& path);
void HeadlessRemoveFile(const std::string& path);
// 932 (Japanese) makes CharNextA step over double-byte characters; a fresh machine runs 1252.
void HeadlessSetCodePage(UINT codePage);
