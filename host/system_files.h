// Paths of the system's own components. They are always named by full path: a bare name is searched
// for beside the saver and in the current folder first, where anyone may have put a file of that name.
#pragma once
#include <windows.h>

typedef UINT(WINAPI* FolderQuery)(LPSTR buffer, UINT size);

// The path of `fileName` in the folder that `folder` answers (GetSystemDirectoryA,
// GetWindowsDirectoryA); false when the folder is unknown or the path would not fit.
bool FolderFilePath(FolderQuery folder, const char* fileName, char (&path)[MAX_PATH]);
